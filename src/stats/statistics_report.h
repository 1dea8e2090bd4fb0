#pragma once
// The statistics report of one series: length, mean, SD, sample Cv and Cs,
// r(1), Cs/Cv, then the bias-correction block. Window-free.

#include <cstdint>
#include <string>
#include <vector>

#include "series/numeric_lists.h"
#include "series/report_sink.h"
#include "series/series_lines.h"
#include "stats/bias_correction.h"

namespace aqualen {

// The report's values at full precision, filled in step order: `known`
// counts the steps done, so that a floating-point fault part-way leaves the
// values before it (and their report lines) standing.
struct StatisticsResult {
    enum Step { kLength = 1, kMean, kDeviation, kCv, kCs, kR1, kRatio };
    int known = 0;
    std::int32_t n = 0;
    double mean = 0;
    double deviation = 0; // with the divisor of SampleDeviation
    double cv = 0;        // sample ^Cv
    double cs = 0;        // sample ^Cs
    double r1 = 0;
    double ratio = 0;    // ^Cs / ^Cv
    BiasCorrection bias; // Cv' and Cs' (the analytic curves start from them): bias.corrected
};

// Fills `into` for the series (at least 3 values to be meaningful). Raises
// FloatFault with the steps before it kept.
void ComputeStatistics(const TDoubleList& series, RegionalR1 choice, StatisticsResult& into);
// The same for a caller that only wants the values: a fault propagates.
StatisticsResult ComputeStatistics(const TDoubleList& series, RegionalR1 choice);

// The values without r(1) (left NaN), which nothing built on them needs: a
// series whose first or last n − 1 values are equal has no r(1) (0/0) but
// has its Cv and Cs. Raises FloatFault as the report does.
StatisticsResult ComputeStatisticsWithoutR1(const TDoubleList& series, RegionalR1 choice);

// The 17 report lines, as far as `result` is known.
std::vector<std::string> StatisticsLines(const StatisticsResult& result, RegionalR1 choice, char separator);

// Computes, then sends the lines to the sink and returns the values. A
// floating-point fault sends the lines known before it, then propagates.
StatisticsResult StatisticsReport(const TDoubleList& series, RegionalR1 choice, char separator, ReportSink& sink);

// The whole statistics command over a pane's lines:
// - fewer than kLeastSeriesLength lines: TooShort; nothing is touched.
// - a line that does not read: InvalidInput; `series` keeps the values read
//   before it, the sink is not touched (show ReportOutcomeMessage).
// - otherwise the sink's Begin, then the report: Report. A FloatFault from
//   the report propagates.
ReportOutcome RunStatisticsCommand(const SeriesLines& lines, TDoubleList& series, RegionalR1 choice, char separator,
                                   ReportSink& sink);

} // namespace aqualen
