// The analytic curve on the sheet: its polyline cut to the graph, dashes that
// run on across vertices, the caption line, and what the fit stores.

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include <boost/math/distributions/normal.hpp>
#include <gtest/gtest.h>

#include "curve/analytic_fit.h"
#include "curve/curve_sheet.h"
#include "curve/probability_scale.h"
#include "curve/series_grid_cells.h"
#include "curve/sheet_polyline.h"
#include "curve/smoothing_fit.h"
#include "recording_canvas.h"
#include "series/number_text.h"

namespace aqualen {
namespace {

using test::RecordedLine;
using test::RecordingCanvas;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Pixel {
    int x, y;
    bool operator==(const Pixel&) const = default;
};
struct Stroke {
    Pixel from, to;
    bool operator==(const Stroke&) const = default;
};

// Lines that go on from where the last one ended make one stroke.
std::vector<Stroke> Strokes(const std::vector<RecordedLine>& lines)
{
    std::vector<Stroke> strokes;
    for (const RecordedLine& l : lines) {
        if (!strokes.empty() && strokes.back().to == Pixel{l.x0, l.y0})
            strokes.back().to = {l.x1, l.y1};
        else
            strokes.push_back({{l.x0, l.y0}, {l.x1, l.y1}});
    }
    return strokes;
}

std::vector<RecordedLine> LinesIn(const std::vector<RecordedLine>& lines, CanvasColor color)
{
    std::vector<RecordedLine> picked;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(picked),
                 [&](const RecordedLine& l) { return l.color == color; });
    return picked;
}

// At 100 pixels per 10 cm: column 22 + 10·x, row 190 − 10·y; the graph
// spans the rows 190 (y = 0) to 20 (y = 17).
TEST(SheetPolylineTest, KeepsOnlyWhatLiesWithinTheGraphsHeight)
{
    struct Case {
        const char* what;
        std::vector<std::pair<double, double>> vertices;
        std::vector<Stroke> expected;
    };
    const std::vector<Case> cases{
        {"inside", {{1, 1}, {2, 3}}, {{{32, 180}, {42, 160}}}},
        {"out through the top", {{1, 16}, {2, 18}}, {{{32, 30}, {37, 20}}}},
        {"in through the bottom", {{1, -1}, {2, 1}}, {{{37, 190}, {42, 180}}}},
        {"across the whole height", {{0, -17}, {2, 34}}, {{{29, 190}, {35, 20}}}},
        {"above", {{1, 18}, {2, 19}}, {}},
        {"below", {{1, -0.5}, {2, -0.1}}, {}},
        {"along the top", {{1, 17}, {2, 17}}, {{{32, 20}, {42, 20}}}},
        {"out and back in", {{1, 10}, {2, 24}, {3, 10}}, {{{32, 90}, {37, 20}}, {{47, 20}, {52, 90}}}},
        {"a vertex that is not a number breaks it", {{1, 1}, {kNaN, 5}, {2, 2}, {3, 3}}, {{{42, 170}, {52, 160}}}},
        {"an infinite vertex too", {{1, 1}, {2, INFINITY}, {3, 3}}, {}},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        SheetPolyline line(canvas, 100, 100, 0, 17);
        for (const auto& [x, y] : c.vertices)
            line.Add(x, y);
        EXPECT_EQ(Strokes(canvas.lines), c.expected) << c.what;
    }
}

TEST(SheetPolylineTest, DashesRunOnAcrossVertices)
{
    // 10 cm in 0.3 cm dashes and 0.2 cm gaps: 20 dashes of 3 pixels.
    RecordingCanvas straight;
    SheetPolyline one(straight, 100, 100, 0, 17, {0.3, 0.2});
    one.Add(0, 1);
    one.Add(10, 1);
    const std::vector<Stroke> dashes = Strokes(straight.lines);
    ASSERT_EQ(dashes.size(), 20u);
    for (size_t i = 0; i < dashes.size(); ++i) {
        EXPECT_EQ(dashes[i].from, (Pixel{22 + 5 * static_cast<int>(i), 180})) << i;
        EXPECT_EQ(dashes[i].to, (Pixel{25 + 5 * static_cast<int>(i), 180})) << i;
    }

    // The same line through vertices 0.35 cm apart: a dash that spans a
    // vertex goes on after it, so the dashes are the same.
    RecordingCanvas broken;
    SheetPolyline many(broken, 100, 100, 0, 17, {0.3, 0.2});
    for (double x = 0; x < 10; x += 0.35)
        many.Add(x, 1);
    many.Add(10, 1);
    EXPECT_GT(broken.lines.size(), straight.lines.size());
    EXPECT_EQ(Strokes(broken.lines), dashes);
}

TEST(XToProbabilityTest, InvertsTheScaleAlongTheAxis)
{
    for (const bool fine : {false, true}) {
        CurveSettings s;
        s.FineGrid = fine;
        const auto scale = SelectedScale(s.FineGrid);
        for (const ScaleEntry& row : scale)
            EXPECT_EQ(XToProbability(s.FineGrid, row.Position), row.Probability) << row.Probability;
        for (const double p : {0.3, 2.5, 37.0, 50.5, 97.5, 99.7})
            EXPECT_NEAR(ProbabilityToX(s.FineGrid, XToProbability(s.FineGrid, ProbabilityToX(s.FineGrid, p))),
                        ProbabilityToX(s.FineGrid, p), 1e-12)
                << p;
        EXPECT_EQ(XToProbability(s.FineGrid, -1), scale.front().Probability);
        EXPECT_EQ(XToProbability(s.FineGrid, scale.back().Position + 1), scale.back().Probability);
    }
}

// The curve window's first page, 116 pixels per 10 cm: graph origin at
// (26, 220), top of the graph at row 23.
SheetTarget ScreenPage()
{
    SheetTarget t;
    t.toScreen = true;
    t.hUnit = 116;
    t.vUnit = 116;
    t.pageWidth = 345;
    t.pageHeight = 244;
    t.screenPpi = 96;
    t.separator = ',';
    return t;
}

dist::Fit PearsonFit()
{
    dist::Fit fit;
    fit.distribution = dist::Distribution::PearsonIII;
    fit.method = dist::Method::Moments;
    fit.mean = 10;
    fit.cv = 0.5;
    fit.cs = 1;
    return fit;
}

CurveSettings WithFit(const dist::Fit& fit)
{
    CurveSettings s;
    // scale 0 to 17
    s.Title = "Река";
    s.Legend = false; // these count the curve's own strokes; the legend's samples would add theirs
    s.Analytic.Options.distribution = fit.distribution;
    s.Analytic.Fit = fit;
    return s;
}

TEST(AnalyticCurveDrawingTest, OneRedVertexPerColumnAcrossTheAxisCutAtTheTop)
{
    const dist::Fit fit = PearsonFit();
    const CurveSettings s = WithFit(fit);
    RecordingCanvas canvas;
    DrawCurveSheet(canvas, s, ScreenPage());
    const std::vector<RecordedLine> red = LinesIn(canvas.lines, kRed);
    ASSERT_FALSE(red.empty());

    // k of 0.1 % is about 3, a value of 30 above the top of 17: the curve
    // comes in through the top of the graph and then runs on in one piece to
    // the end of the axis (column 316) at 99.9 %.
    const std::vector<Stroke> strokes = Strokes(red);
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(strokes[0].from.y, 23);
    const int lastRow = SheetY(ValueToY(s.ScaleMin, s.ScaleMax, 10 * dist::ModularQuantile(fit, 99.9)), 116);
    EXPECT_EQ(strokes[0].to, (Pixel{316, lastRow}));
    for (const RecordedLine& l : red) {
        EXPECT_GE(std::min(l.x0, l.x1), 26);
        EXPECT_LE(std::max(l.x0, l.x1), 316);
        EXPECT_GE(std::min(l.y0, l.y1), 23);
        EXPECT_LE(std::max(l.y0, l.y1), 220);
        EXPECT_EQ(l.style, PenStyle::Solid);
    }
    // Every vertex inside the graph is the quantile at its column's
    // probability: column c is x = c / 11.6 cm.
    for (size_t i = 1; i < red.size(); ++i) {
        const int column = red[i].x0 - 26;
        const double p = XToProbability(s.FineGrid, column / 11.6);
        EXPECT_EQ(red[i].y0, SheetY(ValueToY(s.ScaleMin, s.ScaleMax, 10 * dist::ModularQuantile(fit, p)), 116))
            << column;
    }
}

TEST(AnalyticCurveDrawingTest, CutAtTheBottomWhereTheScaleStartsHigh)
{
    CurveSettings s = WithFit(PearsonFit());
    s.ScaleMin = 8; // the low flows, k below 0.8, are under the graph
    s.ScaleMax = 25;
    RecordingCanvas canvas;
    DrawCurveSheet(canvas, s, ScreenPage());
    const std::vector<Stroke> strokes = Strokes(LinesIn(canvas.lines, kRed));
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(strokes[0].to.y, 220);
    EXPECT_LT(strokes[0].to.x, 316);
}

TEST(AnalyticCurveDrawingTest, CaptionLineUnderTheTitle)
{
    const dist::Fit fit = PearsonFit();
    RecordingCanvas canvas(5);
    DrawCurveSheet(canvas, WithFit(fit), ScreenPage());
    const std::string caption = dist::CaptionLine(fit, ',');
    ASSERT_FALSE(caption.empty());
    const auto found =
        std::find_if(canvas.texts.begin(), canvas.texts.end(), [&](const auto& t) { return t.text == caption; });
    ASSERT_NE(found, canvas.texts.end());
    // Below the title (row 226), centred between the 2 cm margins (23, 322),
    // 12 pt at 116 pixels per 10 cm and 96 per inch: Round(3.68) = 4.
    EXPECT_EQ(found->y, 233);
    EXPECT_EQ(found->font, "Times New Roman");
    EXPECT_EQ(found->size, 4);
    EXPECT_EQ(found->x, 23 + static_cast<int>(std::lround((299 - canvas.TextWidth(caption)) / 2.0)));
}

TEST(AnalyticCurveDrawingTest, ConfidenceLimitsThinDashedAndOnlyWithinTheScale)
{
    CurveSettings s = WithFit(PearsonFit());
    // Constant limits make two level lines at 5 and 15; 0.01 and 99.99 % are
    // beyond the coarse scale and have no place on it.
    s.Analytic.BandProbabilities = {0.01, 0.1, 1, 50, 99, 99.9, 99.99};
    s.Analytic.Band = dist::Band{std::vector<double>(7, 0.5), std::vector<double>(7, 1.5), 90};
    // A page of 1000 pixels per 10 cm: the curve's pen is 4 wide, the
    // limits' 1; column 220 + 100·x, row 1900 − 100·y.
    SheetTarget page = ScreenPage();
    page.toScreen = false;
    page.hUnit = page.vUnit = 1000;
    page.pageWidth = 2970;
    page.pageHeight = 2100;
    RecordingCanvas canvas;
    DrawCurveSheet(canvas, s, page);
    std::vector<RecordedLine> limits;
    for (const RecordedLine& l : LinesIn(canvas.lines, kRed))
        if (l.width == 1)
            limits.push_back(l);
    // 24.96 cm in 0.3 cm dashes every 0.5 cm: 50 dashes a line, from the
    // start of the axis on.
    std::vector<Stroke> low;
    std::vector<Stroke> high;
    for (const Stroke& d : Strokes(limits)) {
        ASSERT_EQ(d.from.y, d.to.y);
        (d.from.y == 1400 ? low : high).push_back(d);
    }
    ASSERT_EQ(low.size(), 50u);
    ASSERT_EQ(high.size(), 50u);
    EXPECT_EQ(high.front().from.y, 400);
    for (size_t i = 0; i < low.size(); ++i) {
        EXPECT_EQ(low[i].from.x, 220 + 50 * static_cast<int>(i));
        EXPECT_EQ(low[i].to.x, 250 + 50 * static_cast<int>(i));
    }
}

TEST(AnalyticFitTest, BandProbabilitiesAreTheScaleAndTheReportsAscending)
{
    CurveSettings s;
    for (const double v : {12.0, 9.5, 8.0, 11.0, 7.5, 10.0, 13.5, 6.0, 9.0, 10.5})
        s.Values.Add(v);
    s.Analytic.Options.distribution = dist::Distribution::PearsonIII;
    s.Analytic.Options.method = dist::Method::SampleMoments;
    s.Analytic.Options.bandLevel = 90;
    FitAnalyticCurve(s);
    ASSERT_TRUE(s.Analytic.Fit);
    EXPECT_NEAR(s.Analytic.Fit->mean, 9.7, 1e-12);
    const std::vector<double>& p = s.Analytic.BandProbabilities;
    EXPECT_TRUE(std::is_sorted(p.begin(), p.end()));
    EXPECT_EQ(std::adjacent_find(p.begin(), p.end()), p.end());
    for (const ScaleEntry& row : SelectedScale(s.FineGrid))
        EXPECT_TRUE(std::binary_search(p.begin(), p.end(), row.Probability)) << row.Probability;
    for (const double standard : dist::StandardProbabilities())
        EXPECT_TRUE(std::binary_search(p.begin(), p.end(), standard)) << standard;
    EXPECT_TRUE(s.Analytic.BandPending());

    // The band picked out at the report's probabilities is the band of those
    // probabilities computed on their own: one bootstrap serves both.
    const std::optional<BandRequest> request = MakeBandRequest(s);
    ASSERT_TRUE(request);
    s.Analytic.Band = ComputeBand(*request);
    const std::optional<dist::Band> picked = BandAt(s.Analytic, dist::StandardProbabilities());
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->level, 90);
    const dist::Band own =
        dist::ConfidenceBand(request->values, *s.Analytic.Fit, s.Analytic.Options, dist::StandardProbabilities());
    EXPECT_EQ(picked->lowK, own.lowK);
    EXPECT_EQ(picked->highK, own.highK);
    EXPECT_FALSE(BandAt(s.Analytic, {33.3}));
}

