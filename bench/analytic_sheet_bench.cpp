// The curve sheet with a Kritsky–Menkel curve and its 90 % band, on the
// recording canvas: at the zoomed-in screen size (a repaint) and at a page of
// 600 dots per inch (a printed copy), where the curve has one vertex per
// column across about 5,900 columns.

#include <benchmark/benchmark.h>

#include "../tests/curve/recording_canvas.h"
#include "curve/analytic_fit.h"
#include "curve/curve_sheet.h"
#include "curve/probability_scale.h"

namespace {

using namespace aqualen;

CurveSettings SheetWithBand()
{
    CurveSettings s;
    s.Title = "Река — 100 лет наблюдений";
    const int n = 100;
    for (int m = 1; m <= n; ++m) {
        s.Probabilities.Add(100.0 * m / (n + 1));
        s.Values.Add(14 - 8.0 * m / n);
    }
    s.Analytic.Options.distribution = dist::Distribution::KritskyMenkel;
    s.Analytic.Options.method = dist::Method::SampleMoments;
    s.Analytic.Options.bandLevel = 90;
    FitAnalyticCurve(s);
    s.Analytic.Band = ComputeBand(*MakeBandRequest(s));
    return s;
}

SheetTarget Page(int width, int height, bool toScreen)
{
    SheetTarget t;
    t.toScreen = toScreen;
    t.pageWidth = width;
    t.pageHeight = height;
    t.hUnit = HorizontalUnit(width);
    t.vUnit = VerticalUnit(height);
    t.screenPpi = 96;
    return t;
}

void DrawSheet(benchmark::State& state, const SheetTarget& target)
{
    const CurveSettings s = SheetWithBand();
    for (auto _ : state) {
        test::RecordingCanvas canvas;
        DrawCurveSheet(canvas, s, target);
        benchmark::DoNotOptimize(canvas.calls);
    }
}

void BM_AnalyticSheetZoomedScreen(benchmark::State& state)
{
    DrawSheet(state, Page(690, 488, true));
}
BENCHMARK(BM_AnalyticSheetZoomedScreen)->Unit(benchmark::kMillisecond);

void BM_AnalyticSheet600Dpi(benchmark::State& state)
{
    DrawSheet(state, Page(7016, 4961, false));
}
BENCHMARK(BM_AnalyticSheet600Dpi)->Unit(benchmark::kMillisecond);

} // namespace
