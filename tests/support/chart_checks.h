#pragma once
// Checks on the value axes of the report charts: whatever the values, an
// axis must leave the chart a finite range and only a few ticks to lay out
// (the chart lays out every tick, so a runaway count freezes the window).

#include <QValueAxis>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

namespace aqualen::test {

inline constexpr double kMostTicks = 20;

// The axis is finite, has at most kMostTicks ticks, and its range holds
// every value in `held`.
inline ::testing::AssertionResult AxisIsSafe(const QValueAxis& axis, const std::vector<double>& held = {})
{
    const double low = axis.min();
    const double high = axis.max();
    if (!std::isfinite(low) || !std::isfinite(high) || !std::isfinite(high - low) || !(low < high))
        return ::testing::AssertionFailure() << "range [" << low << ", " << high << "]";
    if (axis.tickType() == QValueAxis::TicksDynamic) {
        const double ticks = (high - low) / axis.tickInterval();
        if (!(ticks <= kMostTicks))
            return ::testing::AssertionFailure()
                   << ticks << " ticks of " << axis.tickInterval() << " over [" << low << ", " << high << "]";
        if (low + axis.tickInterval() == low || high - axis.tickInterval() == high)
            return ::testing::AssertionFailure() << "step " << axis.tickInterval() << " lost at the ends";
        // The chart starts a step before the first tick; it must stay finite.
        if (!std::isfinite(low - 2 * axis.tickInterval()) || !std::isfinite(high + 2 * axis.tickInterval()))
            return ::testing::AssertionFailure()
                   << "ticks beyond the double range over [" << low << ", " << high << "]";
    } else if (axis.tickCount() > kMostTicks) {
        return ::testing::AssertionFailure() << axis.tickCount() << " fixed ticks";
    } else if (!std::isfinite((axis.tickCount() - 1) * (high - low))) {
        // The chart labels fixed tick i as min + i * (max - min) / (count - 1).
        return ::testing::AssertionFailure() << "fixed tick labels overflow over [" << low << ", " << high << "]";
    }
    for (const double value : held)
        if (value < low || value > high)
            return ::testing::AssertionFailure() << value << " outside [" << low << ", " << high << "]";
    return ::testing::AssertionSuccess();
}

} // namespace aqualen::test
