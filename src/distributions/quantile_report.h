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
#include "distributions/goodness_of_fit.h"

namespace aqualen::dist {

// What a quantile report is computed from.
struct QuantileRequest {
    std::vector<double> values; // the series; empty for hand-entered parameters
    FitOptions options;
    std::optional<SmoothingPoints> smoothing; // the smoothing curve, for the graphic-analytic method
    std::vector<double> probabilities = StandardProbabilities();
    bool goodnessOfFit = false; // the criteria of fit with their bootstrap p-values
};

struct QuantileResult {
    Fit fit;
    std::optional<Band> band;              // at the request's probabilities, when options.bandLevel is set
    std::optional<GoodnessOfFit> goodness; // when the request asks for it
};

// Fits the curve and, when asked for, its band and its criteria of fit.
// Raises FitRefused (also for a band of hand-entered parameters: nothing was
// estimated; and for criteria of fit without a series) or FloatFault.
QuantileResult RunQuantileRequest(const QuantileRequest& request);

// The criteria of fit of `fit` to the request's series, re-estimating the
// bootstrap samples by the request's method. Raises FitRefused without a series.
GoodnessOfFit TestQuantileFit(const QuantileRequest& request, const Fit& fit);

// The report's lines, kept in two parts: the window aligns the parameters and
// copies the table alone.
struct QuantileReport {
    std::vector<std::string> parameters;
    std::vector<std::string> goodness; // the criteria of fit; empty when not asked for
    std::vector<std::string> table;

    // The parameters, a blank line, the criteria of fit and a blank line
    // when there are any, the table.
    std::vector<std::string> Lines() const;
};

// Fills `report` in step order, so that when the table raises (FloatFault)
// the parameter lines are already in it.
void BuildQuantileReport(const Fit& fit, const Band* band, const std::vector<double>& exceedancePercents, char sep,
                         QuantileReport& report, const GoodnessOfFit* goodness = nullptr);

// P as the report prints it: without trailing zeros ("1", "0,1", "99,9").
std::string ProbabilityText(double p, char sep);

// A list of probabilities in percent, as `--p` and the quantile window take
// it: separated by ';' or blanks (or ',' with the decimal point). Nullopt
// when one does not read, lies outside (0, 100), or the list is empty.
std::optional<std::vector<double>> ParseProbabilityList(const std::string& text, char sep);
// The list written back in that syntax ("0,01; 0,1; 1").
std::string ProbabilityListText(const std::vector<double>& list, char sep);

// Pearson III and Kritsky–Menkel fitted by the request's method to its series.
struct QuantileComparison {
    Fit pearson, kritskyMenkel;
    // Each curve's criteria of fit, when the request asks for them.
    std::optional<GoodnessOfFit> pearsonGoodness, kritskyMenkelGoodness;
};
// Raises FitRefused when either curve cannot be fitted (the likelihood
// method is Kritsky–Menkel's only), or FloatFault.
QuantileComparison CompareDistributions(const QuantileRequest& request);

// The parameters side by side ("label\tPearson III\tKritsky–Menkel"), a
// blank line, the criteria of fit of each curve under its name and a blank
// line when there are any, then P, T, and Kp, Qp of each curve per probability.
std::vector<std::string> ComparisonLines(const QuantileComparison& comparison,
                                         const std::vector<double>& exceedancePercents, char sep);

} // namespace aqualen::dist
