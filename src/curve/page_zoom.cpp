#include "curve/page_zoom.h"

#include <algorithm>

#include "series/numeric_routines.h"

namespace aqualen {

namespace {

// The page's width for its height, as the window sizes it at creation.
constexpr long double kAspect = 1.414L;
constexpr PageSize kSmallestFit{50, 35};

int32_t Half(int32_t side)
{
    return static_cast<int32_t>(RoundHalfEven(side / 2.0L));
}

} // namespace

PageSize HalvedPage(PageSize page)
{
    return {Half(page.width), Half(page.height)};
}

PageSize DoubledPage(PageSize page)
{
    return {page.width * 2, page.height * 2};
}

std::array<PageSize, 3> ZoomLevelPages(int level, PageSize atLevel)
{
    level = std::clamp(level, 0, 2);
    std::array<PageSize, 3> pages{};
    pages[static_cast<size_t>(level)] = atLevel;
    for (int l = level - 1; l >= 0; --l)
        pages[static_cast<size_t>(l)] = HalvedPage(pages[static_cast<size_t>(l + 1)]);
    for (int l = level + 1; l <= 2; ++l)
        pages[static_cast<size_t>(l)] = DoubledPage(pages[static_cast<size_t>(l - 1)]);
    return pages;
}

PageSize FittedPage(int32_t viewWidth, int32_t viewHeight, int32_t margin, int32_t shadow)
{
    const long double width = static_cast<long double>(viewWidth) - 2 * margin - shadow;
    const long double height = static_cast<long double>(viewHeight) - 2 * margin - shadow;
    // The height the width allows, rounded down so that the page never spills.
    const long double byWidth = static_cast<long double>(static_cast<int64_t>(width / kAspect));
    const int32_t fitted = static_cast<int32_t>(std::max<long double>(std::min(height, byWidth), 0));
    if (fitted < kSmallestFit.height)
        return kSmallestFit;
    const auto fittedWidth = static_cast<int32_t>(RoundHalfEven(fitted * kAspect));
    return {std::min<int32_t>(fittedWidth, static_cast<int32_t>(width)), fitted};
}

void PageZoom::Open(PageSize levelPage, PageSize view, PageSize fitArea)
{
    levelPage_ = levelPage;
    page_ = levelPage;
    view_.ViewWidth = view.width;
    view_.ViewHeight = view.height;
    view_.PlacementPending = true;
    // The zoom levels keep the sizes of the page it opened with; the first
    // zoom leaves the fit for the nearest one.
    Fit(fitArea);
}

void PageZoom::Resize(PageSize view, PageSize fitArea)
{
    view_.ViewWidth = view.width;
    view_.ViewHeight = view.height;
    if (fitted_)
        page_ = FittedPage(fitArea.width, fitArea.height, kFitMargin, kPageShadow);
}

void PageZoom::Fit(PageSize fitArea)
{
    fitted_ = true;
    page_ = FittedPage(fitArea.width, fitArea.height, kFitMargin, kPageShadow);
}

void PageZoom::LeaveFit(int direction)
{
    const std::array<PageSize, 3> pages = LevelPages();
    int target = -1;
    // Zooming in takes the smallest larger level, zooming out the largest
    // smaller one.
    for (int level = 0; level <= 2; ++level) {
        const int32_t levelHeight = pages[static_cast<size_t>(level)].height;
        if (direction > 0 && levelHeight > page_.height && target < 0)
            target = level;
        if (direction < 0 && levelHeight < page_.height)
            target = level;
    }
    if (target >= 0)
        ShowLevel(target);
}

void PageZoom::ShowLevel(int level)
{
    if (level < 0 || level > 2)
        return;
    const std::array<PageSize, 3> pages = LevelPages();
    fitted_ = false;
    view_.ZoomLevel = static_cast<uint8_t>(level);
    levelPage_ = pages[static_cast<size_t>(level)];
    page_ = levelPage_;
}

void PageZoom::ZoomOut()
{
    if (fitted_) {
        LeaveFit(-1);
        return;
    }
    if (view_.ZoomLevel == 0)
        return;
    page_ = HalvedPage(page_);
    levelPage_ = page_;
    --view_.ZoomLevel;
}

void PageZoom::ZoomIn()
{
    if (fitted_) {
        LeaveFit(+1);
        return;
    }
    if (view_.ZoomLevel >= 2)
        return;
    page_ = DoubledPage(page_);
    levelPage_ = page_;
    ++view_.ZoomLevel;
}

void PageZoom::Wheel(int delta)
{
    // A wheel notch is 120; a touchpad sends smaller turns that add up.
    constexpr int kNotch = 120;
    wheelDelta_ += delta;
    while (wheelDelta_ >= kNotch) {
        wheelDelta_ -= kNotch;
        if (CanZoomIn())
            ZoomIn();
    }
    while (wheelDelta_ <= -kNotch) {
        wheelDelta_ += kNotch;
        if (CanZoomOut())
            ZoomOut();
    }
}

bool PageZoom::CanZoomIn() const
{
    // From a fitted page the buttons lead to the levels beyond it.
    if (fitted_)
        return LevelPages()[2].height > page_.height;
    return view_.ZoomLevel < 2;
}

bool PageZoom::CanZoomOut() const
{
    if (fitted_)
        return LevelPages()[0].height < page_.height;
    return view_.ZoomLevel > 0;
}

PageSize PageZoom::Place(PageSize client)
{
    const auto centred = [](int32_t clientSide, int32_t pageSide) {
        return static_cast<int32_t>(RoundHalfEven((clientSide - pageSide) / 2.0L));
    };
    view_.PageLeft = page_.width < view_.ViewWidth ? centred(client.width, page_.width) : 0;
    view_.PageTop = page_.height < view_.ViewHeight ? centred(client.height, page_.height) : 0;
    // Offsets computed from a stale client size are never negative.
    view_.PageLeft = std::max(view_.PageLeft, 0);
    view_.PageTop = std::max(view_.PageTop, 0);
    return {std::max(client.width, view_.PageLeft + page_.width + kPageShadow),
            std::max(client.height, view_.PageTop + page_.height + kPageShadow)};
}

} // namespace aqualen
