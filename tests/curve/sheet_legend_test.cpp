// The sheet's legend (what it names, where it goes, its samples), the band's
// level in the caption line and the return periods along the top.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "curve/curve_sheet.h"
#include "curve/probability_scale.h"
#include "curve/sheet_legend.h"
#include "curve/smoothing_fit.h"
#include "recording_canvas.h"

namespace aqualen {
namespace {

using test::RecordedLine;
using test::RecordedRect;
using test::RecordedText;
using test::RecordingCanvas;

constexpr int kUnit = 1000; // pixels per 10 cm: column 220 + 100·x, row 1900 − 100·y

SheetTarget Paper()
{
    SheetTarget t;
    t.toScreen = false;
    t.hUnit = t.vUnit = kUnit;
    t.pageWidth = 2970;
    t.pageHeight = 2100;
    t.separator = ',';
    return t;
}

// Twenty values falling from 16 to 1 across the default scale 0..17: the
// points run from the top left of the graph to its bottom right.
CurveSettings FallingSeries(PlottingFormula formula = PlottingFormula::Weibull)
{
    CurveSettings s;
    s.Formula = formula;
    for (int m = 1; m <= 20; ++m) {
        s.Probabilities.Add(100.0 * m / 21);
        s.Values.Add(16 - 15.0 * (m - 1) / 19);
    }
    return s;
}

dist::Fit Pearson()
{
    dist::Fit fit;
    fit.distribution = dist::Distribution::PearsonIII;
    fit.method = dist::Method::Moments;
    fit.mean = 8;
    fit.cv = 0.5;
    fit.cs = 1;
    return fit;
}

void AddBand(CurveSettings& s, int level)
{
    s.Analytic.Options.bandLevel = level;
    s.Analytic.BandProbabilities = {1, 50, 99};
    s.Analytic.Band = dist::Band{{0.8, 0.8, 0.8}, {1.2, 1.2, 1.2}, level};
}

// The legend's texts: "Arial" at its own 9 points (the labels are 8).
std::vector<std::string> LegendTexts(const RecordingCanvas& canvas)
{
    std::vector<std::string> texts;
    for (const RecordedText& t : canvas.texts)
        if (t.font == "Arial" && t.size == 9)
            texts.push_back(t.text);
    return texts;
}

bool Inside(int x, int y, const RecordedRect& r)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

const std::string kWeibullPoints = "Эмпирические точки, P = m / (n+1) * 100%";

TEST(SheetLegend, NamesWhatTheSheetShows)
{
    struct Case {
        const char* what;
        CurveSettings settings;
        std::vector<std::string> texts;
    };
    std::vector<Case> cases;
    cases.push_back({"points", FallingSeries(), {kWeibullPoints}});
    {
        CurveSettings s = FallingSeries(PlottingFormula::Chegodayev);
        s.SmoothCurve = true;
        FitSmoothingCurve(s);
        cases.push_back({"the other formula and the smoothing curve",
                         std::move(s),
                         {"Эмпирические точки, P = (m-0.3) / (n+0.4) * 100%", "Сглаживающая кривая"}});
    }
    {
        CurveSettings s = FallingSeries();
        s.Analytic.Fit = Pearson();
        AddBand(s, 90);
        cases.push_back({"the analytic curve and its band",
                         std::move(s),
                         {kWeibullPoints, "Пирсон III, метод моментов", "Доверительные границы 90 %"}});
    }
    {
        CurveSettings s;
        s.Analytic.Fit = Pearson();
        s.Analytic.Options.bandLevel = 95; // asked for, not computed yet: not on the sheet
        cases.push_back({"a curve by hand, its band pending", std::move(s), {"Пирсон III, метод моментов"}});
    }
    {
        CurveSettings s;
        for (int i = 0; i < 4; ++i) {
            s.Probabilities.Add(20 * (i + 1));
            s.Values.Add(i);
        }
        cases.push_back({"four points are not drawn, nor named", std::move(s), {}});
    }
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        DrawCurveSheet(canvas, c.settings, Paper());
        EXPECT_EQ(LegendTexts(canvas), c.texts) << c.what;
        EXPECT_EQ(canvas.rectangles.size(), c.texts.empty() ? 0u : 1u) << c.what;

        CurveSettings off;
        off.Legend = false;
        off.Analytic = c.settings.Analytic;
        RecordingCanvas plain;
        DrawCurveSheet(plain, off, Paper());
        EXPECT_TRUE(plain.rectangles.empty()) << c.what;
    }
}

TEST(SheetLegend, WithNothingToNameTheSheetIsTheSameAsWithout)
{
    CurveSettings on;
    CurveSettings off;
    off.Legend = false;
    RecordingCanvas a;
    RecordingCanvas b;
    DrawCurveSheet(a, on, Paper());
    DrawCurveSheet(b, off, Paper());
    EXPECT_EQ(a.calls, b.calls);
    EXPECT_EQ(a.texts.size(), b.texts.size());
    EXPECT_EQ(a.lines.size(), b.lines.size());
}

TEST(SheetLegend, LeftOutWhereItWouldHideTheGraph)
{
    // Text held at a least size on a tiny page: 40 pixels a character.
    const CurveSettings s = FallingSeries();
    RecordingCanvas tiny(40);
    DrawCurveSheet(tiny, s, Paper());
    EXPECT_TRUE(tiny.rectangles.empty());
    EXPECT_TRUE(LegendTexts(tiny).empty());
}

TEST(SheetLegend, CornerCoversTheFewestPointsThenTheFewestCurves)
{
    constexpr double kLength = 24.96, kHeight = 17, kInset = 0.2, kWidth = 8, kTall = 3;
    // Near each corner of the graph, well inside where its box would lie.
    const SheetPoint tr{22, 15.5}, bl{2, 1.5}, tl{2, 15.5}, br{22, 1.5};
    const auto across = [](SheetPoint at) {
        return std::vector<SheetPoint>{{at.x - 1, at.y - 1}, {at.x + 1, at.y + 1}};
    };
    struct Case {
        const char* what;
        std::vector<SheetPoint> points;
        std::vector<std::vector<SheetPoint>> lines;
        LegendCorner expected;
    };
    const std::vector<Case> cases{
        {"an empty graph: the top right", {}, {}, LegendCorner::TopRight},
        {"a point top right", {tr}, {}, LegendCorner::BottomLeft},
        {"points top right and bottom left", {tr, bl}, {}, LegendCorner::TopLeft},
        {"three corners taken", {tr, bl, tl}, {}, LegendCorner::BottomRight},
        {"all taken: the fewest points", {tr, bl, bl, tl, tl, br, br}, {}, LegendCorner::TopRight},
        {"a curve top right, no points", {}, {across(tr)}, LegendCorner::BottomLeft},
        {"a point outranks curves", {tr}, {across(bl), across(tl), across(br)}, LegendCorner::BottomLeft},
        // The circle of a point 0.1 cm below the box still reaches into it.
        {"a circle reaching in", {{20, kHeight - kInset - kTall - 0.1}}, {}, LegendCorner::BottomLeft},
        {"a point beside the box", {{20, kHeight - kInset - kTall - 0.5}}, {}, LegendCorner::TopRight},
    };
    for (const Case& c : cases) {
        LegendObstacles obstacles;
        obstacles.points = c.points;
        obstacles.pointRadius = 0.18;
        obstacles.lines = c.lines;
        EXPECT_EQ(ChooseLegendCorner(kWidth, kTall, kLength, kHeight, kInset, obstacles), c.expected) << c.what;
    }
}

TEST(SheetLegend, DrawnClearOfThePointsWhenACornerIsFree)
{
    // The falling series leaves the top right free; points filling the top
    // right as well send the box to the bottom left.
    CurveSettings crowded = FallingSeries();
    for (int i = 0; i < 5; ++i) {
        crowded.Probabilities.Add(95 + i);
        crowded.Values.Add(16);
    }
    struct Case {
        const char* what;
        const CurveSettings* settings;
        bool right, top;
    };
    const CurveSettings falling = FallingSeries();
    const Case cases[] = {{"falling", &falling, true, true}, {"crowded", &crowded, false, false}};
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        DrawCurveSheet(canvas, *c.settings, Paper());
        ASSERT_EQ(canvas.rectangles.size(), 1u) << c.what;
        const RecordedRect box = canvas.rectangles.front();
        EXPECT_EQ(box.right > 1470, c.right) << c.what;
        EXPECT_EQ(box.top < 1000, c.top) << c.what;
        // No point's circle reaches into the box (the sample's own lies inside it).
        for (const test::RecordedEllipse& e : canvas.ellipses) {
            const bool sample = Inside(e.left, e.top, box);
            if (sample)
                continue;
            EXPECT_FALSE(e.right > box.left && e.left < box.right && e.bottom > box.top && e.top < box.bottom)
                << c.what << " point at " << e.left << ", " << e.top;
        }
        EXPECT_EQ(std::count_if(canvas.ellipses.begin(), canvas.ellipses.end(),
                                [&](const auto& e) { return Inside(e.left, e.top, box); }),
                  1)
            << c.what;
    }
}

