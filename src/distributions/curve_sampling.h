#pragma once
// Drawing series from a fitted curve, with or without lag-one dependence:
// a Gaussian AR(1) series z(t) mapped value by value through the normal
// distribution function and the curve's quantile function,
// k(t) = F⁻¹(Φ(z(t))). The mapping keeps each value's distribution exactly
// the curve's; its ranks keep the Gaussian series' dependence, but for a
// skewed curve the mapped series' own lag-one correlation comes out a little
// below the Gaussian r(1) (a non-linear map lowers Pearson's r).

#include <vector>

#include <boost/random/mersenne_twister.hpp>
#include <boost/random/normal_distribution.hpp>

#include "distributions/analytic_curve.h"

namespace aqualen::dist {

// k of the fitted curve as a function of a standard normal variate z,
// k = F⁻¹(Φ(z)), tabulated once at steps of 1/128 over |z| ≤ 7.5 and
// interpolated linearly: the curve's quantile costs a gamma inverse, the
// table a few operations, and the interpolation error (below 1e-5 of the
// second derivative) is far under any simulation's. Beyond the table (one
// value in 10^13) the end value is taken.
class NormalScoreQuantile {
public:
    explicit NormalScoreQuantile(const Fit& fit);
    double operator()(double z) const;

private:
    std::vector<double> table_;
};

// Modular coefficients of the curve, drawn as series of a given length.
class SeriesSampler {
public:
    // r1: the lag-one correlation of the Gaussian series (0 for independent values).
    SeriesSampler(const Fit& fit, double r1, unsigned seed);
    // Fills `sample` (its length is kept) with the next series.
    void Next(std::vector<double>& sample);

private:
    NormalScoreQuantile quantile_;
    double r1_;
    double innovation_; // √(1 − r1²)
    boost::random::mt19937 engine_;
    boost::random::normal_distribution<double> normal_;
};

} // namespace aqualen::dist
