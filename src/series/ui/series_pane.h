#pragma once
// A series pane: one number per line, and beside the lines, once the first
// year is known, a gutter with each line's year (years run on one per line).
// The context menu sets and clears the first year ("Первый год ...",
// "Убрать годы") under the actions other parts add to the pane (open a file,
// take the main window's series). The pane also keeps the series' name.
// A pasted or dropped block of several columns (a year and a value, rows of
// a spreadsheet) goes in as the one column the user takes.
//
// A series restored into a hidden pane (a work opened) waits beside the
// editor until the pane first shows (PendingPaneText). Whatever reads or
// writes the pane goes through its members: the readers see the waiting text
// as if it were in the editor, and the members of the editor that reach its
// text are shadowed here by ones that fill it first (Editor()).

#include <QPlainTextEdit>
#include <QTextCursor>
#include <optional>

#include "series/series_lines.h"
#include "series/ui/pane_series.h"
#include "series/ui/pending_pane_text.h"

class QAction;

namespace aqualen::ui {

class SeriesPane : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit SeriesPane(QWidget* parent = nullptr);

    std::optional<int> FirstYear() const { return firstYear_; }
    void SetFirstYear(std::optional<int> year);
    const QString& Name() const { return name_; }
    void SetName(const QString& name);

    // The exact text: the lines joined by line feeds (a no-break space stays
    // one, unlike toPlainText()).
    QString Text() const;
    PaneSeries Series() const;
    // The lines, each exactly as typed (see PaneLines).
    SeriesLines Lines() const;
    // Text, first year and name at once; the text as one edit that Undo takes back.
    void SetSeries(const PaneSeries& series);
    // The same as a work puts it back: a fresh text with nothing to undo and
    // the cursor at its start. In a hidden pane the editor is filled when
    // the pane first shows.
    void RestoreSeries(const PaneSeries& series);

    // The lines as a series pane counts them (not the empty line after a final break).
    int LineCount() const;
    // The year of line `line` (from 0), when the first year is known.
    std::optional<int> YearOfLine(int line) const;

    // The editor itself, its text filled in: for what works on the
    // document, the cursor or the undo history.
    QPlainTextEdit& Editor();

    // The editor's own members that reach its text, filling it first. (Not
    // virtual in QPlainTextEdit: code that holds the pane as a plain editor
    // goes through EditorOf.)
    QTextDocument* document() const;
    QString toPlainText() const;
    QTextCursor textCursor() const;
    void setTextCursor(const QTextCursor& cursor);
    void moveCursor(QTextCursor::MoveOperation operation, QTextCursor::MoveMode mode = QTextCursor::MoveAnchor);
    void setPlainText(const QString& text);
    void appendPlainText(const QString& text);
    void insertPlainText(const QString& text);
    void clear();
    void undo();
    void redo();

    QAction* FirstYearAction() const { return firstYearAction_; }
    QAction* ClearYearsAction() const { return clearYearsAction_; }

    // The width of the year gutter in pixels; 0 without years.
    int GutterWidth() const;

public slots:
    // "Первый год ...": asks for the year of the first line.
    void mnFirstYearClick();
    void mnClearYearsClick();

signals:
    // The text, the first year or the name changed.
    void SeriesChanged();
    // The context menu is about to show: actions may update their state.
    void MenuAboutToShow();

protected:
    // Showing the pane, giving it the focus or a key fills the editor.
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // A pasted block of several columns asks which column to take.
    void insertFromMimeData(const QMimeData* source) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The waiting text into the editor, unheard: the series is the same.
    void FillEditor();
    // After the text, the first year or the name changed: the gutter, and
    // one signal (textChanged, which listeners of the text hear, when the
    // text is new).
    void Changed(bool newText);
    // Puts pasted text in at the cursor, a block of several columns as the
    // column the user takes (nothing when cancelled).
    void PasteSeries(const QString& text);
    friend class YearGutter;
    void PaintGutter(QPaintEvent* event);
    void UpdateGutterWidth();
    void UpdateGutter(const QRect& rect, int dy);

    QWidget* gutter_ = nullptr;
    QAction* firstYearAction_ = nullptr;
    QAction* clearYearsAction_ = nullptr;
    std::optional<int> firstYear_;
    QString name_;
    PendingPaneText pending_;
    // Text() as last read from the editor, until its document changes: the
    // reports and their freshness read a long pane several times an edit.
    mutable QString text_;
    mutable bool textKnown_ = false;
};

// The pane as a SeriesPane, or nullptr for a plain text pane.
SeriesPane* AsSeriesPane(QPlainTextEdit& pane);
const SeriesPane* AsSeriesPane(const QPlainTextEdit& pane);

// The pane's editor with all its text in it (a series pane's filled first).
QPlainTextEdit& EditorOf(QPlainTextEdit& pane);

} // namespace aqualen::ui