TEST(SheetLegend, SamplesLookLikeTheirLines)
{
    CurveSettings s = FallingSeries();
    s.SmoothCurve = true;
    FitSmoothingCurve(s);
    s.Analytic.Fit = Pearson();
    AddBand(s, 80);
    RecordingCanvas canvas;
    DrawCurveSheet(canvas, s, Paper());
    ASSERT_EQ(canvas.rectangles.size(), 1u);
    const RecordedRect box = canvas.rectangles.front();
    std::vector<RecordedLine> blue, thickRed, thinRed;
    for (const RecordedLine& l : canvas.lines) {
        if (!Inside(l.x0, l.y0, box) || !Inside(l.x1, l.y1, box) || l.y0 != l.y1)
            continue;
        if (l.color == kBlue)
            blue.push_back(l);
        else if (l.color == kRed)
            (l.width == 4 ? thickRed : thinRed).push_back(l);
    }
    // Samples 1 cm long; the curve is 4 pixels wide at this page, the
    // limits 1, in two dashes of 0.3 cm 0.2 cm apart, as on the graph.
    ASSERT_EQ(blue.size(), 1u);
    EXPECT_EQ(blue[0].x1 - blue[0].x0, 100);
    EXPECT_EQ(blue[0].width, 1);
    ASSERT_EQ(thickRed.size(), 1u);
    EXPECT_EQ(thickRed[0].x0, blue[0].x0);
    ASSERT_EQ(thinRed.size(), 2u);
    EXPECT_EQ(thinRed[0].x1 - thinRed[0].x0, 30);
    EXPECT_EQ(thinRed[1].x0 - thinRed[0].x0, 50);
    // Rows top down in the entries' order, each text right of its sample.
    EXPECT_LT(blue[0].y0, thickRed[0].y0);
    EXPECT_LT(thickRed[0].y0, thinRed[0].y0);
    for (const RecordedText& t : canvas.texts) {
        if (t.font == "Arial" && t.size == 9) {
            EXPECT_EQ(t.x, blue[0].x1 + 25) << t.text;
        }
    }
    // Left behind: the pen the legend's frame was drawn with.
    EXPECT_EQ(canvas.penColor, kBlack);
    EXPECT_EQ(canvas.penWidth, 1);
    EXPECT_EQ(canvas.penStyle, PenStyle::Solid);
}

