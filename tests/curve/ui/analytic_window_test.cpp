// The analytic curve from the user's side: the dialog's page stores its
// settings on OK and fits the curve, the band is computed off the window's
// thread, and "Квантили ..." opens the report.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <cstdlib>

#include <gtest/gtest.h>

#include "curve/analytic_fit.h"
#include "curve/ui/analytic_page.h"
#include "curve/ui/obesp_form.h"
#include "curve/ui/paint_box.h"
#include "curve/ui/param_dlg.h"
#include "curve/ui/series_grid_model.h"
#include "curve/ui/sheet_export.h"
#include "distributions/goodness_of_fit.h"
#include "distributions/ui/quantiles_form.h"
#include "series/ui/pane_text.h"
#include "series/ui/radio_group.h"
#include "support/recording_messages.h"

namespace aqualen::ui {
namespace {

using test::RecordingMessages;

QString Local(const char* text)
{
    QString s = QString::fromUtf8(text);
    s.replace(QLatin1Char('.'), QLatin1Char(SystemDecimalSeparator()));
    return s;
}

const std::vector<const char*> kSeries{"12", "9.5", "8", "11", "7.5", "10", "13.5", "6", "9", "10.5"};

void EnterSeries(TParamDlg& dialog)
{
    dialog.CheckBox1->setChecked(true);
    for (size_t i = 0; i < kSeries.size(); ++i)
        dialog.GridCells->setData(dialog.GridCells->index(static_cast<int>(i), 2), Local(kSeries[i]), Qt::EditRole);
}

// Not a check: with AQUALEN_SCREENSHOTS=dir set, saves a picture to look at.
void Shot(QWidget& widget, const char* name)
{
    if (const char* folder = std::getenv("AQUALEN_SCREENSHOTS"))
        widget.grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
}

class AnalyticPageTest : public ::testing::Test {
protected:
    AnalyticPageTest() {}

    bool Ok()
    {
        dialog.show();
        dialog.done(QDialog::Accepted);
        const bool closed = !dialog.isVisible();
        dialog.hide();
        return closed;
    }
    AnalyticPage& Page() { return *dialog.PageAnalytic; }

