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

// The window's start: 345 × 244 at level 1, fitted to a view of 1000 × 600.
PageZoom Opened()
{
    PageZoom zoom;
    zoom.Open({345, 244}, {1000, 600}, {1000, 600});
    return zoom;
}

TEST(PageZoomControl, FromTheFitToTheNearestLevel)
{
    PageZoom zoom = Opened();
    EXPECT_TRUE(zoom.Fitted());
    EXPECT_EQ(zoom.Page(), (PageSize{820, 580}));
    // Fitted beyond the largest level, there is no level to zoom in to.
    EXPECT_FALSE(zoom.CanZoomIn());
    EXPECT_TRUE(zoom.CanZoomOut());
    zoom.ZoomIn();
    EXPECT_TRUE(zoom.Fitted()) << "no larger level: the fit stays";
    zoom.ZoomOut();
    EXPECT_FALSE(zoom.Fitted());
    EXPECT_EQ(zoom.View().ZoomLevel, 2);
    EXPECT_EQ(zoom.Page(), (PageSize{690, 488}));

    // Off the fit the page keeps its level's size whatever the view does.
    zoom.Resize({400, 300}, {400, 300});
    EXPECT_EQ(zoom.Page(), (PageSize{690, 488}));
    EXPECT_EQ(zoom.View().ViewWidth, 400);

    // Fitted to a small view, zooming in takes the smallest larger level.
    zoom.Fit({400, 300});
    EXPECT_EQ(zoom.Page(), (PageSize{379, 268}));
    EXPECT_TRUE(zoom.CanZoomIn() && zoom.CanZoomOut());
    zoom.ZoomIn();
    EXPECT_EQ(zoom.View().ZoomLevel, 2);
    EXPECT_EQ(zoom.Page(), (PageSize{690, 488}));
}

TEST(PageZoomControl, LevelsStepAndStopAtTheEnds)
{
    PageZoom zoom = Opened();
    zoom.ShowLevel(0);
    EXPECT_EQ(zoom.Page(), (PageSize{172, 122}));
    EXPECT_FALSE(zoom.CanZoomOut());
    zoom.ZoomOut();
    EXPECT_EQ(zoom.Page(), (PageSize{172, 122}));
    zoom.ZoomIn();
    EXPECT_EQ(zoom.Page(), (PageSize{344, 244})) << "back in doubles the halved size";
    zoom.ShowLevel(3);
    EXPECT_EQ(zoom.View().ZoomLevel, 1) << "no such level: ignored";
    zoom.ZoomIn();
    EXPECT_FALSE(zoom.CanZoomIn());
    zoom.ZoomIn();
    EXPECT_EQ(zoom.Page(), (PageSize{688, 488}));
}

TEST(PageZoomControl, WheelNotchesAddUp)
{
    PageZoom zoom = Opened();
    zoom.ShowLevel(0);
    zoom.Wheel(60);
    EXPECT_EQ(zoom.View().ZoomLevel, 0) << "half a notch: nothing yet";
    zoom.Wheel(60);
    EXPECT_EQ(zoom.View().ZoomLevel, 1);
    zoom.Wheel(5 * 120); // past the largest level: the rest is spent
    EXPECT_EQ(zoom.View().ZoomLevel, 2);
    zoom.Wheel(-120);
    EXPECT_EQ(zoom.View().ZoomLevel, 1);
}

TEST(PageZoomControl, PlacesThePageCentredOrAtTheEdge)
{
    PageZoom zoom = Opened();
    zoom.ShowLevel(1); // 345 × 244 in a view of 1000 × 600
    const PageSize area = zoom.Place({1000, 600});
    EXPECT_EQ(zoom.View().PageLeft, 328); // (1000 - 345) / 2 = 327.5, halves to even
    EXPECT_EQ(zoom.View().PageTop, 178);
    EXPECT_EQ(area, (PageSize{1000, 600}));
    zoom.ZoomIn();
    zoom.Resize({500, 400}, {500, 400});
    const PageSize scrolled = zoom.Place({500, 400});
    EXPECT_EQ(zoom.View().PageLeft, 0);
    EXPECT_EQ(zoom.View().PageTop, 0);
    EXPECT_EQ(scrolled, (PageSize{690 + kPageShadow, 488 + kPageShadow}));
    // A client area smaller than the view it was measured in never gives a
    // negative offset.
    zoom.ShowLevel(0);
    zoom.Resize({500, 400}, {500, 400});
    zoom.Place({100, 100});
    EXPECT_EQ(zoom.View().PageLeft, 0);
    EXPECT_EQ(zoom.View().PageTop, 0);
}

} // namespace
} // namespace aqualen
