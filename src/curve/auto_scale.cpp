#include "curve/auto_scale.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "curve/analytic_fit.h"
#include "curve/probability_scale.h"
#include "curve/scale_check.h"
#include "curve/smoothing_fit.h"
#include "series/float_fault.h"
#include "series/number_text.h"

namespace aqualen {

namespace {

constexpr int kFewestDivisions = 8;
constexpr int kMostDivisions = 20;
// A spread below this share of the values' size is rounding, not data: such
// values are drawn as equal ones.
constexpr long double kEqualShare = 1e-9L;
// The drawn smoothing curve ends on the pixel column nearest to 1 cm after
// the last point, up to half a column further: 0.1 cm covers that on the
// smallest page.
constexpr double kColumnSlack = 0.1;
// Indices of divisions stay far below the 15 digits that the boxes keep.
constexpr long double kLargestIndex = 1e12L;

class Extent {
public:
    void Take(long double value)
    {
        if (!std::isfinite(value))
            return;
        low_ = std::min(low_, value);
        high_ = std::max(high_, value);
    }
    std::optional<ValueExtent> Result() const
    {
        if (!(low_ <= high_))
            return std::nullopt;
        return ValueExtent{static_cast<double>(low_), static_cast<double>(high_)};
    }

private:
    long double low_ = std::numeric_limits<long double>::infinity();
    long double high_ = -std::numeric_limits<long double>::infinity();
};

// The parabola is drawn between the two ends; its one turning point may lie
// between them.
void TakeSmoothingCurve(const CurveSettings& s, Extent& extent)
{
    const int32_t count = s.Probabilities.Count();
    if (!s.SmoothCurve || count == 0)
        return;
    const double from = ProbabilityToX(s.FineGrid, s.Probabilities.Get(0)) - 1.0;
    const double to = ProbabilityToX(s.FineGrid, s.Probabilities.Get(count - 1)) + 1.0 + kColumnSlack;
    extent.Take(SmoothingValueAtX(s, from));
    extent.Take(SmoothingValueAtX(s, to));
    if (s.CurveA != 0) {
        const long double turn = -s.CurveB / (2 * s.CurveA);
        if (turn > from && turn < to)
            extent.Take(SmoothingValueAtX(s, static_cast<double>(turn)));
    }
}

// Drawn at every pixel column from the grid's first row to its last; the
// quantile falls as P grows and P grows along the axis, so its rows bound it.
void TakeAnalyticCurve(const CurveSettings& s, Extent& extent)
{
    const AnalyticSheet& sheet = s.Analytic;
    if (!sheet.Fit)
        return;
    const dist::Fit& fit = *sheet.Fit;
    const auto grid = SelectedScale(s.FineGrid);
    for (const ScaleEntry& row : grid) {
        try {
            extent.Take(fit.mean * dist::ModularQuantile(fit, row.Probability));
        } catch (const FloatFault&) {
            // The drawing breaks the curve there.
        }
    }
    if (!sheet.Band)
        return;
    const size_t count = std::min({sheet.BandProbabilities.size(), sheet.Band->lowK.size(), sheet.Band->highK.size()});
    for (size_t i = 0; i < count; ++i) {
        const double p = sheet.BandProbabilities[i];
        if (p < grid.front().Probability || p > grid.back().Probability)
            continue;
        extent.Take(fit.mean * sheet.Band->lowK[i]);
        extent.Take(fit.mean * sheet.Band->highK[i]);
    }
}

// mantissa * 10^power as the nearest double, the value a box holding the
// decimal reads as.
double DecimalValue(long long mantissa, int power)
{
    const std::string text = std::to_string(mantissa) + "e" + std::to_string(power);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nan("");
    return value;
}

// The box texts read back as the same number, so the dialog's OK stores
// what was checked here.
bool SurvivesTheBoxes(double value)
{
    const std::optional<double> read = ParseNumber(FormatGeneral(value, '.'), '.');
    return read && *read == value;
}

// A step of mantissa * 10^power (mantissa 1, 2 or 5) and its division into
// additional steps of parts each.
struct Step {
    int mantissa;
    int power;
};

struct Layout {
    long long lowIndex;  // the bottom is lowIndex main steps
    long long highIndex; // the top is highIndex main steps
};

// The additional step of a main step, as mantissa and power: a fifth or half.
Step PartOf(Step main, int parts)
{
    const int tenfold = main.mantissa * 10 / parts; // 2, 4, 10 or 5, 10, 25
    return tenfold % 10 == 0 ? Step{tenfold / 10, main.power} : Step{tenfold, main.power - 1};
}

std::optional<SheetScale> Checked(Step main, const Layout& layout, double low, double high)
{
    SheetScale scale;
    scale.scaleMax = DecimalValue(layout.highIndex * main.mantissa, main.power);
    scale.scaleMin = DecimalValue(layout.lowIndex * main.mantissa, main.power);
    scale.mainStep = DecimalValue(main.mantissa, main.power);
    if (!(scale.scaleMin <= low && scale.scaleMax >= high))
        return std::nullopt;
    if (!SurvivesTheBoxes(scale.scaleMax) || !SurvivesTheBoxes(scale.scaleMin) || !SurvivesTheBoxes(scale.mainStep))
        return std::nullopt;
    const long long count = layout.highIndex - layout.lowIndex;
    if (MainDivisionCount(scale.scaleMax, scale.scaleMin, scale.mainStep) != count)
        return std::nullopt;
    const long double range = static_cast<long double>(scale.scaleMax) - scale.scaleMin;
    for (const int parts : {5, 2}) {
        const Step additional = PartOf(main, parts);
        scale.additionalStep = DecimalValue(additional.mantissa, additional.power);
        // The sheet truncates the quotient of the dotted lines; the top one
        // may be lost to rounding where the solid line for the top lies.
        if (SurvivesTheBoxes(scale.additionalStep) &&
            !ScaleSettingsError(scale.scaleMax, scale.scaleMin, scale.mainStep, scale.additionalStep) &&
            std::trunc(range / scale.additionalStep) >= count * parts - 1)
            return scale;
    }
    return std::nullopt;
}

// The scale of one main step, or nullopt when it does not give 8 to 20
// divisions or the sheet would not draw them all. A layout that loses its top
// division to rounding is widened by a step or two where an end is free.
std::optional<SheetScale> ScaleOfStep(Step step, long double from, long double to, bool zeroBottom, bool zeroTop,
                                      double low, double high)
{
    const long double size = step.mantissa * std::pow(10.0L, step.power);
    const long double lowIndex = zeroBottom ? 0 : std::floor(from / size);
    const long double highIndex = zeroTop ? 0 : std::ceil(to / size);
    if (!(std::fabs(lowIndex) < kLargestIndex && std::fabs(highIndex) < kLargestIndex))
        return std::nullopt;
    Layout tight{static_cast<long long>(lowIndex), static_cast<long long>(highIndex)};
    // The quotients are near whole numbers where a value is a multiple of
    // the step; the decimal ends themselves decide.
    if (!zeroBottom && DecimalValue((tight.lowIndex + 1) * step.mantissa, step.power) <= from)
        ++tight.lowIndex;
    if (!zeroTop && DecimalValue((tight.highIndex - 1) * step.mantissa, step.power) >= to)
        --tight.highIndex;
    const long long count = tight.highIndex - tight.lowIndex;
    if (count < kFewestDivisions || count > kMostDivisions)
        return std::nullopt;
    constexpr std::array<std::array<int, 2>, 6> kWidenings{{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {0, 2}, {2, 0}}};
    for (const auto& [down, up] : kWidenings) {
        if ((down > 0 && zeroBottom) || (up > 0 && zeroTop) || count + down + up > kMostDivisions)
            continue;
        if (auto scale = Checked(step, Layout{tight.lowIndex - down, tight.highIndex + up}, low, high))
            return scale;
    }
    return std::nullopt;
}

} // namespace

std::optional<ValueExtent> SheetValueExtent(const CurveSettings& settings)
{
    Extent extent;
    for (int32_t i = 0; i < settings.Values.Count(); ++i)
        extent.Take(settings.Values.Get(i));
    TakeSmoothingCurve(settings, extent);
    TakeAnalyticCurve(settings, extent);
    return extent.Result();
}

AutoScale ScaleForValues(double low, double high)
{
    if (!(std::isfinite(low) && std::isfinite(high) && low <= high))
        return {std::nullopt, kValuesBeyondScale};
    long double from = low;
    long double to = high;
    if (to - from <= kEqualShare * std::max(std::fabs(from), std::fabs(to))) {
        // Equal values lie at mid-height of a graph from zero to twice
        // their value (or from -1 to 1 around zero).
        const long double value = (from + to) / 2;
        from = value == 0 ? -1 : std::min(0.0L, 2 * value);
        to = value == 0 ? 1 : std::max(0.0L, 2 * value);
    }
    const bool zeroBottom = from >= 0 && from <= to / 2;
    const bool zeroTop = to <= 0 && to >= from / 2;
    if (zeroBottom)
        from = 0;
    if (zeroTop)
        to = 0;
    const long double span = to - from;
    if (!(span > 0) || !std::isfinite(span))
        return {std::nullopt, kValuesBeyondScale};
    // From the step that gives fewer than 8 divisions down, the largest
    // steps first: the fewest labels that still read the values closely.
    const int power = static_cast<int>(std::floor(std::log10(span / kFewestDivisions)));
    for (int p = power + 1; p >= power - 2; --p)
        for (const int mantissa : {5, 2, 1})
            if (auto scale = ScaleOfStep(Step{mantissa, p}, from, to, zeroBottom, zeroTop, low, high))
                return {scale, {}};
    return {std::nullopt, kValuesBeyondScale};
}

AutoScale AutoScaleOf(const CurveSettings& settings)
{
    const std::optional<ValueExtent> extent = SheetValueExtent(settings);
    if (!extent)
        return {std::nullopt, kNoValuesForScale};
    return ScaleForValues(extent->low, extent->high);
}

void StoreScale(CurveSettings& settings, const SheetScale& scale)
{
    settings.ScaleMax = scale.scaleMax;
    settings.ScaleMin = scale.scaleMin;
    settings.MainStep = scale.mainStep;
    settings.AdditionalStep = scale.additionalStep;
    if (settings.SmoothCurve)
        FitSmoothingCurve(settings);
}

bool AnyPointWithinScale(const CurveSettings& settings)
{
    for (int32_t i = 0; i < settings.Values.Count(); ++i) {
        const double value = settings.Values.Get(i);
        if (value >= settings.ScaleMin && value <= settings.ScaleMax)
            return true;
    }
    return false;
}

} // namespace aqualen
