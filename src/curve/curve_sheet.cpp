#include "curve/curve_sheet.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "curve/probability_scale.h"
#include "curve/scale_check.h"
#include "curve/sheet_legend.h"
#include "curve/sheet_polyline.h"
#include "distributions/analytic_curve.h"
#include "series/float_fault.h"
#include "series/number_text.h"
#include "series/numeric_routines.h"

namespace aqualen {

namespace {

constexpr double kAxisHeight = 17; // cm, the value axis
constexpr int kLabelBase = 8;      // points, "Arial" scale labels
constexpr int kCaptionBase = 14;   // points, "Times New Roman" captions
constexpr int kAnalyticBase = 12;  // points, the analytic curve's line under the title
constexpr int kLegendBase = 9;     // points, "Arial" legend texts
constexpr long double kMaxDivisions = 1000;
constexpr double kRaisedAxisName = 18.45; // cm, the value axis caption's top over the return periods
constexpr long double kInchesPer10Cm = 3.94L;

// Nearest integer, halves to even, never faulting on absurd input.
int32_t RoundSafe(long double value)
{
    constexpr long double kLimit = 1 << 30;
    if (!(std::fabs(value) <= kLimit))
        return std::isnan(value) ? 0 : (value > 0 ? (1 << 30) : -(1 << 30));
    return static_cast<int32_t>(RoundHalfEven(value));
}

// One set of horizontal divisions: how many and how far apart on the sheet.
// A range or step that cannot be divided gives no divisions at all.
struct Divisions {
    int32_t count = 0;
    double sheetStep = 0;
};

Divisions DivisionsOf(double scaleMin, double scaleMax, double step, bool main)
{
    const long double range = static_cast<long double>(scaleMax) - scaleMin;
    if (!(range > 0) || !(step > 0))
        return {};
    // A dotted line lost at the top lies under the solid one anyway.
    const long double count = main ? MainDivisionCount(scaleMax, scaleMin, step) : std::trunc(range / step);
    if (!(count <= kMaxDivisions))
        return {};
    const long double sheetStep = kAxisHeight * step / range;
    if (!std::isfinite(sheetStep))
        return {};
    return {static_cast<int32_t>(count), static_cast<double>(sheetStep)};
}

// The state one call shares between its steps.
class SheetPainter {
public:
    SheetPainter(Canvas& canvas, const CurveSettings& settings, const SheetTarget& target)
        : canvas_(canvas), s_(settings), t_(target), scale_(SelectedScale(settings.FineGrid)),
          axisLength_(scale_.back().Position)
    {
    }

