#pragma once
// Least-squares parabola through the entered points on probability paper.

#include "curve/curve_settings.h"
#include "distributions/analytic_curve.h"

namespace aqualen {

// How the dialog's check box and the sheet's legend name the curve.
inline constexpr const char* kSmoothingCurveName = "Сглаживающая кривая";

// Refills PointX/PointY and sets CurveA/B/C. Fewer than three distinct
// probabilities are refused with dist::FitRefused (the one refusal of every
// curve that cannot be drawn), carrying a Russian message, before anything
// is changed.
void FitSmoothingCurve(CurveSettings& settings);

} // namespace aqualen
