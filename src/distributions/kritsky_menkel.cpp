#include "distributions/kritsky_menkel.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <utility>

#include <boost/math/special_functions/gamma.hpp>
#include <boost/math/special_functions/log1p.hpp>
#include <boost/math/tools/roots.hpp>

#include "distributions/analytic_curve.h"
#include "distributions/math_policy.h"
#include "series/number_text.h"

namespace aqualen::dist {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// |u| below: the lognormal. γ = 1/u² stays within 1e10, where Boost's gamma
// inverse still converges; the ratio Cs/Cv the lognormal stands in for is
// then off by about 0.75·1e-5/Cv, a Cs off by less than 1e-5.
constexpr double kSmallestU = kKritskyMenkelSmallestU;
// |u| above: refused. γ = 1/u² below 1e-6 is the one floor of the family
// for every method; there Cs is within about 1e-5 of its limit γ → 0
// (KritskyMenkelSkewRange), which the refusal names.
constexpr double kLargestU = kKritskyMenkelLargestU;

// ln y below: the gamma variate's own terms beyond y^γ are below 1e-20.
constexpr long double kLogSmallVariate = -46;

const char* const kNoCurve = "Нет кривой Крицкого–Менкеля с такими Cv и Cs!";

// The refusal for this Cv and Cs: the family's message, then the range of
// Cs it admits at this Cv, rounded inwards to the three decimals shown.
[[noreturn]] void RefuseMoments(double cv)
{
    std::string message = kNoCurve;
    if (std::isfinite(cv) && cv > 0) {
        const KmSkewRange range = KritskyMenkelSkewRange(cv);
        const auto text = [](double v) { return FormatFixed(v, 3, ','); };
        message += " При Cv = " + text(cv) + " Cs кривой Крицкого–Менкеля больше " +
                   text(std::ceil(range.lowest * 1000) / 1000);
        if (std::isfinite(range.highest))
            message += " и меньше " + text(std::floor(range.highest * 1000) / 1000);
        message += "!";
    }
    throw FitRefused(message);
}

// ln Γ(z) − (z − ½)·ln z + z: the slowly varying part of the log-gamma.
// Below 10 from Boost's lgamma (no digits lost there); above, its
// asymptotic Stirling series (Abramowitz & Stegun 6.1.40) to the term in
// z^−15, whose first omitted term is below 2e-18 — and five times faster
// than the long double lgamma.
long double LogGammaRemainder(long double z)
{
    if (z < 10)
        return boost::math::lgamma(z) - (z - 0.5L) * std::log(z) + z;
    // B(2j)/(2j(2j − 1)) for j = 1..8.
    constexpr long double c[] = {1.0L / 12,   -1.0L / 360,      1.0L / 1260, -1.0L / 1680,
                                 1.0L / 1188, -691.0L / 360360, 1.0L / 156,  -3617.0L / 122400};
    const long double r = 1 / z;
    const long double r2 = r * r;
    long double series = 0;
    for (int j = 7; j >= 0; --j)
        series = series * r2 + c[j];
    return 0.5L * std::log(2 * std::numbers::pi_v<long double>) + r * series;
}

// D(γ, h) = ln Γ(γ + h) − ln Γ(γ) − h·ln γ, in long double. For large γ the
// two log-gammas are huge and nearly equal, and even Boost's ratio
// Γ(γ)/Γ(γ + h) loses digits there; with x = h/γ the Stirling parts combine
// exactly into γ·(ln(1 + x) − x) + (h − ½)·ln(1 + x), which keeps every digit.
long double LogGammaShift(long double g, long double h)
{
    if (h == 0)
        return 0;
    const long double x = h / g;
    return g * boost::math::log1pmx(x) + (h - 0.5L) * boost::math::log1p(x) + LogGammaRemainder(g + h) -
           LogGammaRemainder(g);
}

struct LogMoments {
    long double l2 = 0; // ln E[k²]
    long double l3 = 0; // ln E[k³]; +∞ when it does not exist
};

LogMoments LogMomentsAt(double u, double s)
{
    if (u == 0)
        return {static_cast<long double>(s) * s, 3.0L * s * s};
    const long double g = 1.0L / (static_cast<long double>(u) * u);
    const long double b = s / static_cast<long double>(u);
    const long double d1 = LogGammaShift(g, b);
    const long double l2 = LogGammaShift(g, 2 * b) - 2 * d1;
    if (g + 3 * b <= 0)
        return {l2, std::numeric_limits<long double>::infinity()};
    return {l2, LogGammaShift(g, 3 * b) - 3 * d1};
}

KmMoments MomentsOf(const LogMoments& m)
{
    const long double v2 = std::expm1(m.l2);
    const long double cv = std::sqrt(v2);
    const long double cs = (std::expm1(m.l3) - 3 * v2) / (v2 * cv);
    return {static_cast<double>(cv), static_cast<double>(cs)};
}

double CvAt(double u, double s)
{
    return static_cast<double>(std::sqrt(std::expm1(LogMomentsAt(u, s).l2)));
}

const boost::math::tools::eps_tolerance<double> kTolerance(std::numeric_limits<double>::digits - 2);

// The spread s at which the curve of this u has the given Cv, or none when
// no curve of this u reaches it (u < 0, where s < 1/(3|u|)).
std::optional<double> SpreadFor(double u, double cv)
{
    const double lognormal = std::sqrt(std::log1p(cv * cv));
    if (u == 0)
        return lognormal;
    // Cv soars near the limit of s; a capped value keeps the search finite.
    const auto f = [&](double s) {
        if (s <= 0)
            return -cv;
        const double d = CvAt(u, s) - cv;
        return std::isnan(d) || d > 1e3 ? 1e3 : d;
    };
    std::uintmax_t iterations = 200;
    if (u > 0) {
        // Cv grows without bound with s.
        const auto [lo, hi] =
            boost::math::tools::bracket_and_solve_root(f, lognormal, 2.0, true, kTolerance, iterations);
        return lo + (hi - lo) / 2;
    }
    const double limit = 1.0 / (3.0 * -u);
    const double top = limit * (1 - 1e-12);
    if (f(top) < 0)
        return std::nullopt;
    const auto [lo, hi] = boost::math::tools::toms748_solve(f, 0.0, top, -cv, f(top), kTolerance, iterations);
    return lo + (hi - lo) / 2;
}

// Cs/Cv of the curve of this u with the given Cv; +∞ where none reaches it.
double RatioAt(double u, double cv)
{
    const std::optional<double> s = SpreadFor(u, cv);
    if (!s)
        return kInfinity;
    const KmMoments m = MomentsOf(LogMomentsAt(u, *s));
    return m.cs / m.cv;
}

long double ShiftOf(const KmShape& km)
{
    return std::isnan(km.shift) ? LogGammaShift(km.shape, km.power) : static_cast<long double>(km.shift);
}

KmShape ShapeAt(double u, double s)
{
    // Next to u = 0 the gamma's shape 1/u² is beyond what its inverse
    // handles (its series stops converging); the lognormal stands in there,
    // as for the moments.
    if (std::fabs(u) < kSmallestU)
        return KritskyMenkelOf(kInfinity, s);
    return KritskyMenkelOf(1.0 / (u * u), s / u);
}

} // namespace

