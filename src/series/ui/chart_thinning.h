#pragma once
// The window edge of point thinning: a chart view's pixels as a grid over its
// axes' ranges, and the points of a series thinned for it.

#include <QList>
#include <QPointF>
#include <QSize>

#include "series/point_decimation.h"

class QChartView;

namespace aqualen::ui {

// The view's size in device pixels. The plot is smaller than the view, so a
// cell of this grid is never larger than a pixel of the plot.
QSize ChartPixels(const QChartView& view);

// The points a scatter series needs on a plot of these pixels (see
// ThinScatter). The cells span the points' own ranges, never wider than the
// axes fitted around them, so a cell is never larger than a pixel.
QList<QPointF> ThinnedScatter(const QList<QPointF>& points, const QSize& pixels);

// The points a line series, x never falling, needs on a plot of these pixels:
// the envelope of each quarter of a pixel column over the series' own x range
// (see LineEnvelope).
QList<QPointF> ThinnedLine(const QList<QPointF>& points, const QSize& pixels);

} // namespace aqualen::ui
