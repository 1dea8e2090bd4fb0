#pragma once
// Fitting the sheet's analytic curve to the stored series, and the request
// for its confidence band, which is slow enough to be run off the window's
// thread: the request holds copies, so the settings may change meanwhile.

#include <optional>
#include <vector>

#include "curve/curve_settings.h"
#include "distributions/analytic_curve.h"

namespace aqualen {

// The smoothing parabola's value at a sheet x (cm): its sheet height turned
// back into a value of the scale it was fitted on.
double SmoothingValueAtX(const CurveSettings& settings, double sheetX);

// The smoothing curve's values at P = 5, 50 and 95 % for the graphic-analytic
// method: the sheet's points smoothed on exact normal paper
// (dist::NormalPaperPoints), as the bootstrap smooths its samples; the drawn
// parabola uses the sheet's tabulated scale. Empty while no smoothing curve
// is drawn; raises dist::FitRefused as NormalPaperPoints does.
std::optional<dist::SmoothingPoints> SmoothingPointsOf(const CurveSettings& settings);

// Fits the curve of settings.Analytic.Options to the stored series and, for
// the graphic-analytic method, to the smoothing curve. The old fit and band
// are dropped first, so a refusal (dist::FitRefused) or a fault leaves no
// curve on the sheet rather than one of an earlier series. Options with no
// distribution leave no curve.
void FitAnalyticCurve(CurveSettings& settings);

// Everything the bootstrap needs, copied out of the settings.
struct BandRequest {
    std::vector<double> values;
    dist::Fit fit;
    dist::FitOptions options;
    std::vector<double> probabilities;
    std::optional<dist::SmoothingPoints> smoothing;
};

// The request for the band of the stored fit, or none when no band is asked
// for. Its probabilities are every row of the selected scale (the sheet) and
// the standard probabilities (the quantile report), ascending.
std::optional<BandRequest> MakeBandRequest(const CurveSettings& settings);

// Runs the bootstrap; safe on any thread. Raises dist::FitRefused or FloatFault.
dist::Band ComputeBand(const BandRequest& request);

// The band's limits at the given probabilities, each of which must be one of
// the band's own; empty when the band is not (yet) known.
std::optional<dist::Band> BandAt(const AnalyticSheet& sheet, const std::vector<double>& probabilities);

} // namespace aqualen