    void Draw()
    {
        const int thick = RoundSafe(0.004L * t_.vUnit);
        const int thin = RoundSafe(0.001L * t_.hUnit);

        canvas_.SetPenColor(kBlack);
        canvas_.SetPenStyle(PenStyle::Solid);
        canvas_.SetPenWidth(thick);
        Line(0, 0, axisLength_, 0);
        Line(0, 0, 0, kAxisHeight);

        canvas_.SetPenWidth(thin);
        // The first row's line is the value axis itself.
        for (size_t i = 1; i < scale_.size(); ++i) {
            canvas_.SetPenStyle(scale_[i].Labelled ? PenStyle::Solid : PenStyle::Dotted);
            Line(scale_[i].Position, 0, scale_[i].Position, kAxisHeight);
        }

        const Divisions main = DivisionsOf(s_.ScaleMin, s_.ScaleMax, s_.MainStep, true);
        const Divisions additional = DivisionsOf(s_.ScaleMin, s_.ScaleMax, s_.AdditionalStep, false);
        canvas_.SetPenStyle(PenStyle::Dotted);
        for (int32_t k = 1; k <= additional.count; ++k) {
            const double y = StoreDouble(k * static_cast<long double>(additional.sheetStep));
            Line(0, y, axisLength_, y);
        }
        canvas_.SetPenStyle(PenStyle::Solid);
        for (int32_t k = 1; k <= main.count; ++k) {
            const double y = StoreDouble(k * static_cast<long double>(main.sheetStep));
            Line(-0.1, y, axisLength_, y);
        }

        canvas_.SetFont("Arial", FontSize(kLabelBase));
        for (int32_t k = 0; k <= main.count; ++k) {
            const double value = StoreDouble(k * static_cast<long double>(s_.MainStep) + s_.ScaleMin);
            const double top = StoreDouble(k * static_cast<long double>(main.sheetStep) + 0.1L);
            canvas_.TextOut(X(-1.0), Y(top), FormatGeneral(value, t_.separator));
        }
        Line(-0.1, 0, 0, 0);

        canvas_.SetPenStyle(PenStyle::Solid);
        DrawPoints();

        canvas_.SetFont("Arial", FontSize(kLabelBase));
        const int32_t labelTop = RoundSafe(1.91L * t_.vUnit);
        for (const ScaleEntry& row : scale_) {
            if (!row.Labelled)
                continue;
            CenteredText(FormatGeneral(row.Probability, t_.separator), X(row.Position - 1), X(row.Position + 1),
                         labelTop);
        }

        canvas_.SetFont("Times New Roman", FontSize(kCaptionBase));
        canvas_.TextOut(X(axisLength_ + 0.3), Y(0.7), "P, %");
        // Over the return periods' labels the caption goes up to the page's top.
        canvas_.TextOut(X(-1.5), Y(s_.ReturnPeriodAxis ? kRaisedAxisName : 17.8), s_.AxisName);
        const int32_t margin = RoundSafe(0.2L * t_.hUnit);
        CenteredText(s_.Title, margin, t_.pageWidth - margin, RoundSafe(1.95L * t_.vUnit));

        if (s_.ReturnPeriodAxis)
            DrawReturnPeriods();
        if (s_.SmoothCurve)
            DrawCurve();
        if (s_.Analytic.Fit)
            DrawAnalytic(*s_.Analytic.Fit);
        if (s_.Legend) {
            LegendFrame frame;
            frame.hUnit = t_.hUnit;
            frame.vUnit = t_.vUnit;
            frame.axisLength = axisLength_;
            frame.axisHeight = kAxisHeight;
            frame.fontSize = FontSize(kLegendBase);
            frame.thinPen = RoundSafe(0.001L * t_.hUnit);
            frame.thickPen = RoundSafe(0.004L * t_.vUnit);
            DrawLegend(canvas_, s_, frame, obstacles_);
        }
    }

private:
    int32_t X(double x) const { return SheetX(x, t_.hUnit); }
    int32_t Y(double y) const { return SheetY(y, t_.vUnit); }

    void Line(double x0, double y0, double x1, double y1)
    {
        canvas_.MoveTo(X(x0), Y(y0));
        canvas_.LineTo(X(x1), Y(y1));
    }

    // The screen scales text with the page; the printer takes the base size.
    int FontSize(int base) const
    {
        if (!t_.toScreen)
            return base;
        const long double ppi = t_.screenPpi > 0 ? t_.screenPpi : 96;
        return RoundSafe(base * static_cast<long double>(t_.vUnit) / (kInchesPer10Cm * ppi));
    }

    void CenteredText(const std::string& text, int32_t left, int32_t right, int32_t top)
    {
        const long double free = static_cast<long double>(right) - left - canvas_.TextWidth(text);
        canvas_.TextOut(left + RoundSafe(free / 2), top, text);
    }

