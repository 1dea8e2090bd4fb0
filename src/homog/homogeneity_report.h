#pragma once
// The homogeneity test of two series by the Fisher, Student and Wilcoxon
// criteria, free of any window. Lines and points go to a sink the moment they
// are known, so a floating-point fault part-way leaves what was already sent.

#include <cstdint>
#include <string>
#include <vector>

#include "series/numeric_lists.h"
#include "series/report_sink.h"
#include "series/series_lines.h"

namespace aqualen {

// The report's outcomes, of the one outcome type:
// - TooShort: a series of fewer than kLeastSeriesLength lines, or both below
//   10: nothing was sent;
// - InvalidInput: a line is not a number: the lengths line and the points
//   before it were sent;
// - Report: every report line and every point were sent.
// The sink's Begin comes once, when the lengths are accepted and before the
// lengths line.

// The figures of the three criteria, filled in step order: `known` counts
// the steps done, so that a floating-point fault part-way leaves the values
// before it (and their report lines) standing.
struct HomogeneityResult {
    enum Step { kLengths = 1, kFisher, kFisherCritical, kStudent, kStudentCritical, kWilcoxon, kWilcoxonBounds };
    int known = 0;
    int64_t n1 = 0;
    int64_t n2 = 0;
    double f = 0;  // the larger variance over the smaller
    double fa = 0; // its critical value
    double t = 0;
    double ta = 0;
    bool wilcoxon = false; // the level has a Wilcoxon quantile
    int64_t u = 0;
    double u1 = 0; // the bounds of U
    double u2 = 0;
};

// Fills `into` for two read series; row and level as for HomogeneityReport.
// Raises FloatFault with the steps before it kept.
void ComputeHomogeneity(const TDoubleList& first, const TDoubleList& second, int row, int level,
                        HomogeneityResult& into);

// The report lines, as far as `result` is known.
std::vector<std::string> HomogeneityLines(const HomogeneityResult& result, char separator);

// row 0..17 and level 0..12 index DependenceRows and SignificanceLevels
// (std::out_of_range otherwise). Raises FloatFault on a floating-point fault,
// e.g. a division by zero for a constant series.
ReportOutcome HomogeneityReport(const SeriesLines& first, const SeriesLines& second, int row, int level, char separator,
                                ReportSink& sink);

// The rank statistic: the number of (series-L value, other value) pairs in
// which the series-L value stands first after the exchange sort, largest
// first, that carries the labels along; L is the series at the first place.
int64_t WilcoxonU(const std::vector<double>& first, const std::vector<double>& second);

} // namespace aqualen
