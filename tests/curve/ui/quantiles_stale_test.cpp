// The quantile report against the sheet it was written for: a report that a
// later sheet did not replace (its window hidden meanwhile) is out of date,
// and saving it asks first; "Квантили ..." writes it afresh.

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "curve/ui/analytic_page.h"
#include "curve/ui/obesp_form.h"
#include "curve/ui/param_dlg.h"
#include "curve/ui/series_grid_model.h"
#include "distributions/ui/quantiles_form.h"
#include "series/ui/radio_group.h"
#include "series/ui/report_freshness.h"
#include "support/recording_file_dialogs.h"
#include "support/recording_messages.h"

namespace aqualen::ui {
namespace {

// Opens the parameters dialog, enters `values` with a Pearson III curve and presses OK.
void OkWithSeries(TObespForm& form, std::vector<int> values)
{
    QTimer::singleShot(0, &form, [&form, values] {
        TParamDlg* dialog = form.ParamDlg;
        dialog->CheckBox1->setChecked(true);
        for (size_t i = 0; i < values.size(); ++i)
            dialog->GridCells->setData(dialog->GridCells->index(static_cast<int>(i), 2), QString::number(values[i]),
                                       Qt::EditRole);
        dialog->PageAnalytic->rgDistribution->SetItemIndex(1);
        dialog->btnOk->click();
        if (dialog->isVisible())
            dialog->reject();
    });
    form.bbParametersClick();
}

TEST(QuantilesStaleReport, AReportOfAFormerSheetIsMarkedUntilWrittenAgain)
{
    test::RecordingMessages messages;
    test::RecordingFileDialogs files;
    QWidget owner;
    TObespForm form(&owner);
    OkWithSeries(form, {12, 9, 8, 11, 7, 10, 13, 6, 9, 10});
    form.bbQuantilesClick();
    ASSERT_TRUE(form.QuantilesForm && form.QuantilesForm->isVisible());
    ReportFreshness& freshness = *form.QuantilesForm->Freshness;
    EXPECT_FALSE(freshness.Stale());
    const QString first = form.QuantilesForm->OutPutMemo->toPlainText();

    form.QuantilesForm->hide();
    OkWithSeries(form, {20, 19, 18, 21, 17, 30, 23, 16, 19, 25});
    EXPECT_TRUE(freshness.Stale());
    EXPECT_EQ(form.QuantilesForm->OutPutMemo->toPlainText(), first);
    form.QuantilesForm->btnSave->click();
    EXPECT_EQ(messages.questions.size(), 1u);
    EXPECT_TRUE(files.suggestedNames.empty()); // declined

    form.bbQuantilesClick();
    EXPECT_FALSE(freshness.Stale());
    EXPECT_NE(form.QuantilesForm->OutPutMemo->toPlainText(), first);
    EXPECT_FALSE(freshness.Note()->isVisible());
    form.QuantilesForm->hide();
    EXPECT_TRUE(messages.messages.empty());
}

} // namespace
} // namespace aqualen::ui