TEST(AnalyticFitTest, NoCurveWithoutADistributionOrAfterARefusal)
{
    CurveSettings s;
    for (const double v : {3.0, 0.0, 2.0, 5.0, 4.0})
        s.Values.Add(v);
    s.Analytic.Options.distribution = dist::Distribution::PearsonIII;
    FitAnalyticCurve(s);
    ASSERT_TRUE(s.Analytic.Fit);
    EXPECT_FALSE(MakeBandRequest(s)); // no band asked for

    s.Analytic.Options.distribution = dist::Distribution::None;
    FitAnalyticCurve(s);
    EXPECT_FALSE(s.Analytic.Fit);

    s.Analytic.Options.distribution = dist::Distribution::PearsonIII;
    FitAnalyticCurve(s);
    s.Analytic.Options.distribution = dist::Distribution::KritskyMenkel;
    s.Analytic.Options.method = dist::Method::MaxLikelihood; // a zero has no logarithm
    EXPECT_THROW(FitAnalyticCurve(s), dist::FitRefused);
    EXPECT_FALSE(s.Analytic.Fit);

    // The graphic-analytic method needs the smoothing curve.
    s.Analytic.Options.method = dist::Method::GraphicAnalytic;
    EXPECT_THROW(FitAnalyticCurve(s), dist::FitRefused);
}

