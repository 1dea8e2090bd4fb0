// Where one series is split in two: the parts' limits and the proposal
// (Pettitt's change point where the trend tests take the series, else the
// middle), always within the limits.

#include <string>

#include <gtest/gtest.h>

#include "homog/series_split.h"

namespace aqualen {
namespace {

TEST(SeriesSplit, EachPartKeepsThreeLinesAndAtMostAPanesWorth)
{
    struct Case {
        size_t lines;
        size_t mostPerPart;
        std::optional<size_t> least;
        std::optional<size_t> most;
    };
    const Case cases[] = {
        {0, 100, {}, {}}, {5, 100, {}, {}}, {6, 100, 3, 3},  {10, 100, 3, 7},
        {10, 5, 5, 5},    {10, 4, {}, {}},  {10, 2, {}, {}},
    };
    for (const Case& c : cases) {
        const std::optional<SplitRange> range = SplitRangeOf(c.lines, c.mostPerPart);
        ASSERT_EQ(range.has_value(), c.least.has_value()) << c.lines << " / " << c.mostPerPart;
        if (range) {
            EXPECT_EQ(range->least, *c.least) << c.lines;
            EXPECT_EQ(range->most, *c.most) << c.lines;
        }
    }
}

SeriesLines Lines(std::initializer_list<const char*> values)
{
    return SeriesLines(values.begin(), values.end());
}

// 30 annual values: 12 low ones, then 18 high ones.
SeriesLines Shifted(size_t lowCount)
{
    SeriesLines lines;
    for (size_t i = 0; i < 30; ++i)
        lines.push_back(std::to_string((i < lowCount ? 100 : 200) + static_cast<int>(i % 5)));
    return lines;
}

TEST(SeriesSplit, TheChangePointWhereTheTrendTestsTakeTheSeriesElseTheMiddle)
{
    struct Case {
        const char* what;
        SeriesLines lines;
        size_t proposed;
    };
    const Case cases[] = {
        {"a shift after 12 of 30 values", Shifted(12), 12},
        {"a shift after the first value: clamped to three lines", Shifted(1), 3},
        {"a line that does not read",
         [] {
             SeriesLines lines = Shifted(12);
             lines[20] = "н/д";
             return lines;
         }(),
         15},
        {"too short for the trend tests", Lines({"1", "2", "3", "40", "50", "60", "70"}), 3},
        {"all values equal", SeriesLines(11, "5"), 5},
        {"the other decimal mark does not read", Lines({"1.5", "2", "3", "4", "5", "6", "7", "8", "9", "10"}), 5},
    };
    for (const Case& c : cases) {
        const std::optional<SplitRange> range = SplitRangeOf(c.lines.size(), 65535);
        ASSERT_TRUE(range) << c.what;
        EXPECT_EQ(ProposedSplit(c.lines, *range, ','), c.proposed) << c.what;
    }
}

} // namespace
} // namespace aqualen
