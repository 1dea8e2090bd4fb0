#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "curve/curve_sheet.h"
#include "curve/probability_scale.h"
#include "curve/smoothing_fit.h"
#include "recording_canvas.h"

namespace aqualen {
namespace {

using test::RecordedLine;
using test::RecordedText;
using test::RecordingCanvas;

// The curve window's first page: 345 x 244 pixels, 116 pixels per 10 cm.
SheetTarget ScreenPage(int unit = 116)
{
    SheetTarget t;
    t.toScreen = true;
    t.hUnit = unit;
    t.vUnit = unit;
    t.pageWidth = 345 * unit / 116;
    t.pageHeight = 244 * unit / 116;
    t.screenPpi = 96;
    t.separator = ',';
    return t;
}

SheetTarget PrinterPage(int unit)
{
    SheetTarget t = ScreenPage(unit);
    t.toScreen = false;
    return t;
}

CurveSettings Defaults()
{
    CurveSettings s;
    return s;
}

CurveSettings RunoffExample(bool fine = false)
{
    CurveSettings s = Defaults();
    s.FineGrid = fine;
    s.Legend = false; // the counts below are of the sheet's own marks, without the legend's samples
    for (const double p : {16.7, 33.3, 50.0, 66.7, 83.3})
        s.Probabilities.Add(p);
    for (const double v : {15, 12, 10, 8, 5})
        s.Values.Add(v);
    s.SmoothCurve = true;
    FitSmoothingCurve(s);
    return s;
}

struct Sheet {
    RecordingCanvas canvas;
    std::vector<RecordedLine> verticalGrid; // probability grid lines
    std::vector<RecordedLine> divisions;    // horizontal value divisions
    std::vector<RecordedText> valueLabels;
    std::vector<RecordedText> probabilityLabels;
    std::vector<RecordedLine> curve;
};

Sheet Draw(const CurveSettings& s, const SheetTarget& t)
{
    Sheet sheet;
    DrawCurveSheet(sheet.canvas, s, t);
    const int originX = SheetX(0, t.hUnit);
    const int originY = SheetY(0, t.vUnit);
    const int top = SheetY(17, t.vUnit);
    const int end = SheetX(SelectedScale(s.FineGrid).back().Position, t.hUnit);
    for (const RecordedLine& l : sheet.canvas.lines) {
        if (l.color == kBlue)
            sheet.curve.push_back(l);
        else if (l.x0 == l.x1 && l.x0 != originX && l.y0 == originY && l.y1 == top)
            sheet.verticalGrid.push_back(l);
        else if (l.y0 == l.y1 && l.x1 == end && l.y0 != originY)
            sheet.divisions.push_back(l);
    }
    for (const RecordedText& text : sheet.canvas.texts) {
        if (text.font != "Arial")
            continue;
        if (text.y == static_cast<int>(std::lround(1.91 * t.vUnit)))
            sheet.probabilityLabels.push_back(text);
        else
            sheet.valueLabels.push_back(text);
    }
    return sheet;
}

int CountStyle(const std::vector<RecordedLine>& lines, PenStyle style)
{
    return static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [style](const RecordedLine& l) { return l.style == style; }));
}

const RecordedText* FindText(const Sheet& sheet, const std::string& text)
{
    for (const RecordedText& t : sheet.canvas.texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

TEST(CurveSheet, InitialScreenPagePixelPositions)
{
    CurveSettings s = Defaults();
    s.Title = "Река";
    s.AxisName = "Q, м3/с";
    const Sheet sheet = Draw(s, ScreenPage());
    const auto& lines = sheet.canvas.lines;
    ASSERT_GE(lines.size(), 2u);
    // The axes: origin (26, 220), probability axis to column 316, value axis to row 23.
    EXPECT_EQ((std::vector<int>{lines[0].x0, lines[0].y0, lines[0].x1, lines[0].y1}),
              (std::vector<int>{26, 220, 316, 220}));
    EXPECT_EQ((std::vector<int>{lines[1].x0, lines[1].y0, lines[1].x1, lines[1].y1}),
              (std::vector<int>{26, 220, 26, 23}));
    ASSERT_EQ(sheet.valueLabels.size(), 18u);
    for (const RecordedText& label : sheet.valueLabels)
        EXPECT_EQ(label.x, 14) << label.text;
    EXPECT_EQ(sheet.valueLabels.front().text, "0");
    EXPECT_EQ(sheet.valueLabels.front().y, 219); // 0.1 cm (1.16 px) above the axis
    EXPECT_EQ(sheet.valueLabels.back().text, "17");
    for (const RecordedText& label : sheet.probabilityLabels)
        EXPECT_EQ(label.y, 222);
    // The title is centred between columns 23 and 322, top at row 226.
    const RecordedText* title = FindText(sheet, "Река");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->x, 23 + 140); // (299 - 20) / 2 = 139.5 rounds to the even 140
    EXPECT_EQ(title->y, 226);
    const RecordedText* axis = FindText(sheet, "Q, м3/с");
    ASSERT_TRUE(axis);
    EXPECT_EQ(axis->x, 9);
    EXPECT_EQ(axis->y, 14);
    const RecordedText* p = FindText(sheet, "P, %");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x, 319);
    EXPECT_EQ(p->y, 212);
    EXPECT_EQ(p->font, "Times New Roman");

    CurveSettings fine = Defaults();
    fine.FineGrid = true;
    EXPECT_EQ(Draw(fine, ScreenPage()).canvas.lines[0].x1, 319);
}

