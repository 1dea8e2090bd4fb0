#include "curve/sheet_legend.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

#include "curve/probability_scale.h"
#include "curve/sheet_polyline.h"
#include "curve/smoothing_fit.h"
#include "distributions/analytic_curve.h"

namespace aqualen {

namespace {

// The box's layout, cm.
constexpr double kPadding = 0.2;     // frame to the samples and to the texts' end
constexpr double kRowPadding = 0.12; // frame to the first and the last row
constexpr double kSample = 1.0;      // length of a line's sample
constexpr double kGap = 0.25;        // sample to text
constexpr double kLeastRow = 0.5;    // height of a row
// Arial's line (ascent and descent) is about 2.07 widths of its digit: the
// canvas measures widths only, and this gives the height that goes with them.
constexpr double kLineByDigit = 2.07;
constexpr double kRowByLine = 1.3;
constexpr double kMostOfTheGraph = 0.5; // the largest share of either side a box may take

// Whether the segment from a to b meets the rectangle (Liang and Barsky's
// parametric clipping against both pairs of sides).
bool SegmentMeets(const SheetPoint& a, const SheetPoint& b, const SheetRect& r)
{
    double enter = 0;
    double exit = 1;
    const std::array<std::tuple<double, double, double, double>, 2> axes{{
        {a.x, b.x - a.x, r.left, r.right},
        {a.y, b.y - a.y, r.bottom, r.top},
    }};
    for (const auto& [start, delta, low, high] : axes) {
        if (delta == 0) {
            if (start < low || start > high)
                return false;
            continue;
        }
        const double t0 = (low - start) / delta;
        const double t1 = (high - start) / delta;
        enter = std::max(enter, std::min(t0, t1));
        exit = std::min(exit, std::max(t0, t1));
        if (!(enter <= exit))
            return false;
    }
    return true;
}

// A point covers the box when its circle reaches into it.
bool PointMeets(const SheetPoint& p, double radius, const SheetRect& r)
{
    const double dx = std::max({r.left - p.x, 0.0, p.x - r.right});
    const double dy = std::max({r.bottom - p.y, 0.0, p.y - r.top});
    return dx * dx + dy * dy <= radius * radius;
}

} // namespace

std::vector<LegendEntry> LegendEntries(const CurveSettings& settings, bool pointsDrawn)
{
    std::vector<LegendEntry> entries;
    if (pointsDrawn)
        entries.push_back(
            {LegendSample::Point, std::string("Эмпирические точки, ") + PlottingFormulaText(settings.Formula)});
    if (settings.SmoothCurve)
        entries.push_back({LegendSample::SmoothingCurve, kSmoothingCurveName});
    if (const auto& fit = settings.Analytic.Fit) {
        entries.push_back({LegendSample::AnalyticCurve, dist::CurveName(*fit)});
        if (const auto& band = settings.Analytic.Band)
            entries.push_back(
                {LegendSample::Band,
                 dist::BandName(band->level > 0 ? band->level : settings.Analytic.Options.bandLevel, true)});
    }
    return entries;
}

SheetRect LegendBoxAt(LegendCorner corner, double width, double height, double axisLength, double axisHeight,
                      double inset)
{
    const bool right = corner == LegendCorner::TopRight || corner == LegendCorner::BottomRight;
    const bool top = corner == LegendCorner::TopRight || corner == LegendCorner::TopLeft;
    SheetRect box;
    box.left = right ? axisLength - inset - width : inset;
    box.right = box.left + width;
    box.bottom = top ? axisHeight - inset - height : inset;
    box.top = box.bottom + height;
    return box;
}

LegendCorner ChooseLegendCorner(double width, double height, double axisLength, double axisHeight, double inset,
                                const LegendObstacles& obstacles)
{
    constexpr std::array<LegendCorner, 4> kPreference{LegendCorner::TopRight, LegendCorner::BottomLeft,
                                                      LegendCorner::TopLeft, LegendCorner::BottomRight};
    LegendCorner best = kPreference.front();
    std::pair<size_t, size_t> bestCover{SIZE_MAX, SIZE_MAX};
    for (const LegendCorner corner : kPreference) {
        const SheetRect box = LegendBoxAt(corner, width, height, axisLength, axisHeight, inset);
        std::pair<size_t, size_t> cover{0, 0};
        for (const SheetPoint& p : obstacles.points)
            cover.first += PointMeets(p, obstacles.pointRadius, box);
        for (const std::vector<SheetPoint>& line : obstacles.lines)
            for (size_t i = 1; i < line.size(); ++i)
                cover.second += SegmentMeets(line[i - 1], line[i], box);
        if (cover < bestCover) {
            bestCover = cover;
            best = corner;
        }
    }
    return best;
}

void DrawLegend(Canvas& canvas, const CurveSettings& settings, const LegendFrame& frame,
                const LegendObstacles& obstacles)
{
    const std::vector<LegendEntry> entries = LegendEntries(settings, !obstacles.points.empty());
    const double pixelsPerCmX = 0.1 * frame.hUnit;
    const double pixelsPerCmY = 0.1 * frame.vUnit;
    if (entries.empty() || !(pixelsPerCmX > 0) || !(pixelsPerCmY > 0))
        return;
    const auto X = [&](double x) { return SheetX(x, frame.hUnit); };
    const auto Y = [&](double y) { return SheetY(y, frame.vUnit); };

    canvas.SetFont("Arial", frame.fontSize);
    int textWidth = 0;
    for (const LegendEntry& entry : entries)
        textWidth = std::max(textWidth, canvas.TextWidth(entry.text));
    const double lineHeight = kLineByDigit * canvas.TextWidth("0") / pixelsPerCmY;
    const double row = std::max(kLeastRow, kRowByLine * lineHeight);
    const double width = kPadding + kSample + kGap + textWidth / pixelsPerCmX + kPadding;
    const double height = 2 * kRowPadding + static_cast<double>(entries.size()) * row;
    // Text held at a readable least size on a very small page would make a
    // box that hides the graph instead of explaining it.
    if (width > kMostOfTheGraph * frame.axisLength || height > kMostOfTheGraph * frame.axisHeight)
        return;
    const double inset = kPadding;
    const LegendCorner corner = ChooseLegendCorner(width, height, frame.axisLength, frame.axisHeight, inset, obstacles);
    const SheetRect box = LegendBoxAt(corner, width, height, frame.axisLength, frame.axisHeight, inset);

    canvas.SetPenColor(kBlack);
    canvas.SetPenWidth(frame.thinPen);
    canvas.SetPenStyle(PenStyle::Solid);
    // The frame's right and bottom edges are its own pixels too.
    canvas.Rectangle(X(box.left), Y(box.top), X(box.right) + 1, Y(box.bottom) + 1);

    const double sampleLeft = box.left + kPadding;
    const double sampleRight = sampleLeft + kSample;
    for (size_t i = 0; i < entries.size(); ++i) {
        const double centre = box.top - kRowPadding - (static_cast<double>(i) + 0.5) * row;
        switch (entries[i].sample) {
        case LegendSample::Point: {
            // A large radius would not fit the row; the mark keeps its look.
            const double r = std::min(obstacles.pointRadius, 0.4 * row);
            const double middle = (sampleLeft + sampleRight) / 2;
            canvas.SetPenColor(kBlack);
            canvas.SetPenWidth(frame.thinPen);
            canvas.Ellipse(X(middle - r), Y(centre + r), X(middle + r), Y(centre - r));
            canvas.SetPixel(X(middle), Y(centre), kBlack);
            break;
        }
        case LegendSample::SmoothingCurve:
        case LegendSample::AnalyticCurve: {
            const bool smoothing = entries[i].sample == LegendSample::SmoothingCurve;
            canvas.SetPenColor(smoothing ? kBlue : kRed);
            canvas.SetPenWidth(smoothing ? frame.thinPen : frame.thickPen);
            canvas.MoveTo(X(sampleLeft), Y(centre));
            canvas.LineTo(X(sampleRight), Y(centre));
            break;
        }
        case LegendSample::Band: {
            canvas.SetPenColor(kRed);
            canvas.SetPenWidth(frame.thinPen);
            SheetPolyline dashes(canvas, frame.hUnit, frame.vUnit, box.bottom, box.top, kBandDashes);
            dashes.Add(sampleLeft, centre);
            dashes.Add(sampleRight, centre);
            break;
        }
        }
        canvas.TextOut(X(sampleRight + kGap), Y(centre + lineHeight / 2), entries[i].text);
    }
    canvas.SetPenColor(kBlack);
    canvas.SetPenWidth(frame.thinPen);
}

} // namespace aqualen
