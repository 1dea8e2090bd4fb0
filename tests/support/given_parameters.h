#pragma once
// Fit options for a curve with hand-entered x̄, Cv and Cs, as the tests of
// the analytic curves build them.

#include "distributions/analytic_curve.h"

namespace aqualen::test {

inline dist::FitOptions GivenParameters(dist::Distribution d, double mean, double cv, double cs)
{
    dist::FitOptions o;
    o.distribution = d;
    o.method = dist::Method::Given;
    o.givenMean = mean;
    o.givenCv = cv;
    o.givenCs = cs;
    return o;
}

} // namespace aqualen::test