TEST(CurveSheet, ProbabilityGridAndLabelsOfBothScales)
{
    CurveSettings s = Defaults();
    const Sheet coarse = Draw(s, ScreenPage());
    EXPECT_EQ(coarse.verticalGrid.size(), 94u);
    EXPECT_EQ(CountStyle(coarse.verticalGrid, PenStyle::Solid), 14);
    ASSERT_EQ(coarse.probabilityLabels.size(), 15u);
    EXPECT_EQ(coarse.probabilityLabels.front().text, "0,1");
    EXPECT_EQ(coarse.probabilityLabels.back().text, "99,9");
    // Centred on the grid line: 0.1 % sits on the value axis at column 26.
    const RecordedText& first = coarse.probabilityLabels.front();
    // Between columns 14 and 38, 15 pixels wide: (24 - 15) / 2 = 4.5 rounds to 4.
    EXPECT_EQ(first.x, 14 + 4);

    s.FineGrid = true;
    const Sheet fine = Draw(s, ScreenPage());
    EXPECT_EQ(fine.verticalGrid.size(), 112u);
    EXPECT_EQ(CountStyle(fine.verticalGrid, PenStyle::Solid), 16);
    ASSERT_EQ(fine.probabilityLabels.size(), 17u);
    EXPECT_EQ(fine.probabilityLabels.front().text, "0,01");
    EXPECT_EQ(fine.probabilityLabels.back().text, "99,99");
}

TEST(CurveSheet, ValueDivisions)
{
    CurveSettings s = Defaults();
    const Sheet defaults = Draw(s, ScreenPage());
    // 17 / 0.2 in extended precision is just below 85: 84 dotted lines.
    EXPECT_EQ(CountStyle(defaults.divisions, PenStyle::Dotted), 84);
    EXPECT_EQ(CountStyle(defaults.divisions, PenStyle::Solid), 17);
    for (const RecordedLine& l : defaults.divisions)
        EXPECT_EQ(l.x0, l.style == PenStyle::Solid ? 25 : 26); // the 0.1 cm tick

    s.MainStep = 0.5;
    SheetTarget point = ScreenPage();
    point.separator = '.';
    const Sheet halves = Draw(s, point);
    EXPECT_EQ(CountStyle(halves.divisions, PenStyle::Solid), 34);
    ASSERT_EQ(halves.valueLabels.size(), 35u);
    EXPECT_EQ(halves.valueLabels[1].text, "0.5");
    EXPECT_EQ(Draw(s, ScreenPage()).valueLabels[1].text, "0,5");
}

TEST(CurveSheet, FontSizesAndLineWidthsFollowTheTarget)
{
    const CurveSettings s = Defaults();
    const struct {
        SheetTarget target;
        int label, caption, thick, thin;
    } cases[] = {
        {ScreenPage(116), 2, 4, 0, 0},
        {ScreenPage(232), 5, 9, 1, 0},
        {PrinterPage(116), 8, 14, 0, 0},
        {PrinterPage(2362), 8, 14, 9, 2},
    };
    for (const auto& c : cases) {
        const Sheet sheet = Draw(s, c.target);
        ASSERT_FALSE(sheet.valueLabels.empty());
        EXPECT_EQ(sheet.valueLabels.front().size, c.label) << c.target.vUnit;
        EXPECT_EQ(sheet.probabilityLabels.front().size, c.label) << c.target.vUnit;
        EXPECT_EQ(FindText(sheet, "P, %")->size, c.caption) << c.target.vUnit;
        EXPECT_EQ(sheet.canvas.lines[0].width, c.thick) << c.target.vUnit;
        EXPECT_EQ(sheet.verticalGrid.front().width, c.thin) << c.target.vUnit;
    }
}

TEST(CurveSheet, PrinterAndScreenShareTheGeometry)
{
    const CurveSettings s = RunoffExample();
    const Sheet screen = Draw(s, ScreenPage(232));
    const Sheet printer = Draw(s, PrinterPage(232));
    ASSERT_EQ(screen.canvas.lines.size(), printer.canvas.lines.size());
    for (size_t i = 0; i < screen.canvas.lines.size(); ++i) {
        EXPECT_EQ(screen.canvas.lines[i].x0, printer.canvas.lines[i].x0);
        EXPECT_EQ(screen.canvas.lines[i].y1, printer.canvas.lines[i].y1);
    }
}

