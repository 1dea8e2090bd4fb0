// The curve sheet at the zoomed-in screen size (690 x 488) with 500 points
// and the smoothing curve: on the recording canvas, into an image, and a
// whole 600-dpi PNG page; and the scale chosen for 500 runoff values with
// their curves and band, followed by the redraw into an image.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtGlobal>
#include <cmath>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "../tests/curve/recording_canvas.h"
#include "curve/analytic_fit.h"
#include "curve/auto_scale.h"
#include "curve/curve_sheet.h"
#include "curve/probability_scale.h"
#include "curve/smoothing_fit.h"
#include "curve/ui/painter_canvas.h"
#include "curve/ui/sheet_export.h"

namespace {

using namespace aqualen;

void EnsureGuiApplication()
{
    static std::unique_ptr<QGuiApplication> app;
    if (app || QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "aqualen_bench";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
}

// 500 points by the first plotting-position formula, largest value first.
void FillLongSeries(CurveSettings& s)
{
    s.Title = "Река — 500 лет наблюдений";
    s.AxisName = "Q, м3/с";
    const int n = 500;
    for (int m = 1; m <= n; ++m) {
        const double p = std::round(1000.0 * m / (n + 1)) / 10;
        s.Probabilities.Add(p);
        s.Values.Add(16 - 14.0 * m / n + 0.5 * std::sin(m));
    }
    s.Values.SortDescending();
    s.SmoothCurve = true;
    FitSmoothingCurve(s);
}

SheetTarget ZoomedScreen()
{
    SheetTarget t;
    t.toScreen = true;
    t.pageWidth = 690;
    t.pageHeight = 488;
    t.hUnit = HorizontalUnit(690);
    t.vUnit = VerticalUnit(488);
    t.screenPpi = 96;
    return t;
}

void BM_SheetOnRecordingCanvas(benchmark::State& state)
{
    CurveSettings s;
    FillLongSeries(s);
    const SheetTarget target = ZoomedScreen();
    for (auto _ : state) {
        test::RecordingCanvas canvas;
        DrawCurveSheet(canvas, s, target);
        benchmark::DoNotOptimize(canvas.calls);
    }
}
BENCHMARK(BM_SheetOnRecordingCanvas)->Unit(benchmark::kMillisecond);

void BM_SheetIntoImage(benchmark::State& state)
{
    EnsureGuiApplication();
    CurveSettings s;
    FillLongSeries(s);
    const SheetTarget target = ZoomedScreen();
    QImage image(690, 488, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        ui::PainterCanvas canvas(painter);
        DrawCurveSheet(canvas, s, target);
    }
}
BENCHMARK(BM_SheetIntoImage)->Unit(benchmark::kMillisecond);

void BM_Png600Dpi(benchmark::State& state)
{
    EnsureGuiApplication();
    CurveSettings s;
    FillLongSeries(s);
    const std::string path = "/tmp/aqualen_bench_sheet.png";
    for (auto _ : state) {
        const ui::ExportResult result = ui::WriteSheetPng(s, path, 600, ',');
        if (!result.ok)
            state.SkipWithError(result.error.c_str());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_Png600Dpi)->Unit(benchmark::kMillisecond)->Iterations(3);

// 500 runoff values of 445..1366 m3/s with the smoothing curve, the Pearson
// III curve and its 90 % band (computed once, as the window has it).
CurveSettings RunoffSheetWithBand()
{
    CurveSettings s;
    FillLongSeries(s);
    for (int32_t i = 0; i < s.Values.Count(); ++i)
        s.Values.Put(i, 445 + (s.Values.Get(i) - 2) * 921 / 14);
    FitSmoothingCurve(s);
    s.Analytic.Options.distribution = dist::Distribution::PearsonIII;
    s.Analytic.Options.bandLevel = 90;
    FitAnalyticCurve(s);
    s.Analytic.Band = ComputeBand(*MakeBandRequest(s));
    return s;
}

void BM_AutoScaleAndRedraw(benchmark::State& state)
{
    EnsureGuiApplication();
    CurveSettings s = RunoffSheetWithBand();
    const SheetTarget target = ZoomedScreen();
    QImage image(690, 488, QImage::Format_RGB32);
    for (auto _ : state) {
        const AutoScale chosen = AutoScaleOf(s);
        if (!chosen.scale) {
            state.SkipWithError(chosen.refusal.c_str());
            break;
        }
        StoreScale(s, *chosen.scale);
        image.fill(Qt::white);
        QPainter painter(&image);
        ui::PainterCanvas canvas(painter);
        DrawCurveSheet(canvas, s, target);
    }
}
BENCHMARK(BM_AutoScaleAndRedraw)->Unit(benchmark::kMillisecond);

} // namespace