    RecordingMessages messages;
    CurveSettings settings;
    TParamDlg dialog{settings, nullptr};
};

TEST_F(AnalyticPageTest, ControlsFollowTheChoices)
{
    AnalyticPage& page = Page();
    EXPECT_EQ(dialog.PageControl1->tabText(dialog.PageControl1->indexOf(&page)),
              QString::fromUtf8("Аналитическая кривая"));
    EXPECT_EQ(page.rgDistribution->ItemIndex(), 0);
    EXPECT_FALSE(page.gbMethod->isEnabled());
    EXPECT_FALSE(page.rgBand->isEnabled());
    EXPECT_FALSE(page.cbFixRatio->isEnabled());

    page.rgDistribution->SetItemIndex(1); // Pearson III
    EXPECT_TRUE(page.gbMethod->isEnabled());
    EXPECT_FALSE(page.rbLikelihood->isEnabled());
    EXPECT_TRUE(page.rbCorrected->isEnabled());
    EXPECT_FALSE(page.edMean->isEnabled());
    EXPECT_FALSE(page.edRatio->isEnabled());

    page.rgDistribution->SetItemIndex(2); // Kritsky–Menkel
    page.rbLikelihood->setChecked(true);
    EXPECT_FALSE(page.rbCorrected->isEnabled());
    page.rgDistribution->SetItemIndex(1); // the likelihood method goes with it
    EXPECT_TRUE(page.rbMoments->isChecked());

    page.rbGiven->setChecked(true);
    EXPECT_TRUE(page.edMean->isEnabled());
    EXPECT_TRUE(page.edCs->isEnabled());
    EXPECT_FALSE(page.rgBand->isEnabled());
    page.cbFixRatio->setChecked(true);
    EXPECT_FALSE(page.edCs->isEnabled());
    EXPECT_TRUE(page.edRatio->isEnabled());
}

TEST_F(AnalyticPageTest, OkStoresTheChoicesAndFitsTheCurve)
{
    EnterSeries(dialog);
    AnalyticPage& page = Page();
    page.SetR1Source([] { return 2; });
    page.rgDistribution->SetItemIndex(1);
    page.rbSample->setChecked(true);
    page.cbFixRatio->setChecked(true);
    page.edRatio->setText(Local("2.5"));
    page.rgBand->SetItemIndex(2);
    ASSERT_TRUE(Ok());
    EXPECT_TRUE(messages.messages.empty());
    const dist::FitOptions& o = settings.Analytic.Options;
    EXPECT_EQ(o.distribution, dist::Distribution::PearsonIII);
    EXPECT_EQ(o.method, dist::Method::SampleMoments);
    EXPECT_TRUE(o.fixRatio);
    EXPECT_EQ(o.ratio, 2.5);
    EXPECT_EQ(o.r1Choice, 2);
    EXPECT_EQ(o.bandLevel, 90);
    ASSERT_TRUE(settings.Analytic.Fit);
    EXPECT_NEAR(settings.Analytic.Fit->mean, 9.7, 1e-12);
    EXPECT_NEAR(settings.Analytic.Fit->cs, 2.5 * settings.Analytic.Fit->cv, 1e-12);
    EXPECT_TRUE(settings.Analytic.BandPending());

    // "Нет" takes the curve off the sheet.
    page.rgDistribution->SetItemIndex(0);
    ASSERT_TRUE(Ok());
    EXPECT_FALSE(settings.Analytic.Fit);
}

TEST_F(AnalyticPageTest, TypedParametersAreReadInTheLocalesNotation)
{
    AnalyticPage& page = Page();
    page.rgDistribution->SetItemIndex(2);
    page.rbGiven->setChecked(true);
    page.edMean->setText(Local("120.5"));
    page.edCv->setText(Local("0.4"));
    page.edCs->setText(Local("1.2"));
    ASSERT_TRUE(Ok()); // no series is needed
    ASSERT_TRUE(settings.Analytic.Fit);
    EXPECT_EQ(settings.Analytic.Fit->mean, 120.5);
    EXPECT_NEAR(settings.Analytic.Fit->cv, 0.4, 1e-10);
    EXPECT_NEAR(settings.Analytic.Fit->cs, 1.2, 1e-10);
    EXPECT_EQ(settings.Analytic.Options.bandLevel, 0);
}

TEST_F(AnalyticPageTest, UnreadableBoxOrRefusedFitKeepsTheDialogOpenAndTheSheetAsItWas)
{
    EnterSeries(dialog);
    AnalyticPage& page = Page();
    page.rgDistribution->SetItemIndex(1);
    ASSERT_TRUE(Ok());
    ASSERT_TRUE(settings.Analytic.Fit);
    const double storedCv = settings.Analytic.Fit->cv;

    struct Case {
        const char* what;
        std::function<void()> set;
        QString message;
        MessageKind kind = MessageKind::Error;
    };
    const std::vector<Case> cases{
        {"letters for Cv",
         [&] {
             page.rbGiven->setChecked(true);
             page.edMean->setText(QStringLiteral("100"));
             page.edCv->setText(QStringLiteral("abc"));
         },
         QString::fromUtf8(kAnalyticInputError)},
        {"an empty ratio",
         [&] {
             page.rbMoments->setChecked(true);
             page.cbFixRatio->setChecked(true);
             page.edRatio->clear();
         },
         QString::fromUtf8(kAnalyticInputError)},
        {"a constant series has no Cv: the curve's refusal",
         [&] {
             page.cbFixRatio->setChecked(false);
             for (int row = 1; row <= 10; ++row)
                 dialog.GridCells->setData(dialog.GridCells->index(row - 1, 2), QStringLiteral("7"), Qt::EditRole);
         },
         QString::fromUtf8("Коэффициент вариации Cv должен быть больше нуля!")},
        {"no smoothing curve for the graphic-analytic method", [&] { page.rbGraphic->setChecked(true); },
         QString::fromUtf8("Для графоаналитического метода нужна сглаживающая кривая!")},
    };
    for (const Case& c : cases) {
        messages.messages.clear();
        dialog.PageControl1->setCurrentIndex(0);
        c.set();
        EXPECT_FALSE(Ok()) << c.what;
        ASSERT_EQ(messages.messages.size(), 1u) << c.what;
        EXPECT_EQ(messages.messages[0].kind, c.kind) << c.what;
        EXPECT_EQ(messages.messages[0].text, c.message) << c.what;
        EXPECT_EQ(dialog.PageControl1->currentWidget(), &page) << c.what;
        // The sheet keeps the curve of the last OK, with its series.
        ASSERT_TRUE(settings.Analytic.Fit) << c.what;
        EXPECT_EQ(settings.Analytic.Fit->cv, storedCv) << c.what;
    }
}

class AnalyticWindowTest : public ::testing::Test {
protected:
    ~AnalyticWindowTest() override
    {
        if (form.QuantilesForm)
            form.QuantilesForm->hide();
        form.hide();
    }

