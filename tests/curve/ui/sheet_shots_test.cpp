// Not checks: with AQUALEN_SCREENSHOTS=dir set, pictures of a full sheet
// (points, smoothing and analytic curves, the band, the legend and the
// return periods) in the curve window at every zoom level, to look at.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QImage>
#include <QToolButton>
#include <cmath>

#include <gtest/gtest.h>

#include "curve/analytic_fit.h"
#include "curve/smoothing_fit.h"
#include "curve/ui/obesp_form.h"
#include "curve/ui/paint_box.h"
#include "curve/ui/save_sheet_dlg.h"
#include "curve/ui/sheet_export.h"
#include "series/ui/radio_group.h"
#include "support/recording_messages.h"

namespace aqualen::ui {
namespace {

// Sixty annual flows between about 450 and 1370 m³/s on a scale that holds them.
void FullSheet(CurveSettings& s)
{
    constexpr int n = 60;
    s.Probabilities.Clear();
    s.Values.Clear();
    for (int m = 1; m <= n; ++m) {
        s.Probabilities.Add(100.0 * m / (n + 1));
        s.Values.Add(1366 - 900.0 * m / n + 60 * std::sin(m * 2.3));
    }
    s.Values.SortDescending();
    s.Title = "р. Ока — г. Калуга";
    s.AxisName = "Q, м3/с";
    s.ScaleMax = 1700;
    s.ScaleMin = 0;
    s.MainStep = 100;
    s.AdditionalStep = 20;
    s.ReturnPeriodAxis = true;
    FitSmoothingCurve(s);
    s.SmoothCurve = true;
    s.Analytic.Options.distribution = dist::Distribution::PearsonIII;
    s.Analytic.Options.method = dist::Method::SampleMoments;
    s.Analytic.Options.bandLevel = 90;
    FitAnalyticCurve(s);
    if (const std::optional<BandRequest> band = MakeBandRequest(s))
        s.Analytic.Band = ComputeBand(*band);
}

TEST(SheetShots, LegendAndReturnPeriodsAtEveryZoom)
{
    const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS");
    if (dir.isEmpty())
        GTEST_SKIP() << "set AQUALEN_SCREENSHOTS to a folder to save screenshots";
    test::RecordingMessages messages;
    QWidget owner;
    TObespForm form(&owner);
    form.resize(1200, 860);
    form.showNormal();
    FullSheet(form.Settings());
    form.View().SheetReady = true;
    form.FormActivate();
    const auto shot = [&](const char* name) {
        QApplication::processEvents();
        form.grab().save(QDir(dir).filePath(QStringLiteral("sheet_%1.png").arg(name)));
    };
    shot("opened");
    if (form.sbZoomFit->isChecked())
        form.sbZoomFit->click();
    while (form.sbZoomOut->isEnabled())
        form.sbZoomOut->click();
    shot("zoom0");
    form.sbZoomIn->click();
    shot("zoom1");
    form.sbZoomIn->click();
    shot("zoom2");
    form.pbPage->grab().save(QDir(dir).filePath(QStringLiteral("sheet_zoom2_page.png")));
    form.sbZoomFit->click();
    shot("fit");
    WriteSheetPng(form.Settings(), QDir(dir).filePath(QStringLiteral("sheet_printed.png")).toStdString(), 150, ',');
    form.Panel1->grab().save(QDir(dir).filePath(QStringLiteral("sheet_buttons.png")));
}

TEST(SheetShots, SaveSheetDialog)
{
    const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS");
    if (dir.isEmpty())
        GTEST_SKIP() << "set AQUALEN_SCREENSHOTS to a folder to save screenshots";
    CurveSettings s;
    TSaveSheetDlg dialog(s, nullptr);
    dialog.rgFormat->SetItemIndex(1);
    dialog.cbResolution->setCurrentIndex(1);
    dialog.show();
    QApplication::processEvents();
    dialog.grab().save(QDir(dir).filePath(QStringLiteral("save_sheet_dialog.png")));
}

} // namespace
} // namespace aqualen::ui
