#include <QPlainTextEdit>
#include <QStringList>

#include <gtest/gtest.h>

#include "series/numeric_lists.h"
#include "series/ui/message_service.h"
#include "series/ui/pane_text.h"
#include "stats/ui/statistics_command.h"
#include "support/recording_messages.h"

namespace aqualen {
namespace {

// The pane's lines, with the locale's separator written as a comma.
QStringList OutputWithComma(const QPlainTextEdit& pane)
{
    QString text = pane.toPlainText();
    text.replace(QChar(ui::SystemDecimalSeparator()), QChar(','));
    return text.split('\n');
}

struct Panes {
    QPlainTextEdit series;
    QPlainTextEdit output;
    TDoubleList list;
};

TEST(StatisticsCommand, WritesTheReportIntoTheOutputPane)
{
    test::RecordingMessages messages;
    Panes p;
    p.output.setPlainText("old report");
    p.series.setPlainText("100\n120\n80\n150\n110\n90\n140\n130\n100\n120\n");
    ui::RunStatisticsCommand(nullptr, p.series, p.output, p.list, 0);
    const QStringList lines = OutputWithComma(p.output);
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(lines[0], QString::fromUtf8("Длина ряда:\t10"));
    EXPECT_EQ(lines[8], QString::fromUtf8("----- При: Cs/Cv = 2; r(1) = 0 -----"));
    EXPECT_EQ(lines[16], QString::fromUtf8("Cs/Cv: \t1,5"));
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(p.list.Count(), 10);
}

TEST(StatisticsCommand, BadLineShowsTheErrorAndKeepsTheOldReport)
{
    test::RecordingMessages messages;
    Panes p;
    p.output.setPlainText("old report");
    p.series.setPlainText("1\n2\nx\n4");
    ui::RunStatisticsCommand(nullptr, p.series, p.output, p.list, 1);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, ui::MessageKind::Error);
    EXPECT_EQ(messages.messages[0].text, QString::fromUtf8("Ряд введен не корректно!"));
    EXPECT_EQ(p.output.toPlainText(), "old report");
    EXPECT_EQ(p.list.Count(), 2);

    // Two lines do nothing at all.
    p.series.setPlainText("1\n2\n");
    ui::RunStatisticsCommand(nullptr, p.series, p.output, p.list, 1);
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(p.list.Count(), 2);
}

TEST(StatisticsCommand, FaultKeepsTheLinesWrittenAndShowsItsText)
{
    test::RecordingMessages messages;
    Panes p;
    p.output.setPlainText("old report");
    p.series.setPlainText("5\n5\n7");
    ui::RunStatisticsCommand(nullptr, p.series, p.output, p.list, 2);
    EXPECT_EQ(OutputWithComma(p.output).size(), 5);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, ui::MessageKind::Fault);
    EXPECT_EQ(messages.messages[0].text, "Invalid floating point operation");
}

} // namespace
} // namespace aqualen
