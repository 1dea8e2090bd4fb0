#include "curve/sheet_polyline.h"

#include <algorithm>
#include <cmath>

#include "curve/probability_scale.h"

namespace aqualen {

SheetPolyline::SheetPolyline(Canvas& canvas, int32_t hUnit, int32_t vUnit, double bottom, double top,
                             SheetDashes dashes)
    : canvas_(canvas), hUnit_(hUnit), vUnit_(vUnit), bottom_(bottom), top_(top), dashes_(dashes)
{
}

void SheetPolyline::Add(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y)) {
        hasVertex_ = false;
        return;
    }
    if (hasVertex_)
        Segment(lastX_, lastY_, x, y);
    hasVertex_ = true;
    lastX_ = x;
    lastY_ = y;
}

// Keeps the part of the segment between the bottom and the top height
// (Liang and Barsky's parametric clipping, heights only: the vertices never
// leave the axis sideways).
void SheetPolyline::Segment(double x0, double y0, double x1, double y1)
{
    double enter = 0;
    double exit = 1;
    const double dy = y1 - y0;
    if (dy == 0) {
        if (y0 < bottom_ || y0 > top_)
            return;
    } else {
        const double atBottom = (bottom_ - y0) / dy;
        const double atTop = (top_ - y0) / dy;
        enter = std::max(enter, std::min(atBottom, atTop));
        exit = std::min(exit, std::max(atBottom, atTop));
        if (!(enter <= exit))
            return;
    }
    const double dx = x1 - x0;
    // The ends are computed from the side they belong to, so an unclipped
    // end is its vertex exactly.
    const double ax = enter == 0 ? x0 : x0 + enter * dx;
    const double ay = enter == 0 ? y0 : (enter == 1 ? y1 : y0 + enter * dy);
    const double bx = exit == 1 ? x1 : x0 + exit * dx;
    const double by = exit == 1 ? y1 : y0 + exit * dy;
    Visible(std::clamp(ax, std::min(x0, x1), std::max(x0, x1)), std::clamp(ay, bottom_, top_),
            std::clamp(bx, std::min(x0, x1), std::max(x0, x1)), std::clamp(by, bottom_, top_));
}

// Splits a visible piece into its dashes; the dash pattern runs on along the
// whole line.
void SheetPolyline::Visible(double x0, double y0, double x1, double y1)
{
    const double period = dashes_.on + dashes_.off;
    if (!(dashes_.on > 0) || !(period > 0)) {
        Stroke(x0, y0, x1, y1);
        return;
    }
    const double length = std::hypot(x1 - x0, y1 - y0);
    double done = 0;
    while (done < length) {
        const bool drawn = phase_ < dashes_.on;
        const double step = std::min(length - done, (drawn ? dashes_.on : period) - phase_);
        if (drawn) {
            const double from = done / length;
            const double to = (done + step) / length;
            Stroke(x0 + from * (x1 - x0), y0 + from * (y1 - y0), x0 + to * (x1 - x0), y0 + to * (y1 - y0));
        }
        done += step;
        phase_ += step;
        if (phase_ >= period)
            phase_ -= period;
    }
}

void SheetPolyline::Stroke(double x0, double y0, double x1, double y1)
{
    const int32_t fromX = SheetX(x0, hUnit_);
    const int32_t fromY = SheetY(y0, vUnit_);
    // A piece that starts where the last one ended goes on from there.
    if (!penPlaced_ || fromX != penX_ || fromY != penY_)
        canvas_.MoveTo(fromX, fromY);
    penX_ = SheetX(x1, hUnit_);
    penY_ = SheetY(y1, vUnit_);
    penPlaced_ = true;
    canvas_.LineTo(penX_, penY_);
}

} // namespace aqualen
