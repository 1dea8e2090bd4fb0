#include "stats/statistics_report.h"

#include <limits>

#include "series/float_fault.h"
#include "series/number_text.h"
#include "series/numeric_routines.h"

namespace aqualen {

namespace {

// The steps; r(1) is left out (NaN) when `withR1` is off.
void ComputeSteps(const TDoubleList& series, RegionalR1 choice, StatisticsResult& into, bool withR1)
{
    // The true count: long panes are neither truncated nor wrapped.
    const std::int32_t n = series.Count();
    const double* x = series.Data();
    const long double count = n;
    into.n = n;
    into.known = StatisticsResult::kLength;

    into.mean = SeriesMean(x, n);
    into.known = StatisticsResult::kMean;
    into.deviation = SampleDeviation(x, n, into.mean);
    into.known = StatisticsResult::kDeviation;
    into.cv = StoreDouble(CheckedDivide(into.deviation, into.mean));
    into.known = StatisticsResult::kCv;

    double s3 = 0;
    for (std::int32_t i = 0; i < n; ++i) {
        const long double relative = CheckedDivide(x[i], into.mean) - 1;
        s3 = StoreDouble(s3 + relative * relative * relative);
    }
    // (n - 1)(n - 2) is formed in floating point: no integer overflow for
    // long series.
    const long double cvExtended = into.cv;
    into.cs = StoreDouble(CheckedDivide(count * s3, cvExtended * cvExtended * cvExtended * (count - 1) * (count - 2)));
    into.known = StatisticsResult::kCs;

    // x0..x(n-2) against x1..x(n-1), each with its own mean; the two runs
    // are read in place rather than copied into lists of their own.
    into.r1 = withR1 ? CorrelationCoefficient(x, x + 1, n - 1) : std::numeric_limits<double>::quiet_NaN();
    into.known = StatisticsResult::kR1;
    into.ratio = StoreDouble(CheckedDivide(into.cs, into.cv));
    into.known = StatisticsResult::kRatio;

    ComputeBiasCorrection(n, into.cv, into.cs, into.ratio, choice, into.bias);
}

} // namespace

void ComputeStatistics(const TDoubleList& series, RegionalR1 choice, StatisticsResult& into)
{
    ComputeSteps(series, choice, into, true);
}

StatisticsResult ComputeStatisticsWithoutR1(const TDoubleList& series, RegionalR1 choice)
{
    StatisticsResult result;
    ComputeSteps(series, choice, result, false);
    return result;
}

StatisticsResult ComputeStatistics(const TDoubleList& series, RegionalR1 choice)
{
    StatisticsResult result;
    ComputeStatistics(series, choice, result);
    return result;
}

std::vector<std::string> StatisticsLines(const StatisticsResult& result, RegionalR1 choice, char separator)
{
    std::vector<std::string> lines;
    const int known = result.known;
    if (known >= StatisticsResult::kLength)
        lines.push_back("Длина ряда:\t" + std::to_string(result.n));
    if (known >= StatisticsResult::kMean)
        lines.push_back("Среднее значение:\t" + FormatFixed(result.mean, 3, separator));
    if (known >= StatisticsResult::kDeviation)
        lines.push_back("СКО:\t" + FormatFixed(result.deviation, 3, separator));
    if (known >= StatisticsResult::kCv)
        lines.push_back("^Cv:\t" + FormatFixed(result.cv, 3, separator));
    if (known >= StatisticsResult::kCs)
        lines.push_back("^Cs:\t" + FormatFixed(result.cs, 3, separator));
    if (known >= StatisticsResult::kR1)
        lines.push_back("r(1):\t" + FormatFixed(result.r1, 3, separator));
    if (known >= StatisticsResult::kRatio) {
        lines.push_back("Cs/Cv: \t" + FormatFixed(result.ratio, 1, separator));
        const std::vector<std::string> bias = BiasCorrectionLines(result.bias, choice, separator);
        lines.insert(lines.end(), bias.begin(), bias.end());
    }
    return lines;
}

StatisticsResult StatisticsReport(const TDoubleList& series, RegionalR1 choice, char separator, ReportSink& sink)
{
    StatisticsResult result;
    try {
        ComputeStatistics(series, choice, result);
    } catch (const FloatFault&) {
        SendLines(StatisticsLines(result, choice, separator), sink);
        throw;
    }
    SendLines(StatisticsLines(result, choice, separator), sink);
    return result;
}

ReportOutcome RunStatisticsCommand(const SeriesLines& lines, TDoubleList& series, RegionalR1 choice, char separator,
                                   ReportSink& sink)
{
    if (lines.size() < kLeastSeriesLength)
        return ReportOutcome::TooShort;
    if (!ParseSeries(lines, series, separator))
        return ReportOutcome::InvalidInput;
    sink.Begin();
    StatisticsReport(series, choice, separator, sink);
    return ReportOutcome::Report;
}

} // namespace aqualen
