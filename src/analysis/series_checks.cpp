#include "analysis/series_checks.h"

#include <algorithm>

namespace aqualen::analysis {

std::string SeriesChecks::RefusalText() const
{
    std::string text = trendRefusal.value_or(std::string());
    if (outlierRefusal && *outlierRefusal != text)
        text += (text.empty() ? "" : "\n") + *outlierRefusal;
    return text;
}

SeriesChecks ComputeSeriesChecks(const std::vector<double>& values, const SeriesCheckOptions& options)
{
    SeriesChecks checks;
    checks.trendRefusal = TrendRefusal(values);
    if (!checks.trendRefusal)
        checks.trend = ComputeTrend(values);
    checks.outlierRefusal = OutlierRefusal(values);
    if (!checks.outlierRefusal) {
        try {
            checks.outliers = ComputeOutliers(values, options.distribution, options.r1Choice, options.levelPercent);
        } catch (const dist::FitRefused& refused) {
            checks.outlierRefusal = refused.what();
        }
    }
    return checks;
}

std::vector<std::string> SeriesCheckLines(const SeriesChecks& checks, const SeriesCheckOptions& options, char separator)
{
    std::vector<std::string> lines;
    if (checks.trend)
        lines = TrendLines(*checks.trend, options.levelPercent, options.firstYear, separator);
    else
        lines.push_back(checks.trendRefusal.value_or(std::string()));
    lines.emplace_back();
    if (checks.outliers) {
        for (std::string& line : OutlierLines(*checks.outliers, separator))
            lines.push_back(std::move(line));
    } else {
        lines.push_back(checks.outlierRefusal.value_or(std::string()));
    }
    return lines;
}

double SenLineAt(const std::vector<double>& values, double slope, double t)
{
    std::vector<double> sorted = values;
    const size_t half = sorted.size() / 2;
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(half), sorted.end());
    double median = sorted[half];
    if (sorted.size() % 2 == 0)
        median = (median + *std::max_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(half))) / 2;
    const double middle = (static_cast<double>(values.size()) + 1) / 2;
    return median + slope * (t - middle);
}

} // namespace aqualen::analysis
