#pragma once
// FitCurve with a known curve close to the answer, for the bootstrap's
// re-estimates: the equations are solved from there, which is several times
// faster and gives the same curve. The re-estimates need only the curve's
// quantiles: a Kritsky–Menkel curve through three points that has no third
// moment (γ + 3b ≤ 0), which FitCurve refuses, is returned here with its Cv
// and Cs NaN.

#include "distributions/analytic_curve.h"

namespace aqualen::dist {

Fit FitCurveNear(const std::vector<double>& values, const FitOptions& options, const SmoothingPoints* smoothing,
                 const Fit* near);

} // namespace aqualen::dist
