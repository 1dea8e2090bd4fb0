// The correlation window's files and pointers: open into either pane from
// its context menu, save the report, drops, and the cursor on the line that
// stopped a run.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include <gtest/gtest.h>

#include "correl/ui/correl_form.h"
#include "series/ui/pane_file_commands.h"
#include "series/ui/pane_text.h"
#include "support/file_drop.h"
#include "support/recording_file_dialogs.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

using ui::TCorrelForm;

class CorrelFormFilesTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    RecordingFileDialogs dialogs;
    TCorrelForm form{nullptr};
};

TEST_F(CorrelFormFilesTest, PointsAtTheFirstUnreadableLineOfEitherPane)
{
    form.show();
    struct Case {
        const char* studied;
        const char* analogue;
        QPlainTextEdit* pane;
        int line;
    };
    const Case cases[] = {
        {"1\n2\n3\n4\n5", "5\n6\nx\n8\n9", form.MemoSer2, 2},
        {"1\n2\ny\n4\n5", "5\n6\nx\n8\n9", form.MemoSer1, 2},  // pairs are read studied first
        {"1\n2\n3\n4\n5", "5\n6\n7\n8\n\n", form.MemoSer2, 4}, // an empty last line counts
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.analogue);
        messages.messages.clear();
        form.MemoSer1->setPlainText(QString::fromUtf8(c.studied));
        form.MemoSer2->setPlainText(QString::fromUtf8(c.analogue));
        form.btnRun->click();
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text, QStringLiteral("Ряды введены не корректно!"));
        EXPECT_EQ(form.focusWidget(), c.pane);
        EXPECT_EQ(c.pane->textCursor().blockNumber(), c.line);
    }
}

TEST_F(CorrelFormFilesTest, OpenIntoEachPaneAndSaveTheReport)
{
    const TempFile studied("1\n2\n3\n4\n5\n6\n", QStringLiteral("основной.txt"));
    const TempFile analogue("6\r\n4.5\r\n4\r\n3\r\n2\r\n2\r\n", QStringLiteral("аналог.txt"));
    // The open commands are in each series pane's context menu.
    EXPECT_TRUE(form.MemoSer1->actions().contains(form.FileCommands->OpenAction(0)));
    EXPECT_TRUE(form.MemoSer2->actions().contains(form.FileCommands->OpenAction(1)));
    EXPECT_TRUE(form.OutPutMemo->actions().contains(form.FileCommands->SaveAction()));
    EXPECT_EQ(form.FileCommands->OpenAction(1)->text(), QStringLiteral("Открыть ряд ..."));
    EXPECT_EQ(form.FileCommands->SaveAction()->text(), QStringLiteral("Сохранить отчет ..."));

    dialogs.openAnswer = studied.Path();
    form.FileCommands->OpenAction(0)->trigger();
    dialogs.openAnswer = analogue.Path();
    form.FileCommands->OpenAction(1)->trigger();
    EXPECT_EQ(ui::PaneLines(*form.MemoSer2).size(), 6u);
    form.btnRun->click();
    ASSERT_TRUE(messages.messages.empty());

    dialogs.saveAnswer = QDir(analogue.Folder()).filePath(QStringLiteral("r.txt"));
    form.FileCommands->SaveAction()->trigger();
    EXPECT_EQ(dialogs.suggestedNames.at(0), QDir(analogue.Folder()).filePath(QStringLiteral("аналог_отчет.txt")));
    QFile report(dialogs.saveAnswer);
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(report.readAll()), form.OutPutMemo->toPlainText() + QLatin1Char('\n'));
}

TEST_F(CorrelFormFilesTest, ADroppedFileGoesIntoThePaneItFellOn)
{
    const TempFile series("7\n8\n9\n");
    form.MemoSer1->setPlainText(QStringLiteral("1"));
    EXPECT_TRUE(DropFile(form.MemoSer2->viewport(), series.Path()));
    EXPECT_EQ(form.MemoSer2->toPlainText(), QStringLiteral("7\n8\n9"));
    EXPECT_EQ(form.MemoSer1->toPlainText(), QStringLiteral("1"));
}

// Not a check: with AQUALEN_SCREENSHOTS=dir set, saves the window after a
// refused line.
TEST_F(CorrelFormFilesTest, ScreenshotAfterAnUnreadableLine)
{
    const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS");
    if (dir.isEmpty())
        GTEST_SKIP() << "set AQUALEN_SCREENSHOTS to a folder to save screenshots";
    form.show();
    QStringList studied;
    QStringList analogue;
    for (int i = 0; i < 30; ++i) {
        studied << QString::number(100 + (i * 37) % 50);
        analogue << (i == 17 ? QStringLiteral("9l") : QString::number(80 + (i * 29) % 40));
    }
    form.MemoSer1->setPlainText(studied.join('\n'));
    form.MemoSer2->setPlainText(analogue.join('\n'));
    form.btnRun->click();
    QApplication::processEvents();
    form.grab().save(QDir(dir).filePath("correl_form_unreadable.png"));
}

} // namespace
} // namespace aqualen::test
