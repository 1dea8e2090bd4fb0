#include "stats/ui/statistics_command.h"

#include <QPlainTextEdit>

#include "series/ui/guarded.h"
#include "series/ui/message_service.h"
#include "series/ui/pane_text.h"
#include "stats/statistics_report.h"

namespace aqualen::ui {

void RunStatisticsCommand(QWidget* parent, const QPlainTextEdit& seriesPane, QPlainTextEdit& outputPane,
                          TDoubleList& series, int r1Index)
{
    RunGuarded(parent, [&] {
        const StatisticsOutcome outcome = aqualen::RunStatisticsCommand(
            PaneLines(seriesPane), series, RegionalR1At(r1Index), SystemDecimalSeparator(),
            [&outputPane] { outputPane.clear(); },
            [&outputPane](const std::string& line) { AppendLine(outputPane, line); });
        if (outcome == StatisticsOutcome::InvalidInput)
            ShowError(parent, QString::fromUtf8(kSeriesInvalidText));
    });
}

} // namespace aqualen::ui
