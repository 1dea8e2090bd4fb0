#pragma once
// The quantile report of an analytic curve, as the quantile window and
// `aqualen-cli quantiles` show it: the curve's parameters, a blank line, then
// the table of Kp and Qp (and the band's limits) per probability. What it is
// computed from (QuantileRequest), what that gives (QuantileResult) and the
// lines (QuantileReport) are kept apart.

#include <optional>
#include <string>
#include <vector>

#include "distributions/analytic_curve.h"

namespace aqualen::dist {

// What a quantile report is computed from.
struct QuantileRequest {
    std::vector<double> values; // the series; empty for hand-entered parameters
    FitOptions options;
    std::optional<SmoothingPoints> smoothing; // the smoothing curve, for the graphic-analytic method
    std::vector<double> probabilities = StandardProbabilities();
};

struct QuantileResult {
    Fit fit;
    std::optional<Band> band; // at the request's probabilities, when options.bandLevel is set
};

// Fits the curve and, when a band is asked for, its band. Raises FitRefused
// (also for a band of hand-entered parameters: nothing was estimated) or
// FloatFault.
QuantileResult RunQuantileRequest(const QuantileRequest& request);

// The report's lines, kept in two parts: the window aligns the parameters and
// copies the table alone.
struct QuantileReport {
    std::vector<std::string> parameters;
    std::vector<std::string> table;

    // The parameters, a blank line, the table.
    std::vector<std::string> Lines() const;
};

// Fills `report` in step order, so that when the table raises (FloatFault)
// the parameter lines are already in it.
void BuildQuantileReport(const Fit& fit, const Band* band, const std::vector<double>& exceedancePercents,
                         char sep, QuantileReport& report);

} // namespace aqualen::dist
