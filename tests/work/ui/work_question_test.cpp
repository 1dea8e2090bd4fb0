// The unsaved mark and the question before unsaved changes are lost:
// closing the program, "Новая работа" and opening another work ask, and
// each answer does what it says.

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <functional>

#include <gtest/gtest.h>

#include "correl/ui/correl_form.h"
#include "curve/ui/key_input.h"
#include "curve/ui/obesp_form.h"
#include "distributions/ui/quantiles_form.h"
#include "extension/ui/extension_form.h"
#include "homog/ui/odn_form.h"
#include "series/ui/radio_group.h"
#include "series/ui/series_pane.h"
#include "series/ui/take_series.h"
#include "support/recording_messages.h"
#include "work/ui/work_session.h"
#include "work/ui/work_settings.h"
#include "work_test_support.h"

namespace aqualen::test {
namespace {

using ui::Answer;
using ui::TMainForm;

class WorkQuestion : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return QDir(folder.path()).filePath(name); }

    QTemporaryDir folder;
    RecordingMessages messages;
    RecordingWorkDialogs works;
    TMainForm form;
};

TEST_F(WorkQuestion, EditsCalculationsAndChoicesMarkTheWorkOpeningAWindowDoesNot)
{
    const std::pair<const char*, std::function<void(TMainForm&)>> changes[] = {
        {"typing a series", [](TMainForm& f) { f.Ser1Memo->insertPlainText(QStringLiteral("12")); }},
        {"the first year", [](TMainForm& f) { f.Ser1Memo->SetFirstYear(1950); }},
        {"the r(1) choice", [](TMainForm& f) { f.RadioGroup1->Item(2)->click(); }},
        {"the series' name", [](TMainForm& f) { f.Ser1Memo->SetName(QStringLiteral("Ока")); }},
        {"a pane of another window",
         [](TMainForm& f) {
             f.mnCorrel->trigger();
             f.CorrelForm()->MemoSer2->insertPlainText(QStringLiteral("5"));
         }},
        {"the dependence row", [](TMainForm& f) { f.OdnForm()->RadioGroup1->Item(1)->click(); }},
        {"the level", [](TMainForm& f) { f.OdnForm()->RadioGroup2->Item(2)->click(); }},
        {"Передвинуть",
         [](TMainForm& f) {
             f.OdnForm()->MemoSer1->setPlainText(QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12"));
             f.Work().mnSaveWork->trigger(); // saved, so that the move alone marks it
             ASSERT_FALSE(f.Work().Modified());
             f.OdnForm()->SpeedButton1Click();
         }},
        {"the extension's analogue",
         [](TMainForm& f) {
             f.MakeExtensionForm().show();
             f.MakeExtensionForm().MemoSer2->SetFirstYear(1930);
         }},
        {"the series taken into the extension",
         [](TMainForm& f) {
             f.Ser1Memo->setPlainText(QStringLiteral("1\n2"));
             f.Work().mnSaveWork->trigger();
             ASSERT_FALSE(f.Work().Modified());
             f.MakeExtensionForm().show();
             ui::TakeProvidedSeries(*f.MakeExtensionForm().MemoSer1);
         }},
        {"the quantiles' probabilities typed",
         [](TMainForm& f) {
             // The window as the curve window makes it, shown, then typed into.
             auto* quantiles = new ui::TQuantilesForm(&f.MakeObespForm());
             quantiles->show();
             EXPECT_FALSE(f.Work().Modified());
             KeyClicks(quantiles->edProbabilities, QStringLiteral("5"));
             EXPECT_EQ(quantiles->edProbabilities->text(), QStringLiteral("5"));
         }},
    };
    works.saveAnswer = Path(QStringLiteral("отметки.aqualen"));
    for (const auto& [what, change] : changes) {
        messages.answers = {Answer::No};
        form.Work().mnNewWork->trigger();
        ASSERT_FALSE(form.Work().Modified()) << what;
        form.mnOdn->trigger(); // a window shown is no change
        EXPECT_FALSE(form.Work().Modified()) << what;
        change(form);
        EXPECT_TRUE(form.Work().Modified()) << what;
        EXPECT_TRUE(form.isWindowModified()) << what;
    }
    for (QWidget* window : form.findChildren<QWidget*>())
        if (window->isWindow())
            window->hide();
}

TEST_F(WorkQuestion, TheTitleNamesTheWorkAndMarksItWhileUnsaved)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Aqualen 1.2[*]"));
    EXPECT_FALSE(form.isWindowModified());
    form.Ser1Memo->setPlainText(QStringLiteral("1\n2\n3"));
    EXPECT_TRUE(form.isWindowModified());
    works.saveAnswer = Path(QStringLiteral("Ока"));
    form.Work().mnSaveWorkAs->trigger();
    ASSERT_EQ(works.suggestedNames.size(), 1u);
    EXPECT_TRUE(works.suggestedNames[0].endsWith(QStringLiteral("Без имени.aqualen")));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Aqualen 1.2 — Ока[*]"));
    EXPECT_FALSE(form.isWindowModified());
    EXPECT_EQ(form.Work().Path(), Path(QStringLiteral("Ока.aqualen")));
    // The series' name follows the work's, and goes with it.
    form.Ser1Memo->SetName(QStringLiteral("Ока у Калуги"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Aqualen 1.2 — Ока[*] — Ока у Калуги"));
    form.Ser1Memo->SetName(QString());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Aqualen 1.2 — Ока[*]"));
    EXPECT_EQ(work::ui::RecentWorks().value(0), form.Work().Path());
    EXPECT_EQ(work::ui::LastWorkFolder(), folder.path());

    // Ctrl+S writes the same file again without asking.
    form.mnStatHar->trigger();
    EXPECT_TRUE(form.isWindowModified()) << "a calculation changes the work";
    works.saveAnswer.clear();
    form.Work().mnSaveWork->trigger();
    EXPECT_EQ(works.suggestedNames.size(), 1u);
    EXPECT_FALSE(form.isWindowModified());
}

TEST_F(WorkQuestion, EachCommandAsksAndEachAnswerDoesWhatItSays)
{
    const QString other = Path(QStringLiteral("другая.aqualen"));
    {
        TMainForm writer;
        writer.Ser1Memo->setPlainText(QStringLiteral("7\n8\n9"));
        works.saveAnswer = other;
        ASSERT_TRUE(writer.Work().SaveWork());
    }
    const QString saved = Path(QStringLiteral("сохранена.aqualen"));
    const QString question = QStringLiteral("Сохранить изменения в работе «Без имени»?");
    using Command = std::function<bool(TMainForm&)>; // true when the command went on
    const Command close = [](TMainForm& f) {
        f.show();
        f.close();
        return !f.isVisible();
    };
    const Command renew = [](TMainForm& f) {
        f.Work().mnNewWork->trigger();
        return f.Ser1Memo->Text().isEmpty();
    };
    const Command open = [other](TMainForm& f) { return f.Work().OpenWork(other); };
    const struct {
        const char* what;
        Command command;
        Answer answer;
        bool goesOn;
        bool saves;
    } cases[] = {
        {"close, Отмена", close, Answer::Cancel, false, false},
        {"close, Нет", close, Answer::No, true, false},
        {"close, Да", close, Answer::Yes, true, true},
        {"new, Отмена", renew, Answer::Cancel, false, false},
        {"new, Нет", renew, Answer::No, true, false},
        {"new, Да", renew, Answer::Yes, true, true},
        {"open, Отмена", open, Answer::Cancel, false, false},
        {"open, Нет", open, Answer::No, true, false},
        {"open, Да", open, Answer::Yes, true, true},
    };
    for (const auto& c : cases) {
        QFile::remove(saved);
        TMainForm f;
        f.Ser1Memo->setPlainText(QStringLiteral("1\n2\n3"));
        messages.questions.clear();
        messages.answers = {c.answer};
        works.saveAnswer = saved;
        EXPECT_EQ(c.command(f), c.goesOn) << c.what;
        ASSERT_EQ(messages.questions.size(), 1u) << c.what;
        EXPECT_EQ(messages.questions[0], question) << c.what;
        EXPECT_EQ(QFile::exists(saved), c.saves) << c.what;
        if (!c.goesOn) {
            EXPECT_EQ(f.Ser1Memo->Text(), QStringLiteral("1\n2\n3")) << c.what;
            EXPECT_TRUE(f.Work().Modified()) << c.what;
        }
        f.hide();
    }
}

TEST_F(WorkQuestion, NothingUnsavedNothingAsked)
{
    form.show();
    form.Work().mnNewWork->trigger();
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(messages.questions.empty());
}

TEST_F(WorkQuestion, ASaveThatIsCancelledKeepsTheProgramOpen)
{
    form.show();
    form.Ser1Memo->setPlainText(QStringLiteral("1"));
    messages.answers = {Answer::Yes};
    works.saveAnswer.clear(); // the file dialog cancelled
    form.close();
    EXPECT_TRUE(form.isVisible());
    form.hide();
}

} // namespace
} // namespace aqualen::test