bool KmShape::Lognormal() const
{
    return std::isinf(shape);
}

KmShape KritskyMenkelOf(double shape, double power)
{
    if (std::isinf(shape))
        return {shape, power, std::exp(-power * power / 2)};
    const long double g = shape;
    const long double shift = LogGammaShift(g, power);
    const long double logA = -shift - power * std::log(g);
    return {shape, power, static_cast<double>(std::exp(logA)), static_cast<double>(shift)};
}

KmMoments KritskyMenkelMoments(double shape, double power)
{
    if (std::isinf(shape))
        return MomentsOf(LogMomentsAt(0, power));
    if (!(shape + 3 * power > 0))
        throw FitRefused(kNoCurve);
    const long double g = shape;
    const long double d1 = LogGammaShift(g, power);
    return MomentsOf({LogGammaShift(g, 2.0L * power) - 2 * d1, LogGammaShift(g, 3.0L * power) - 3 * d1});
}

// The family's edge is γ → 0 at a fixed c = b/γ: y^γ of a gamma variate y
// of shape γ tends to a uniform U (P(y < t) = t^γ/Γ(1 + γ)·(1 + O(t))), so
// k = a·y^b = a·(y^γ)^c tends to the power curve k ∝ U^c, whose moments are
// E[U^(mc)] = 1/(1 + mc) (existing for 1 + mc > 0). Its Cv² = c²/(1 + 2c)
// gives c = Cv² ± Cv·√(1 + Cv²), and its skewness, that of the Beta(1/c, 1)
// variable U^c for c > 0 (of the Pareto for c < 0), is
// Cs = −sign(c)·2(1 − c)·√(1 + 2c)/(1 + 3c).
// c > 0 (b > 0) bounds Cs from below. c < 0 (b < 0) bounds it from above
// while 1 + 3c > 0, that is Cv² < 1/3; from Cv² = 1/3 on, curves next to
// γ + 3b = 0 reach any Cs.
KmSkewRange KritskyMenkelSkewRange(double cv)
{
    const double v2 = cv * cv;
    const double root = cv * std::sqrt(1 + v2);
    const auto skew = [](double c) { return -std::copysign(2.0, c) * (1 - c) * std::sqrt(1 + 2 * c) / (1 + 3 * c); };
    KmSkewRange range{skew(v2 + root), kInfinity};
    if (3 * v2 < 1)
        range.highest = skew(v2 - root); // |c| ≈ Cv ≫ Cv²: no digits lost
    return range;
}

