#pragma once
// The homogeneity test of two series by the Fisher, Student and Wilcoxon
// criteria, free of any window. Lines and points go to a sink the moment they
// are known, so a floating-point fault part-way leaves what was already sent.

#include <string>
#include <vector>

#include "series/report_sink.h"
#include "series/series_lines.h"

namespace aqualen {

// The report's outcomes, of the one outcome type:
// - TooShort: a series of fewer than kLeastSeriesLength lines, or both below
//   10: nothing was sent;
// - InvalidInput: a line is not a number: the lengths line and the points
//   before it were sent;
// - Report: every report line and every point were sent.
using HomogeneityOutcome = ReportOutcome;
// Begin comes once, when the lengths are accepted and before the lengths line.
using HomogeneitySink = ReportSink;
using CollectingHomogeneitySink = CollectingReportSink;

// row 0..17 and level 0..12 index DependenceRows and SignificanceLevels
// (std::out_of_range otherwise). Raises FloatFault on a floating-point fault,
// e.g. a division by zero for a constant series.
HomogeneityOutcome HomogeneityReport(const SeriesLines& first, const SeriesLines& second, int row, int level,
                                     char separator, HomogeneitySink& sink);

// The rank statistic: the number of (series-L value, other value) pairs in
// which the series-L value stands first after the exchange sort, largest
// first, that carries the labels along; L is the series at the first place.
int64_t WilcoxonU(const std::vector<double>& first, const std::vector<double>& second);

} // namespace aqualen
