#pragma once
// Critical values of the homogeneity criteria. The Fisher and Student tables
// are tabulated for the lengths 10, 25, 50 and 100 and interpolated between
// them; outside 10..100 there is no critical value and the lookups give 0.

#include <array>
#include <cstdint>

namespace aqualen {

inline constexpr int kDependenceRowCount = 18;
inline constexpr int kSignificanceLevelCount = 13;
// The Wilcoxon criterion has a quantile, and is applied, at levels 0..7 only.
inline constexpr int kLastWilcoxonLevel = 7;

// Item texts of the dependence choice, R first, then r(1).
extern const std::array<const char*, kDependenceRowCount> DependenceRows;
// Item texts of the significance levels, in percent.
extern const std::array<const char*, kSignificanceLevelCount> SignificanceLevels;

// row 0..17, level 0..12 (std::out_of_range otherwise); any length n.
double FisherCritical(int row, int level, int64_t n);
double StudentCritical(int row, int level, int64_t n);

// level 0..7 / row 0..17 (std::out_of_range otherwise).
double WilcoxonQuantile(int level);
double WilcoxonVarianceFactor(int row);

} // namespace aqualen
