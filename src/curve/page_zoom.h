#pragma once
// Sizes of the curve window's page: the three zoom levels, which halve and
// double the page, and the size that fits the page into the window.

#include <array>
#include <cstdint>

namespace aqualen {

// How the curve window shows its page: the window's own state, apart from
// what the sheet is.
struct PageView {
    int32_t ViewWidth = 0; // the visible area the page lies in, pixels
    int32_t ViewHeight = 0;
    int32_t PageLeft = 0; // the page's offset in that area
    int32_t PageTop = 0;
    uint8_t ZoomLevel = 1;        // 0 half, 1 initial, 2 double size
    bool PlacementPending = true; // the page is placed at the next activation
    bool SheetReady = false;      // the parameters were stored once: the sheet is drawn
};

struct PageSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const PageSize&) const = default;
};

// Half the page, each side rounded halves to even (345 -> 172).
PageSize HalvedPage(PageSize page);
PageSize DoubledPage(PageSize page);

// The page at zoom levels 0, 1 and 2, given its size at `level`: halving and
// doubling step by step, as the zoom buttons do.
std::array<PageSize, 3> ZoomLevelPages(int level, PageSize atLevel);

// The largest landscape page (height × 1.414 wide) that fits a view of this
// size with `margin` pixels around it and its shadow; never below 50 × 35.
PageSize FittedPage(int32_t viewWidth, int32_t viewHeight, int32_t margin, int32_t shadow);

} // namespace aqualen
