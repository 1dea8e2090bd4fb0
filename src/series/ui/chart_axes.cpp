#include "series/ui/chart_axes.h"

#include <QFont>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace aqualen::ui {

namespace {

constexpr qreal kAxisIntervals = 3;
// More intervals than this would only crowd the labels.
constexpr qreal kMaxIntervals = 12;
constexpr qreal kLargest = std::numeric_limits<qreal>::max();

// The fallback when no round step fits: ticks at the ends and two between.
void SetFixedTicks(QValueAxis& axis, qreal lower, qreal upper)
{
    axis.setTickType(QValueAxis::TicksFixed);
    // The chart labels tick i as min + i * (max - min) / (count - 1), which
    // must not overflow: the ends alone on the widest ranges.
    const bool roomForMore = upper / 2 - lower / 2 <= kLargest / (2 * kAxisIntervals);
    axis.setTickCount(roomForMore ? static_cast<int>(kAxisIntervals) + 1 : 2);
    axis.setRange(lower, upper);
}

} // namespace

qreal NiceStep(qreal rough)
{
    if (!(rough > 0) || !std::isfinite(rough))
        return 1;
    const qreal power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const qreal factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= rough)
            return factor * power;
    return 10 * power;
}

void SetUpValueAxis(QValueAxis& axis, const QFont& windowFont, const QString& labelFormat)
{
    QFont labels = windowFont;
    labels.setPointSize(8);
    axis.setLabelsFont(labels);
    axis.setLabelFormat(labelFormat);
    axis.setTickType(QValueAxis::TicksDynamic);
    axis.setTickAnchor(0);
    axis.setTickInterval(0.5);
    axis.setRange(0, 1);
}

void FitValueAxis(QValueAxis& axis, qreal low, qreal high)
{
    if (!std::isfinite(low) || !std::isfinite(high) || low > high) {
        SetFixedTicks(axis, 0, 1);
        return;
    }
    // Halves keep every intermediate finite up to the ends of the double
    // range: the margin is 5 % of the span on each side (a single value gets
    // 5 % of itself, at least 1).
    const qreal mid = low / 2 + high / 2;
    const qreal halfSpan = high / 2 - low / 2;
    qreal halfWidth = halfSpan > 0 ? halfSpan * 1.1 : std::max(std::abs(mid) * 0.05, 1.0);
    // The chart maps a point through (max - min), which must stay finite; a
    // span beyond the double range shows its middle.
    halfWidth = std::min(halfWidth, kLargest / 2);
    qreal lower = std::max(mid - halfWidth, -kLargest);
    qreal upper = std::min(mid + halfWidth, kLargest);
    if (halfSpan <= kLargest / 2) {
        // A margin below the values' precision rounds away; the values stay in.
        lower = std::min(lower, low);
        upper = std::max(upper, high);
    }

    qreal step = NiceStep((upper / 2 - lower / 2) * (2 / kAxisIntervals));
    if (std::isfinite(step)) {
        qreal start = std::floor(lower / step) * step;
        qreal end = std::ceil(upper / step) * step;
        if (!std::isfinite(start) || !std::isfinite(end) || end / 2 - start / 2 > kLargest / 2) {
            // Round ends would leave the double range: keep the ends, and a
            // smaller round step where fewer than two ticks fall between.
            start = lower;
            end = upper;
            for (const qreal smaller : {0.5, 0.4, 0.5})
                if (std::floor(end / step) - std::ceil(start / step) < 1)
                    step *= smaller;
        }
        // The chart lays out every tick from a step before the first to the
        // last by adding the step: too many ticks, a step lost in the
        // rounding of the ends, or a tick beyond the double range (where the
        // chart then adds steps to infinity without end) must never reach it.
        if ((end - start) / step <= kMaxIntervals && start <= lower && end >= upper && start + step != start &&
            end - step != end && std::isfinite(start - 2 * step) && std::isfinite(end + 2 * step)) {
            axis.setTickType(QValueAxis::TicksDynamic);
            axis.setTickInterval(step);
            axis.setRange(start, end);
            return;
        }
    }
    SetFixedTicks(axis, lower, upper);
}

void FitTimeAxis(QValueAxis& axis, qreal first, qreal last)
{
    if (!std::isfinite(first) || !std::isfinite(last) || !(last > first) || last - first > 1e6) {
        FitValueAxis(axis, first, last);
        return;
    }
    // A year is a whole step: never label halves.
    const qreal step = std::max<qreal>(1, NiceStep((last - first) / (kAxisIntervals + 1)));
    axis.setTickType(QValueAxis::TicksDynamic);
    axis.setTickAnchor(std::ceil(first / step) * step);
    axis.setTickInterval(step);
    axis.setRange(first, last);
}

} // namespace aqualen::ui
