#pragma once
// The analytic exceedance curve of the sheet: what the user asked for, the
// curve fitted when the parameters were stored, and its confidence band once
// the bootstrap has run. Drawing and the quantile report only read these;
// they never fit.

#include <optional>
#include <vector>

#include "distributions/analytic_curve.h"

namespace aqualen {

struct AnalyticSheet {
    dist::FitOptions Options;              // as the parameters dialog stored them
    std::optional<dist::Fit> Fit;          // absent: no analytic curve on the sheet
    std::vector<double> BandProbabilities; // ascending, percent; where the band is wanted
    std::optional<dist::Band> Band;        // limits of k at BandProbabilities, once computed

    // A band was asked for and is not known yet.
    bool BandPending() const { return Fit && Options.bandLevel != 0 && !Band; }
};

} // namespace aqualen
