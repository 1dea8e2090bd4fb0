#include "series/ui/chart_thinning.h"

#include <QChartView>
#include <QValueAxis>

#include <cmath>
#include <vector>

namespace aqualen::ui {

namespace {

std::vector<PlotPoint> PlotPoints(const QList<QPointF>& points)
{
    std::vector<PlotPoint> plot(static_cast<size_t>(points.size()));
    for (qsizetype i = 0; i < points.size(); ++i)
        plot[static_cast<size_t>(i)] = {points[i].x(), points[i].y()};
    return plot;
}

QList<QPointF> Picked(const QList<QPointF>& points, const std::vector<size_t>& indices)
{
    if (indices.size() == static_cast<size_t>(points.size()))
        return points;
    QList<QPointF> picked;
    picked.reserve(static_cast<qsizetype>(indices.size()));
    for (const size_t i : indices)
        picked.append(points[static_cast<qsizetype>(i)]);
    return picked;
}

} // namespace

QSize ChartPixels(const QChartView& view)
{
    const qreal ratio = view.devicePixelRatioF();
    return QSize(static_cast<int>(std::ceil(view.width() * ratio)), static_cast<int>(std::ceil(view.height() * ratio)));
}

PixelGrid ChartPixelGrid(const QSize& pixels, const QValueAxis& x, const QValueAxis& y)
{
    return PixelGrid{x.min(), x.max(), y.min(), y.max(), pixels.width(), pixels.height()};
}

QList<QPointF> ThinnedScatter(const QList<QPointF>& points, const PixelGrid& grid)
{
    if (points.size() <= grid.columns)
        return points;
    return Picked(points, ThinScatter(PlotPoints(points), grid));
}

QList<QPointF> ThinnedLine(const QList<QPointF>& points, const PixelGrid& grid)
{
    // Antialiased strokes darken a pixel column where many segments cross it;
    // an envelope per quarter pixel keeps that density (compared rendered:
    // about 0.1 % of pixels differ visibly, against 1 % with whole pixels).
    constexpr int kSubColumns = 4;
    PixelGrid fine = grid;
    fine.columns = grid.columns * kSubColumns;
    if (points.size() <= fine.columns)
        return points;
    return Picked(points, LineEnvelope(PlotPoints(points), fine));
}

} // namespace aqualen::ui
