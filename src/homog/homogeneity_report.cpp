#include "homog/homogeneity_report.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <utility>

#include "homog/critical_tables.h"
#include "homog/homogeneity_texts.h"
#include "series/exchange_order.h"
#include "series/float_fault.h"
#include "series/number_text.h"
#include "series/numeric_lists.h"
#include "series/numeric_routines.h"

namespace aqualen {

namespace {

std::string Verdict(bool homogeneous, const char* alike, const char* unlike)
{
    return std::string(homogeneous ? alike : unlike) + "\t\"" + (homogeneous ? kVerdictYes : kVerdictNo) + "\"";
}

// Rounded to three decimals, then written in the general format.
std::string General3(double value, char separator)
{
    return FormatGeneral(RoundDigits(value, 3), separator);
}

// Reads one pane into a list, sending each value as a point; false at the
// first line that is not a number.
bool ReadSeries(const SeriesLines& lines, int series, char separator, TDoubleList& values, ReportSink& sink)
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

void ComputeHomogeneity(const TDoubleList& x, const TDoubleList& y, int row, int level, HomogeneityResult& into)
{
    // Lengths are kept whole: nothing here wraps at 16 bits.
    into.n1 = x.Count();
    into.n2 = y.Count();
    into.known = HomogeneityResult::kLengths;
    const int64_t n = std::max(into.n1, into.n2);

    const double m1 = SeriesMean(x.Data(), x.Count());
    const double m2 = SeriesMean(y.Data(), y.Count());
    const double s1 = SampleDeviation(x, m1);
    const double s2 = SampleDeviation(y, m2);
    const long double variance1 = static_cast<long double>(s1) * s1;
    const long double variance2 = static_cast<long double>(s2) * s2;

    // Larger variance over the smaller; a constant series divides by zero.
    into.f = variance2 < variance1 ? StoreDouble(CheckedDivide(variance1, variance2))
                                   : StoreDouble(CheckedDivide(variance2, variance1));
    into.known = HomogeneityResult::kFisher;
    into.fa = FisherCritical(row, level, n);
    into.known = HomogeneityResult::kFisherCritical;

    // N1 N2 (N1 + N2 - 2) is formed in extended floating point, exact far
    // beyond any series length, so long series cannot wrap it.
    const long double l1 = static_cast<long double>(into.n1);
    const long double l2 = static_cast<long double>(into.n2);
    const long double pooled = CheckedSqrt(l1 * variance1 + l2 * variance2);
    const long double scale = CheckedSqrt(CheckedDivide(l1 * l2 * (l1 + l2 - 2), l1 + l2));
    into.t = StoreDouble(CheckedDivide(std::fabs(static_cast<long double>(m1) - m2), pooled) * scale);
    into.known = HomogeneityResult::kStudent;
    into.ta = StudentCritical(row, level, n);
    into.known = HomogeneityResult::kStudentCritical;

    into.wilcoxon = level <= kLastWilcoxonLevel;
    if (!into.wilcoxon)
        return;
    into.u = WilcoxonU(std::vector<double>(x.Data(), x.Data() + x.Count()),
                       std::vector<double>(y.Data(), y.Data() + y.Count()));
    into.known = HomogeneityResult::kWilcoxon;
    const double mU = StoreDouble(l1 * l2 / 2);
    const double vU = StoreDouble(l1 * l2 / 12 * (l1 + l2 + 1));
    const double delta = StoreDouble(CheckedSqrt(static_cast<long double>(WilcoxonVarianceFactor(row)) * vU) *
                                     static_cast<long double>(WilcoxonQuantile(level)));
    into.u1 = StoreDouble(static_cast<long double>(mU) - delta);
    into.u2 = StoreDouble(static_cast<long double>(mU) + delta);
    into.known = HomogeneityResult::kWilcoxonBounds;
}

std::vector<std::string> HomogeneityLines(const HomogeneityResult& r, char separator)
{
    std::vector<std::string> lines;
    const int known = r.known;
    if (known >= HomogeneityResult::kLengths)
        lines.push_back("Длины рядов:\tN1 = " + std::to_string(r.n1) + "\tN2 = " + std::to_string(r.n2));
    if (known >= HomogeneityResult::kFisher)
        lines.push_back("F = " + General3(r.f, separator));
    if (known >= HomogeneityResult::kFisherCritical)
        lines.insert(lines.end(),
                     {"Fa = " + General3(r.fa, separator), Verdict(!(r.f > r.fa), kFisherAlike, kFisherUnlike), ""});
    if (known >= HomogeneityResult::kStudent)
        lines.push_back("t = " + General3(r.t, separator));
    if (known >= HomogeneityResult::kStudentCritical)
        lines.insert(lines.end(),
                     {"ta = " + General3(r.ta, separator), Verdict(!(r.t > r.ta), kStudentAlike, kStudentUnlike), ""});
    if (known >= HomogeneityResult::kWilcoxon)
        lines.push_back("U = " + std::to_string(r.u));
    if (known >= HomogeneityResult::kWilcoxonBounds) {
        lines.push_back("U1 = " + General3(r.u1, separator) + "\tU2 = " + General3(r.u2, separator));
        const double u = static_cast<double>(r.u);
        const bool within = !(u < r.u1) && !(u > r.u2);
        lines.push_back(Verdict(within, kWilcoxonAlike, kWilcoxonUnlike));
    }
    return lines;
}

ReportOutcome HomogeneityReport(const SeriesLines& first, const SeriesLines& second, int row, int level, char separator,
                                ReportSink& sink)
{
    if (row < 0 || row >= kDependenceRowCount || level < 0 || level >= kSignificanceLevelCount)
        throw std::out_of_range("dependence row or significance level out of range");
    const size_t n = std::max(first.size(), second.size());
    if (first.size() < kLeastSeriesLength || second.size() < kLeastSeriesLength || n < 10)
        return ReportOutcome::TooShort;

    // The lengths line stands before the values are read, so that an
    // unreadable line leaves it and the points before it.
    HomogeneityResult result;
    result.n1 = static_cast<int64_t>(first.size());
    result.n2 = static_cast<int64_t>(second.size());
    result.known = HomogeneityResult::kLengths;
    sink.Begin();
    SendLines(HomogeneityLines(result, separator), sink);

    TDoubleList x;
    TDoubleList y;
    if (!ReadSeries(first, 1, separator, x, sink) || !ReadSeries(second, 2, separator, y, sink))
        return ReportOutcome::InvalidInput;

    // Everything after the lengths line, already sent.
    const auto sendFigures = [&] {
        const std::vector<std::string> lines = HomogeneityLines(result, separator);
        SendLines(std::vector<std::string>(lines.begin() + 1, lines.end()), sink);
    };
    try {
        ComputeHomogeneity(x, y, row, level, result);
    } catch (const FloatFault&) {
        sendFigures();
        throw;
    }
    sendFigures();
    return ReportOutcome::Report;
}

} // namespace aqualen
