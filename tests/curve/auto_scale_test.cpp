#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "curve/analytic_fit.h"
#include "curve/auto_scale.h"
#include "curve/curve_sheet.h"
#include "curve/probability_scale.h"
#include "curve/scale_check.h"
#include "curve/series_grid_cells.h"
#include "curve/smoothing_fit.h"
#include "recording_canvas.h"

namespace aqualen {
namespace {

TEST(AutoScale, RoundStepsAndTheBottom)
{
    const struct {
        double low, high;
        SheetScale expected;
    } cases[] = {
        {445, 1366, {1400, 0, 100, 20}},    // fills the upper two thirds of [0, top]: from 0
        {800, 1366, {1400, 800, 50, 10}},   // the upper part only: from below the smallest
        {-1366, -445, {0, -1400, 100, 20}}, // the same below zero
        {-30, 70, {70, -30, 10, 2}},        // across zero
        {100, 100, {200, 0, 20, 4}},        // equal values lie at mid-height
        {0, 0, {1, -1, 0.2, 0.04}},         // all zero
        {0.0012, 0.0031, {0.0032, 0, 0.0002, 0.00004}},
        {1e9, 1.3e9, {1.3e9, 1e9, 2e7, 4e6}},
        {2e-6, 2.5e-6, {2.5e-6, 2e-6, 5e-8, 1e-8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.low) + " .. " + std::to_string(c.high));
        const AutoScale result = ScaleForValues(c.low, c.high);
        ASSERT_TRUE(result.scale) << result.refusal;
        EXPECT_DOUBLE_EQ(result.scale->scaleMax, c.expected.scaleMax);
        EXPECT_DOUBLE_EQ(result.scale->scaleMin, c.expected.scaleMin);
        EXPECT_DOUBLE_EQ(result.scale->mainStep, c.expected.mainStep);
        EXPECT_DOUBLE_EQ(result.scale->additionalStep, c.expected.additionalStep);
    }
}

// Any range of values from a millionth to ten billion, of either sign: a
// scale that passes the checks, holds the range and that the sheet draws
// with 8 to 20 labelled divisions.
TEST(AutoScale, EveryRangeGetsADrawableScale)
{
    std::mt19937_64 random(20);
    std::uniform_real_distribution<double> exponent(-7, 10);
    std::uniform_real_distribution<double> share(0, 1);
    for (int i = 0; i < 20000; ++i) {
        const double size = std::pow(10.0, exponent(random));
        double low = size * share(random);
        double high = size;
        if (i % 3 == 1)
            low = -low;
        if (i % 3 == 2) {
            std::swap(low, high);
            low = -low;
            high = -high;
        }
        if (i % 7 == 0)
            low = high; // equal values
        const AutoScale result = ScaleForValues(low, high);
        ASSERT_TRUE(result.scale) << low << " .. " << high;
        const SheetScale& s = *result.scale;
        ASSERT_FALSE(ScaleSettingsError(s.scaleMax, s.scaleMin, s.mainStep, s.additionalStep)) << low << " " << high;
        EXPECT_LE(s.scaleMin, low);
        EXPECT_GE(s.scaleMax, high);
        const long double divisions = MainDivisionCount(s.scaleMax, s.scaleMin, s.mainStep);
        EXPECT_GE(divisions, 8) << low << " .. " << high;
        EXPECT_LE(divisions, 20) << low << " .. " << high;
        const double parts = s.mainStep / s.additionalStep;
        EXPECT_TRUE(std::fabs(parts - 5) < 1e-9 || std::fabs(parts - 2) < 1e-9) << parts;
    }
}

TEST(AutoScale, ValuesBeyondAnyScaleAreSaidSo)
{
    const std::pair<double, double> ranges[] = {{-1.7e308, 1.7e308}, {1.797e308, 1.797e308}, {NAN, 1.0}};
    for (const auto& [low, high] : ranges) {
        const AutoScale result = ScaleForValues(low, high);
        EXPECT_FALSE(result.scale) << low << " .. " << high;
        EXPECT_EQ(result.refusal, kValuesBeyondScale);
    }
    const CurveSettings empty;
    EXPECT_EQ(AutoScaleOf(empty).refusal, kNoValuesForScale);
}

// A series of n values largest first at the first formula's probabilities.
CurveSettings SheetOf(const std::vector<double>& values)
{
    CurveSettings s;
    s.Legend = false; // its sample lines would be taken for the curves
    std::vector<double> sorted = values;
    std::sort(sorted.rbegin(), sorted.rend());
    const int n = static_cast<int>(sorted.size());
    for (int m = 1; m <= n; ++m) {
        s.Probabilities.Add(std::round(1000.0 * m / (n + 1)) / 10);
        s.Values.Add(sorted[static_cast<size_t>(m - 1)]);
    }
    return s;
}

// n values of mean `mean` and variation cv, skewed (log-normal), the same
// every run.
std::vector<double> GeneratedSeries(int n, double mean, double cv, unsigned seed)
{
    std::mt19937 random(seed);
    const double sigma = std::sqrt(std::log(1 + cv * cv));
    std::vector<double> values;
    for (int i = 0; i < n; ++i) {
        const double u1 = (random() + 0.5) / 4294967296.0;
        const double u2 = (random() + 0.5) / 4294967296.0;
        const double z = std::sqrt(-2 * std::log(u1)) * std::cos(6.283185307179586 * u2);
        values.push_back(mean * std::exp(sigma * z - sigma * sigma / 2));
    }
    return values;
}

struct SheetCase {
    std::string name;
    std::vector<double> values;
    dist::Distribution distribution = dist::Distribution::None;
    int band = 0;
    bool smooth = true;
    bool fine = false;
};

std::vector<SheetCase> Cases()
{
    std::vector<SheetCase> cases;
    const int lengths[] = {10, 25, 60, 120, 500};
    unsigned seed = 1;
    for (int power = -3; power <= 6; ++power) {
        for (const double cv : {0.15, 0.7}) {
            SheetCase c;
            c.values = GeneratedSeries(lengths[seed % 5], std::pow(10.0, power), cv, seed);
            c.name = "1e" + std::to_string(power) + " cv " + std::to_string(cv);
            c.distribution = seed % 2 ? dist::Distribution::PearsonIII : dist::Distribution::KritskyMenkel;
            if (c.values.size() <= 25) // the bootstrap of the longer ones takes its time
                c.band = seed % 2 ? 95 : 80;
            c.fine = seed % 3 == 0;
            cases.push_back(c);
            ++seed;
        }
    }
    auto add = [&cases](std::string name, std::vector<double> values, dist::Distribution d) {
        cases.push_back({std::move(name), std::move(values), d, 0, true, false});
    };
    add("all equal", std::vector<double>(12, 250), dist::Distribution::None);
    add("all zero", std::vector<double>(12, 0), dist::Distribution::None);
    std::vector<double> huge = GeneratedSeries(40, 5, 0.3, 99);
    huge.push_back(1e6);
    add("one huge value", huge, dist::Distribution::PearsonIII);
    std::vector<double> negative;
    for (int i = 0; i < 30; ++i)
        negative.push_back(-50 + 3.3 * i);
    add("negative values", negative, dist::Distribution::None); // no curve of a negative mean
    for (double& v : negative)
        v -= 200;
    add("all negative", negative, dist::Distribution::None);
    add("millionths", GeneratedSeries(30, 1e-6, 0.3, 7), dist::Distribution::PearsonIII);
    add("billions", GeneratedSeries(30, 1e9, 0.3, 8), dist::Distribution::KritskyMenkel);
    return cases;
}

// x spans of the lines, sorted; true when they leave no gap wider than
// `gap` pixels between `from` and `to`.
bool Covers(std::vector<std::pair<int, int>> spans, int from, int to, int gap)
{
    if (spans.empty())
        return false;
    std::sort(spans.begin(), spans.end());
    if (spans.front().first > from + gap)
        return false;
    int reached = spans.front().second;
    for (const auto& [left, right] : spans) {
        if (left > reached + gap)
            return false;
        reached = std::max(reached, right);
    }
    return reached >= to - gap;
}

// Over generated series from a thousandth to a million and the awkward ones,
// the sheet drawn on the chosen scale keeps every point, the smoothing
// curve, the analytic curve and its band inside the graph, with 8 to 20
// labelled divisions.
TEST(AutoScale, TheSheetShowsEverythingItDraws)
{
    SheetTarget target;
    target.toScreen = false;
    target.hUnit = target.vUnit = 1000; // thick lines 4 pixels, thin 1
    target.pageWidth = 2970;
    target.pageHeight = 2100;
    const int top = SheetY(17, target.vUnit);
    const int bottom = SheetY(0, target.vUnit);
    int bands = 0;
    for (const SheetCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        CurveSettings s = SheetOf(c.values);
        s.FineGrid = c.fine;
        if (c.smooth) {
            FitSmoothingCurve(s);
            s.SmoothCurve = true;
        }
        s.Analytic.Options.distribution = c.distribution;
        s.Analytic.Options.method = dist::Method::SampleMoments;
        s.Analytic.Options.bandLevel = c.band;
        try {
            FitAnalyticCurve(s);
        } catch (const dist::FitRefused&) {
            // Kritsky–Menkel has no curve for every skew; Pearson III has.
            s.Analytic.Options.distribution = dist::Distribution::PearsonIII;
            FitAnalyticCurve(s);
        }
        ASSERT_EQ(s.Analytic.Fit.has_value(), c.distribution != dist::Distribution::None);
        if (c.band) {
            try {
                s.Analytic.Band = ComputeBand(*MakeBandRequest(s));
            } catch (const dist::FitRefused&) {
                // Too few of its samples have a curve: no band to draw.
            }
        }

        const AutoScale chosen = AutoScaleOf(s);
        ASSERT_TRUE(chosen.scale) << chosen.refusal;
        StoreScale(s, *chosen.scale);
        ASSERT_FALSE(ScaleSettingsError(s.ScaleMax, s.ScaleMin, s.MainStep, s.AdditionalStep));

        test::RecordingCanvas canvas;
        DrawCurveSheet(canvas, s, target);
        const double axisLength = SelectedScale(s.FineGrid).back().Position;
        const int left = SheetX(0, target.hUnit);
        const int right = SheetX(axisLength, target.hUnit);
        int divisions = 0;
        // The band's two lines are drawn one after the other, each from
        // the left end.
        std::vector<std::pair<int, int>> curve;
        std::vector<std::vector<std::pair<int, int>>> band;
        for (const test::RecordedLine& line : canvas.lines) {
            if (line.color == kBlack && line.style == PenStyle::Solid && line.x0 == SheetX(-0.1, target.hUnit) &&
                line.y0 == line.y1)
                ++divisions;
            if (line.color == kBlue) {
                EXPECT_GE(std::min(line.y0, line.y1), top) << "smoothing curve above the graph";
                EXPECT_LE(std::max(line.y0, line.y1), bottom) << "smoothing curve below the graph";
            }
            const std::pair<int, int> span{std::min(line.x0, line.x1), std::max(line.x0, line.x1)};
            if (line.color == kRed && line.width == 4)
                curve.push_back(span);
            if (line.color == kRed && line.width == 1) {
                if (band.empty() || span.first < band.back().back().first - 10)
                    band.emplace_back();
                band.back().push_back(span);
            }
        }
        EXPECT_GE(divisions, 8);
        EXPECT_LE(divisions, 20);
        ASSERT_EQ(canvas.pixels.size(), c.values.size()) << "every point drawn";
        for (const test::RecordedPixel& point : canvas.pixels) {
            EXPECT_GE(point.y, top);
            EXPECT_LE(point.y, bottom);
        }
        // The graph cuts the analytic lines: one that left it would show a gap.
        if (s.Analytic.Fit) {
            EXPECT_TRUE(Covers(curve, left, right, 1)) << "the analytic curve leaves the graph";
        }
        if (s.Analytic.Band) {
            const int dashGap = static_cast<int>(std::lround(0.02 * target.hUnit)) + 2; // 0.2 cm off
            ASSERT_EQ(band.size(), 2u);
            EXPECT_TRUE(Covers(band[0], left, right, dashGap)) << "the lower limit leaves the graph";
            EXPECT_TRUE(Covers(band[1], left, right, dashGap)) << "the upper limit leaves the graph";
            ++bands;
        }
    }
    EXPECT_GE(bands, 4) << "bands drawn";
}

// The smoothing curve keeps its values when the scale under it changes:
// its coefficients are sheet heights, fitted again for the new scale.
TEST(AutoScale, StoringTheScaleKeepsTheSmoothingCurveWhereItWas)
{
    CurveSettings s = SheetOf(GeneratedSeries(60, 900, 0.3, 3));
    FitSmoothingCurve(s);
    s.SmoothCurve = true;
    const double x = ProbabilityToX(false, 10);
    const double before = SmoothingValueAtX(s, x);
    StoreScale(s, *AutoScaleOf(s).scale);
    EXPECT_NE(s.ScaleMax, 17);
    EXPECT_NEAR(SmoothingValueAtX(s, x), before, 1e-9 * before);
}

TEST(AutoScale, PointsWithinTheScale)
{
    CurveSettings s = SheetOf({445, 600, 800, 1000, 1366});
    EXPECT_FALSE(AnyPointWithinScale(s)) << "0..17";
    s.ScaleMax = 445;
    EXPECT_TRUE(AnyPointWithinScale(s)) << "the top is within";
    s.ScaleMin = 1366;
    s.ScaleMax = 2000;
    EXPECT_TRUE(AnyPointWithinScale(s)) << "so is the bottom";
    EXPECT_FALSE(AnyPointWithinScale(CurveSettings{})) << "no series";
}

} // namespace
} // namespace aqualen
