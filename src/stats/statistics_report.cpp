#include "stats/statistics_report.h"

#include "series/float_fault.h"
#include "series/number_text.h"
#include "series/numeric_routines.h"

namespace aqualen {

StatisticsValues StatisticsReport(const TDoubleList& series, RegionalR1 choice, char separator, const LineSink& sink)
{
    // The true count: long panes are neither truncated nor wrapped.
    const std::int32_t n = series.Count();
    const double* x = series.Data();
    const long double count = n;
    sink("Длина ряда:\t" + std::to_string(n));

    const double mean = SeriesMean(x, n);
    sink("Среднее значение:\t" + FormatFixed(mean, 3, separator));

    const double sd = SampleDeviation(x, n, mean);
    sink("СКО:\t" + FormatFixed(sd, 3, separator));

    const double cv = StoreDouble(CheckedDivide(sd, mean));
    sink("^Cv:\t" + FormatFixed(cv, 3, separator));

    double s3 = 0;
    for (std::int32_t i = 0; i < n; ++i) {
        const long double relative = CheckedDivide(x[i], mean) - 1;
        s3 = StoreDouble(s3 + relative * relative * relative);
    }
    // (n - 1)(n - 2) is formed in floating point: no integer overflow for
    // long series.
    const long double cvExtended = cv;
    const double cs =
        StoreDouble(CheckedDivide(count * s3, cvExtended * cvExtended * cvExtended * (count - 1) * (count - 2)));
    sink("^Cs:\t" + FormatFixed(cs, 3, separator));

    // x0..x(n-2) against x1..x(n-1), each with its own mean; the two runs
    // are read in place rather than copied into lists of their own.
    const double r1 = CorrelationCoefficient(x, x + 1, n - 1);
    sink("r(1):\t" + FormatFixed(r1, 3, separator));

    const double ratio = StoreDouble(CheckedDivide(cs, cv));
    sink("Cs/Cv: \t" + FormatFixed(ratio, 1, separator));

    const CorrectedCoefficients corrected = BiasCorrectionBlock(n, cv, cs, ratio, choice, separator, sink);
    return {mean, cv, cs, corrected};
}

StatisticsOutcome RunStatisticsCommand(const SeriesLines& lines, TDoubleList& series, RegionalR1 choice, char separator,
                                       const std::function<void()>& clearOutput, const LineSink& sink)
{
    if (lines.size() < kLeastSeriesLength)
        return StatisticsOutcome::TooShort;
    if (!ParseSeries(lines, series, separator))
        return StatisticsOutcome::InvalidInput;
    if (clearOutput)
        clearOutput();
    StatisticsReport(series, choice, separator, sink);
    return StatisticsOutcome::Report;
}

} // namespace aqualen
