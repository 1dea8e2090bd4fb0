#pragma once
// The value scale chosen from what the sheet draws: its points, the smoothing
// curve and the analytic curve with its band over the grid's probabilities.
// Main steps are 1, 2 or 5 times a power of ten with 8 to 20 labelled
// divisions, additional steps a fifth (or half) of them; the bottom is 0 when
// the values fill the upper part of [0, top] at least down to its middle,
// else a multiple of the main step below the smallest (and the same for the
// top of negative values). A scale is given only when it passes the scale
// checks and the sheet draws every one of its labelled divisions.

#include <optional>
#include <string>

#include "curve/curve_settings.h"

namespace aqualen {

inline constexpr const char* kOutOfScaleQuestion = "Значения ряда не попадают в шкалу. Подобрать шкалу по ряду?";
inline constexpr const char* kNoValuesForScale = "Нет значений ряда, по которым можно подобрать шкалу!";
inline constexpr const char* kValuesBeyondScale =
    "Шкалу по этим значениям подобрать нельзя: они слишком велики или слишком малы по модулю!";

// The four boxes of the page "Шкала".
struct SheetScale {
    double scaleMax = 0;
    double scaleMin = 0;
    double mainStep = 0;
    double additionalStep = 0;
};

// A scale, or why there is none (a Russian sentence ending in "!").
struct AutoScale {
    std::optional<SheetScale> scale;
    std::string refusal;
};

// The lowest and highest value the sheet would draw: every entered value;
// the smoothing curve over its columns (1 cm before the first point to 1 cm
// after the last); the analytic curve over the selected grid and its band at
// the band's probabilities within the grid. Values that are not finite are
// left out; nullopt when nothing is left.
struct ValueExtent {
    double low = 0;
    double high = 0;
};
std::optional<ValueExtent> SheetValueExtent(const CurveSettings& settings);

// The scale for values from low to high (low <= high, both finite).
AutoScale ScaleForValues(double low, double high);

// ScaleForValues over SheetValueExtent; kNoValuesForScale when the sheet has
// nothing to show.
AutoScale AutoScaleOf(const CurveSettings& settings);

// Stores the scale and fits the smoothing curve (when it is drawn) again,
// since its coefficients are sheet heights of the old scale. The analytic
// curve and its band are values and stay. May raise what FitSmoothingCurve
// raises.
void StoreScale(CurveSettings& settings, const SheetScale& scale);

// Some entered value lies within the scale (ends included). False for an
// empty series.
bool AnyPointWithinScale(const CurveSettings& settings);

} // namespace aqualen
