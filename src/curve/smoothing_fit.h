#pragma once
// Least-squares parabola through the entered points on probability paper.

#include "curve/curve_settings.h"

namespace aqualen {

// Refills PointX/PointY and sets CurveA/B/C. Fewer than three distinct
// probabilities are refused with a std::invalid_argument carrying a Russian
// message, before anything is changed.
void FitSmoothingCurve(CurveSettings& settings);

} // namespace aqualen
