// The correlation report against the panes it was computed from: another
// analogue file makes it out of date, and saving it then asks and keeps the
// name of the file it came from.

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include "correl/ui/correl_form.h"
#include "series/ui/pane_file_commands.h"
#include "series/ui/report_freshness.h"
#include "support/recording_file_dialogs.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

TEST(CorrelStaleReport, AnotherFileMarksTheReportAndSaveAsksUnderTheOldName)
{
    RecordingMessages messages;
    RecordingFileDialogs dialogs;
    QWidget owner;
    ui::TCorrelForm form(&owner);
    form.show();
    ui::ReportFreshness& freshness = form.FileCommands->Freshness();
    const TempFile studied("1\n2\n3\n4\n5\n", QStringLiteral("основной.txt"));
    const TempFile first("2\n1\n4\n3\n5\n", QStringLiteral("аналог1.txt"));
    const TempFile second("5\n4\n3\n2\n2\n", QStringLiteral("аналог2.txt"));
    dialogs.openAnswer = studied.Path();
    form.FileCommands->OpenAction(0)->trigger();
    dialogs.openAnswer = first.Path();
    form.FileCommands->OpenAction(1)->trigger();
    form.btnRun->click();
    ASSERT_FALSE(freshness.Stale());

    dialogs.openAnswer = second.Path();
    form.FileCommands->OpenAction(1)->trigger();
    EXPECT_TRUE(freshness.Stale());
    EXPECT_TRUE(freshness.Note()->isVisible());

    messages.answers = {ui::Answer::Yes};
    dialogs.saveAnswer.clear(); // the name is looked at, nothing written
    form.FileCommands->SaveAction()->trigger();
    ASSERT_EQ(messages.questions.size(), 1u);
    ASSERT_EQ(dialogs.suggestedNames.size(), 1u);
    EXPECT_EQ(dialogs.suggestedNames[0], QDir(first.Folder()).filePath(QStringLiteral("аналог1_отчет.txt")));

    // Panes of different lengths: refused, the report stays out of date.
    form.MemoSer2->appendPlainText(QStringLiteral("9"));
    form.btnRun->click();
    EXPECT_TRUE(freshness.Stale());
    form.MemoSer2->undo();
    form.btnRun->click();
    EXPECT_FALSE(freshness.Stale());
    EXPECT_FALSE(freshness.Note()->isVisible());

    // "Очистить все": no report, nothing out of date.
    form.sbClear->click();
    EXPECT_FALSE(freshness.Stale());
}

} // namespace
} // namespace aqualen::test
