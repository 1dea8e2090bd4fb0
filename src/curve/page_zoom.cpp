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

} // namespace aqualen
