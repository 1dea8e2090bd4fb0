#pragma once
// The Kritsky–Menkel curve: k = a · y^b with y gamma-distributed of shape γ
// and unit scale, a such that the mean of k is 1. Its moments are
// E[k^m] = a^m Γ(γ + m·b)/Γ(γ), so Cv and Cs follow from log-gamma
// differences alone. The lognormal of mean 1 is its limit γ → ∞.
//
// Internally the family is walked with u = sign(b)/√γ and s = |b|/√γ
// (γ = 1/u², b = s/u): s is close to the spread of ln k, u runs through the
// lognormal at u = 0, with b > 0 for u > 0 (ratios Cs/Cv below 3 + Cv²) and
// b < 0 for u < 0 (ratios above it, as long as γ + 3b > 0).

#include <limits>
#include <vector>

namespace aqualen::dist {

// |u| = 1/√γ above: no curve (γ below 1e-6, the family's floor for every
// method).
inline constexpr double kKritskyMenkelLargestU = 1000;
// |u| below: the lognormal stands in (γ above 1e10, beyond what the gamma
// inverse handles).
inline constexpr double kKritskyMenkelSmallestU = 1e-5;

struct KmShape {
    double shape = 0; // γ; +∞ for the lognormal
    double power = 0; // b; for the lognormal the spread σ of ln k
    double scale = 0; // a; for the lognormal exp(−σ²/2)
    // ln Γ(γ + b) − ln Γ(γ) − b·ln γ, kept so that k = exp(b·ln(y/γ) − shift)
    // needs no log-gamma per value; NaN when not worked out yet.
    double shift = std::numeric_limits<double>::quiet_NaN();
    bool Lognormal() const;
};

struct KmMoments {
    double cv = 0;
    double cs = 0;
};

// Cv and Cs of k for γ and b (γ + 3b > 0). Raises FitRefused when the third
// moment does not exist.
KmMoments KritskyMenkelMoments(double shape, double power);

// The Cs that curves of the family reach at a given Cv, the limits of
// γ → 0 (open: no curve has them); highest is +∞ from Cv² = 1/3 on.
struct KmSkewRange {
    double lowest = 0;
    double highest = 0;
};
KmSkewRange KritskyMenkelSkewRange(double cv);

// The (γ, b, a) with the given Cv and Cs. Next to the ratio 3 + Cv², where
// γ would exceed 1e10 (a ratio within about 1e-5/Cv of it), the lognormal is
// returned. Raises FitRefused where no curve has these moments (its message
// names the range of Cs at this Cv), or only one with γ below 1e-6.
// A start close to the answer (the curve of a bootstrap's original fit)
// saves most of the work.
KmShape SolveKritskyMenkel(double cv, double cs, const KmShape* start = nullptr);

// The curve with a shape γ and power b (a from the unit mean); shape = +∞
// with power = σ gives the lognormal.
KmShape KritskyMenkelOf(double shape, double power);

// k at exceedance P in percent.
double KritskyMenkelQuantile(const KmShape& km, double exceedancePercent);

// w = ln(y/γ) of the unit-scale gamma variate y of shape γ where k is
// exceeded with P percent: y's own exceedance for b > 0, its non-exceedance
// for b < 0 (k falls with y). k_P = exp(b·w − shift), so ratios of the
// curve's quantiles depend on γ and b alone.
double KritskyMenkelLogVariate(double shape, bool negativePower, double exceedancePercent);

// ln of the density of k at k > 0.
double KritskyMenkelLogDensity(const KmShape& km, double k);

// k for a unit-scale gamma value y of the curve's shape (for drawing
// samples); for the lognormal, y is a standard normal value instead.
double KritskyMenkelFromVariate(const KmShape& km, double y);
// The same from ln y, for small shapes whose y lies below the double range.
double KritskyMenkelFromLogVariate(const KmShape& km, double logY);

// The family by the walking coordinates (u, s) above; u = 0 is the lognormal
// with σ = s. Valid where s > 0 and, for u < 0, 3·s·|u| < 1.
KmShape KritskyMenkelAt(double u, double s);
KmMoments KritskyMenkelMomentsAt(double u, double s);
// Σ ln f(k_i) over the logarithms of the k_i (all k_i > 0).
double KritskyMenkelLogLikelihood(double u, double s, const std::vector<double>& logK);

} // namespace aqualen::dist
