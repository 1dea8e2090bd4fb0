#include <gtest/gtest.h>

#include "curve/page_zoom.h"

namespace aqualen {
namespace {

TEST(PageZoom, LevelsHalveAndDoubleStepByStep)
{
    // The window's start page: 345 × 244 at level 1.
    const auto fromOne = ZoomLevelPages(1, {345, 244});
    EXPECT_EQ(fromOne[0], (PageSize{172, 122}));
    EXPECT_EQ(fromOne[2], (PageSize{690, 488}));
    // Once zoomed out, the way back in doubles the halved size.
    const auto fromZero = ZoomLevelPages(0, {172, 122});
    EXPECT_EQ(fromZero[1], (PageSize{344, 244}));
    EXPECT_EQ(fromZero[2], (PageSize{688, 488}));
}

TEST(PageZoom, FitKeepsTheAspectAndTheMargins)
{
    struct Case {
        int viewWidth, viewHeight;
        PageSize expected;
    };
    const Case cases[] = {
        {1000, 600, {820, 580}}, // the height limits: 600 - 2 * 8 - 4 = 580
        {600, 1000, {580, 410}}, // the width limits: (600 - 20) / 1.414 = 410.18 -> 410 high
        {1920, 1000, {1386, 980}},
        {30, 30, {50, 35}}, // never below the smallest page
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.viewWidth << "x" << c.viewHeight);
        const PageSize page = FittedPage(c.viewWidth, c.viewHeight, 8, 4);
        EXPECT_EQ(page, c.expected);
        if (c.viewWidth > 100) {
            EXPECT_LE(page.width + 20, c.viewWidth);
            EXPECT_LE(page.height + 20, c.viewHeight);
        }
    }
}

} // namespace
} // namespace aqualen
