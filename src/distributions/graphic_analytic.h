#pragma once
// The graphic-analytic method: x̄, Cv and Cs of the Pearson III curve through
// three points of a smoothing curve, x5, x50 and x95 (the values at 5, 50 and
// 95 % exceedance). With S = (x5 + x95 − 2·x50)/(x5 − x95), Cs is the
// skewness whose Φ values give the same S; σ = (x5 − x95)/(Φ5 − Φ95),
// x̄ = x50 − σ·Φ50, Cv = σ/x̄. The Kritsky–Menkel curve through the same
// three points: KritskyMenkelThroughPoints.

#include <vector>

#include "distributions/analytic_curve.h"
#include "distributions/kritsky_menkel.h"

namespace aqualen::dist {

struct MomentEstimate {
    double mean = 0;
    double cv = 0;
    double cs = 0;
};

// Raises FitRefused when the points do not fall (x5 > x50 > x95), when no Cs
// in [−kLargestSkew, kLargestSkew] gives S, or when x̄ comes out not positive.
MomentEstimate GraphicAnalyticEstimate(const SmoothingPoints& points);

// The Kritsky–Menkel curve whose quantiles at 5, 50 and 95 % are the three
// points, with its x̄, Cv and Cs. Raises FitRefused when the points do not
// fall, when x95 is not positive, when no curve of the family with a mean
// passes through them, or when the curve through them has no third moment
// (γ + 3b ≤ 0); the last two messages name the range of x50 that a curve
// with a Cs would pass through. With quantilesOnly such a curve is returned,
// its Cv and Cs NaN: the bootstrap's re-fits need only its quantiles.
struct KmPointsEstimate {
    MomentEstimate moments;
    KmShape shape;
    bool thirdMoment = true; // false: only with quantilesOnly, Cv and Cs NaN
};
// A start close to the answer saves most of the search.
KmPointsEstimate KritskyMenkelThroughPoints(const SmoothingPoints& points, const KmShape* start = nullptr,
                                            bool quantilesOnly = false);

// S of the Pearson III curve with skewness Cs.
double SkewIndex(double cs);

inline constexpr double kLargestSkew = 20;

// The three points of a series as the graphic-analytic method reads them: a
// least-squares parabola through its points on normal probability paper
// (value against the normal quantile of its exceedance P), read at 5, 50 and
// 95 %. Exact normal paper rather than the sheet's tabulated scale, which
// follows it to within 0.08 cm but not symmetrically (from 20 to 80 % its
// rows lean up to 0.04 cm towards 0 %): on the sheet's scale the points of a
// curve symmetric on normal paper bend the parabola, and give Cs ≈ 0.01.
// Raises FitRefused when fewer than three probabilities differ (the message
// below, shared with the sheet's parabola) or one lies outside (0, 100).
inline constexpr const char* kThreeDistinctPointsText =
    "Для сглаживающей кривой нужны хотя бы три точки с разными обеспеченностями!";
SmoothingPoints NormalPaperPoints(const std::vector<double>& exceedancePercents, const std::vector<double>& values);

// The same for a sample in the bootstrap, at P = m/(n + 1) with the values
// sorted largest first.
SmoothingPoints SampleSmoothingPoints(std::vector<double> values);

} // namespace aqualen::dist
