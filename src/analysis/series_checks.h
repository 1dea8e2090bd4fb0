#pragma once
// The checks of the window "Анализ ряда" on one series: the trend and
// change-point tests and the outlier criteria, each where the series
// allows it. A check the series does not allow (its length, equal values,
// no curve for the series' Cv and Cs) leaves its refusal in its place, so
// that a series of 5 to 9 values still gets its outliers and one of over
// 1,000 its trend. Window-free.

#include <optional>
#include <string>
#include <vector>

#include "analysis/outlier_tests.h"
#include "analysis/trend_tests.h"

namespace aqualen::analysis {

struct SeriesCheckOptions {
    int levelPercent = 5;
    dist::Distribution distribution = dist::Distribution::KritskyMenkel; // of the outliers' critical values
    int r1Choice = 0;                                                    // 0, 1, 2: r(1) = 0, 0.3, 0.5
    std::optional<int> firstYear;
};

struct SeriesChecks {
    std::optional<TrendResult> trend;
    std::optional<std::string> trendRefusal;
    std::optional<OutlierResult> outliers;
    std::optional<std::string> outlierRefusal;

    bool Nothing() const { return !trend && !outliers; }
    // The refusals as one message: each once, in the report's order.
    std::string RefusalText() const;
};

// Runs what the series allows. Raises FloatFault as the tests do.
SeriesChecks ComputeSeriesChecks(const std::vector<double>& values, const SeriesCheckOptions& options);

// The trend lines (or the trend's refusal), an empty line, the outlier
// lines (or their refusal).
std::vector<std::string> SeriesCheckLines(const SeriesChecks& checks, const SeriesCheckOptions& options,
                                          char separator);

// Sen's line at time t (1 … n): through the median of the values at the
// middle time (n + 1)/2, with Sen's slope.
double SenLineAt(const std::vector<double>& values, double slope, double t);

} // namespace aqualen::analysis
