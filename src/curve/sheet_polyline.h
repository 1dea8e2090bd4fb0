#pragma once
// A polyline in sheet centimetres drawn on a canvas, cut to a band of heights
// (the graph) and, when dashed, broken into dashes measured along the line in
// centimetres, so that dashes look the same on the screen and on paper.

#include <cstdint>

#include "curve/canvas.h"

namespace aqualen {

struct SheetDashes {
    double on = 0;  // cm drawn; 0 draws a solid line
    double off = 0; // cm left out
};

// The confidence limits of the analytic curve, on the graph and in the legend.
inline constexpr SheetDashes kBandDashes{0.3, 0.2};

class SheetPolyline {
public:
    SheetPolyline(Canvas& canvas, int32_t hUnit, int32_t vUnit, double bottom, double top, SheetDashes dashes = {});

    // The next vertex. A vertex that is not finite breaks the line there.
    void Add(double x, double y);

private:
    void Segment(double x0, double y0, double x1, double y1);
    void Visible(double x0, double y0, double x1, double y1);
    void Stroke(double x0, double y0, double x1, double y1);

    Canvas& canvas_;
    const int32_t hUnit_;
    const int32_t vUnit_;
    const double bottom_;
    const double top_;
    const SheetDashes dashes_;
    bool hasVertex_ = false;
    double lastX_ = 0;
    double lastY_ = 0;
    double phase_ = 0; // cm into the current dash period
    bool penPlaced_ = false;
    int32_t penX_ = 0;
    int32_t penY_ = 0;
};

} // namespace aqualen
