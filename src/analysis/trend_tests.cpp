// Trend and change-point tests. Sources: Mann (1945) and Kendall, "Rank
// correlation methods" (1975) for S and its tie-corrected variance; Hamed and
// Rao, J. Hydrol. 204 (1998) for the autocorrelation correction; Sen, JASA 63
// (1968) for the slope; Pettitt, Appl. Statist. 28 (1979) for the change point.

#include "analysis/trend_tests.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include <boost/math/distributions/students_t.hpp>

#include "analysis/analysis_messages.h"
#include "analysis/pair_counting.h"
#include "analysis/series_values.h"
#include "series/float_fault.h"
#include "series/number_text.h"
#include "series/numeric_lists.h"
#include "stats/statistics_report.h"

namespace aqualen::analysis {

namespace {

// Two-sided p of a standard normal statistic: 2(1 − Φ(|z|)) = erfc(|z|/√2),
// which keeps its digits where Φ is close to 1.
double TwoSidedNormalP(double z)
{
    return std::erfc(std::fabs(z) / std::sqrt(2.0));
}

// Z with the continuity correction of ±1.
double ContinuityZ(std::int64_t s, double variance)
{
    if (s == 0)
        return 0;
    const double shifted = static_cast<double>(s > 0 ? s - 1 : s + 1);
    return StoreDouble(CheckedDivide(shifted, CheckedSqrt(variance)));
}

double TieCorrectedVariance(const std::vector<double>& values)
{
    const auto n = static_cast<long double>(values.size());
    long double v = n * (n - 1) * (2 * n + 5);
    for (const std::int64_t t : TieGroups(values)) {
        const auto lt = static_cast<long double>(t);
        v -= lt * (lt - 1) * (2 * lt + 5);
    }
    return static_cast<double>(v / 18);
}

// Doubles in an unsigned order: adjacent doubles have adjacent keys, so a
// bisection over keys ends on two neighbouring doubles in at most 64 steps.
std::uint64_t KeyOf(double d)
{
    const auto bits = std::bit_cast<std::uint64_t>(d);
    return (bits >> 63) ? ~bits : bits | (std::uint64_t{1} << 63);
}

double DoubleOf(std::uint64_t key)
{
    const std::uint64_t bits = (key >> 63) ? key & ~(std::uint64_t{1} << 63) : ~key;
    return std::bit_cast<double>(bits);
}

// Pairs i < j whose slope (x(j) − x(i))/(j − i) is at most b: with
// y(i) = x(i) − b·i these are the pairs with y(j) ≤ y(i).
std::int64_t PairsWithSlopeAtMost(const std::vector<double>& x, double b)
{
    std::vector<double> y(x.size());
    for (size_t i = 0; i < x.size(); ++i) // extended, then stored: a linear series gives equal y exactly
        y[i] = static_cast<double>(static_cast<long double>(x[i]) -
                                   static_cast<long double>(b) * static_cast<long double>(i));
    return CountWeakInversions(std::move(y));
}

// The k-th smallest pair slope (k from 1): the smallest b with at least k
// slopes at most b. `next`, when given, is lowered to the smallest probed b
// with more than k slopes at most b: a close upper bound for the next slope.
double KthSlope(const std::vector<double>& x, std::int64_t k, double low, double high, double* next = nullptr)
{
    // A zero slope is decided exactly, from the values' own order: a probe
    // b next to zero shifts y by less than the values' last digit, so the
    // bisection alone would end on a tiny b (−2E-17) where ties make it 0.
    if (low < 0 && high > 0) {
        const std::int64_t below = CountInversions({x.begin(), x.end()});      // slopes < 0
        const std::int64_t atZero = CountWeakInversions({x.begin(), x.end()}); // slopes ≤ 0
        if (below < k && k <= atZero) {
            if (next && atZero > k && 0 < *next)
                *next = 0;
            return 0;
        }
        if (k <= below)
            high = std::min(high, -std::numeric_limits<double>::denorm_min());
        else
            low = std::max(low, std::numeric_limits<double>::denorm_min());
    }
    const std::int64_t atLow = PairsWithSlopeAtMost(x, low);
    if (atLow >= k) {
        if (next && atLow > k)
            *next = low;
        return low;
    }
    std::uint64_t lo = KeyOf(low), hi = KeyOf(high); // count(lo) < k <= count(hi)
    while (hi - lo > 1) {
        const std::uint64_t mid = lo + (hi - lo) / 2;
        const std::int64_t count = PairsWithSlopeAtMost(x, DoubleOf(mid));
        if (count >= k) {
            hi = mid;
            if (next && count > k && DoubleOf(mid) < *next)
                *next = DoubleOf(mid);
        } else {
            lo = mid;
        }
    }
    return DoubleOf(hi);
}

// ρ(k) of the ranks at every lag, keeping those beyond the 95 % band
// ±1.96/√n, summed with Hamed and Rao's weights (n − k)(n − k − 1)(n − k − 2).
long double WeightedRankAutocorrelation(const std::vector<double>& ranks)
{
    const size_t n = ranks.size();
    long double mean = 0;
    for (const double r : ranks)
        mean += r;
    mean /= static_cast<long double>(n);
    std::vector<double> d(n);
    long double denominator = 0;
    for (size_t t = 0; t < n; ++t) {
        d[t] = static_cast<double>(ranks[t] - mean);
        denominator += static_cast<long double>(d[t]) * d[t];
    }
    // A detrended series that is constant (an exactly linear one) has no
    // rank autocorrelation to correct for.
    if (denominator == 0)
        return 0;
    const double band = 1.96 / std::sqrt(static_cast<double>(n));
    long double sum = 0;
    for (size_t k = 1; k < n; ++k) {
        // Four sums in double: this quadratic loop is the test's cost, and
        // independent sums let the processor run them side by side.
        double part[4] = {0, 0, 0, 0};
        const size_t pairs = n - k;
        size_t t = 0;
        for (; t + 4 <= pairs; t += 4)
            for (size_t m = 0; m < 4; ++m)
                part[m] += d[t + m] * d[t + m + k];
        for (; t < pairs; ++t)
            part[0] += d[t] * d[t + k];
        const double lagged = (part[0] + part[1]) + (part[2] + part[3]);
        const long double rho = lagged / denominator;
        if (std::fabs(rho) > band) {
            const auto m = static_cast<long double>(n - k);
            sum += m * (m - 1) * (m - 2) * rho;
        }
    }
    return sum;
}

HamedRao HamedRaoCorrection(const std::vector<double>& values, const MannKendall& mk, double slope)
{
    const size_t n = values.size();
    std::vector<double> detrended(n);
    for (size_t i = 0; i < n; ++i)
        detrended[i] = values[i] - slope * static_cast<double>(i + 1);
    const auto ln = static_cast<long double>(n);
    const long double factor = 1 + 2 / (ln * (ln - 1) * (ln - 2)) * WeightedRankAutocorrelation(MidRanks(detrended));
    HamedRao hr;
    hr.variance = static_cast<double>(mk.variance * factor);
    hr.applicable = hr.variance > 0;
    if (hr.applicable) {
        hr.z = ContinuityZ(mk.s, hr.variance);
        hr.p = TwoSidedNormalP(hr.z);
    }
    return hr;
}

Spearman SpearmanTest(const std::vector<double>& values)
{
    const std::vector<double> ranks = MidRanks(values);
    const size_t n = values.size();
    const long double meanRank = (static_cast<long double>(n) + 1) / 2; // of the values and of the times alike
    long double sxy = 0, sxx = 0, syy = 0;
    for (size_t i = 0; i < n; ++i) {
        const long double dx = ranks[i] - meanRank, dt = static_cast<long double>(i + 1) - meanRank;
        sxy += dx * dt;
        sxx += dx * dx;
        syy += dt * dt;
    }
    Spearman sp;
    sp.rho = StoreDouble(CheckedDivide(sxy, CheckedSqrt(sxx * syy)));
    const double rest = 1 - sp.rho * sp.rho;
    if (!(rest > 0)) { // a strictly monotone series: t is infinite
        sp.p = 0;
        return sp;
    }
    const double df = static_cast<double>(n - 2);
    const double t = sp.rho * std::sqrt(df / rest);
    const boost::math::students_t student(df);
    sp.p = 2 * boost::math::cdf(boost::math::complement(student, std::fabs(t)));
    return sp;
}

std::string P3(double p, char sep)
{
    return "p = " + FormatFixed(p, 3, sep);
}

} // namespace

std::optional<std::string> TrendRefusal(const std::vector<double>& values)
{
    return ValuesRefusal(values, kTrendMinLength, kTrendMaxLength, kTrendLengthText);
}

std::int64_t MannKendallS(const std::vector<double>& values)
{
    // S = concordant − discordant pairs; discordant ones are the inversions,
    // tied ones count neither way.
    const auto n = static_cast<std::int64_t>(values.size());
    const std::int64_t discordant = CountInversions({values.begin(), values.end()});
    std::int64_t tied = 0;
    for (const std::int64_t t : TieGroups(values))
        tied += t * (t - 1) / 2;
    const std::int64_t concordant = n * (n - 1) / 2 - tied - discordant;
    return concordant - discordant;
}

double SenSlope(const std::vector<double>& values)
{
    const auto [lowIt, highIt] = std::minmax_element(values.begin(), values.end());
    const double range = StoreDouble(static_cast<long double>(*highIt) - *lowIt);
    const auto n = static_cast<std::int64_t>(values.size());
    const std::int64_t pairs = n * (n - 1) / 2;
    // Every slope lies within ±range (the steepest joins neighbours).
    if (pairs % 2 == 1)
        return KthSlope(values, pairs / 2 + 1, -range, range);
    double next = range;
    const double below = KthSlope(values, pairs / 2, -range, range, &next);
    const double above = KthSlope(values, pairs / 2 + 1, below, next);
    return static_cast<double>((static_cast<long double>(below) + above) / 2);
}

Pettitt PettittTest(const std::vector<double>& values)
{
    // U(t) = U(t − 1) + Σ over j of sign(x(t) − x(j)) = U(t − 1) + 2r(t) − n − 1
    // with the mid-rank r(t); in doubled ranks, to stay in integers.
    const std::vector<double> ranks = MidRanks(values);
    const auto n = static_cast<std::int64_t>(values.size());
    Pettitt pt;
    std::int64_t doubledU = 0;
    for (std::int64_t t = 1; t < n; ++t) {
        doubledU += 2 * static_cast<std::int64_t>(std::llround(2 * ranks[t - 1])) - 2 * (n + 1);
        const std::int64_t k = std::llabs(doubledU) / 2;
        if (k > pt.k || pt.changeAfter == 0) {
            pt.k = k;
            pt.changeAfter = static_cast<int>(t);
        }
    }
    const double dn = static_cast<double>(n);
    const double dk = static_cast<double>(pt.k);
    pt.p = std::min(1.0, 2 * std::exp(-6 * dk * dk / (dn * dn * dn + dn * dn)));
    return pt;
}

int ProposeChangePoint(const std::vector<double>& values)
{
    return PettittTest(values).changeAfter;
}

TrendResult ComputeTrend(const std::vector<double>& values)
{
    TrendResult r;
    r.n = static_cast<int>(values.size());
    r.mannKendall.s = MannKendallS(values);
    r.mannKendall.variance = TieCorrectedVariance(values);
    r.mannKendall.z = ContinuityZ(r.mannKendall.s, r.mannKendall.variance);
    r.mannKendall.p = TwoSidedNormalP(r.mannKendall.z);
    r.senSlope = SenSlope(values);
    r.hamedRao = HamedRaoCorrection(values, r.mannKendall, r.senSlope);
    r.spearman = SpearmanTest(values);
    r.pettitt = PettittTest(values);
    return r;
}

std::string FourDigits(double value, char separator)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3e", value);
    return FormatGeneral(std::strtod(text, nullptr), separator);
}

