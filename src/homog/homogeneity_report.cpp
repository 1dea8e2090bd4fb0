#include "homog/homogeneity_report.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <utility>

#include "homog/critical_tables.h"
#include "series/exchange_order.h"
#include "series/float_fault.h"
#include "series/number_text.h"
#include "series/numeric_lists.h"
#include "series/numeric_routines.h"

namespace aqualen {

namespace {

constexpr const char* kFisherAlike = "Ряды однородны по критерию Фишера";
constexpr const char* kFisherUnlike = "Ряды не однородны по критерию Фишера";
constexpr const char* kStudentAlike = "Ряды однородны по критерию Стьюдента";
constexpr const char* kStudentUnlike = "Ряды не однородны по критерию Стьюдента";
constexpr const char* kWilcoxonAlike = "Ряды однородны по критерию Вилькоксона";
constexpr const char* kWilcoxonUnlike = "Ряды не однородны по критерию Вилькоксона";

std::string Verdict(bool homogeneous, const char* alike, const char* unlike)
{
    return std::string(homogeneous ? alike : unlike) + "\t\"" + (homogeneous ? "Да" : "Нет") + "\"";
}

// Rounded to three decimals, then written in the general format.
std::string General3(double value, char separator)
{
    return FormatGeneral(RoundDigits(value, 3), separator);
}

// Reads one pane into a list, sending each value as a point; false at the
// first line that is not a number.
bool ReadSeries(const SeriesLines& lines, int series, char separator, TDoubleList& values, HomogeneitySink& sink)
{
    for (const std::string& line : lines) {
        const std::optional<double> value = ParseNumber(line, separator);
        if (!value)
            return false;
        values.Add(*value);
        sink.Point(series, *value);
    }
    return true;
}

} // namespace

int64_t WilcoxonU(const std::vector<double>& first, const std::vector<double>& second)
{
    std::vector<double> pool;
    pool.reserve(first.size() + second.size());
    pool.insert(pool.end(), first.begin(), first.end());
    pool.insert(pool.end(), second.begin(), second.end());
    if (pool.empty())
        return 0;
    // Largest first, ties in the order the exchange sort leaves them: the
    // series of the element on top leads, and each element of the other
    // series counts the leaders above it.
    const std::vector<size_t> order = ExchangeSortOrder(pool.data(), pool.size());
    const auto fromFirst = [&first](size_t index) { return index < first.size(); };
    const bool leaderIsFirst = fromFirst(order.front());
    int64_t leadersSoFar = 0;
    int64_t u = 0;
    for (const size_t index : order) {
        if (fromFirst(index) == leaderIsFirst)
            ++leadersSoFar;
        else
            u += leadersSoFar;
    }
    return u;
}

HomogeneityOutcome HomogeneityReport(const SeriesLines& first, const SeriesLines& second, int row, int level,
                                     char separator, HomogeneitySink& sink)
{
    if (row < 0 || row >= kDependenceRowCount || level < 0 || level >= kSignificanceLevelCount)
        throw std::out_of_range("dependence row or significance level out of range");
    // Lengths are kept whole: nothing here wraps at 16 bits.
    const int64_t n1 = static_cast<int64_t>(first.size());
    const int64_t n2 = static_cast<int64_t>(second.size());
    if (n1 < static_cast<int64_t>(kLeastSeriesLength) || n2 < static_cast<int64_t>(kLeastSeriesLength))
        return HomogeneityOutcome::TooShort;
    const int64_t n = std::max(n1, n2);
    if (n < 10)
        return HomogeneityOutcome::TooShort;

    sink.Begin();
    sink.Line("Длины рядов:\tN1 = " + std::to_string(n1) + "\tN2 = " + std::to_string(n2));

    TDoubleList x;
    TDoubleList y;
    if (!ReadSeries(first, 1, separator, x, sink) || !ReadSeries(second, 2, separator, y, sink))
        return HomogeneityOutcome::InvalidInput;

    const double m1 = SeriesMean(x.Data(), x.Count());
    const double m2 = SeriesMean(y.Data(), y.Count());
    const double s1 = SampleDeviation(x, m1);
    const double s2 = SampleDeviation(y, m2);
    const long double variance1 = static_cast<long double>(s1) * s1;
    const long double variance2 = static_cast<long double>(s2) * s2;

    // Larger variance over the smaller; a constant series divides by zero.
    const double f = variance2 < variance1 ? StoreDouble(CheckedDivide(variance1, variance2))
                                           : StoreDouble(CheckedDivide(variance2, variance1));
    sink.Line("F = " + General3(f, separator));
    const double fa = FisherCritical(row, level, n);
    sink.Line("Fa = " + General3(fa, separator));
    sink.Line(Verdict(!(f > fa), kFisherAlike, kFisherUnlike));
    sink.Line("");

    // N1 N2 (N1 + N2 - 2) is formed in extended floating point, exact far
    // beyond any series length, so long series cannot wrap it.
    const long double l1 = static_cast<long double>(n1);
    const long double l2 = static_cast<long double>(n2);
    const long double pooled = CheckedSqrt(l1 * variance1 + l2 * variance2);
    const long double scale = CheckedSqrt(CheckedDivide(l1 * l2 * (l1 + l2 - 2), l1 + l2));
    const double t = StoreDouble(CheckedDivide(std::fabs(static_cast<long double>(m1) - m2), pooled) * scale);
    sink.Line("t = " + General3(t, separator));
    const double ta = StudentCritical(row, level, n);
    sink.Line("ta = " + General3(ta, separator));
    sink.Line(Verdict(!(t > ta), kStudentAlike, kStudentUnlike));
    sink.Line("");

    if (level > kLastWilcoxonLevel)
        return HomogeneityOutcome::Report;

    const int64_t u = WilcoxonU(std::vector<double>(x.Data(), x.Data() + x.Count()),
                                std::vector<double>(y.Data(), y.Data() + y.Count()));
    sink.Line("U = " + std::to_string(u));
    const double mU = StoreDouble(l1 * l2 / 2);
    const double vU = StoreDouble(l1 * l2 / 12 * (l1 + l2 + 1));
    const double delta = StoreDouble(CheckedSqrt(static_cast<long double>(WilcoxonVarianceFactor(row)) * vU) *
                                     static_cast<long double>(WilcoxonQuantile(level)));
    const double u1 = StoreDouble(static_cast<long double>(mU) - delta);
    const double u2 = StoreDouble(static_cast<long double>(mU) + delta);
    sink.Line("U1 = " + General3(u1, separator) + "\tU2 = " + General3(u2, separator));
    const bool within = !(static_cast<double>(u) < u1) && !(static_cast<double>(u) > u2);
    sink.Line(Verdict(within, kWilcoxonAlike, kWilcoxonUnlike));
    return HomogeneityOutcome::Report;
}

} // namespace aqualen
