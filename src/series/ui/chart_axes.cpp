#include "series/ui/chart_axes.h"

#include <QFont>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace aqualen::ui {

namespace {
constexpr qreal kAxisIntervals = 3;
}

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
    const qreal span = high - low;
    const qreal margin = span > 0 ? span * 0.05 : std::max(std::abs(low) * 0.05, 1.0);
    const qreal step = NiceStep((span + 2 * margin) / kAxisIntervals);
    axis.setTickInterval(step);
    axis.setRange(std::floor((low - margin) / step) * step, std::ceil((high + margin) / step) * step);
}

} // namespace aqualen::ui
