#include <QFont>
#include <QValueAxis>
#include <limits>

#include <gtest/gtest.h>

#include "series/ui/chart_axes.h"
#include "support/chart_checks.h"

namespace aqualen::test {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();

TEST(FitValueAxis, AnyFiniteValuesGiveAFiniteRangeAndFewTicks)
{
    const struct {
        double low, high;
        bool allShown; // false where the span itself exceeds the double range
    } cases[] = {
        {0, 1.7e308, true},
        {-8.5e307, 8.5e307, true},
        {-1.79e308, 1.79e308, false},
        {-kMax, kMax, false},
        {kMax, kMax, true},
        {-kMax, -kMax, true},
        {5, 5, true},
        {0, 0, true},
        {1e300, std::nextafter(1e300, kMax), true},
        {1e17, 1e17 + 16, true},
        {4.9e-324, 4.9e-324, true},
        {1, 1e300, true},
        {-3, 12.5, true},
    };
    for (const auto& c : cases) {
        QValueAxis axis;
        ui::SetUpValueAxis(axis, QFont(), QStringLiteral("%g"));
        ui::FitValueAxis(axis, c.low, c.high);
        EXPECT_TRUE(AxisIsSafe(axis, c.allShown ? std::vector<double>{c.low, c.high} : std::vector<double>{}))
            << c.low << " .. " << c.high;
    }
}

TEST(FitValueAxis, OrdinarySeriesKeepRoundTicks)
{
    QValueAxis axis;
    ui::SetUpValueAxis(axis, QFont(), QStringLiteral("%g"));
    ui::FitValueAxis(axis, 1, 20);
    EXPECT_EQ(axis.tickType(), QValueAxis::TicksDynamic);
    EXPECT_EQ(axis.tickInterval(), 10);
    EXPECT_EQ(axis.min(), 0);
    EXPECT_EQ(axis.max(), 30);

    // Back to round ticks after an extreme chart.
    ui::FitValueAxis(axis, -kMax, kMax);
    ui::FitValueAxis(axis, 0, 1);
    EXPECT_EQ(axis.tickType(), QValueAxis::TicksDynamic);
    EXPECT_EQ(axis.tickInterval(), 0.5);
}

TEST(FitTimeAxis, YearsEndToEndWithRoundLabels)
{
    QValueAxis axis;
    ui::FitTimeAxis(axis, 1981, 2010);
    EXPECT_EQ(axis.min(), 1981);
    EXPECT_EQ(axis.max(), 2010);
    EXPECT_EQ(axis.tickInterval(), 10);
    EXPECT_EQ(axis.tickAnchor(), 1990);
    // Five lines: whole steps only.
    ui::FitTimeAxis(axis, 1, 5);
    EXPECT_EQ(axis.tickInterval(), 1);
    // One year has no span of its own: a range around it.
    ui::FitTimeAxis(axis, 1990, 1990);
    EXPECT_LT(axis.min(), 1990);
    EXPECT_GT(axis.max(), 1990);
}

} // namespace
} // namespace aqualen::test
