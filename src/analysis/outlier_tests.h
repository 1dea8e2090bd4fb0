#pragma once
// Does the largest or the smallest value stand out from the rest of the
// series? Dixon's ratios r10, r11, r20, r21, r22 and the Smirnov–Grubbs G,
// with critical values simulated from the curve fitted to the series, with
// the lag-one dependence typical of the region. Window-free.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "distributions/analytic_curve.h"

namespace aqualen::analysis {

inline constexpr int kOutlierMinLength = 5;
inline constexpr int kOutlierMaxLength = 1000;
// Series simulated for the critical values.
inline constexpr int kOutlierSimulations = 10000;

// r10, r11, r20, r21, r22, G, in the order of the report.
inline constexpr int kOutlierStatistics = 6;
using OutlierValues = std::array<double, kOutlierStatistics>;

// The statistics for the largest value of an ascending series (n ≥ 5). A
// zero denominator (x(n) = x(2), say) gives NaN: that ratio is not defined.
OutlierValues LargestValueStatistics(const std::vector<double>& ascending);
// The same for the smallest value: the mirror images.
OutlierValues SmallestValueStatistics(const std::vector<double>& ascending);

struct CriticalValues {
    OutlierValues largest{}, smallest{};
};

// The (1 − level) quantile of each statistic over 10,000 series of length n
// drawn from the curve (fixed seed), Gaussian AR(1) dependence with r1.
CriticalValues SimulatedCriticalValues(const dist::Fit& fit, int n, double r1, int levelPercent);

struct OutlierEnd {
    double value = 0; // x(n) or x(1)
    OutlierValues statistic{};
    OutlierValues critical{};
};

struct OutlierResult {
    OutlierEnd largest, smallest;
};

// The refusal for a series outside 5..1,000 values or with all values
// equal, or nullopt.
std::optional<std::string> OutlierRefusal(const std::vector<double>& values);

// The curve the critical values are simulated from: the moments method with
// the bias correction at the r(1) choice (0, 1, 2), as the quantile report.
dist::FitOptions OutlierFitOptions(dist::Distribution distribution, int r1Choice);

// Fits the curve and tests both ends. Raises dist::FitRefused where the
// curve has no shape for the series' Cv and Cs.
OutlierResult ComputeOutliers(const std::vector<double>& values, dist::Distribution distribution, int r1Choice,
                              int levelPercent);

// "Наибольшее значение:" and its six lines, an empty line, the same for
// "Наименьшее значение:".
std::vector<std::string> OutlierLines(const OutlierResult& result, char separator);

} // namespace aqualen::analysis
