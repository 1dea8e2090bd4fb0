#pragma once
// The window edge of series input: a pane's lines and the user's decimal
// separator, converted once for the window-free calculations.

#include <QString>
#include <QStringList>

#include "series/report_sink.h"
#include "series/series_lines.h"
#include "series/ui/decimal_separator.h"

class QPlainTextEdit;

namespace aqualen::ui {

// The lines of a pane, counted as a series pane counts them, each exactly as
// typed (a no-break space stays one): the lines a series file with the same
// text gives.
SeriesLines PaneLines(const QPlainTextEdit& pane);

// Appends one report line to a pane.
void AppendLine(QPlainTextEdit& pane, const std::string& line);

// A report streamed into a pane: cleared at Begin (so a refused input leaves
// the old report), each line appended as it comes; points are not shown.
class PaneReportSink final : public ReportSink {
public:
    explicit PaneReportSink(QPlainTextEdit& pane) : pane_(pane) {}
    void Begin() override;
    void Line(const std::string& line) override { AppendLine(pane_, line); }

private:
    QPlainTextEdit& pane_;
};

// Replaces the pane's text by these lines, one per line.
void SetLines(QPlainTextEdit& pane, const std::vector<std::string>& lines);

} // namespace aqualen::ui
