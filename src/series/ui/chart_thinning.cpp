#include "series/ui/chart_thinning.h"

#include <QChartView>
#include <algorithm>
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

// The pixels over the points' own ranges.
PixelGrid GridOver(const QList<QPointF>& points, const QSize& pixels)
{
    PixelGrid grid{points.front().x(), points.front().x(), points.front().y(),
                   points.front().y(), pixels.width(),     pixels.height()};
    for (const QPointF& p : points) {
        grid.xMin = std::min(grid.xMin, p.x());
        grid.xMax = std::max(grid.xMax, p.x());
        grid.yMin = std::min(grid.yMin, p.y());
        grid.yMax = std::max(grid.yMax, p.y());
    }
    return grid;
}

} // namespace

QSize ChartPixels(const QChartView& view)
{
    const qreal ratio = view.devicePixelRatioF();
    return QSize(static_cast<int>(std::ceil(view.width() * ratio)), static_cast<int>(std::ceil(view.height() * ratio)));
}

QList<QPointF> ThinnedScatter(const QList<QPointF>& points, const QSize& pixels)
{
    if (points.size() <= pixels.width())
        return points;
    return Picked(points, ThinScatter(PlotPoints(points), GridOver(points, pixels)));
}

QList<QPointF> ThinnedLine(const QList<QPointF>& points, const QSize& pixels)
{
    if (points.size() <= pixels.width())
        return points;
    const PixelGrid grid = GridOver(points, pixels);
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
