#include "homog/critical_tables.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace aqualen {

namespace {

#include "homog/critical_tables_data.inc"

using SubTables = double[4][18][13];

void CheckRow(int row)
{
    if (row < 0 || row >= kDependenceRowCount)
        throw std::out_of_range("dependence row " + std::to_string(row) + " out of range");
}

void CheckLevel(int level, int last)
{
    if (level < 0 || level > last)
        throw std::out_of_range("significance level " + std::to_string(level) + " out of range");
}

// The tabulated value at a listed length, the linear interpolation between
// two neighbouring ones, 0 outside 10..100. The difference is formed first,
// scaled by the whole offset and divided by the span, all extended.
double Interpolated(const SubTables& table, int row, int level, int64_t n)
{
    CheckRow(row);
    CheckLevel(level, kSignificanceLevelCount - 1);
    struct Span {
        int64_t low, high;
        int lowIndex;
    };
    static constexpr Span kSpans[] = {{10, 25, 0}, {25, 50, 1}, {50, 100, 2}};
    if (n == 100)
        return table[3][row][level];
    for (const Span& span : kSpans) {
        if (n < span.low || n >= span.high)
            continue;
        const long double low = table[span.lowIndex][row][level];
        const long double high = table[span.lowIndex + 1][row][level];
        if (n == span.low)
            return static_cast<double>(low);
        const long double offset = static_cast<long double>(n - span.low);
        return static_cast<double>(low + (high - low) * offset / static_cast<long double>(span.high - span.low));
    }
    return 0.0;
}

// e^(1.022 r(1)) for the autocorrelated rows, 1 - R for the correlated ones.
constexpr double kVarianceExponents[7] = {0.7154, 0.6132, 0.511, 0.4088, 0.3066, 0.2044, 0.1022};
constexpr double kCorrelatedFactors[10] = {0.9, 0.8, 0.7, 0.6, 0.5, 0.4, 0.3, 0.2, 0.1, 0.05};
constexpr double kWilcoxonQuantiles[8] = {3.09, 2.57, 2.33, 1.96, 1.65, 1.28, 1.06, 0.674};

} // namespace

const std::array<const char*, kDependenceRowCount> DependenceRows = {
    "0.0   0.7", "0.0   0.6", "0.0   0.5", "0.0   0.4", "0.0   0.3", "0.0   0.2", "0.0   0.1", "0.0   0.0", "0.1   0.0",
    "0.2   0.0", "0.3   0.0", "0.4   0.0", "0.5   0.0", "0.6   0.0", "0.7   0.0", "0.8   0.0", "0.9   0.0", "0.95 0.0"};

const std::array<const char*, kSignificanceLevelCount> SignificanceLevels = {
    "0.2", "1", "2", "5", "10", "20", "30", "50F,V; 40t", "70", "80", "90", "95", "99"};

double FisherCritical(int row, int level, int64_t n)
{
    return Interpolated(kFisherTable, row, level, n);
}

double StudentCritical(int row, int level, int64_t n)
{
    return Interpolated(kStudentTable, row, level, n);
}

double WilcoxonQuantile(int level)
{
    CheckLevel(level, kLastWilcoxonLevel);
    return kWilcoxonQuantiles[level];
}

double WilcoxonVarianceFactor(int row)
{
    CheckRow(row);
    if (row < 7)
        return static_cast<double>(std::exp(static_cast<long double>(kVarianceExponents[row])));
    if (row == 7)
        return 1.0;
    return kCorrelatedFactors[row - 8];
}

} // namespace aqualen
