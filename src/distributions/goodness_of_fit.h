#pragma once
// Does the fitted curve fit the points? The Kolmogorov D, the Cramér–von
// Mises ω², the Anderson–Darling A² and Pearson's χ² of the series against
// the curve's distribution function, with p-values by the parametric
// bootstrap (the curve's parameters are estimated from the series, so the
// tables for a known distribution would be far too lenient). Window-free.

#include <optional>
#include <string>
#include <vector>

#include "distributions/analytic_curve.h"

namespace aqualen::dist {

// Non-exceedance F(x) of the fitted curve at a value x (not a modular
// coefficient): 0 below the curve's lower bound, 1 above its upper one.
double NonExceedance(const Fit& fit, double x);

// Pearson's χ² uses k = min(10, ⌊n/5⌋) classes of equal probability, and is
// given from five classes on (25 values): fewer leave too few degrees of
// freedom for it to say anything.
inline constexpr int kMostChiSquareClasses = 10;
inline constexpr int kLeastChiSquareClasses = 5;
int ChiSquareClasses(size_t n);

// The heading of the block of lines.
inline constexpr const char* kGoodnessHeading = "Критерии согласия";

// Samples drawn for the p-values.
inline constexpr int kGoodnessSamples = 1000;

struct FitStatistics {
    double kolmogorov = 0;      // D
    double cramerVonMises = 0;  // ω²
    double andersonDarling = 0; // A²; +∞ when a value lies outside the curve's range
    int classes = 0;            // k of χ²; 0 when it is not given
    double chiSquare = 0;
};

// The statistics of the non-exceedances u(i) = F(x(i)) of a series (any
// order, at least one value).
FitStatistics StatisticsOfNonExceedances(std::vector<double> u);
// The same from the values and the curve.
FitStatistics StatisticsAgainst(const Fit& fit, const std::vector<double>& values);

// The p-value of each statistic: the share of bootstrap samples whose own
// statistic (against their own re-fitted curve) is at least the series'.
struct FitPValues {
    double kolmogorov = 0, cramerVonMises = 0, andersonDarling = 0, chiSquare = 0;
};

struct GoodnessOfFit {
    FitStatistics statistics;
    // None for hand-entered parameters (nothing was estimated, so nothing to
    // re-estimate) and when no sample could be re-fitted.
    std::optional<FitPValues> p;
    bool givenParameters = false;
    int skipped = 0; // samples whose re-fit was refused
};

// The statistics of the series against `fit`, and their p-values from
// 1,000 samples of the series' length drawn from `fit` (fixed seed), each
// re-estimated by options' method. For the graphic-analytic method each
// sample's three points come from its own parabola, as for the band. Raises
// FitRefused for fewer than three values.
GoodnessOfFit TestGoodnessOfFit(const std::vector<double>& values, const Fit& fit, const FitOptions& options);

// "Критерии согласия:" (with the count of skipped samples, or why there are
// no p-values), then D, ω², A² and, from five classes, χ², each with its p.
// `curveName` names the curve in the heading when two are shown.
std::vector<std::string> GoodnessOfFitLines(const GoodnessOfFit& goodness, char sep,
                                            const std::string& curveName = std::string());

} // namespace aqualen::dist
