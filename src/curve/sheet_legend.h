#pragma once
// The legend of the curve sheet: a framed box in a corner of the graph that
// names what is drawn on it (the empirical points with their plotting
// formula, the smoothing curve, the analytic curve with its distribution and
// method, the confidence limits with their level), each beside a sample of
// its mark. The corner is the one that covers the fewest points, then the
// fewest pieces of the curves; ties go to the top right, where a falling
// exceedance curve leaves room, then the bottom left, top left, bottom right.

#include <cstdint>
#include <string>
#include <vector>

#include "curve/canvas.h"
#include "curve/curve_settings.h"

namespace aqualen {

// A place on the sheet in centimetres (x along the probability axis, y up).
struct SheetPoint {
    double x = 0;
    double y = 0;
};

// What the legend must not hide, gathered while the sheet is drawn.
struct LegendObstacles {
    std::vector<SheetPoint> points; // centres of the drawn points
    double pointRadius = 0;         // cm
    // The curves as polylines; a break starts a new one.
    std::vector<std::vector<SheetPoint>> lines;
};

enum class LegendSample { Point, SmoothingCurve, AnalyticCurve, Band };

struct LegendEntry {
    LegendSample sample;
    std::string text;
};

// The entries for what the sheet shows, in drawing order; `pointsDrawn` says
// whether any point reached the sheet.
std::vector<LegendEntry> LegendEntries(const CurveSettings& settings, bool pointsDrawn);

struct SheetRect {
    double left = 0, bottom = 0, right = 0, top = 0; // cm
};

enum class LegendCorner { TopRight, BottomLeft, TopLeft, BottomRight };

// The box of the given size (cm) in the chosen corner of the graph
// [0, axisLength] x [0, axisHeight], kept `inset` cm inside it.
SheetRect LegendBoxAt(LegendCorner corner, double width, double height, double axisLength, double axisHeight,
                      double inset);
// The corner to put such a box in.
LegendCorner ChooseLegendCorner(double width, double height, double axisLength, double axisHeight, double inset,
                                const LegendObstacles& obstacles);

struct LegendFrame {
    int32_t hUnit = 0; // pixels per 10 cm
    int32_t vUnit = 0;
    double axisLength = 0; // the graph, cm
    double axisHeight = 0;
    int fontSize = 0; // points, as the target sizes text
    int thinPen = 0;  // pixels
    int thickPen = 0;
};

// Draws the box, when there is anything to name and the box takes at most
// half the graph's width and height, with the canvas's brush behind it.
// Leaves the pen black, thin and solid.
void DrawLegend(Canvas& canvas, const CurveSettings& settings, const LegendFrame& frame,
                const LegendObstacles& obstacles);

} // namespace aqualen
