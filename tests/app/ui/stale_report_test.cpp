// The main window's report against the series it was computed from: a
// report left over from another series (or another r(1)) is shown as out of
// date, and saving it asks first and keeps the name of its own file.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <functional>

#include <gtest/gtest.h>

#include "app/ui/main_form.h"
#include "series/ui/radio_group.h"
#include "series/ui/report_freshness.h"
#include "support/recording_file_dialogs.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

using ui::TMainForm;

QByteArray Values(int count, int start)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += QByteArray::number(start + (i * 37) % 50) + '\n';
    return bytes;
}

bool Greyed(const QPlainTextEdit& pane)
{
    const QPalette& palette = pane.palette();
    return palette.color(QPalette::Active, QPalette::Text) == palette.color(QPalette::Disabled, QPalette::Text);
}

class StaleReportTest : public ::testing::Test {
protected:
    void SetUp() override { form.show(); }

    void Open(const TempFile& file)
    {
        dialogs.openAnswer = file.Path();
        form.mnOpen->trigger();
    }

    RecordingMessages messages;
    RecordingFileDialogs dialogs;
    TMainForm form;
};

TEST_F(StaleReportTest, AReportOfTheFormerFileIsMarkedAndSavedUnderItsOwnName)
{
    const TempFile sixty(Values(60, 100), QStringLiteral("Ока.txt"));
    const TempFile thirty(Values(30, 200), QStringLiteral("Дон.txt"));
    Open(sixty);
    form.mnStatHar->trigger();
    ASSERT_TRUE(form.OutPutMemo->toPlainText().startsWith(QStringLiteral("Длина ряда:\t60")));
    EXPECT_FALSE(form.OutPutFreshness->Stale());
    EXPECT_FALSE(form.OutPutFreshness->Note()->isVisible());

    Open(thirty);
    ASSERT_EQ(form.Ser1Memo->LineCount(), 30);
    EXPECT_TRUE(form.OutPutFreshness->Stale());
    EXPECT_TRUE(form.OutPutFreshness->Note()->isVisible());
    EXPECT_EQ(form.OutPutFreshness->Note()->text(), QStringLiteral("Отчет относится к прежнему ряду"));
    EXPECT_TRUE(Greyed(*form.OutPutMemo));

    // Declined: nothing is asked for a name, nothing written.
    form.mnSave->trigger();
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_TRUE(dialogs.suggestedNames.empty());

    messages.answers = {ui::Answer::Yes};
    dialogs.saveAnswer = QDir(sixty.Folder()).filePath(QStringLiteral("сохранен.txt"));
    form.mnSave->trigger();
    ASSERT_EQ(messages.questions.size(), 2u);
    ASSERT_EQ(dialogs.suggestedNames.size(), 1u);
    EXPECT_EQ(dialogs.suggestedNames[0], QDir(sixty.Folder()).filePath(QStringLiteral("Ока_отчет.txt")));
    QFile saved(dialogs.saveAnswer);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().startsWith("Длина ряда:\t60"));

    // Computed again: current, and named after the file now in the pane.
    form.mnStatHar->trigger();
    EXPECT_FALSE(form.OutPutFreshness->Stale());
    EXPECT_FALSE(form.OutPutFreshness->Note()->isVisible());
    EXPECT_FALSE(Greyed(*form.OutPutMemo));
    form.mnSave->trigger();
    EXPECT_EQ(messages.questions.size(), 2u);
    ASSERT_EQ(dialogs.suggestedNames.size(), 2u);
    EXPECT_EQ(dialogs.suggestedNames[1], QDir(thirty.Folder()).filePath(QStringLiteral("Дон_отчет.txt")));
}

TEST_F(StaleReportTest, WhatMakesTheReportOutOfDate)
{
    const QString series = QStringLiteral("100\n120\n80\n150\n110\n90\n140\n130\n100\n120");
    struct Case {
        const char* change;
        std::function<void(TMainForm&)> act;
        bool stale;
    };
    const Case cases[] = {
        {"another r(1)", [](TMainForm& f) { f.RadioGroup1->SetItemIndex(1); }, true},
        {"r(1) chosen and back",
         [](TMainForm& f) {
             f.RadioGroup1->SetItemIndex(2);
             f.RadioGroup1->SetItemIndex(0);
         },
         false},
        {"a value typed", [](TMainForm& f) { f.Ser1Memo->appendPlainText(QStringLiteral("99")); }, true},
        {"the first year set", [](TMainForm& f) { f.Ser1Memo->SetFirstYear(1950); }, true},
        {"the pane emptied by hand", [](TMainForm& f) { f.Ser1Memo->clear(); }, true},
        {"the report emptied", [](TMainForm& f) { f.OutPutMemo->clear(); }, false},
        {"a run refused for a bad line",
         [](TMainForm& f) {
             f.Ser1Memo->appendPlainText(QStringLiteral("x"));
             f.mnStatHar->trigger();
         },
         true},
        {"a run with too few lines",
         [](TMainForm& f) {
             f.Ser1Memo->setPlainText(QStringLiteral("1\n2"));
             f.mnStatHar->trigger();
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        form.RadioGroup1->SetItemIndex(0);
        form.Ser1Memo->SetSeries({series, std::nullopt, QString()});
        form.mnStatHar->trigger();
        ASSERT_FALSE(form.OutPutFreshness->Stale());
        c.act(form);
        EXPECT_EQ(form.OutPutFreshness->Stale(), c.stale);
        EXPECT_EQ(form.OutPutFreshness->Note()->isVisible(), c.stale);
    }
    messages.messages.clear();
    // Typed back to what the report was computed from: current again.
    form.Ser1Memo->SetSeries({series, std::nullopt, QString()});
    form.mnStatHar->trigger();
    form.Ser1Memo->appendPlainText(QStringLiteral("7"));
    ASSERT_TRUE(form.OutPutFreshness->Stale());
    form.Ser1Memo->undo();
    EXPECT_FALSE(form.OutPutFreshness->Stale());
}

TEST_F(StaleReportTest, AFaultPartWayStillBelongsToTheSeriesShown)
{
    form.Ser1Memo->setPlainText(QStringLiteral("100\n120\n80\n150"));
    form.mnStatHar->trigger();
    form.Ser1Memo->setPlainText(QStringLiteral("5\n5\n5\n5"));
    ASSERT_TRUE(form.OutPutFreshness->Stale());
    form.mnStatHar->trigger(); // Cs of a constant series is 0/0: lines 1 to 4 stay
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_TRUE(form.OutPutMemo->toPlainText().startsWith(QStringLiteral("Длина ряда:\t4")));
    EXPECT_FALSE(form.OutPutFreshness->Stale());
}

} // namespace
} // namespace aqualen::test
