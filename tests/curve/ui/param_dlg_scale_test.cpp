// The page "Шкала" takes its scale from the series: the button fills the
// four boxes (a cancel puts them back, nothing is stored before OK), and an
// OK that would leave every point off the scale offers the same choice.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <cstdlib>

#include <gtest/gtest.h>

#include "curve/auto_scale.h"
#include "curve/ui/analytic_page.h"
#include "curve/ui/obesp_form.h"
#include "curve/ui/paint_box.h"
#include "curve/ui/param_dlg.h"
#include "curve/ui/series_grid_model.h"
#include "curve/ui/series_grid_view.h"
#include "series/ui/pane_text.h"
#include "series/ui/radio_group.h"
#include "support/recording_messages.h"

namespace aqualen::ui {
namespace {

using test::RecordingMessages;

// 60 annual flows from 445 to 1366.
QString SixtyFlows()
{
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines << QString::number(445 + (i * 37) % 60 * 921 / 59);
    return lines.join(QStringLiteral("\r\n"));
}

QString Local(const char* text)
{
    QString s = QString::fromUtf8(text);
    s.replace(QLatin1Char('.'), QLatin1Char(SystemDecimalSeparator()));
    return s;
}

void EnterFlows(TParamDlg& dialog)
{
    dialog.CheckBox1->setChecked(true);
    QGuiApplication::clipboard()->setText(SixtyFlows());
    dialog.StringGrid1->SetCurrentRow(1);
    dialog.PasteExecute();
}

QStringList Boxes(const TParamDlg& dialog)
{
    return {dialog.edMax->text(), dialog.edMin->text(), dialog.edMainPoint->text(), dialog.edAdditionalPoint->text()};
}

class ParamDlgScaleTest : public ::testing::Test {
protected:
    bool Ok()
    {
        dialog.show();
        dialog.btnOk->click();
        const bool closed = !dialog.isVisible();
        dialog.hide();
        return closed;
    }

    RecordingMessages messages;
    CurveSettings settings;
    TParamDlg dialog{settings, nullptr};
};

TEST_F(ParamDlgScaleTest, TheButtonFillsTheBoxesAndOkStoresThem)
{
    EXPECT_FALSE(dialog.btnAutoScale->isEnabled()) << "no series to choose from";
    EnterFlows(dialog);
    ASSERT_EQ(dialog.PointCount(), 60);
    EXPECT_TRUE(dialog.btnAutoScale->isEnabled());

    dialog.show();
    dialog.edMax->setText(QStringLiteral("abc")); // what is about to be replaced need not read
    dialog.btnAutoScale->click();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(Boxes(dialog), (QStringList{"1400", "0", "100", "20"}));
    EXPECT_EQ(settings.ScaleMax, 17) << "nothing stored before OK";
    EXPECT_EQ(settings.Values.Count(), 0);
    EXPECT_EQ(dialog.GridCells->Cells().Get(2, 1), "445") << "nor the grid sorted";

    dialog.btnCansel->click();
    EXPECT_EQ(Boxes(dialog), (QStringList{"17", "0", "1", Local("0.2")})) << "a cancel puts the boxes back";

    dialog.btnAutoScale->click();
    ASSERT_TRUE(Ok());
    EXPECT_TRUE(messages.questions.empty()) << "the points lie within the scale";
    EXPECT_EQ(settings.ScaleMax, 1400);
    EXPECT_EQ(settings.ScaleMin, 0);
    EXPECT_EQ(settings.MainStep, 100);
    EXPECT_EQ(settings.AdditionalStep, 20);
}

TEST_F(ParamDlgScaleTest, TheButtonTakesTheAnalyticCurveAndItsBand)
{
    EnterFlows(dialog);
    dialog.CheckBoxCurve->setChecked(true);
    dialog.PageAnalytic->rgDistribution->SetItemIndex(1); // Pearson III
    dialog.PageAnalytic->rgBand->SetItemIndex(3);         // 95 %
    dialog.btnAutoScale->click();
    EXPECT_TRUE(messages.messages.empty());
    // As aqualen-cli curve --dist p3 --band 95 --smooth draws the same flows.
    EXPECT_EQ(Boxes(dialog), (QStringList{"2200", "-200", "200", "40"}));
}

TEST_F(ParamDlgScaleTest, TheButtonSaysWhyItCannotChoose)
{
    dialog.CheckBox1->setChecked(true);
    dialog.GridCells->setData(dialog.GridCells->index(2, 2), QStringLiteral("x"), Qt::EditRole);
    dialog.btnAutoScale->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("Ряд данных введен не корректно!"));
    EXPECT_EQ(Boxes(dialog)[0], QStringLiteral("17"));

