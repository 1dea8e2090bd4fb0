// The analytic curve's corrected moments take the r(1) chosen in the main
// window at the moment the curve's parameters are stored.

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/ui/main_form.h"
#include "curve/ui/analytic_page.h"
#include "curve/ui/obesp_form.h"
#include "curve/ui/param_dlg.h"
#include "curve/ui/series_grid_model.h"
#include "series/ui/radio_group.h"
#include "support/recording_messages.h"

namespace aqualen::ui {
namespace {

int StoredR1(TObespForm& form)
{
    QTimer::singleShot(0, &form, [&form] {
        TParamDlg* dialog = form.ParamDlg;
        dialog->CheckBox1->setChecked(true);
        for (int row = 0; row < 10; ++row)
            dialog->GridCells->setData(dialog->GridCells->index(row, 2), QString::number(5 + row % 4 * (row % 3)),
                                       Qt::EditRole);
        dialog->PageAnalytic->rgDistribution->SetItemIndex(1);
        dialog->btnOk->click();
        if (dialog->isVisible())
            dialog->reject();
    });
    form.bbParametersClick();
    return form.Settings().Analytic.Fit ? form.Settings().Analytic.Options.r1Choice : -1;
}

TEST(CurveR1Test, CorrectedMomentsTakeTheMainWindowsChoice)
{
    test::RecordingMessages messages;
    TMainForm main;
    main.mnObespClick();
    TObespForm* form = main.ObespForm();
    ASSERT_NE(form, nullptr);
    main.RadioGroup1->SetItemIndex(2);
    EXPECT_EQ(StoredR1(*form), 2);
    main.RadioGroup1->SetItemIndex(1);
    EXPECT_EQ(StoredR1(*form), 1);
    EXPECT_TRUE(messages.messages.empty());
    form->hide();
}

} // namespace
} // namespace aqualen::ui