namespace {

// Newton's method on (u, s) for ln Cv and Cs/Cv, with a forward-difference
// Jacobian; fast from the starting point below, which follows the family's
// shape: s ≈ σ of the lognormal, u ≈ (3 + Cv² − Cs/Cv)·Cv/(1 + Cv). Gives up
// (none) when a step leaves the family; the bracketing search takes over.
std::optional<std::pair<double, double>> NewtonSolve(double cv, double q, const KmShape* start)
{
    const double lnCv = std::log(cv);
    const auto residual = [&](double u, double s, double r[2]) {
        if (!(s > 0) || (u < 0 && 3 * s * -u >= 1))
            return false;
        const KmMoments m = MomentsOf(LogMomentsAt(u, s));
        r[0] = std::log(m.cv) - lnCv;
        r[1] = m.cs / m.cv - q;
        return std::isfinite(r[0]) && std::isfinite(r[1]);
    };
    double s = std::sqrt(std::log1p(cv * cv));
    double u = (3 + cv * cv - q) * cv / (1 + cv);
    if (start && start->Lognormal()) {
        u = 0;
        s = start->power;
    } else if (start && start->shape > 0 && start->power != 0) {
        u = std::copysign(1 / std::sqrt(start->shape), start->power);
        s = std::fabs(start->power) / std::sqrt(start->shape);
    }
    double r[2];
    if (!residual(u, s, r))
        return std::nullopt;
    for (int iteration = 0; iteration < 40; ++iteration) {
        if (std::fabs(r[0]) < 1e-15 && std::fabs(r[1]) < 1e-14 * std::max(1.0, std::fabs(q)))
            return std::pair{u, s};
        const double du = 1e-7 * std::max(std::fabs(u), 1e-3);
        const double ds = 1e-7 * s;
        double ru[2], rs[2];
        if (!residual(u + du, s, ru) || !residual(u, s + ds, rs))
            return std::nullopt;
        const double j00 = (ru[0] - r[0]) / du, j01 = (rs[0] - r[0]) / ds;
        const double j10 = (ru[1] - r[1]) / du, j11 = (rs[1] - r[1]) / ds;
        const double det = j00 * j11 - j01 * j10;
        if (!(std::fabs(det) > 0))
            return std::nullopt;
        double stepU = -(j11 * r[0] - j01 * r[1]) / det;
        double stepS = -(-j10 * r[0] + j00 * r[1]) / det;
        // Damped: halve the step until it stays in the family and does not
        // make the residual worse.
        const double norm = std::fabs(r[0]) + std::fabs(r[1]) / std::max(1.0, std::fabs(q));
        bool accepted = false;
        for (int halving = 0; halving < 30 && !accepted; ++halving) {
            double trial[2];
            if (residual(u + stepU, s + stepS, trial) &&
                std::fabs(trial[0]) + std::fabs(trial[1]) / std::max(1.0, std::fabs(q)) < norm) {
                u += stepU;
                s += stepS;
                r[0] = trial[0];
                r[1] = trial[1];
                accepted = true;
            }
            stepU /= 2;
            stepS /= 2;
        }
        if (!accepted)
            return norm < 1e-12 ? std::optional{std::pair{u, s}} : std::nullopt;
    }
    return std::nullopt;
}

// The slow, sure way: for each u the spread s that gives Cv, and a bracketing
// search on u for the ratio, which falls as u grows.
KmShape BracketSolve(double cv, double q)
{
    const double lognormalRatio = 3 + cv * cv;
    const auto f = [&](double u) {
        const double r = RatioAt(u, cv);
        if (std::isnan(r))
            RefuseMoments(cv);
        return std::isinf(r) ? 1e6 : r - q;
    };
    const double direction = q < lognormalRatio ? 1 : -1;
    double near = direction * kSmallestU;
    double fnear = f(near);
    if (direction * fnear <= 0)
        return ShapeAt(0, *SpreadFor(0, cv)); // within the gap next to the lognormal
    double far = near;
    double ffar = fnear;
    while (direction * ffar > 0) {
        near = far;
        fnear = ffar;
        far *= 2;
        if (std::fabs(far) > kLargestU)
            RefuseMoments(cv);
        ffar = f(far);
    }
    const bool rising = near < far;
    std::uintmax_t iterations = 200;
    const auto [a, b] =
        boost::math::tools::toms748_solve(f, rising ? near : far, rising ? far : near, rising ? fnear : ffar,
                                          rising ? ffar : fnear, kTolerance, iterations);
    const double u = a + (b - a) / 2;
    const std::optional<double> s = SpreadFor(u, cv);
    if (!s)
        RefuseMoments(cv);
    // From Cv² = 1/3 on every Cs has a curve, but beyond about 1e12 only one
    // with γ + 3b closer to 0 than the doubles resolve: the search then ends
    // on the edge, at a curve of another Cs, which must not pass for this one.
    const KmMoments m = MomentsOf(LogMomentsAt(u, *s));
    if (!(std::fabs(m.cs / m.cv - q) <= 1e-6 * std::fabs(q)))
        throw FitRefused(kNotComputableText);
    return ShapeAt(u, *s);
}

} // namespace

