#pragma once
// Open and save for a window with series panes and a report pane, reached by
// the panes' context menus and keys: "Открыть ряд ..." (Ctrl+O) on each
// series pane reads a file into that pane, "Сохранить отчет ..." (Ctrl+S) on
// the report pane writes the report; a file dropped on a series pane is read
// into it. The report knows the panes and the file it was computed from:
// an out-of-date report is saved only when the user says so, under its own
// file's name.

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QPlainTextEdit;
class QWidget;

namespace aqualen::ui {

class ReportFreshness;

class PaneFileCommands : public QObject {
    Q_OBJECT
public:
    // Owned by `window`; the panes are the window's.
    PaneFileCommands(QWidget& window, const QList<QPlainTextEdit*>& seriesPanes, QPlainTextEdit& report);

    // The open command of series pane i, and the save command.
    QAction* OpenAction(int pane) const { return open_.at(pane); }
    QAction* SaveAction() const { return save_; }
    // The file read last, which names the report by default.
    const QString& SeriesPath() const { return seriesPath_; }
    // Whether the report still belongs to the panes (and the file) shown;
    // the window adds its choices and marks its runs (ReportRun).
    ReportFreshness& Freshness() const { return *freshness_; }

    // Reads a file into series pane i, as a drop on it does.
    void Load(int pane, const QString& path);

private:
    QWidget& window_;
    QList<QPlainTextEdit*> panes_;
    QList<QAction*> open_;
    QAction* save_ = nullptr;
    QString seriesPath_;
    ReportFreshness* freshness_ = nullptr;
};

} // namespace aqualen::ui
