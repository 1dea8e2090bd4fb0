#include <cmath>

#include <gtest/gtest.h>

#include "curve/curve_sheet.h"
#include "curve/probability_scale.h"
#include "curve/scale_check.h"
#include "recording_canvas.h"

namespace aqualen {
namespace {

TEST(ScaleCheck, AcceptsDrawableScales)
{
    EXPECT_FALSE(ScaleSettingsError(17, 0, 1, 0.2));
    EXPECT_FALSE(ScaleSettingsError(17, 0, 0.5, 0.1));
    EXPECT_FALSE(ScaleSettingsError(-5, -10, 1, 0.5));
    EXPECT_FALSE(ScaleSettingsError(1000, 0, 1, 1)); // exactly 1,000 divisions
}

TEST(ScaleCheck, RefusesWhatWouldDivideByZeroOrNeverEnd)
{
    const struct {
        double max, min, main, additional;
    } refused[] = {
        {17, 17, 1, 0.2},      {0, 17, 1, 0.2},  {17, 0, 0, 0.2},   {17, 0, -1, 0.2},
        {17, 0, 1, 0},         {17, 0, 1, -0.2}, {1001, 0, 1, 1},   {17, 0, 1, 0.001},
        {1e308, -1e308, 1, 1}, {NAN, 0, 1, 0.2}, {17, 0, NAN, 0.2},
    };
    for (const auto& r : refused) {
        const auto error = ScaleSettingsError(r.max, r.min, r.main, r.additional);
        ASSERT_TRUE(error) << r.max << " " << r.min << " " << r.main << " " << r.additional;
        EXPECT_EQ(error->back(), '!');
    }
}

TEST(ScaleCheck, DecimalStepsKeepTheirTopDivision)
{
    const struct {
        double max, min, step, count;
    } cases[] = {
        {17, 0, 1, 17},    {0.3, 0, 0.1, 3}, {1.7, 0, 0.1, 17}, {0.0024, -0.001, 0.0002, 17},
        {16.5, 0, 1, 16}, // a part of a step is not a division
        {0.35, 0, 0.1, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MainDivisionCount(c.max, c.min, c.step), c.count) << c.max << " " << c.min << " " << c.step;

    // 0,3 / 0,1 truncates to 2 in binary: the sheet still draws the line and
    // the label of the top.
    CurveSettings s;
    s.ScaleMax = 0.3;
    s.MainStep = 0.1;
    s.AdditionalStep = 0.02;
    SheetTarget target;
    target.hUnit = target.vUnit = 100;
    target.pageWidth = 297;
    target.pageHeight = 210;
    test::RecordingCanvas canvas;
    DrawCurveSheet(canvas, s, target);
    int solid = 0;
    for (const test::RecordedLine& line : canvas.lines)
        solid += line.style == PenStyle::Solid && line.x0 == SheetX(-0.1, 100) && line.y0 == line.y1 &&
                 line.y0 < SheetY(0, 100);
    EXPECT_EQ(solid, 3);
    bool topLabel = false;
    for (const test::RecordedText& text : canvas.texts)
        topLabel = topLabel || (text.text == "0,3" && text.y == SheetY(17.1, 100));
    EXPECT_TRUE(topLabel);
}

} // namespace
} // namespace aqualen
