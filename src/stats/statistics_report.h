#pragma once
// The statistics report of one series: length, mean, SD, sample Cv and Cs,
// r(1), Cs/Cv, then the bias-correction block. Window-free.

#include <functional>
#include <string>

#include "series/messages.h"
#include "series/numeric_lists.h"
#include "series/series_lines.h"
#include "stats/bias_correction.h"

namespace aqualen {

// The report's values at full precision, for calculations built on it.
struct StatisticsValues {
    double mean = 0;
    double cv = 0; // sample ^Cv
    double cs = 0; // sample ^Cs
    CorrectedCoefficients corrected;
};

// Appends the 17 report lines to the sink, each as soon as its value is
// known, and returns their values. A floating-point fault raises FloatFault
// and leaves the lines already handed on. Needs at least 3 values to be
// meaningful.
StatisticsValues StatisticsReport(const TDoubleList& series, RegionalR1 choice, char separator, const LineSink& sink);

enum class StatisticsOutcome { TooShort, InvalidInput, Report };

// The whole statistics command over a pane's lines:
// - 2 lines or fewer: TooShort; nothing is touched.
// - a line that does not read: InvalidInput; `series` keeps the values read
//   before it, the output is not touched (show kSeriesInvalidText).
// - otherwise `clearOutput` is called, then the report goes to the sink:
//   Report. A FloatFault from the report propagates.
StatisticsOutcome RunStatisticsCommand(const SeriesLines& lines, TDoubleList& series, RegionalR1 choice, char separator,
                                       const std::function<void()>& clearOutput, const LineSink& sink);

} // namespace aqualen
