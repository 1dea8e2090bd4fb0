#include "series/point_decimation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace aqualen {

namespace {

// The pixel a value falls in along one axis; values at or beyond the range's
// ends fall in the end pixels, and an empty range is one pixel.
int64_t PixelOf(double value, double low, double high, int pixels)
{
    if (!(high > low) || pixels <= 1)
        return 0;
    const double at = std::floor((value - low) / (high - low) * pixels);
    if (!(at > 0))
        return 0;
    return std::min<int64_t>(static_cast<int64_t>(std::min(at, 1e18)), pixels - 1);
}

// Moves `low` to point i where its coordinate on `axis` is less, `high`
// where it is greater: of equal ones, the first stays.
void TakeExtreme(const std::vector<PlotPoint>& points, size_t i, double PlotPoint::*axis, size_t& low, size_t& high)
{
    if (points[i].*axis < points[low].*axis)
        low = i;
    if (points[i].*axis > points[high].*axis)
        high = i;
}

// Indices of the first least and greatest x and y.
void MarkExtremes(const std::vector<PlotPoint>& points, std::vector<bool>& keep)
{
    size_t minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (size_t i = 1; i < points.size(); ++i) {
        TakeExtreme(points, i, &PlotPoint::x, minX, maxX);
        TakeExtreme(points, i, &PlotPoint::y, minY, maxY);
    }
    for (const size_t i : {minX, maxX, minY, maxY})
        keep[i] = true;
}

std::vector<size_t> KeptIndices(const std::vector<bool>& keep)
{
    std::vector<size_t> indices;
    for (size_t i = 0; i < keep.size(); ++i)
        if (keep[i])
            indices.push_back(i);
    return indices;
}

std::vector<size_t> AllIndices(size_t count)
{
    std::vector<size_t> indices(count);
    for (size_t i = 0; i < count; ++i)
        indices[i] = i;
    return indices;
}

} // namespace

std::vector<size_t> ThinScatter(const std::vector<PlotPoint>& points, const PixelGrid& grid)
{
    if (points.size() <= static_cast<size_t>(std::max(grid.columns, 0)))
        return AllIndices(points.size());
    // Wider than any screen, a cell spans more than a pixel; this bounds the
    // map of taken cells to a few megabytes.
    constexpr int kMostPixels = 16384;
    const int64_t columns = std::clamp(grid.columns, 1, kMostPixels);
    const int64_t rows = std::clamp(grid.rows, 1, kMostPixels);
    std::vector<bool> taken(static_cast<size_t>(columns * rows), false);
    std::vector<bool> keep(points.size(), false);
    for (size_t i = 0; i < points.size(); ++i) {
        const int64_t column = PixelOf(points[i].x, grid.xMin, grid.xMax, static_cast<int>(columns));
        const int64_t row = PixelOf(points[i].y, grid.yMin, grid.yMax, static_cast<int>(rows));
        const size_t cell = static_cast<size_t>(row * columns + column);
        if (!taken[cell]) {
            taken[cell] = true;
            keep[i] = true;
        }
    }
    MarkExtremes(points, keep);
    return KeptIndices(keep);
}

std::vector<size_t> LineEnvelope(const std::vector<PlotPoint>& points, const PixelGrid& grid)
{
    if (points.size() <= static_cast<size_t>(std::max(grid.columns, 0)))
        return AllIndices(points.size());
    std::vector<bool> keep(points.size(), false);
    size_t first = 0;
    while (first < points.size()) {
        const int64_t column = PixelOf(points[first].x, grid.xMin, grid.xMax, grid.columns);
        size_t last = first;
        size_t low = first;
        size_t high = first;
        while (last + 1 < points.size() && PixelOf(points[last + 1].x, grid.xMin, grid.xMax, grid.columns) == column) {
            ++last;
            TakeExtreme(points, last, &PlotPoint::y, low, high);
        }
        for (const size_t i : {first, low, high, last})
            keep[i] = true;
        first = last + 1;
    }
    return KeptIndices(keep);
}

} // namespace aqualen