// The sheet's points as the parameters dialog stores them: its probability
// column (one decimal) and a value for each.
void FillSheet(CurveSettings& s, int n, PlottingFormula formula, bool fineGrid,
               const std::function<double(double)>& value)
{
    SeriesGridCells cells;
    FillProbabilityColumn(cells, n, formula, ',');
    s.FineGrid = fineGrid;
    s.ScaleMin = 0;
    s.ScaleMax = 400;
    for (int m = 1; m <= n; ++m) {
        const double p = *ParseNumber(cells.Get(SeriesGridCells::kProbabilityColumn, m), ',');
        s.Probabilities.Add(p);
        s.Values.Add(value(p));
    }
    s.SmoothCurve = true;
    FitSmoothingCurve(s);
}

// Points symmetric on normal paper give a symmetric curve: Cs = 0 and the
// mean of the points' line. The sheet's tabulated scale leans from 20 to
// 80 % (at 20 % 3.42 cm left of 50 %, at 80 % 3.38 cm right of it), which
// bent the drawn parabola and gave Cs up to 0.019 and a mean 1.6e-4 off;
// the method's points come from exact normal paper.
TEST(AnalyticFitTest, SymmetricPointsGiveASymmetricCurve)
{
    const boost::math::normal_distribution<double> normal;
    const auto line = [&](double p) {
        return 100 + 20 * boost::math::quantile(boost::math::complement(normal, p / 100));
    };
    for (const int n : {10, 30, 50, 101})
        for (const PlottingFormula formula : {PlottingFormula::Weibull, PlottingFormula::Chegodayev})
            for (const bool fine : {false, true}) {
                CurveSettings s;
                FillSheet(s, n, formula, fine, line);
                s.Analytic.Options.distribution = dist::Distribution::PearsonIII;
                s.Analytic.Options.method = dist::Method::GraphicAnalytic;
                FitAnalyticCurve(s);
                ASSERT_TRUE(s.Analytic.Fit);
                EXPECT_NEAR(s.Analytic.Fit->cs, 0, 1e-12) << n << " " << fine;
                EXPECT_NEAR(s.Analytic.Fit->mean, 100, 1e-12 * 100) << n << " " << fine;
                EXPECT_NEAR(s.Analytic.Fit->cv, 0.2, 1e-12) << n << " " << fine;
            }
}

