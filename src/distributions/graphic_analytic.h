#pragma once
// The graphic-analytic method: x̄, Cv and Cs of the Pearson III curve through
// three points of a smoothing curve, x5, x50 and x95 (the values at 5, 50 and
// 95 % exceedance). With S = (x5 + x95 − 2·x50)/(x5 − x95), Cs is the
// skewness whose Φ values give the same S; σ = (x5 − x95)/(Φ5 − Φ95),
// x̄ = x50 − σ·Φ50, Cv = σ/x̄.

#include <vector>

#include "distributions/analytic_curve.h"

namespace aqualen::dist {

struct MomentEstimate {
    double mean = 0;
    double cv = 0;
    double cs = 0;
};

// Raises FitRefused when x5 <= x95, when no Cs in [−kLargestSkew, kLargestSkew]
// gives S, or when x̄ comes out not positive.
MomentEstimate GraphicAnalyticEstimate(const SmoothingPoints& points);

// S of the Pearson III curve with skewness Cs.
double SkewIndex(double cs);

inline constexpr double kLargestSkew = 20;

// The three points of a sample, for re-estimating it in the bootstrap: a
// least-squares parabola through its points on normal probability paper
// (value against the normal quantile of P = m/(n + 1), the values sorted
// largest first), read at 5, 50 and 95 %. The sheet's own scale is close to
// normal paper; the sample needs no sheet.
SmoothingPoints SampleSmoothingPoints(std::vector<double> values);

} // namespace aqualen::dist
