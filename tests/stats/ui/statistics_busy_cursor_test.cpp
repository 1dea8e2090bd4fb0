#include <QGuiApplication>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include "series/numeric_lists.h"
#include "series/ui/busy_cursor.h"
#include "stats/ui/statistics_command.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

// A long pasted series: the report is written under the wait cursor, which
// is gone once the command ends, whether it reports or refuses a line.
TEST(StatisticsBusyCursor, LongSeriesWaitCursorWhileWritingNoneAfter)
{
    QString text;
    for (int i = 0; i < ui::kBusyLines; ++i)
        text += QString::number(100 + i % 7) + QLatin1Char('\n');
    QPlainTextEdit series;
    QPlainTextEdit report;
    series.setPlainText(text);
    std::vector<bool> busyWhileWriting;
    QObject::connect(&report, &QPlainTextEdit::textChanged, [&] {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        busyWhileWriting.push_back(cursor && cursor->shape() == Qt::WaitCursor);
    });
    RecordingMessages messages;
    TDoubleList values;
    ui::RunStatisticsCommand(nullptr, series, report, values, 0);
    ASSERT_FALSE(busyWhileWriting.empty());
    EXPECT_EQ(std::count(busyWhileWriting.begin(), busyWhileWriting.end(), false), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    series.appendPlainText(QStringLiteral("x"));
    ui::RunStatisticsCommand(nullptr, series, report, values, 0);
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace aqualen::test
