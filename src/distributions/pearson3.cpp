#include "distributions/pearson3.h"

#include <cmath>

#include <boost/math/special_functions/gamma.hpp>

#include "distributions/math_policy.h"

namespace aqualen::dist {

namespace {

// Upper-tail standard normal quantile: z with Q(z) = p.
double NormalUpper(double p)
{
    const Normal normal;
    return boost::math::quantile(boost::math::complement(normal, p));
}

} // namespace

double PearsonPhi(double exceedancePercent, double cs)
{
    const double p = exceedancePercent / 100.0;
    if (cs < 0)
        return -PearsonPhi(100.0 - exceedancePercent, -cs);
    if (cs < kNearNormalSkew) {
        // Cornish–Fisher to second order in Cs (the gamma's excess kurtosis is
        // 1.5 Cs²): z + Cs(z² − 1)/6 + Cs²(z³ − 7z)/144; the neglected Cs³
        // term stays below 1e-12 here, less than the gamma form's cancellation.
        const double z = NormalUpper(p);
        return z + cs * (z * z - 1) / 6 + cs * cs * (z * z * z - 7 * z) / 144;
    }
    const double alpha = 4.0 / (cs * cs);
    // The upper-tail inverse keeps the digits of small P.
    const double g = boost::math::gamma_q_inv(alpha, p, MathPolicy());
    return (g - alpha) / std::sqrt(alpha);
}

} // namespace aqualen::dist