    void DrawPoints()
    {
        // Equal scale ends leave no height to place a value at.
        if (s_.Probabilities.Count() < 5 || !(s_.ScaleMax != s_.ScaleMin))
            return;
        // After a rejected series the probability of the failing row has no
        // value; reading past the end of the values would invent a point at -1.
        const int32_t count = std::min(s_.Probabilities.Count(), s_.Values.Count());
        const long double half = 0.06L * s_.PointRadius;
        obstacles_.pointRadius = static_cast<double>(half);
        for (int32_t i = 0; i < count; ++i) {
            const double x = ProbabilityToX(s_.FineGrid, s_.Probabilities.Get(i));
            double y = 0;
            try {
                y = ValueToY(s_.ScaleMin, s_.ScaleMax, s_.Values.Get(i));
            } catch (const FloatFault&) {
                continue; // a value too far off the scale to place at all
            }
            canvas_.Ellipse(X(static_cast<double>(x - half)), Y(static_cast<double>(y + half)),
                            X(static_cast<double>(x + half)), Y(static_cast<double>(y - half)));
            canvas_.SetPixel(X(x), Y(y), kBlack);
            if (s_.Legend)
                obstacles_.points.push_back({x, y});
        }
    }

    // One vertex per pixel column, from 1 cm before the first point to 1 cm
    // after the last.
    void DrawCurve()
    {
        const long double columnsPerCm = 0.1L * t_.hUnit;
        if (!(columnsPerCm > 0))
            return;
        const int32_t last = s_.Probabilities.Count() - 1;
        const double firstX = ProbabilityToX(s_.FineGrid, s_.Probabilities.Get(0));
        const double lastX = ProbabilityToX(s_.FineGrid, s_.Probabilities.Get(last < 0 ? 0 : last));
        const int32_t startColumn = RoundSafe((firstX - 1.0L) * 0.1L * t_.hUnit);
        const int32_t endColumn = RoundSafe((lastX + 1.0L) * 0.1L * t_.hUnit);
        canvas_.SetPenColor(kBlue);
        std::vector<SheetPoint>* kept = Kept();
        bool started = false;
        for (int32_t column = startColumn + 1; column <= endColumn; ++column) {
            const double x = static_cast<double>(column / columnsPerCm);
            const long double rawY = s_.CurveA * x * x + s_.CurveB * x + s_.CurveC;
            // Coefficients beyond the double range cannot be drawn.
            const double y = static_cast<double>(rawY);
            if (!std::isfinite(y))
                continue;
            if (!started)
                canvas_.MoveTo(X(x), Y(y));
            started = true;
            canvas_.LineTo(X(x), Y(y));
            if (kept)
                kept->push_back({x, y});
        }
    }

    // The analytic curve across the whole probability axis, one vertex per
    // pixel column, and its confidence limits through the band's
    // probabilities; both cut to the graph. Then its line under the title.
    void DrawAnalytic(const dist::Fit& fit)
    {
        canvas_.SetPenColor(kRed);
        canvas_.SetPenStyle(PenStyle::Solid);
        canvas_.SetPenWidth(RoundSafe(0.004L * t_.vUnit));
        const long double columnsPerCm = 0.1L * t_.hUnit;
        if (columnsPerCm > 0) {
            SheetPolyline curve(canvas_, t_.hUnit, t_.vUnit, 0, kAxisHeight);
            std::vector<SheetPoint>* kept = Kept();
            const auto add = [&](double x, double y) {
                curve.Add(x, y);
                Keep(kept, x, y);
            };
            const int32_t endColumn = RoundSafe(axisLength_ * columnsPerCm);
            double x = 0;
            for (int32_t column = 0; column <= endColumn; ++column) {
                x = std::min(static_cast<double>(column / columnsPerCm), axisLength_);
                add(x, AnalyticY(fit, XToProbability(s_.FineGrid, x)));
            }
            if (x < axisLength_)
                add(axisLength_, AnalyticY(fit, scale_.back().Probability));
        }

        const AnalyticSheet& sheet = s_.Analytic;
        if (sheet.Band) {
            canvas_.SetPenWidth(RoundSafe(0.001L * t_.hUnit));
            DrawBandLine(fit, sheet.Band->lowK);
            DrawBandLine(fit, sheet.Band->highK);
        }

        canvas_.SetFont("Times New Roman", FontSize(kAnalyticBase));
        const int32_t margin = RoundSafe(0.2L * t_.hUnit);
        const int bandLevel = sheet.Band ? (sheet.Band->level > 0 ? sheet.Band->level : sheet.Options.bandLevel) : 0;
        CenteredText(dist::CaptionLine(fit, t_.separator, bandLevel), margin, t_.pageWidth - margin,
                     RoundSafe(2.01L * t_.vUnit));
    }