    // Opens the parameters dialog modally, sets it up and presses OK.
    template <typename Fill> void RunParameters(Fill fill)
    {
        QTimer::singleShot(0, &form, [this, fill] {
            TParamDlg* dialog = form.ParamDlg;
            fill(*dialog);
            dialog->btnOk->click();
            if (dialog->isVisible())
                dialog->reject();
        });
        form.bbParametersClick();
    }

    QStringList Report() const { return form.QuantilesForm->OutPutMemo->toPlainText().split(QLatin1Char('\n')); }

    RecordingMessages messages;
    QWidget owner;
    TObespForm form{&owner};
};

TEST_F(AnalyticWindowTest, QuantilesNeedACurve)
{
    form.bbQuantilesClick();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(messages.messages[0].text.endsWith(QLatin1Char('!')));
    EXPECT_EQ(form.QuantilesForm, nullptr);
}

TEST_F(AnalyticWindowTest, BandComputedAfterOkAndReportedWithTheQuantiles)
{
    form.SetR1Source([] { return 1; });
    RunParameters([](TParamDlg& dialog) {
        EnterSeries(dialog);
        dialog.CheckBoxCurve->setChecked(true);
        dialog.edMax->setText(QStringLiteral("20"));
        dialog.edMainPoint->setText(QStringLiteral("2"));
        dialog.edAdditionalPoint->setText(Local("0.5"));
        dialog.PageAnalytic->rgDistribution->SetItemIndex(1);
        dialog.PageAnalytic->rgBand->SetItemIndex(3); // 95 %
    });
    const CurveSettings& s = form.Settings();
    ASSERT_TRUE(form.View().SheetReady);
    ASSERT_TRUE(s.Analytic.Fit);
    EXPECT_EQ(s.Analytic.Options.r1Choice, 1);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_FALSE(form.lbBand->isHidden()); // the bootstrap takes its time
    form.WaitForBand();
    EXPECT_TRUE(form.lbBand->isHidden());
    ASSERT_TRUE(s.Analytic.Band);
    EXPECT_EQ(s.Analytic.Band->lowK.size(), s.Analytic.BandProbabilities.size());

    form.bbQuantilesClick();
    ASSERT_NE(form.QuantilesForm, nullptr);
    EXPECT_TRUE(form.QuantilesForm->isVisible());
    const char separator = SystemDecimalSeparator();
    const std::optional<dist::Band> band = aqualen::BandAt(s.Analytic, dist::StandardProbabilities());
    ASSERT_TRUE(band);
    QStringList expected;
    for (const std::string& line : dist::ParameterLines(*s.Analytic.Fit, separator))
        expected << QString::fromStdString(line);
    expected << QString();
    // The criteria of fit of the sheet's curve to its series come before the table.
    std::vector<double> values;
    for (int32_t i = 0; i < s.Values.Count(); ++i)
        values.push_back(s.Values.Get(i));
    for (const std::string& line :
         dist::GoodnessOfFitLines(dist::TestGoodnessOfFit(values, *s.Analytic.Fit, s.Analytic.Options), separator))
        expected << QString::fromStdString(line);
    expected << QString();
    for (const std::string& line :
         dist::QuantileTableLines(*s.Analytic.Fit, &*band, dist::StandardProbabilities(), separator))
        expected << QString::fromStdString(line);
    EXPECT_EQ(Report(), expected);
    EXPECT_EQ(Report().back().count(QLatin1Char('\t')), 5); // P, T, Kp, Qp and the two limits

    form.sbZoomInClick(); // 690 x 488
    Shot(*form.pbPage, "analytic_sheet");
    Shot(*form.Panel1, "curve_window_buttons");
    Shot(*form.QuantilesForm, "quantiles_window");
    if (const char* folder = std::getenv("AQUALEN_SCREENSHOTS"))
        WriteSheetPng(s, std::string(folder) + "/analytic_sheet_printed.png", 150, separator);
}

TEST_F(AnalyticWindowTest, BandOfAnEarlierCurveIsDropped)
{
    RunParameters([](TParamDlg& dialog) {
        EnterSeries(dialog);
        dialog.PageAnalytic->rgDistribution->SetItemIndex(1);
        dialog.PageAnalytic->rgBand->SetItemIndex(1);
    });
    // A second OK before the first band is known: only the second one's
    // band reaches the sheet.
    RunParameters([](TParamDlg& dialog) { dialog.PageAnalytic->rgBand->SetItemIndex(0); });
    form.WaitForBand();
    EXPECT_FALSE(form.Settings().Analytic.Band);
    EXPECT_FALSE(form.Settings().Analytic.BandPending());
}

TEST_F(AnalyticWindowTest, OpenReportFollowsTheCurve)
{
    RunParameters([](TParamDlg& dialog) {
        EnterSeries(dialog);
        dialog.PageAnalytic->rgDistribution->SetItemIndex(1);
    });
    form.bbQuantilesClick();
    ASSERT_TRUE(form.QuantilesForm && form.QuantilesForm->isVisible());
    const QStringList pearson = Report();

    // A new curve with a band: the open report shows it, first without the
    // limits, then with them once they are known.
    RunParameters([](TParamDlg& dialog) {
        dialog.PageAnalytic->rgDistribution->SetItemIndex(2);
        dialog.PageAnalytic->rgBand->SetItemIndex(1);
    });
    EXPECT_NE(Report(), pearson);
    EXPECT_EQ(Report().back().count(QLatin1Char('\t')), 3);
    form.WaitForBand();
    EXPECT_EQ(Report().back().count(QLatin1Char('\t')), 5);

    // No curve: nothing to report.
    RunParameters([](TParamDlg& dialog) { dialog.PageAnalytic->rgDistribution->SetItemIndex(0); });
    EXPECT_FALSE(form.QuantilesForm->isVisible());
    EXPECT_TRUE(messages.messages.empty());
}

TEST(AnalyticPageShot, DialogPage)
{
    if (!std::getenv("AQUALEN_SCREENSHOTS"))
        GTEST_SKIP() << "set AQUALEN_SCREENSHOTS to a folder to save screenshots";
    CurveSettings settings;
    TParamDlg dialog(settings, nullptr);
    dialog.PageAnalytic->rgDistribution->SetItemIndex(2);
    dialog.PageAnalytic->cbFixRatio->setChecked(true);
    dialog.PageControl1->setCurrentWidget(dialog.PageAnalytic);
    dialog.show();
    Shot(dialog, "analytic_page");
    dialog.hide();
}

} // namespace
} // namespace aqualen::ui
