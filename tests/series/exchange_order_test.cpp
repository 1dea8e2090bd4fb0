#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "series/exchange_order.h"
#include "series/numeric_lists.h"

namespace aqualen {
namespace {

// The exchange sort as the lists always ran it, carrying each element's
// original index: the reference the fast order must match place by place.
std::vector<size_t> ReferenceOrder(std::vector<double> values)
{
    std::vector<size_t> labels(values.size());
    std::iota(labels.begin(), labels.end(), size_t{0});
    const size_t n = values.size();
    for (size_t i = 0; i < n; ++i) {
        double current = values[i];
        for (size_t j = i; j < n; ++j) {
            if (values[j] > current) {
                std::swap(values[i], values[j]);
                std::swap(labels[i], labels[j]);
                current = values[i];
            }
        }
    }
    return labels;
}

std::vector<size_t> FastOrder(const std::vector<double>& values)
{
    return ExchangeSortOrder(values.data(), values.size());
}

TEST(ExchangeSortOrder, SmallCasesPlaceTiesAsTheExchanges)
{
    const std::vector<std::vector<double>> cases = {
        {},
        {4},
        {1, 1},
        {1, 2, 1},
        {1, 1, 2},
        {2, 1, 1},
        {1, 2, 1, 2, 1},
        {1, 1, 1, 3, 2, 2, 3, 1},
        {0, 5, 0, 0, 5, 0, 5, 0, 0},
        {3, 2, 1, 3, 2, 1, 3, 2, 1},
        {1, 2, 3, 4, 5, 1, 2, 3, 4, 5},
        {0.0, -0.0, 0.0, 1, -0.0},
    };
    for (const std::vector<double>& values : cases)
        EXPECT_EQ(FastOrder(values), ReferenceOrder(values)) << testing::PrintToString(values);
}

// Every list of length up to 8 over three levels: each tie pattern there is.
TEST(ExchangeSortOrder, EveryShortListOverThreeLevels)
{
    for (size_t length = 1; length <= 8; ++length) {
        std::vector<int> digits(length, 0);
        for (;;) {
            const std::vector<double> values(digits.begin(), digits.end());
            ASSERT_EQ(FastOrder(values), ReferenceOrder(values)) << testing::PrintToString(values);
            size_t d = 0;
            while (d < length && ++digits[d] == 3)
                digits[d++] = 0;
            if (d == length)
                break;
        }
    }
}

TEST(ExchangeSortOrder, RandomListsWithHeavyTies)
{
    std::mt19937 random(20240614);
    std::uniform_int_distribution<int> length(0, 400);
    std::uniform_int_distribution<int> levelCount(1, 12);
    for (int trial = 0; trial < 2000; ++trial) {
        std::uniform_int_distribution<int> level(0, levelCount(random) - 1);
        std::vector<double> values(static_cast<size_t>(length(random)));
        for (double& v : values)
            v = 0.5 * level(random);
        ASSERT_EQ(FastOrder(values), ReferenceOrder(values)) << testing::PrintToString(values);
    }
}

// A NaN is compared with nothing; such lists take the exchanges themselves.
TEST(ExchangeSortOrder, ListsWithNaNOrInfinity)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::vector<double>> cases = {
        {1, nan, 2, 1},
        {nan, 3, 3, 1},
        {inf, 1, -inf, inf, 1},
    };
    for (const std::vector<double>& values : cases)
        EXPECT_EQ(FastOrder(values), ReferenceOrder(values));
}

TEST(ExchangeSortOrder, ListSortKeepsTheSignOfZerosWhereTheExchangesPutThem)
{
    const std::vector<double> values = {0.0, -0.0, 1, 0.0, -0.0, -0.0};
    TDoubleList list;
    for (const double v : values)
        list.Add(v);
    list.SortDescending();
    const std::vector<size_t> reference = ReferenceOrder(values);
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(std::signbit(list.Get(static_cast<int32_t>(i))), std::signbit(values[reference[i]])) << i;
}

} // namespace
} // namespace aqualen