    void DrawBandLine(const dist::Fit& fit, const std::vector<double>& k)
    {
        const std::vector<double>& probabilities = s_.Analytic.BandProbabilities;
        SheetPolyline line(canvas_, t_.hUnit, t_.vUnit, 0, kAxisHeight, kBandDashes);
        std::vector<SheetPoint>* kept = Kept();
        const size_t count = std::min(probabilities.size(), k.size());
        for (size_t i = 0; i < count; ++i) {
            const double p = probabilities[i];
            // The report's probabilities beyond the selected scale have no
            // place on its axis.
            if (p < scale_.front().Probability || p > scale_.back().Probability)
                continue;
            const double x = ProbabilityToX(s_.FineGrid, p);
            const double y = ValueY(fit.mean * k[i]);
            line.Add(x, y);
            Keep(kept, x, y);
        }
    }

    double AnalyticY(const dist::Fit& fit, double probability)
    {
        try {
            return ValueY(fit.mean * dist::ModularQuantile(fit, probability));
        } catch (const FloatFault&) {
            return std::nan(""); // breaks the line, like a value off the scale
        }
    }

    double ValueY(double value)
    {
        try {
            return ValueToY(s_.ScaleMin, s_.ScaleMax, value);
        } catch (const FloatFault&) {
            return std::nan("");
        }
    }

    // A second probability axis along the top of the graph: the return
    // period T = 100 / P in years, at the round periods that fall on the grid.
    void DrawReturnPeriods()
    {
        static constexpr std::array<int, 8> kYears{10000, 1000, 100, 50, 20, 10, 5, 2};
        canvas_.SetPenColor(kBlack);
        canvas_.SetPenStyle(PenStyle::Solid);
        canvas_.SetPenWidth(RoundSafe(0.004L * t_.vUnit));
        Line(0, kAxisHeight, axisLength_, kAxisHeight);
        canvas_.SetPenWidth(RoundSafe(0.001L * t_.hUnit));
        canvas_.SetFont("Arial", FontSize(kLabelBase));
        for (const int years : kYears) {
            const double p = 100.0 / years;
            if (p < scale_.front().Probability || p > scale_.back().Probability)
                continue;
            const double x = ProbabilityToX(s_.FineGrid, p);
            Line(x, kAxisHeight, x, kAxisHeight + 0.15);
            CenteredText(FormatGeneral(years, t_.separator), X(x - 1), X(x + 1), Y(kAxisHeight + 0.55));
        }
        canvas_.SetFont("Times New Roman", FontSize(kCaptionBase));
        canvas_.TextOut(X(axisLength_ + 0.3), Y(kAxisHeight + 0.7), "T, лет");
    }

    // The polyline the legend keeps clear of, when there is a legend.
    std::vector<SheetPoint>* Kept()
    {
        if (!s_.Legend)
            return nullptr;
        obstacles_.lines.emplace_back();
        return &obstacles_.lines.back();
    }

    void Keep(std::vector<SheetPoint>*& line, double x, double y)
    {
        if (!line)
            return;
        if (std::isfinite(y)) {
            line->push_back({x, y});
        } else if (!line->empty()) {
            obstacles_.lines.emplace_back(); // a break in the curve
            line = &obstacles_.lines.back();
        }
    }

    Canvas& canvas_;
    const CurveSettings& s_;
    const SheetTarget& t_;
    const std::span<const ScaleEntry> scale_;
    const double axisLength_;
    LegendObstacles obstacles_;
};

} // namespace

void DrawCurveSheet(Canvas& canvas, const CurveSettings& settings, const SheetTarget& target)
{
    SheetPainter(canvas, settings, target).Draw();
}

} // namespace aqualen
