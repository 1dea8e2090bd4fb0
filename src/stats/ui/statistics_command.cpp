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
        const StatisticsOutcome outcome = aqualen::RunStatisticsCommand(
            PaneLines(seriesPane), series, RegionalR1At(r1Index), SystemDecimalSeparator(),
            [&outputPane] { outputPane.clear(); },
            [&outputPane](const std::string& line) { AppendLine(outputPane, line); });
        if (outcome == StatisticsOutcome::InvalidInput) {
            ShowError(parent, QString::fromUtf8(kSeriesInvalidText));
            // The series keeps the values read before the line that stopped it.
            unreadable = series.Count();
        }
    });
    return unreadable;
}

} // namespace aqualen::ui