// The method's points need the smoothing option, and a sheet whose points
// have a probability the normal paper has no place for is refused with a
// reason; other methods do not read the points.
TEST(AnalyticFitTest, SmoothingPointsNeedTheSmoothingCurveAndPlaceablePoints)
{
    const auto falling = [](double p) { return 200 - p; };
    CurveSettings s;
    FillSheet(s, 10, PlottingFormula::Weibull, false, falling);
    s.SmoothCurve = false;
    EXPECT_FALSE(SmoothingPointsOf(s));
    s.SmoothCurve = true;
    const auto points = SmoothingPointsOf(s);
    ASSERT_TRUE(points);
    EXPECT_GT(points->x5, points->x50);
    EXPECT_GT(points->x50, points->x95);

    CurveSettings edge;
    FillSheet(edge, 10, PlottingFormula::Weibull, false, falling);
    edge.Probabilities.Clear();
    for (int m = 0; m < 10; ++m)
        edge.Probabilities.Add(m == 9 ? 100.0 : 10.0 * m + 5);
    EXPECT_THROW(SmoothingPointsOf(edge), dist::FitRefused);
    edge.Analytic.Options.distribution = dist::Distribution::PearsonIII;
    EXPECT_NO_THROW(FitAnalyticCurve(edge)); // the moments need no smoothing
    edge.Analytic.Options.method = dist::Method::GraphicAnalytic;
    EXPECT_THROW(FitAnalyticCurve(edge), dist::FitRefused);
}

} // namespace
} // namespace aqualen
