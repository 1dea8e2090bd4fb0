// Outlier criteria. Sources: Dixon, Ann. Math. Statist. 22 (1951) for the
// ratios r10 … r22; Grubbs, Technometrics 11 (1969) and Smirnov (1941) for
// G; the simulated critical values reproduce their normal-sample tables at
// Cs = 0 and r(1) = 0 (see the tests).

#include "analysis/outlier_tests.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/analysis_messages.h"
#include "analysis/series_values.h"
#include "distributions/curve_sampling.h"
#include "series/number_text.h"
#include "stats/bias_correction.h"

namespace aqualen::analysis {

namespace {

constexpr unsigned kSeed = 20240817; // the same series always gets the same critical values
constexpr const char* kNames[kOutlierStatistics] = {
    "Диксон r10:", "Диксон r11:", "Диксон r20:", "Диксон r21:", "Диксон r22:", "Смирнов–Граббс G:"};

double Ratio(double numerator, double denominator)
{
    return denominator == 0 ? std::numeric_limits<double>::quiet_NaN() : numerator / denominator;
}

// Dixon's ratios from the three largest (top1 ≥ top2 ≥ top3) and the three
// smallest (low1 ≤ low2 ≤ low3) values, and G from the mean and s.
struct Ends {
    double top1, top2, top3, low1, low2, low3;
};

OutlierValues StatisticsOfEnds(const Ends& e, double mean, double s)
{
    return {Ratio(e.top1 - e.top2, e.top1 - e.low1), Ratio(e.top1 - e.top2, e.top1 - e.low2),
            Ratio(e.top1 - e.top3, e.top1 - e.low1), Ratio(e.top1 - e.top3, e.top1 - e.low2),
            Ratio(e.top1 - e.top3, e.top1 - e.low3), Ratio(e.top1 - mean, s)};
}

// Mean and s (divisor n − 1), two passes.
std::pair<double, double> MeanAndDeviation(const std::vector<double>& x)
{
    long double sum = 0;
    for (const double v : x)
        sum += v;
    const long double mean = sum / static_cast<long double>(x.size());
    long double squares = 0;
    for (const double v : x)
        squares += (v - mean) * (v - mean);
    return {static_cast<double>(mean),
            static_cast<double>(std::sqrt(squares / static_cast<long double>(x.size() - 1)))};
}

Ends EndsOfAscending(const std::vector<double>& a)
{
    const size_t n = a.size();
    return {a[n - 1], a[n - 2], a[n - 3], a[0], a[1], a[2]};
}

Ends Mirrored(const Ends& e)
{
    return {-e.low1, -e.low2, -e.low3, -e.top1, -e.top2, -e.top3};
}

// The three largest and three smallest values in one pass (the simulation
// needs no full sort).
Ends EndsOfSample(const std::vector<double>& x)
{
    const double inf = std::numeric_limits<double>::infinity();
    Ends e{-inf, -inf, -inf, inf, inf, inf};
    for (const double v : x) {
        if (v > e.top3) {
            if (v > e.top1) {
                e.top3 = e.top2;
                e.top2 = e.top1;
                e.top1 = v;
            } else if (v > e.top2) {
                e.top3 = e.top2;
                e.top2 = v;
            } else {
                e.top3 = v;
            }
        }
        if (v < e.low3) {
            if (v < e.low1) {
                e.low3 = e.low2;
                e.low2 = e.low1;
                e.low1 = v;
            } else if (v < e.low2) {
                e.low3 = e.low2;
                e.low2 = v;
            } else {
                e.low3 = v;
            }
        }
    }
    return e;
}

// Percentile with linear interpolation between order statistics.
double Percentile(std::vector<double>& values, double fraction)
{
    std::sort(values.begin(), values.end());
    const double position = fraction * static_cast<double>(values.size() - 1);
    const auto below = static_cast<size_t>(position);
    const size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (position - static_cast<double>(below)) * (values[above] - values[below]);
}

} // namespace

OutlierValues LargestValueStatistics(const std::vector<double>& ascending)
{
    const auto [mean, s] = MeanAndDeviation(ascending);
    return StatisticsOfEnds(EndsOfAscending(ascending), mean, s);
}

OutlierValues SmallestValueStatistics(const std::vector<double>& ascending)
{
    const auto [mean, s] = MeanAndDeviation(ascending);
    return StatisticsOfEnds(Mirrored(EndsOfAscending(ascending)), -mean, s);
}

CriticalValues SimulatedCriticalValues(const dist::Fit& fit, int n, double r1, int levelPercent)
{
    dist::SeriesSampler sampler(fit, r1, kSeed);
    std::vector<double> sample(static_cast<size_t>(n));
    std::array<std::vector<double>, kOutlierStatistics> largest, smallest;
    for (int j = 0; j < kOutlierStatistics; ++j) {
        largest[j].reserve(kOutlierSimulations);
        smallest[j].reserve(kOutlierSimulations);
    }
    for (int i = 0; i < kOutlierSimulations; ++i) {
        sampler.Next(sample);
        const auto [mean, s] = MeanAndDeviation(sample);
        const Ends ends = EndsOfSample(sample);
        const OutlierValues top = StatisticsOfEnds(ends, mean, s);
        const OutlierValues low = StatisticsOfEnds(Mirrored(ends), -mean, s);
        for (int j = 0; j < kOutlierStatistics; ++j) {
            // Ties have no weight for a continuous curve; should they occur,
            // a zero-over-zero ratio counts as no outlier at all.
            largest[j].push_back(std::isnan(top[j]) ? 0 : top[j]);
            smallest[j].push_back(std::isnan(low[j]) ? 0 : low[j]);
        }
    }
    const double fraction = 1 - levelPercent / 100.0;
    CriticalValues critical;
    for (int j = 0; j < kOutlierStatistics; ++j) {
        critical.largest[j] = Percentile(largest[j], fraction);
        critical.smallest[j] = Percentile(smallest[j], fraction);
    }
    return critical;
}

std::optional<std::string> OutlierRefusal(const std::vector<double>& values)
{
    return ValuesRefusal(values, kOutlierMinLength, kOutlierMaxLength, kOutlierLengthText);
}

dist::FitOptions OutlierFitOptions(dist::Distribution distribution, int r1Choice)
{
    dist::FitOptions options;
    options.distribution = distribution;
    options.method = dist::Method::Moments;
    options.r1Choice = r1Choice;
    return options;
}

OutlierResult ComputeOutliers(const std::vector<double>& values, dist::Distribution distribution, int r1Choice,
                              int levelPercent)
{
    const dist::Fit fit = dist::FitCurve(values, OutlierFitOptions(distribution, r1Choice));
    std::vector<double> ascending = values;
    std::sort(ascending.begin(), ascending.end());
    OutlierResult result;
    result.largest.value = ascending.back();
    result.largest.statistic = LargestValueStatistics(ascending);
    result.smallest.value = ascending.front();
    result.smallest.statistic = SmallestValueStatistics(ascending);
    const CriticalValues critical =
        SimulatedCriticalValues(fit, static_cast<int>(values.size()), RegionalR1At(r1Choice).value, levelPercent);
    result.largest.critical = critical.largest;
    result.smallest.critical = critical.smallest;
    return result;
}

std::vector<std::string> OutlierLines(const OutlierResult& result, char sep)
{
    std::vector<std::string> lines;
    const auto block = [&](const char* title, const OutlierEnd& end) {
        lines.push_back(std::string(title) + "\t" + FormatFixed(end.value, 3, sep));
        for (int j = 0; j < kOutlierStatistics; ++j) {
            const double v = end.statistic[j];
            const std::string critical = FormatFixed(end.critical[j], 3, sep);
            if (std::isnan(v))
                lines.push_back(std::string(kNames[j]) + "\tне определено\t" + critical);
            else
                lines.push_back(std::string(kNames[j]) + "\t" + FormatFixed(v, 3, sep) + "\t" + critical + "\t" +
                                (v <= end.critical[j] ? "Однородно" : "Выделяется"));
        }
    };
    block("Наибольшее значение:", result.largest);
    lines.emplace_back();
    block("Наименьшее значение:", result.smallest);
    return lines;
}

} // namespace aqualen::analysis