KmShape SolveKritskyMenkel(double cv, double cs, const KmShape* start)
{
    if (!(cv > 0) || !std::isfinite(cv) || !std::isfinite(cs))
        throw FitRefused(kNoCurve);
    const KmSkewRange range = KritskyMenkelSkewRange(cv);
    if (!(cs > range.lowest && cs < range.highest))
        RefuseMoments(cv);
    const double q = cs / cv;
    if (q == 3 + cv * cv)
        return ShapeAt(0, *SpreadFor(0, cv));
    if (const auto solved = NewtonSolve(cv, q, start)) {
        const auto [u, s] = *solved;
        if (std::fabs(u) < kSmallestU)
            return ShapeAt(0, *SpreadFor(0, cv));
        if (u <= kLargestU)
            return ShapeAt(u, s);
    }
    return BracketSolve(cv, q);
}

namespace {

long double LogVariateAt(double shape, bool negativePower, double exceedancePercent)
{
    const double p = exceedancePercent / 100.0;
    const long double g = shape;
    const long double logBelow = negativePower ? std::log(p) : std::log1p(-static_cast<long double>(p));
    // For small y, P(γ, y) = y^γ/Γ(1 + γ)·(1 − γy/(1 + γ) + …) (Abramowitz &
    // Stegun 6.5.29): ln y in closed form, where y itself may lie below the
    // double range (small γ) and the inverse would return 0. Boost's
    // log-gamma, not std::lgamma: that one writes the global signgam, a race
    // between the band's thread and the window's.
    const long double logSmallY = (logBelow + boost::math::lgamma(1 + g, MathPolicy())) / g;
    if (logSmallY < kLogSmallVariate)
        return logSmallY - std::log(g);
    const double y = negativePower ? boost::math::gamma_p_inv(shape, p, MathPolicy())
                                   : boost::math::gamma_q_inv(shape, p, MathPolicy());
    const long double relative = (y - g) / g;
    return std::fabs(relative) < 0.5 ? std::log1p(relative) : std::log(y / g);
}

} // namespace

