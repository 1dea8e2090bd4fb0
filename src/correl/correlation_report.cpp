#include "correl/correlation_report.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>

#include "series/float_fault.h"
#include "series/number_text.h"
#include "series/numeric_routines.h"

namespace aqualen {

namespace {

// From this r on its error divides by sqrt(n) rather than sqrt(n - 1).
constexpr double kStrongCorrelation = 0.6;
// The probable error is this share of the mean square error.
constexpr long double kProbableErrorFactor = 0.67L;

} // namespace

double CorrelationSigmaR(double r, int n)
{
    const long double root = CheckedSqrt(r < kStrongCorrelation ? n - 1 : n);
    const long double r2 = static_cast<long double>(r) * r;
    return StoreDouble(CheckedDivide(1 - r2, root));
}

double CorrelationDeviation(const TDoubleList& values)
{
    return SampleDeviation(values, SeriesMean(values.Data(), values.Count()));
}

CorrelationFigures ComputeCorrelation(const TDoubleList& studied, const TDoubleList& analogue)
{
    const int32_t n = studied.Count();
    CorrelationFigures figures;
    figures.r = CorrelationCoefficient(studied, analogue, n);
    const double sx = CorrelationDeviation(studied);
    const double sy = CorrelationDeviation(analogue);
    figures.sigmaR = CorrelationSigmaR(figures.r, n);
    // The regression error always divides by sqrt(n), whatever r is.
    const long double r2 = static_cast<long double>(figures.r) * figures.r;
    long double sigmaB = CheckedDivide(1 - r2, CheckedSqrt(n));
    sigmaB = CheckedDivide(sigmaB * sx, sy);
    figures.sigmaB = RoundDigits(StoreDouble(sigmaB), 3);
    return figures;
}

std::vector<std::string> CorrelationLines(int n, const CorrelationFigures& figures, char separator)
{
    const auto fixed3 = [separator](long double value) { return FormatFixed(StoreDouble(value), 3, separator); };
    const long double sigmaR = figures.sigmaR;
    return {
        "Длина:\t" + std::to_string(n),
        "R:\t" + fixed3(figures.r),
        "",
        "Ср. Кв. Ошибка R:\t\t±" + fixed3(sigmaR),
        "Ср. Кв. Ошибка R X 2:\t±" + fixed3(2 * sigmaR),
        "Ср. Кв. Ошибка R X 3:\t±" + fixed3(3 * sigmaR),
        "Вероятная ошибка R:\t±" + fixed3(kProbableErrorFactor * sigmaR),
        "",
        "СКО коэффициента регрессии:\t" + FormatGeneral(figures.sigmaB, separator),
    };
}

CorrelationOutcome CorrelationReport(const SeriesLines& studied, const SeriesLines& analogue, char separator,
                                     const CorrelationPointSink& onPoint)
{
    CorrelationOutcome outcome;
    if (studied.size() < kLeastSeriesLength || analogue.size() < kLeastSeriesLength) {
        outcome.kind = ReportOutcome::TooShort;
        return outcome;
    }
    if (studied.size() != analogue.size()) {
        outcome.kind = ReportOutcome::DifferentLengths;
        return outcome;
    }
    // The count is the full number of lines: a long series is never cut
    // short to a narrower counter.
    if (studied.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw std::length_error("Series too long");
    const auto n = static_cast<int32_t>(studied.size());

    TDoubleList x;
    TDoubleList y;
    outcome.points.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
        const std::optional<double> xi = ParseNumber(studied[static_cast<size_t>(i)], separator);
        if (!xi) {
            outcome.kind = ReportOutcome::InvalidInput;
            return outcome;
        }
        x.Add(*xi);
        const std::optional<double> yi = ParseNumber(analogue[static_cast<size_t>(i)], separator);
        if (!yi) {
            outcome.kind = ReportOutcome::InvalidInput;
            return outcome;
        }
        y.Add(*yi);
        const CorrelationPoint point{*xi, *yi};
        outcome.points.push_back(point);
        if (onPoint)
            onPoint(point);
    }

    const CorrelationFigures figures = ComputeCorrelation(x, y);
    outcome.lines = CorrelationLines(n, figures, separator);
    outcome.kind = ReportOutcome::Report;
    return outcome;
}

} // namespace aqualen