std::vector<std::string> TrendLines(const TrendResult& r, int levelPercent, std::optional<int> firstYear, char sep)
{
    const std::string changeAfter =
        std::to_string(firstYear ? *firstYear + r.pettitt.changeAfter - 1 : r.pettitt.changeAfter);
    std::vector<std::string> lines{
        "Длина ряда:\t" + std::to_string(r.n),
        "Манн–Кендалл S:\t" + std::to_string(r.mannKendall.s),
        "Манн–Кендалл Z:\t" + FormatFixed(r.mannKendall.z, 3, sep) + "\t" + P3(r.mannKendall.p, sep),
        r.hamedRao.applicable ? "Хамед–Рао Z:\t" + FormatFixed(r.hamedRao.z, 3, sep) + "\t" + P3(r.hamedRao.p, sep)
                              : std::string("Хамед–Рао Z:\tпоправка неприменима"),
        "Сен, наклон:\t" + FourDigits(r.senSlope, sep),
        "Спирмен ρ:\t" + FormatFixed(r.spearman.rho, 3, sep) + "\t" + P3(r.spearman.p, sep),
        "Петтитт K:\t" + std::to_string(r.pettitt.k) + "\t" + P3(r.pettitt.p, sep) + "\tсдвиг после: " + changeAfter,
    };
    const double alpha = levelPercent / 100.0;
    const std::string at = ", " + std::to_string(levelPercent) + " %:\t";
    const auto trend = [&](double p) { return p < alpha ? "тренд значим" : "тренд не значим"; };
    lines.push_back("Манн–Кендалл" + at + trend(r.mannKendall.p));
    lines.push_back("Хамед–Рао" + at + (r.hamedRao.applicable ? trend(r.hamedRao.p) : "поправка неприменима"));
    lines.push_back("Спирмен" + at + trend(r.spearman.p));
    lines.push_back("Петтитт" + at +
                    (r.pettitt.p < alpha ? "сдвиг значим, после " + changeAfter : std::string("сдвиг не значим")));
    return lines;
}

std::vector<double> DifferenceIntegralCurve(const std::vector<double>& values)
{
    TDoubleList list;
    for (const double v : values)
        list.Add(v);
    const StatisticsResult stats = ComputeStatistics(list, RegionalR1At(0));
    std::vector<double> curve;
    curve.reserve(values.size());
    long double c = 0;
    for (const double x : values) {
        const long double k = CheckedDivide(x, stats.mean);
        c += CheckedDivide(k - 1, stats.cv);
        curve.push_back(StoreDouble(c));
    }
    return curve;
}

} // namespace aqualen::analysis
