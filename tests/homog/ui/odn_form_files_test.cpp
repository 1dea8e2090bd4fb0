// The homogeneity window's files and pointers: the move that always brings a
// line of its own, the cursor on the line that stopped a run, open and drop.

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QToolButton>

#include <gtest/gtest.h>

#include "homog/ui/odn_form.h"
#include "series/ui/pane_file_commands.h"
#include "series/ui/pane_text.h"
#include "support/file_drop.h"
#include "support/recording_file_dialogs.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

using ui::TOdnForm;

QString Numbers(int count, int start)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString::number(start + i);
    return lines.join(QLatin1Char('\n'));
}

class OdnFormFilesTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    RecordingFileDialogs dialogs;
    TOdnForm form{nullptr};
};

// The moved line arrives as a line of its own, whatever it holds and
// whatever the second pane held; no line that was never there appears.
TEST_F(OdnFormFilesTest, MoveAlwaysAddsExactlyTheMovedLine)
{
    struct Case {
        const char* name;
        QString first;  // the first line of MemoSer1, moved
        QString second; // MemoSer2 before
        SeriesLines after;
    };
    const Case cases[] = {
        {"empty line onto three", "", "7\n8\n9", {"7", "8", "9", ""}},
        {"empty line onto a trailing break", "", "7\n8\n", {"7", "8", ""}},
        {"empty line onto an empty pane", "", "", {""}},
        {"number onto an empty pane", "5", "", {"5"}},
        {"number after an empty last line", "5", "7\n\n", {"7", "", "5"}},
        {"number onto a lone empty line", "5", "\n", {"", "5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form.MemoSer1->setPlainText(c.first + QLatin1Char('\n') + Numbers(11, 1));
        form.MemoSer2->setPlainText(c.second);
        form.SpeedButton1->click();
        EXPECT_EQ(ui::PaneLines(*form.MemoSer2), c.after);
        EXPECT_EQ(ui::PaneLines(*form.MemoSer1).size(), 11u);
    }
}

TEST_F(OdnFormFilesTest, TheNextMoveFollowsAnEmptyLineInsteadOfFillingIt)
{
    form.MemoSer1->setPlainText(QStringLiteral("\n4\n") + Numbers(10, 10));
    form.MemoSer2->setPlainText(QStringLiteral("1\n2\n3"));
    form.SpeedButton1->click();
    form.SpeedButton1->click();
    EXPECT_EQ(ui::PaneLines(*form.MemoSer2), (SeriesLines{"1", "2", "3", "", "4"}));
}

TEST_F(OdnFormFilesTest, PointsAtTheFirstUnreadableLine)
{
    form.show();
    // The first series is read whole before the second.
    form.MemoSer1->setPlainText(Numbers(12, 1));
    form.MemoSer2->setPlainText(Numbers(5, 1) + QStringLiteral("\nx\n") + Numbers(5, 1));
    form.btnRun->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("Ряды введены не корректно!"));
    EXPECT_EQ(form.focusWidget(), form.MemoSer2);
    EXPECT_EQ(form.MemoSer2->textCursor().blockNumber(), 5);

    form.MemoSer1->setPlainText(Numbers(8, 1) + QStringLiteral("\n\n") + Numbers(3, 1));
    form.btnRun->click();
    EXPECT_EQ(form.focusWidget(), form.MemoSer1);
    EXPECT_EQ(form.MemoSer1->textCursor().blockNumber(), 8);
}

TEST_F(OdnFormFilesTest, OpenAndDropFillTheirPane)
{
    const TempFile series("Год Сток\n1950 12\n1951 13\n");
    dialogs.columnAnswer = ui::ColumnChoice{1, true};
    dialogs.openAnswer = series.Path();
    form.FileCommands->OpenAction(0)->trigger();
    EXPECT_EQ(form.MemoSer1->toPlainText(), QStringLiteral("12\n13"));
    EXPECT_TRUE(DropFile(form.MemoSer2->viewport(), series.Path()));
    EXPECT_EQ(form.MemoSer2->toPlainText(), QStringLiteral("12\n13"));
}

// Not a check: with AQUALEN_SCREENSHOTS=dir set, saves the window after a
// refused line.
TEST_F(OdnFormFilesTest, ScreenshotAfterAnUnreadableLine)
{
    const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS");
    if (dir.isEmpty())
        GTEST_SKIP() << "set AQUALEN_SCREENSHOTS to a folder to save screenshots";
    form.show();
    form.MemoSer1->setPlainText(Numbers(25, 100));
    form.MemoSer2->setPlainText(Numbers(12, 90) + QStringLiteral("\n1O5\n") + Numbers(10, 80));
    form.btnRun->click();
    QApplication::processEvents();
    form.grab().save(QDir(dir).filePath("odn_form_unreadable.png"));
}

} // namespace
} // namespace aqualen::test