    messages.messages.clear();
    for (int row = 0; row < dialog.PointCount(); ++row)
        dialog.GridCells->setData(dialog.GridCells->index(row, 2), Local("1.7E308"), Qt::EditRole);
    dialog.btnAutoScale->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.messages[0].text, QString::fromUtf8(kValuesBeyondScale));
    EXPECT_EQ(Boxes(dialog)[0], QStringLiteral("17"));
}

TEST_F(ParamDlgScaleTest, OkOffersTheScaleWhenNoPointIsWithin)
{
    EnterFlows(dialog);
    messages.answers = {Answer::No};
    ASSERT_TRUE(Ok());
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(messages.questions[0], QStringLiteral("Значения ряда не попадают в шкалу. Подобрать шкалу по ряду?"));
    EXPECT_EQ(settings.ScaleMax, 17) << "No keeps the scale typed";

    messages.answers = {Answer::Yes};
    ASSERT_TRUE(Ok());
    EXPECT_EQ(messages.questions.size(), 2u);
    EXPECT_EQ(settings.ScaleMax, 1400);
    EXPECT_EQ(settings.AdditionalStep, 20);
    EXPECT_EQ(Boxes(dialog), (QStringList{"1400", "0", "100", "20"})) << "the boxes show what the sheet has";

    ASSERT_TRUE(Ok());
    EXPECT_EQ(messages.questions.size(), 2u) << "asked no more";
    EXPECT_TRUE(messages.messages.empty());
}

// Not a check: with AQUALEN_SCREENSHOTS=dir set, saves a picture to look at.
void Shot(QWidget& widget, const char* name)
{
    if (const char* folder = std::getenv("AQUALEN_SCREENSHOTS"))
        widget.grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
}

// The window after Yes to the question: the sheet shows the flows, their
// curves and the band, with the band computed once.
TEST(ObespScaleTest, TheWindowDrawsTheChosenScale)
{
    RecordingMessages messages;
    messages.answers = {Answer::Yes};
    QWidget owner;
    TObespForm form{&owner};
    QTimer::singleShot(0, &form, [&form] {
        TParamDlg& dialog = *form.ParamDlg;
        EnterFlows(dialog);
        dialog.edNameKrOb->setText(QStringLiteral("Годовой сток, 60 лет"));
        dialog.CheckBoxCurve->setChecked(true);
        dialog.PageAnalytic->rgDistribution->SetItemIndex(1);
        dialog.PageAnalytic->rgBand->SetItemIndex(2); // 90 %
        Shot(dialog, "scale_page_before");
        dialog.btnOk->click();
        if (dialog.isVisible())
            dialog.reject();
    });
    form.bbParametersClick();
    const CurveSettings& s = form.Settings();
    EXPECT_EQ(messages.questions.size(), 1u);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(s.ScaleMin, -200) << "the lower limit dips below zero at 99.9 %";
    EXPECT_TRUE(s.Analytic.Band) << "computed to choose the scale";
    EXPECT_TRUE(form.lbBand->isHidden()) << "and not again";
    form.show();
    form.sbZoomInClick();
    Shot(*form.pbPage, "auto_scale_sheet");
    form.ParamDlg->PageControl1->setCurrentIndex(1);
    Shot(*form.ParamDlg, "scale_page");
}

} // namespace
} // namespace aqualen::ui