TEST(CurveSheet, PointsAreCirclesWithABlackCentre)
{
    CurveSettings s = Defaults();
    s.Legend = false; // its sample point would be one circle more
    for (int i = 0; i < 5; ++i) {
        s.Probabilities.Add(0.1);
        s.Values.Add(8.5);
    }
    const Sheet sheet = Draw(s, PrinterPage(100));
    ASSERT_EQ(sheet.canvas.ellipses.size(), 5u);
    const auto& e = sheet.canvas.ellipses.front();
    EXPECT_EQ(e.left, 20);
    EXPECT_EQ(e.right, 24);
    EXPECT_EQ(e.top, 103);
    EXPECT_EQ(e.bottom, 107);
    ASSERT_EQ(sheet.canvas.pixels.size(), 5u);
    EXPECT_EQ(sheet.canvas.pixels.front().x, 22);
    EXPECT_EQ(sheet.canvas.pixels.front().y, 105);
    EXPECT_EQ(sheet.canvas.pixels.front().color, kBlack);

    // A value above the scale is drawn above the graph, unclipped.
    s.Values.Put(0, 40);
    EXPECT_LT(Draw(s, PrinterPage(100)).canvas.pixels.front().y, SheetY(17, 100));

    // A probability left without its value (a rejected series) draws no
    // point of its own.
    CurveSettings ragged = Defaults();
    ragged.Legend = false;
    for (int i = 0; i < 6; ++i)
        ragged.Probabilities.Add(10 * (i + 1));
    for (int i = 0; i < 5; ++i)
        ragged.Values.Add(5);
    EXPECT_EQ(Draw(ragged, ScreenPage()).canvas.ellipses.size(), 5u);

    // Four points are not drawn.
    CurveSettings four = Defaults();
    for (int i = 0; i < 4; ++i) {
        four.Probabilities.Add(20 * (i + 1));
        four.Values.Add(i);
    }
    EXPECT_TRUE(Draw(four, ScreenPage()).canvas.ellipses.empty());
}

TEST(CurveSheet, SmoothingCurveRunsOneColumnAtATimeAcrossThePoints)
{
    const CurveSettings s = RunoffExample();
    const Sheet sheet = Draw(s, ScreenPage());
    // From Round((8.562 - 1) * 11.6) = 88 to Round((16.391 + 1) * 11.6) = 202.
    ASSERT_EQ(sheet.curve.size(), 202u - 88u);
    EXPECT_EQ(sheet.curve.front().x0, 26 + 89);
    EXPECT_EQ(sheet.curve.front().x1, 26 + 89);
    EXPECT_EQ(sheet.curve.back().x1, 26 + 202);
    for (size_t i = 1; i < sheet.curve.size(); ++i)
        EXPECT_EQ(sheet.curve[i].x1 - sheet.curve[i].x0, 1);
    // Over the first point (column 26 + 99) the curve is at 14.918 cm.
    const RecordedLine& over = sheet.curve[99 - 89];
    EXPECT_EQ(over.x1, 26 + 99);
    EXPECT_NEAR(over.y1, SheetY(14.918, 116), 1);
    EXPECT_EQ(sheet.canvas.ellipses.size(), 5u);

    // Left behind: a thin blue solid pen and the caption font.
    EXPECT_EQ(sheet.canvas.penColor, kBlue);
    EXPECT_EQ(sheet.canvas.penWidth, 0);
    EXPECT_EQ(sheet.canvas.penStyle, PenStyle::Solid);
    EXPECT_EQ(sheet.canvas.fontName, "Times New Roman");

    CurveSettings off = RunoffExample();
    off.SmoothCurve = false;
    const Sheet plain = Draw(off, ScreenPage());
    EXPECT_TRUE(plain.curve.empty());
    EXPECT_EQ(plain.canvas.penColor, kBlack);
}

TEST(CurveSheet, SettingsThatCannotBeDividedDrawWithoutFaulting)
{
    const struct {
        double max, min, main, additional;
    } cases[] = {
        {17, 17, 1, 0.2}, {0, 17, 1, 0.2}, {17, 0, 0, 0}, {17, 0, -1, -0.2}, {1e300, -1e300, 1e-300, 1e-300},
    };
    for (const auto& c : cases) {
        CurveSettings s = RunoffExample();
        s.ScaleMax = c.max;
        s.ScaleMin = c.min;
        s.MainStep = c.main;
        s.AdditionalStep = c.additional;
        Sheet sheet;
        ASSERT_NO_THROW(sheet = Draw(s, ScreenPage())) << c.max << " " << c.min;
        EXPECT_TRUE(sheet.divisions.empty());
        EXPECT_EQ(sheet.valueLabels.size(), 1u); // the minimum alone
        EXPECT_EQ(sheet.verticalGrid.size(), 94u);
    }
    // Equal ends give no height to place the points at.
    CurveSettings flat = RunoffExample();
    flat.ScaleMin = flat.ScaleMax = 5;
    EXPECT_TRUE(Draw(flat, ScreenPage()).canvas.ellipses.empty());
}

} // namespace
} // namespace aqualen
