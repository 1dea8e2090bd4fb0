#include "distributions/max_likelihood.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include <boost/math/special_functions/trigamma.hpp>
#include <boost/math/tools/minima.hpp>

#include "distributions/analytic_curve.h"
#include "distributions/fit_texts.h"
#include "series/number_text.h"

namespace aqualen::dist {

namespace {

constexpr int kBits = 30; // Brent's precision: likelihood maxima are flat

std::vector<double> LogsOf(const std::vector<double>& k)
{
    std::vector<double> logs;
    logs.reserve(k.size());
    for (const double v : k)
        logs.push_back(std::log(v));
    return logs;
}

// The maximum lies on a limit of the family rather than inside it: which.
enum class Edge { None, ThirdMoment, SmallShape, Spread };

const char* NoMaximumText(Edge edge)
{
    switch (edge) {
    case Edge::ThirdMoment:
        return kLikelihoodToThirdMomentText;
    case Edge::SmallShape:
        return kLikelihoodToSmallShapeText;
    case Edge::Spread:
    case Edge::None:
        break;
    }
    return kLikelihoodToDegenerateText;
}

// Relative distance from a limit within which a maximum sits on it.
constexpr double kOnEdge = 1e-6;

// The spread s around which BestSpread searches for this u. The spread of
// ln k is s·√ψ'(γ)/|u| (ψ' the trigamma), which is s next to the lognormal;
// for |u| > 3, where it grows towards s·|u|, s is scaled so that this spread
// is the sample's.
double SpreadGuess(double u, double s0)
{
    if (std::fabs(u) <= 3)
        return s0;
    return s0 * std::fabs(u) / std::sqrt(boost::math::trigamma(1 / (u * u)));
}

// The third-moment limit of s for this u (u < 0), else +∞.
double SpreadLimit(double u)
{
    return u < 0 ? 1 / (3 * -u) : std::numeric_limits<double>::infinity();
}

// The best spread s for one u, and its log-likelihood. For u < 0 the third
// moment needs 3·s·|u| < 1.
std::pair<double, double> BestSpread(double u, double s0, const std::vector<double>& logK)
{
    s0 = SpreadGuess(u, s0);
    double lo = std::log(s0 / 20);
    double hi = std::log(s0 * 20);
    if (u < 0)
        hi = std::min(hi, std::log((1 - 1e-9) / (3 * -u)));
    if (lo >= hi)
        return {std::exp(hi), -std::numeric_limits<double>::infinity()};
    const auto minus = [&](double logS) {
        const double l = KritskyMenkelLogLikelihood(u, std::exp(logS), logK);
        return std::isfinite(l) ? -l : std::numeric_limits<double>::max();
    };
    std::uintmax_t iterations = 200;
    const auto [logS, value] = boost::math::tools::brent_find_minima(minus, lo, hi, kBits, iterations);
    return {std::exp(logS), -value};
}

// Newton's method on the log-likelihood in (u, ln s) with central
// differences, from (u0, s0); none when the surface there is not concave or
// a step leaves the family, so that the profile search takes over.
std::optional<std::pair<double, double>> NewtonMaximum(double u0, double s0, const std::vector<double>& logK)
{
    const auto l = [&](double u, double t) {
        const double s = std::exp(t);
        if (u < 0 && 3 * s * -u >= 1 - 1e-9)
            return -std::numeric_limits<double>::infinity();
        return KritskyMenkelLogLikelihood(u, s, logK);
    };
    double u = u0, t = std::log(s0);
    double centre = l(u, t);
    if (!std::isfinite(centre))
        return std::nullopt;
    constexpr double h = 1e-4;
    for (int iteration = 0; iteration < 30; ++iteration) {
        const double up = l(u + h, t), um = l(u - h, t), tp = l(u, t + h), tm = l(u, t - h);
        const double pp = l(u + h, t + h), pm = l(u + h, t - h), mp = l(u - h, t + h), mm = l(u - h, t - h);
        const double gu = (up - um) / (2 * h), gt = (tp - tm) / (2 * h);
        const double huu = (up - 2 * centre + um) / (h * h), htt = (tp - 2 * centre + tm) / (h * h);
        const double hut = (pp - pm - mp + mm) / (4 * h * h);
        const double det = huu * htt - hut * hut;
        if (!std::isfinite(det) || !(huu < 0) || !(det > 0))
            return std::nullopt;
        double du = -(htt * gu - hut * gt) / det;
        double dt = -(-hut * gu + huu * gt) / det;
        if (std::fabs(du) < 1e-8 && std::fabs(dt) < 1e-8)
            return std::pair{u, std::exp(t)};
        bool accepted = false;
        for (int halving = 0; halving < 20 && !accepted; ++halving) {
            const double trial = l(u + du, t + dt);
            if (trial >= centre) {
                u += du;
                t += dt;
                centre = trial;
                accepted = true;
            }
            du /= 2;
            dt /= 2;
        }
        if (!accepted)
            return std::pair{u, std::exp(t)}; // no step gains: at the top within rounding
    }
    return std::nullopt;
}

} // namespace

double LogLikelihoodOf(const std::vector<double>& k, double cv, double cs)
{
    const KmShape shape = SolveKritskyMenkel(cv, cs);
    double sum = 0;
    for (const double v : k)
        sum += KritskyMenkelLogDensity(shape, v);
    return sum;
}

namespace {

// A series of n positive values has a Cv of at most √n (all but one of them
// 0: x̄ = X/n, σ = X/√n with the n − 1 divisor). A maximum of the
// likelihood on a curve of a larger Cv (a series with one value orders of
// magnitude above the others gives Cv of 1e3 to 1e22 inside the family) says
// nothing the series can show: refused, naming the bound.
LikelihoodEstimate WithinSeriesCv(const LikelihoodEstimate& estimate, size_t n)
{
    const double largest = std::sqrt(static_cast<double>(n));
    if (!(estimate.cv <= largest))
        throw FitRefused(std::string(kLikelihoodCvBeyondSeriesText) + FormatFixed(largest, 3, ',') +
                         ", наибольшего Cv ряда из " + std::to_string(n) +
                         " положительных значений (так бывает, когда одно значение на порядки больше остальных)!");
    return estimate;
}

LikelihoodEstimate Maximise(const std::vector<double>& k, bool fixRatio, double ratio, const KmShape* start);

} // namespace

LikelihoodEstimate MaxLikelihoodEstimate(const std::vector<double>& k, bool fixRatio, double ratio,
                                         const KmShape* start)
{
    return WithinSeriesCv(Maximise(k, fixRatio, ratio, start), k.size());
}

namespace {

LikelihoodEstimate Maximise(const std::vector<double>& k, bool fixRatio, double ratio, const KmShape* start)
{
    const std::vector<double> logK = LogsOf(k);
    // The lognormal's σ from the logarithms starts the search.
    double mean = 0;
    for (const double l : logK)
        mean += l;
    mean /= static_cast<double>(logK.size());
    double var = 0;
    for (const double l : logK)
        var += (l - mean) * (l - mean);
    const double s0 = std::sqrt(var / static_cast<double>(logK.size()));
    if (!(s0 > 0))
        throw FitRefused("Для метода наибольшего правдоподобия значения ряда не должны быть все равны!");

    LikelihoodEstimate best;
    std::uintmax_t iterations = 200;
    if (fixRatio) {
        // One parameter: Cv, with Cs = ratio·Cv; curves that do not exist lose.
        const auto minus = [&](double logCv) {
            try {
                return -LogLikelihoodOf(k, std::exp(logCv), ratio * std::exp(logCv));
            } catch (const FitRefused&) {
                return std::numeric_limits<double>::max();
            }
        };
        const double cv0 = std::sqrt(std::expm1(s0 * s0));
        const auto [logCv, value] =
            boost::math::tools::brent_find_minima(minus, std::log(cv0 / 10), std::log(cv0 * 10), kBits, iterations);
        if (!(value < std::numeric_limits<double>::max()))
            throw FitRefused("Нет кривой Крицкого–Менкеля с таким отношением Cs/Cv!");
        // A maximum at an end of the search or next to where the curves
        // with this ratio end is none.
        const double lowEnd = std::log(cv0 / 10), highEnd = std::log(cv0 * 10);
        const double step = 1e-4;
        if (logCv < lowEnd + step || logCv > highEnd - step ||
            minus(logCv - step) == std::numeric_limits<double>::max() ||
            minus(logCv + step) == std::numeric_limits<double>::max())
            throw FitRefused(
                "Правдоподобие не имеет максимума среди кривых Крицкого–Менкеля с таким отношением Cs/Cv!");
        best.cv = std::exp(logCv);
        best.cs = ratio * best.cv;
        best.shape = SolveKritskyMenkel(best.cv, best.cs);
        best.logLikelihood = -value;
        return best;
    }
    double u = 0, s = 0, value = 0;
    std::optional<std::pair<double, double>> near;
    if (start && start->shape > 0 && std::isfinite(start->shape) && start->power != 0)
        near = NewtonMaximum(std::copysign(1 / std::sqrt(start->shape), start->power),
                             std::fabs(start->power) / std::sqrt(start->shape), logK);
    if (near && std::fabs(near->first) <= 3 && near->second < SpreadLimit(near->first) * (1 - kOnEdge)) {
        std::tie(u, s) = *near;
        value = -KritskyMenkelLogLikelihood(u, s, logK);
    } else {
        // Profile likelihood over u: the best s for each u, then the best u,
        // first over |u| <= 3 (γ ≥ 0.11 where b > 0), where ordinary series
        // have their maximum; one on that bound is followed on to the
        // family's floor of γ, in w = asinh(u).
        const auto minus = [&](double v) { return -BestSpread(v, s0, logK).second; };
        std::tie(u, value) = boost::math::tools::brent_find_minima(minus, -3.0, 3.0, kBits, iterations);
        if (std::fabs(u) > 3 * (1 - kOnEdge)) {
            const double inner = std::asinh(3.0), outer = std::asinh(kKritskyMenkelLargestU);
            const auto minusW = [&](double w) { return minus(std::sinh(w)); };
            iterations = 200;
            const auto [w, wValue] =
                u > 0 ? boost::math::tools::brent_find_minima(minusW, inner, outer, kBits, iterations)
                      : boost::math::tools::brent_find_minima(minusW, -outer, -inner, kBits, iterations);
            if (std::fabs(w) > outer * (1 - kOnEdge))
                throw FitRefused(NoMaximumText(Edge::SmallShape));
            if (wValue < value) {
                u = std::sinh(w);
                value = wValue;
            }
        }
        if (!std::isfinite(value))
            throw FitRefused("Нет кривой Крицкого–Менкеля, максимизирующей правдоподобие!");
        s = BestSpread(u, s0, logK).first;
        const double guess = SpreadGuess(u, s0);
        if (s < guess / 20 * (1 + kOnEdge) || s > guess * 20 * (1 - kOnEdge))
            throw FitRefused(NoMaximumText(Edge::Spread));
    }
    // On γ + 3b = 0 the curve has no third moment: the likelihood rises
    // towards curves without a Cs.
    if (s > SpreadLimit(u) * (1 - kOnEdge))
        throw FitRefused(NoMaximumText(Edge::ThirdMoment));
    const KmMoments m = KritskyMenkelMomentsAt(u, s);
    if (!std::isfinite(m.cs))
        throw FitRefused("Нет кривой Крицкого–Менкеля, максимизирующей правдоподобие!");
    best.shape = KritskyMenkelAt(u, s);
    best.cv = m.cv;
    best.cs = m.cs;
    best.logLikelihood = -value;
    return best;
}

} // namespace

Lambdas LikelihoodLambdas(const std::vector<double>& k)
{
    const double n1 = static_cast<double>(k.size()) - 1;
    double l2 = 0, l3 = 0;
    for (const double v : k) {
        const double lg = std::log10(v);
        l2 += lg;
        l3 += v * lg;
    }
    return {l2 / n1, l3 / n1};
}

} // namespace aqualen::dist
