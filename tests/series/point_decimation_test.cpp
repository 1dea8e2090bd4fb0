#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "series/point_decimation.h"

namespace aqualen {
namespace {

std::pair<int, int> Cell(const PlotPoint& p, const PixelGrid& g)
{
    const auto at = [](double v, double lo, double hi, int n) {
        return std::clamp(static_cast<int>(std::floor((v - lo) / (hi - lo) * n)), 0, n - 1);
    };
    return {at(p.x, g.xMin, g.xMax, g.columns), at(p.y, g.yMin, g.yMax, g.rows)};
}

std::vector<PlotPoint> Cloud(size_t count, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> x(100, 30);
    std::normal_distribution<double> noise(0, 8);
    std::vector<PlotPoint> points(count);
    for (PlotPoint& p : points) {
        p.x = std::round(x(random) * 10) / 10;
        p.y = 0.8 * p.x + noise(random);
    }
    return points;
}

TEST(ThinScatter, NoMorePointsThanColumnsKeepsThemAll)
{
    const std::vector<PlotPoint> points = {{1, 1}, {1, 1}, {2, 5}};
    const PixelGrid grid{0, 10, 0, 10, 3, 3};
    EXPECT_EQ(ThinScatter(points, grid), (std::vector<size_t>{0, 1, 2}));
    EXPECT_TRUE(ThinScatter({}, grid).empty());
}

// Every cell the full cloud touches is touched by exactly one kept point, the
// first of that cell, and the extremes of x and y stay.
TEST(ThinScatter, OnePointPerTouchedCellAndTheExtremes)
{
    const std::vector<PlotPoint> points = Cloud(65535, 3);
    const PixelGrid grid{-50, 250, -50, 250, 300, 120};
    const std::vector<size_t> kept = ThinScatter(points, grid);
    ASSERT_TRUE(std::is_sorted(kept.begin(), kept.end()));
    ASSERT_LT(kept.size(), points.size());

    std::map<std::pair<int, int>, size_t> firstInCell;
    for (size_t i = 0; i < points.size(); ++i)
        firstInCell.emplace(Cell(points[i], grid), i);
    std::set<size_t> keptSet(kept.begin(), kept.end());
    for (const auto& [cell, index] : firstInCell)
        EXPECT_TRUE(keptSet.count(index)) << index;

    const auto byX = [](const PlotPoint& a, const PlotPoint& b) { return a.x < b.x; };
    const auto byY = [](const PlotPoint& a, const PlotPoint& b) { return a.y < b.y; };
    for (const auto& less : {+byX, +byY}) {
        // Not a structured binding: clang 14 cannot capture one in a lambda.
        const auto bounds = std::minmax_element(points.begin(), points.end(), less);
        const auto low = bounds.first;
        const auto high = bounds.second;
        EXPECT_TRUE(keptSet.count(static_cast<size_t>(low - points.begin())));
        EXPECT_TRUE(std::any_of(kept.begin(), kept.end(),
                                [&](size_t i) { return !less(points[i], *high) && !less(*high, points[i]); }));
    }
    EXPECT_LE(kept.size(), firstInCell.size() + 4);
}

TEST(ThinScatter, PointsOutsideTheRangeOrOnAFlatRangeStayInTheEndCells)
{
    const std::vector<PlotPoint> points = {{-5, 3}, {-4, 3}, {20, 3}, {21, 3}, {5, 3}};
    const PixelGrid grid{0, 10, 3, 3, 2, 2};
    // Left cell: 0 and 1; right cell: 2, 3 and 4; 3 stays as the largest x.
    EXPECT_EQ(ThinScatter(points, grid), (std::vector<size_t>{0, 2, 3}));
}

// A daily series over a few hundred columns: per column, the kept points
// reach as low and as high as all points there, and the first and last
// points of each column stay, so the joins between columns are the same.
TEST(LineEnvelope, KeepsEachColumnsRangeAndEnds)
{
    std::mt19937 random(5);
    std::lognormal_distribution<double> runoff(4.5, 0.3);
    std::vector<PlotPoint> points(30000);
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = {static_cast<double>(i), runoff(random)};
    const PixelGrid grid{0, 30000, 0, 400, 317, 100};
    const std::vector<size_t> kept = LineEnvelope(points, grid);
    ASSERT_TRUE(std::is_sorted(kept.begin(), kept.end()));
    ASSERT_LE(kept.size(), 4u * 317u);

    struct Column {
        double low = 1e300, high = -1e300;
        size_t first = SIZE_MAX, last = 0;
    };
    const auto columns = [&](const std::vector<size_t>& indices) {
        std::map<int, Column> result;
        for (const size_t i : indices) {
            Column& c = result[Cell(points[i], grid).first];
            c.low = std::min(c.low, points[i].y);
            c.high = std::max(c.high, points[i].y);
            c.first = std::min(c.first, i);
            c.last = std::max(c.last, i);
        }
        return result;
    };
    std::vector<size_t> all(points.size());
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = i;
    const std::map<int, Column> full = columns(all);
    const std::map<int, Column> thin = columns(kept);
    ASSERT_EQ(full.size(), thin.size());
    for (const auto& [column, c] : full) {
        const Column& t = thin.at(column);
        EXPECT_EQ(t.low, c.low) << column;
        EXPECT_EQ(t.high, c.high) << column;
        EXPECT_EQ(t.first, c.first) << column;
        EXPECT_EQ(t.last, c.last) << column;
    }
}

TEST(LineEnvelope, ShortSeriesStayWhole)
{
    const std::vector<PlotPoint> points = {{0, 1}, {1, 1}, {2, 1}};
    EXPECT_EQ(LineEnvelope(points, PixelGrid{0, 2, 0, 1, 3, 10}), (std::vector<size_t>{0, 1, 2}));
}

} // namespace
} // namespace aqualen
