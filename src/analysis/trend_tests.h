#pragma once
// Stationarity of a series in time order: Mann–Kendall's trend test with
// tie correction and Hamed and Rao's correction for autocorrelation, Sen's
// slope, Spearman's ρ against time, Pettitt's change point, and the
// difference integral curve. Window-free.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace aqualen::analysis {

inline constexpr int kTrendMinLength = 10;
inline constexpr int kTrendMaxLength = 10000;

struct MannKendall {
    std::int64_t s = 0;
    double variance = 0; // with the tie correction
    double z = 0;
    double p = 1; // two-sided
};

struct HamedRao {
    bool applicable = false; // Var*(S) > 0
    double variance = 0;
    double z = 0;
    double p = 1;
};

struct Spearman {
    double rho = 0;
    double p = 1; // two-sided, Student's t with n − 2 degrees of freedom
};

struct Pettitt {
    std::int64_t k = 0;
    int changeAfter = 0; // t*: the length of the first part
    double p = 1;
};

// Filled in the order of the report's lines.
struct TrendResult {
    int n = 0;
    MannKendall mannKendall;
    HamedRao hamedRao;
    double senSlope = 0; // per time step
    Spearman spearman;
    Pettitt pettitt;
};

// The refusal for a series the checks do not take (length outside 10..10,000,
// all values equal), or nullopt.
std::optional<std::string> TrendRefusal(const std::vector<double>& values);

// Mann–Kendall's S = Σ over i < j of sign(x(j) − x(i)), by merge counting.
std::int64_t MannKendallS(const std::vector<double>& values);
// Sen's slope: the median of (x(j) − x(i))/(j − i) over i < j, found by
// bisection on the slope without storing the pairs.
double SenSlope(const std::vector<double>& values);
// Pettitt's statistic, its first maximum and p.
Pettitt PettittTest(const std::vector<double>& values);
// The change point proposed for splitting the series in two: Pettitt's t*,
// the number of values in the first part (1 … n − 1).
int ProposeChangePoint(const std::vector<double>& values);

// All the tests; the series must pass TrendRefusal.
TrendResult ComputeTrend(const std::vector<double>& values);

// The report: the statistics, then one verdict per test at the level (1, 5
// or 10 %). With a first year the change point is given as the last year of
// the first part.
std::vector<std::string> TrendLines(const TrendResult& result, int levelPercent, std::optional<int> firstYear,
                                    char separator);

// c(t) = Σ over i ≤ t of (k(i) − 1)/Cv with k(i) = x(i)/x̄ and the sample ^Cv
// of the statistics report; one value per year. Raises FloatFault where the
// statistics report does (a zero mean).
std::vector<double> DifferenceIntegralCurve(const std::vector<double>& values);

// Four significant digits in the general number format ("0,1235", "-2,5E-5").
std::string FourDigits(double value, char separator);

} // namespace aqualen::analysis
