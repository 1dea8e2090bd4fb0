#include "stats/ui/statistics_command.h"

#include <QPlainTextEdit>

#include "series/ui/busy_cursor.h"
#include "series/ui/guarded.h"
#include "series/ui/message_service.h"
#include "series/ui/pane_text.h"
#include "stats/statistics_report.h"

namespace aqualen::ui {

int RunStatisticsCommand(QWidget* parent, const QPlainTextEdit& seriesPane, QPlainTextEdit& outputPane,
                         TDoubleList& series, int r1Index)
{
    int unreadable = -1;
    RunGuarded(parent, [&] {
        const BusyCursor busy({&seriesPane});
        PaneReportSink sink(outputPane);
        const ReportOutcome outcome = aqualen::RunStatisticsCommand(
            PaneLines(seriesPane), series, RegionalR1At(r1Index), SystemDecimalSeparator(), sink);
        if (outcome == ReportOutcome::InvalidInput) {
            ShowError(parent, QString::fromUtf8(ReportOutcomeMessage(outcome, 1)));
            // The series keeps the values read before the line that stopped it.
            unreadable = series.Count();
        }
    });
    return unreadable;
}

} // namespace aqualen::ui
