#pragma once
// The window edge of point thinning: a chart view's pixels as a grid over its
// axes' ranges, and the points of a series thinned for it.

#include <QList>
#include <QPointF>
#include <QSize>

#include "series/point_decimation.h"

class QChartView;
class QValueAxis;

namespace aqualen::ui {

// The view's size in device pixels. The plot is smaller than the view, so a
// cell of this grid is never larger than a pixel of the plot.
QSize ChartPixels(const QChartView& view);

// The grid of those pixels over the axes' current ranges.
PixelGrid ChartPixelGrid(const QSize& pixels, const QValueAxis& x, const QValueAxis& y);

// The points a scatter series needs on that grid (see ThinScatter).
QList<QPointF> ThinnedScatter(const QList<QPointF>& points, const PixelGrid& grid);

// The points a line series, x never falling, needs on that grid: the
// envelope of each quarter of a pixel column (see LineEnvelope).
QList<QPointF> ThinnedLine(const QList<QPointF>& points, const PixelGrid& grid);

} // namespace aqualen::ui
