#pragma once
// Thinning long series for a chart: a chart cannot show more than its pixels,
// so with more points than that it is handed only the points that make the
// picture. The report and the series kept by a window are never thinned.

#include <cstddef>
#include <vector>

namespace aqualen {

struct PlotPoint {
    double x = 0;
    double y = 0;
};

// A chart's plot as a grid of pixel cells: the value ranges across and up,
// and how many pixels the plot has each way.
struct PixelGrid {
    double xMin = 0;
    double xMax = 0;
    double yMin = 0;
    double yMax = 0;
    int columns = 0;
    int rows = 0;
};

// The points a scatter chart needs, as ascending indices: with no more points
// than the grid has columns, all of them; otherwise the first point in each
// pixel cell (so a point alone in its cell always stays) and the points that
// hold the least and greatest x and y.
std::vector<size_t> ThinScatter(const std::vector<PlotPoint>& points, const PixelGrid& grid);

// The points a line chart needs when x never falls, as ascending indices:
// with no more points than columns, all of them; otherwise, in each pixel
// column, the first and last point and those with the least and greatest y.
// The line through them covers every column from its lowest to its highest
// point and joins the neighbouring columns where the full line does.
std::vector<size_t> LineEnvelope(const std::vector<PlotPoint>& points, const PixelGrid& grid);

} // namespace aqualen
