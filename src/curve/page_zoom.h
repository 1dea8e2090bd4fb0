#pragma once
// The curve window's page view: the three zoom levels, which halve and
// double the page, the size that fits the page into the window, and the
// controller that steps between them and places the page.

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

// The black shadow to the right of and below the page, and the free margin
// a fitted page keeps around itself and its shadow, pixels.
inline constexpr int32_t kPageShadow = 4;
inline constexpr int32_t kFitMargin = 8;

// Half the page, each side rounded halves to even (345 -> 172).
PageSize HalvedPage(PageSize page);
PageSize DoubledPage(PageSize page);

// The page at zoom levels 0, 1 and 2, given its size at `level`: halving and
// doubling step by step, as the zoom buttons do.
std::array<PageSize, 3> ZoomLevelPages(int level, PageSize atLevel);

// The largest landscape page (height × 1.414 wide) that fits a view of this
// size with `margin` pixels around it and its shadow; never below 50 × 35.
PageSize FittedPage(int32_t viewWidth, int32_t viewHeight, int32_t margin, int32_t shadow);

// The page's zoom and place. The page is either fitted to the window (it
// follows the window's size) or at one of the three zoom levels; zooming in
// or out of a fitted page goes to the nearest level beyond it. The window
// forwards its buttons, keys, wheel and resizes here and shows the page at
// Page(), at the offsets of View().
class PageZoom {
public:
    // Opens with the page of zoom level 1, fitted to `fitArea` (the visible
    // area without scroll bars); `view` is the visible area.
    void Open(PageSize levelPage, PageSize view, PageSize fitArea);
    // The visible area is now `view`: a fitted page follows `fitArea`.
    void Resize(PageSize view, PageSize fitArea);
    // Fits the page to `fitArea` until a zoom leaves the fit.
    void Fit(PageSize fitArea);
    // One level larger or smaller: from a fitted page the nearest level
    // beyond it, if there is one.
    void ZoomIn();
    void ZoomOut();
    // The page at zoom level 0..2, the fit left; any other level is ignored.
    void ShowLevel(int level);
    // Ctrl+wheel: turns add up, and each whole notch (120) zooms a level, as
    // far as there are levels.
    void Wheel(int delta);

    bool CanZoomIn() const;
    bool CanZoomOut() const;
    bool Fitted() const { return fitted_; }
    PageSize Page() const { return page_; }

    // Places the page in the client area (the visible area as it is now):
    // centred where it is smaller than the view, at the edge where not.
    // Gives the size of the scrolled content, which holds the page and its
    // shadow and fills the client area.
    PageSize Place(PageSize client);

    PageView& View() { return view_; }
    const PageView& View() const { return view_; }

private:
    // The zoom level larger (+1) or smaller (-1) than the fitted page.
    void LeaveFit(int direction);
    std::array<PageSize, 3> LevelPages() const { return ZoomLevelPages(view_.ZoomLevel, levelPage_); }

    PageView view_;
    PageSize levelPage_; // the page at the current zoom level, kept while fitted
    PageSize page_;      // the page as shown
    bool fitted_ = false;
    int wheelDelta_ = 0; // Ctrl+wheel turned but not yet a whole notch
};

} // namespace aqualen
