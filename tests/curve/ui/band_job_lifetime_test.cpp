// The band's thread against the curve window's lifetime: closing the window,
// quitting the program, a second OK and printing while a band is being
// computed. Run under ThreadSanitizer as well as in the ordinary build.

#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include <gtest/gtest.h>

#include "curve/ui/analytic_page.h"
#include "curve/ui/obesp_form.h"
#include "curve/ui/param_dlg.h"
#include "curve/ui/print_dlg.h"
#include "curve/ui/series_grid_model.h"
#include "series/ui/pane_text.h"
#include "series/ui/radio_group.h"
#include "support/recording_messages.h"

namespace aqualen::ui {
namespace {

// Opens the dialog of `form`, enters a series with a Kritsky–Menkel curve and
// a band at `band` (index of the band choice) and presses OK.
void OkWithBand(TObespForm& form, int band)
{
    QTimer::singleShot(0, &form, [&form, band] {
        TParamDlg* dialog = form.ParamDlg;
        dialog->CheckBox1->setChecked(true);
        const char* series[] = {"12", "9", "8", "11", "7", "10", "13", "6", "9", "10", "15", "5"};
        for (int i = 0; i < 12; ++i)
            dialog->GridCells->setData(dialog->GridCells->index(i, 2), QString::fromLatin1(series[i]), Qt::EditRole);
        dialog->PageAnalytic->rgDistribution->SetItemIndex(2);
        dialog->PageAnalytic->rgBand->SetItemIndex(band);
        dialog->btnOk->click();
        if (dialog->isVisible())
            dialog->reject();
    });
    form.bbParametersClick();
}

TEST(BandJobLifetime, ClosingTheWindowWhileTheBandIsComputed)
{
    test::RecordingMessages messages;
    QWidget owner;
    auto form = std::make_unique<TObespForm>(&owner);
    form->show();
    OkWithBand(*form, 3);
    ASSERT_TRUE(form->Settings().Analytic.BandPending());
    form->close();
    form.reset(); // waits for the thread; its result reaches no window
    QCoreApplication::processEvents();
    EXPECT_TRUE(messages.messages.empty());
}

TEST(BandJobLifetime, QuittingWhileTheBandIsComputed)
{
    test::RecordingMessages messages;
    QWidget owner;
    auto form = std::make_unique<TObespForm>(&owner);
    OkWithBand(*form, 1);
    QTimer::singleShot(0, [] { QCoreApplication::quit(); });
    QTimer::singleShot(0, [&form] { form.reset(); });
    QCoreApplication::processEvents();
    EXPECT_FALSE(form);
    EXPECT_TRUE(messages.messages.empty());
}

TEST(BandJobLifetime, SecondOkWhileTheFirstBandIsComputed)
{
    test::RecordingMessages messages;
    QWidget owner;
    TObespForm form(&owner);
    OkWithBand(form, 1);
    OkWithBand(form, 3); // 95 %: only this band may reach the sheet
    form.WaitForBand();
    QCoreApplication::processEvents();
    ASSERT_TRUE(form.Settings().Analytic.Band);
    EXPECT_EQ(form.Settings().Analytic.Band->level, 95);
    EXPECT_TRUE(messages.messages.empty());
}

TEST(BandJobLifetime, PrintingWhileTheBandIsComputed)
{
    test::RecordingMessages messages;
    QWidget owner;
    TObespForm form(&owner);
    OkWithBand(form, 3);
    ASSERT_TRUE(form.Settings().Analytic.BandPending());
    // The print dialog opens once the band is known, so that the printed
    // sheet has its limits; the band's thread is over by then.
    bool bandKnownWhenShown = false;
    QTimer::singleShot(0, &form, [&form, &bandKnownWhenShown] {
        bandKnownWhenShown = form.Settings().Analytic.Band.has_value();
        form.PrintDlg->reject();
    });
    form.bbPrintClick();
    EXPECT_TRUE(bandKnownWhenShown);
    EXPECT_FALSE(form.Settings().Analytic.BandPending());
    EXPECT_TRUE(messages.messages.empty());
}

} // namespace
} // namespace aqualen::ui