TEST(SheetCaption, NamesTheBandsLevelWhenThereIsABand)
{
    CurveSettings s = FallingSeries();
    s.Analytic.Fit = Pearson();
    const std::string plain = dist::CaptionLine(Pearson(), ',');
    const auto hasText = [](const RecordingCanvas& canvas, const std::string& text) {
        return std::any_of(canvas.texts.begin(), canvas.texts.end(), [&](const auto& t) { return t.text == text; });
    };
    RecordingCanvas without;
    DrawCurveSheet(without, s, Paper());
    EXPECT_TRUE(hasText(without, plain));
    AddBand(s, 95);
    RecordingCanvas with;
    DrawCurveSheet(with, s, Paper());
    EXPECT_TRUE(hasText(with, plain + "; доверительные границы 95 %"));
    EXPECT_FALSE(hasText(with, plain));
}

TEST(ReturnPeriodAxis, RoundPeriodsThatFallOnTheGrid)
{
    struct Case {
        bool fine;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {false, {"1000", "100", "50", "20", "10", "5", "2"}}, // 0.01 % lies beyond the coarse grid
        {true, {"10000", "1000", "100", "50", "20", "10", "5", "2"}},
    };
    for (const Case& c : cases) {
        CurveSettings s;
        s.FineGrid = c.fine;
        s.ReturnPeriodAxis = true;
        s.AxisName = "Q, м3/с";
        RecordingCanvas canvas;
        DrawCurveSheet(canvas, s, Paper());
        const int labelTop = SheetY(17.55, kUnit);
        std::vector<std::string> labels;
        for (const RecordedText& t : canvas.texts) {
            if (t.font != "Arial" || t.y != labelTop)
                continue;
            labels.push_back(t.text);
            // Centred on the grid line of P = 100 / T, over a tick.
            const double x = ProbabilityToX(c.fine, 100 / std::stod(t.text));
            const int left = SheetX(x - 1, kUnit);
            const int right = SheetX(x + 1, kUnit);
            // Halves go to the even neighbour.
            EXPECT_EQ(t.x, left + static_cast<int>(std::nearbyint((right - left - canvas.TextWidth(t.text)) / 2.0)))
                << t.text;
            const int column = SheetX(x, kUnit);
            EXPECT_TRUE(std::any_of(canvas.lines.begin(), canvas.lines.end(), [&](const RecordedLine& l) {
                return l.x0 == column && l.x1 == column && l.y0 == SheetY(17, kUnit) && l.y1 == SheetY(17.15, kUnit);
            })) << t.text;
        }
        EXPECT_EQ(labels, c.labels) << c.fine;
        const double length = SelectedScale(c.fine).back().Position;
        const auto caption = std::find_if(canvas.texts.begin(), canvas.texts.end(),
                                          [](const RecordedText& t) { return t.text == "T, лет"; });
        ASSERT_NE(caption, canvas.texts.end());
        EXPECT_EQ(caption->x, SheetX(length + 0.3, kUnit));
        EXPECT_EQ(caption->y, SheetY(17.7, kUnit));
        // The value axis caption moves up out of the labels' way.
        const auto axis = std::find_if(canvas.texts.begin(), canvas.texts.end(),
                                       [](const RecordedText& t) { return t.text == "Q, м3/с"; });
        ASSERT_NE(axis, canvas.texts.end());
        EXPECT_EQ(axis->y, SheetY(18.45, kUnit));
    }

    CurveSettings off;
    off.AxisName = "Q, м3/с";
    RecordingCanvas canvas;
    DrawCurveSheet(canvas, off, Paper());
    EXPECT_TRUE(std::none_of(canvas.texts.begin(), canvas.texts.end(),
                             [](const RecordedText& t) { return t.text == "T, лет"; }));
}

} // namespace
} // namespace aqualen