double KritskyMenkelQuantile(const KmShape& km, double exceedancePercent)
{
    if (km.Lognormal()) {
        const Normal normal;
        const double z = boost::math::quantile(boost::math::complement(normal, exceedancePercent / 100.0));
        return std::exp(km.power * z - km.power * km.power / 2);
    }
    // k grows with y for b > 0 and falls with it for b < 0.
    return static_cast<double>(
        std::exp(km.power * LogVariateAt(km.shape, !(km.power > 0), exceedancePercent) - ShiftOf(km)));
}

double KritskyMenkelLogVariate(double shape, bool negativePower, double exceedancePercent)
{
    return static_cast<double>(LogVariateAt(shape, negativePower, exceedancePercent));
}

double KritskyMenkelLogDensity(const KmShape& km, double k)
{
    const long double logK = std::log(static_cast<long double>(k));
    if (km.Lognormal()) {
        const long double sigma = km.power;
        const long double z = (logK + sigma * sigma / 2) / sigma;
        return static_cast<double>(-logK - std::log(sigma) - 0.5L * std::log(2 * std::numbers::pi_v<long double>) -
                                   z * z / 2);
    }
    // With w = ln(y/γ): ln f = γ(w − (e^w − 1)) + γ ln γ − γ − ln Γ(γ) − ln|b| − ln k,
    // arranged so that no large terms cancel for large γ.
    const long double g = km.shape;
    const long double b = km.power;
    const long double w = (logK + LogGammaShift(g, b)) / b;
    const long double stirling = 0.5L * std::log(g) - LogGammaRemainder(g); // γ ln γ − γ − ln Γ(γ)
    return static_cast<double>(g * (w - std::expm1(w)) + stirling - std::log(std::fabs(b)) - logK);
}

} // namespace aqualen::dist

namespace aqualen::dist {

KmShape KritskyMenkelAt(double u, double s)
{
    return ShapeAt(u, s);
}

KmMoments KritskyMenkelMomentsAt(double u, double s)
{
    return MomentsOf(LogMomentsAt(u, s));
}

double KritskyMenkelFromVariate(const KmShape& km, double y)
{
    if (km.Lognormal())
        return std::exp(km.power * y - km.power * km.power / 2);
    const long double g = km.shape;
    return static_cast<double>(std::exp(km.power * std::log(y / g) - ShiftOf(km)));
}

double KritskyMenkelFromLogVariate(const KmShape& km, double logY)
{
    const long double g = km.shape;
    return static_cast<double>(std::exp(km.power * (logY - std::log(g)) - ShiftOf(km)));
}

double KritskyMenkelLogLikelihood(double u, double s, const std::vector<double>& logK)
{
    const long double n = static_cast<long double>(logK.size());
    long double sum = 0;
    if (u == 0) {
        const long double sigma = s;
        for (const double lk : logK) {
            const long double z = (lk + sigma * sigma / 2) / sigma;
            sum += -lk - z * z / 2;
        }
        return static_cast<double>(sum - n * (std::log(sigma) + 0.5L * std::log(2 * std::numbers::pi_v<long double>)));
    }
    // The density of KritskyMenkelLogDensity, with its constant terms taken once.
    const long double g = 1.0L / (static_cast<long double>(u) * u);
    const long double b = s / static_cast<long double>(u);
    const long double shift = LogGammaShift(g, b);
    // The per-value terms in double: each is a small, well-conditioned number.
    const double shiftD = static_cast<double>(shift), bD = static_cast<double>(b), gD = static_cast<double>(g);
    double values = 0;
    for (const double lk : logK) {
        const double w = (lk + shiftD) / bD;
        values += gD * (w - std::expm1(w)) - lk;
    }
    sum += values;
    const long double stirling = 0.5L * std::log(g) - LogGammaRemainder(g); // γ ln γ − γ − ln Γ(γ)
    return static_cast<double>(sum + n * (stirling - std::log(std::fabs(b))));
}

} // namespace aqualen::dist
