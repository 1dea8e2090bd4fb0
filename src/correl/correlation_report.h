#pragma once
// Correlation of a studied series with an analogue series of the same
// length: the correlation coefficient, its errors and the error of the
// regression coefficient, as nine report lines.

#include <functional>
#include <string>
#include <vector>

#include "series/numeric_lists.h"
#include "series/report_sink.h"
#include "series/series_lines.h"

namespace aqualen {

// One pair of values: x from the studied series, y from the analogue.
struct CorrelationPoint {
    double x = 0;
    double y = 0;
};

// kind: TooShort (a series has 2 lines or fewer: nothing to do),
// DifferentLengths, InvalidInput (a line is not a number; points holds the
// pairs before it) or Report (points holds all n pairs, lines the nine
// report lines).
struct CorrelationOutcome {
    ReportOutcome kind = ReportOutcome::TooShort;
    std::vector<CorrelationPoint> points;
    std::vector<std::string> lines;
};

// Told of each pair as soon as both of its lines are read, so that a caller
// can show the pairs even when the calculation then faults.
using CorrelationPointSink = std::function<void(const CorrelationPoint&)>;

// The values behind the report, for one pair of series.
struct CorrelationFigures {
    double r = 0;      // Pearson correlation coefficient
    double sigmaR = 0; // mean square error of r
    double sigmaB = 0; // error of the regression coefficient, rounded to 3 decimals
};

// Mean square error of r: (1 - r^2) / sqrt(n - 1) below 0.6 (every negative
// r included), (1 - r^2) / sqrt(n) from 0.6 on.
double CorrelationSigmaR(double r, int n);

// Standard deviation with divisor n - 1 below 30 values and n from 30 on,
// each squared deviation divided before it is summed.
double CorrelationDeviation(const TDoubleList& values);

// r, its error and the rounded error of the regression coefficient of two
// series of equal length. A constant series raises FloatFault.
CorrelationFigures ComputeCorrelation(const TDoubleList& studied, const TDoubleList& analogue);

// The nine report lines of these figures.
std::vector<std::string> CorrelationLines(int n, const CorrelationFigures& figures, char separator);

// Reads both series pair by pair and, when they are complete and readable,
// computes the report. Raises FloatFault (a constant series, an overflow)
// only after the sink has seen all n pairs; no report lines exist then.
CorrelationOutcome CorrelationReport(const SeriesLines& studied, const SeriesLines& analogue, char separator,
                                     const CorrelationPointSink& onPoint = {});

} // namespace aqualen
