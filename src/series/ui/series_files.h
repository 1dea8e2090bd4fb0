#pragma once
// Series panes and files: a series file read into a pane (by a menu, a
// context menu or a drop), and a report pane written to a UTF-8 text file.
// Reading goes through the one importer of src/series (a workbook through
// series/ui/workbook_reader, the sheet asked for when it has several); a
// table asks the user for its column first.

#include <QString>
#include <functional>
#include <optional>

#include "series/series_lines.h"

namespace aqualen {
struct SeriesTable;
}

class QPlainTextEdit;
class QWidget;

namespace aqualen::ui {

// Files beyond this size are refused: no series is that long, and reading a
// wrong file of gigabytes into a pane would freeze the window.
inline constexpr qint64 kMaxSeriesFileBytes = 64 * 1024 * 1024;

// What a file gives a pane: its lines, the first year when the table has a
// column of consecutive years, and the series' name (the chosen column's
// caption, else the file's base name).
struct ImportedSeries {
    SeriesLines lines;
    std::optional<int> firstYear;
    QString name;
};

// The column of a table the user takes (the column choice, with a preview):
// its lines, and its years and name as for a file. `source` is the file the
// table came from, empty for a paste. Nothing when cancelled or too long
// (the message was shown).
std::optional<ImportedSeries> TakeColumn(QWidget* parent, const SeriesTable& table, const QString& source);

// Reads a file, asking for the column of a table; a year column with gaps or
// repeats is named in a question (take the values without years, or cancel).
// Nothing when the user cancelled or the file could not be read (the message
// was shown).
std::optional<ImportedSeries> ReadSeriesFile(QWidget* parent, const QString& path);

// The lines alone of ReadSeriesFile.
std::optional<SeriesLines> ReadSeriesFileLines(QWidget* parent, const QString& path);

// The pane text of these lines: joined by line feeds, an empty last line kept.
QString TextOfLines(const SeriesLines& lines);

// Replaces the pane's text by these lines as one edit, so that Undo brings
// the old text back. An empty last line stays a line of its own.
void ReplacePaneLines(QPlainTextEdit& pane, const SeriesLines& lines);

// ReadSeriesFile into the pane (with its first year and name when the pane
// is a series pane); false when nothing was read.
bool LoadSeriesFile(QWidget* parent, QPlainTextEdit& pane, const QString& path);

// Asks for a file and loads it into the pane; the path loaded, or empty.
QString OpenSeriesFile(QWidget* parent, QPlainTextEdit& pane);

// "<name>_отчет.txt" beside the series file; "отчет.txt" without one.
QString ReportFileName(const QString& seriesPath);

// Asks where and writes the report pane as UTF-8 text, one line per pane
// line; false when cancelled or when the file could not be written (the
// message was shown). A failed write never leaves a half-written file.
bool SaveReport(QWidget* parent, const QPlainTextEdit& report, const QString& seriesPath);

// Writes text to a file as UTF-8; false when it could not be written.
bool WriteTextFile(const QString& path, const QString& text);

// Lets a local file be dropped on `target` (a pane's viewport, a grid's):
// `dropped` gets its path once the drop is over.
void AcceptFileDrops(QWidget& target, std::function<void(const QString&)> dropped);

// The pane's context menu lists the pane's own actions (added with
// QWidget::addAction) above the standard editing entries.
void ShowActionsInContextMenu(QPlainTextEdit& pane);

} // namespace aqualen::ui
