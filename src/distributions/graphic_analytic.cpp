#include "distributions/graphic_analytic.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>

#include <boost/math/tools/roots.hpp>

#include "distributions/fit_texts.h"
#include "distributions/math_policy.h"
#include "distributions/pearson3.h"
#include "series/number_text.h"

namespace aqualen::dist {

namespace {

const boost::math::tools::eps_tolerance<double> kTolerance(std::numeric_limits<double>::digits - 3);

const char* const kNoCurve = "Через точки сглаживающей кривой не проходит кривая Крицкого–Менкеля с конечным Cs!";

// A curve falling with P passes through the three points only in this order.
void RequireFalling(const SmoothingPoints& points)
{
    if (!(points.x5 > points.x95))
        throw FitRefused("Сглаживающая кривая не убывает: её значение при 5 % должно быть больше, чем при 95 %!");
    if (!(points.x50 < points.x5 && points.x50 > points.x95))
        throw FitRefused("Сглаживающая кривая не убывает: её значение при 50 % должно быть меньше, чем при 5 %, и "
                         "больше, чем при 95 %!");
}

// w_P of the curve of u; for b > 0 through y's non-exceedance 100 − P, the
// same y: the inverse of the lower tail runs up to a thousand times faster
// than that of the upper one for large and small γ.
double LogVariateAt(double u, double percent)
{
    return KritskyMenkelLogVariate(1 / (u * u), true, u < 0 ? percent : 100 - percent);
}

// (w5 − w50)/(w50 − w95) of the Kritsky–Menkel curves with u = sign(b)/√γ,
// w the log-variates of KritskyMenkelLogVariate: the ratio of the upper to
// the lower half of the curve's spread in ln k. 1 for the lognormal (u = 0);
// it falls as u grows (the logarithm of a gamma variate is skewed to the
// left, the more so the smaller γ).
double LogSpreadRatio(double u)
{
    if (u == 0)
        return 1;
    const double w5 = LogVariateAt(u, 5);
    const double w50 = LogVariateAt(u, 50);
    const double w95 = LogVariateAt(u, 95);
    return (w5 - w50) / (w50 - w95);
}

// The highest R of curves with a third moment and ln(x5/x95) = spread. For
// b < 0 that needs γ + 3b > 0, and b = −spread/(w95 − w5): the curve of
// u = −1/√γ qualifies while H(γ) = γ·(w95 − w5)/3 exceeds the spread. H
// falls from about 1.1·10³ at γ = 1e6 to ln 19/3 as γ → 0 (w95 − w5 →
// ln 19/γ), so below that any γ of the family qualifies, and above it the
// smallest qualifying γ, found by bracketing, bounds R.
double HighestLogSpreadRatio(double spread)
{
    const auto h = [&](double t) {
        const double u = -std::exp(t);
        const double g = 1 / (u * u);
        return g * (KritskyMenkelLogVariate(g, true, 95) - KritskyMenkelLogVariate(g, true, 5)) / 3 - spread;
    };
    // From γ = 1e6 on: H is about 1.1·10³ there, beyond any spread of doubles.
    const double nearT = std::log(1e-3);
    const double farT = std::log(kKritskyMenkelLargestU);
    const double hFar = h(farT);
    if (hFar > 0)
        return LogSpreadRatio(-kKritskyMenkelLargestU);
    const double hNear = h(nearT);
    if (!(hNear > 0))
        return 1; // no curve with b < 0 is that wide
    std::uintmax_t iterations = 200;
    const auto [a, b] = boost::math::tools::toms748_solve(h, nearT, farT, hNear, hFar, kTolerance, iterations);
    return LogSpreadRatio(-std::exp(a)); // the side that keeps γ + 3b > 0
}

// The range of x50 through which, given x5 and x95, a curve of the family
// with a Cs passes, rounded inwards to the three decimals shown, after the
// sentence that says why these points have none.
[[noreturn]] void RefuseKmPoints(const SmoothingPoints& points, const std::string& why, double lowestRatio)
{
    const double highestRatio = HighestLogSpreadRatio(std::log(points.x5 / points.x95));
    // ln(x5/x50) = R·ln(x50/x95) gives x50 = x95·(x5/x95)^(1/(1 + R)).
    const auto median = [&](double ratio) { return points.x95 * std::pow(points.x5 / points.x95, 1 / (1 + ratio)); };
    const auto text = [](double v) { return FormatFixed(v, 3, ','); };
    throw FitRefused(why + " При значениях " + text(points.x5) + " (5 %) и " + text(points.x95) +
                     " (95 %) её значение при 50 % должно быть больше " +
                     text(std::ceil(median(highestRatio) * 1000) / 1000) + " и меньше " +
                     text(std::floor(median(lowestRatio) * 1000) / 1000) + "!");
}

} // namespace

double SkewIndex(double cs)
{
    const double p5 = PearsonPhi(5, cs);
    const double p50 = PearsonPhi(50, cs);
    const double p95 = PearsonPhi(95, cs);
    return (p5 + p95 - 2 * p50) / (p5 - p95);
}

MomentEstimate GraphicAnalyticEstimate(const SmoothingPoints& points)
{
    RequireFalling(points);
    const double s = (points.x5 + points.x95 - 2 * points.x50) / (points.x5 - points.x95);
    // S grows with Cs (S(−Cs) = −S(Cs)).
    const double low = SkewIndex(-kLargestSkew);
    const double high = SkewIndex(kLargestSkew);
    if (!(s > low && s < high))
        throw FitRefused("По точкам сглаживающей кривой не удаётся подобрать Cs кривой Пирсона III!");
    double cs = 0;
    if (s != 0) {
        const auto f = [s](double c) { return SkewIndex(c) - s; };
        std::uintmax_t iterations = 200;
        const auto [a, b] =
            s > 0 ? boost::math::tools::toms748_solve(f, 0.0, kLargestSkew, -s, high - s, kTolerance, iterations)
                  : boost::math::tools::toms748_solve(f, -kLargestSkew, 0.0, low - s, -s, kTolerance, iterations);
        cs = a + (b - a) / 2;
    }
    const double phi5 = PearsonPhi(5, cs);
    const double phi50 = PearsonPhi(50, cs);
    const double phi95 = PearsonPhi(95, cs);
    const double sigma = (points.x5 - points.x95) / (phi5 - phi95);
    const double mean = points.x50 - sigma * phi50;
    if (!(mean > 0))
        throw FitRefused("По точкам сглаживающей кривой среднее значение получается не больше нуля!");
    return {mean, sigma / mean, cs};
}

// The three equations x_P = x̄·k_P (P = 5, 50, 95) of the curve
// k_P = exp(b·w_P − shift) (kritsky_menkel.h). In logarithms
// ln x_P = ln x̄ − shift + b·w_P, so the ratio
// R = ln(x5/x50)/ln(x50/x95) = (w5 − w50)/(w50 − w95) depends on γ and the
// sign of b alone: a bracketing search on u (over ln|u|, whose range spans
// eight decades) solves it. Then b = ln(x5/x95)/(w5 − w95) from the spread,
// and x̄ = x50/k50 from the median.
KmPointsEstimate KritskyMenkelThroughPoints(const SmoothingPoints& points, const KmShape* start, bool quantilesOnly)
{
    RequireFalling(points);
    if (!(points.x95 > 0))
        throw FitRefused(
            "Кривая Крицкого–Менкеля положительна: значение сглаживающей кривой при 95 % должно быть больше нуля!");
    // Cv and Cs come from ln E[k^m], log-gamma differences that keep about
    // 1e-19 absolutely: Cs is off by about 1e-19/Cv³, more than the
    // printed digits below a spread ln(x5/x95) of 1e-4 (Cv about 3e-5);
    // the fuzzer found Cs −4.7e8 at a spread of 2e-9.
    if (!(std::log(points.x5 / points.x95) >= 1e-4))
        throw FitRefused(kPointsTooCloseText);
    const double ratio = std::log(points.x5 / points.x50) / std::log(points.x50 / points.x95);
    // The family's limits (closed forms at γ = 1e-6), worked out once.
    static const double lowest = LogSpreadRatio(kKritskyMenkelLargestU);
    static const double widest = LogSpreadRatio(-kKritskyMenkelLargestU);
    const auto refuse = [&](const char* why) { RefuseKmPoints(points, why, lowest); };
    if (!(ratio > lowest && ratio < widest))
        refuse(kNoCurve);

    // u = sign·e^t; next to u = 0 (|u| below kKritskyMenkelSmallestU) the
    // lognormal stands in, as everywhere in the family. The gamma inverse
    // slows down as γ grows (a millisecond at 1e10): the search looks below
    // |u| = 1e-3 only for points whose R is within about 5e-4 of 1.
    const double sign = ratio < 1 ? 1 : -1;
    const auto f = [&](double t) { return LogSpreadRatio(sign * std::exp(t)) - ratio; };
    const auto solve = [&](double lowT, double highT, double fLow, double fHigh) {
        std::uintmax_t iterations = 200;
        const auto [a, b] = boost::math::tools::toms748_solve(f, lowT, highT, fLow, fHigh, kTolerance, iterations);
        return a + (b - a) / 2;
    };
    const double nearT = std::log(kKritskyMenkelSmallestU);
    const double midT = std::log(1e-3);
    const double farT = std::log(kKritskyMenkelLargestU);
    std::optional<double> t;
    if (ratio != 1) {
        const double fMid = f(midT);
        if (sign * fMid > 0) {
            // A start next to the answer (a bootstrap sample's original
            // curve) narrows the bracket to a unit of ln|u| about it.
            if (start && !start->Lognormal() && start->shape > 0 && (start->power < 0) == (sign < 0)) {
                const double guess = -0.5 * std::log(start->shape);
                const double lowT = std::max(midT, guess - 0.5);
                const double highT = std::min(farT, guess + 0.5);
                if (lowT < highT) {
                    const double fLow = f(lowT);
                    const double fHigh = f(highT);
                    if (sign * fLow > 0 && sign * fHigh < 0)
                        t = solve(lowT, highT, fLow, fHigh);
                }
            }
            if (!t)
                t = solve(midT, farT, fMid, f(farT));
        } else if (const double fNear = f(nearT); sign * fNear > 0) {
            t = solve(nearT, midT, fNear, fMid);
        }
    }
    KmShape shape;
    if (!t) {
        // ln x_P = ln x̄ + σ·z_P − σ²/2.
        const Normal normal;
        const double z5 = boost::math::quantile(boost::math::complement(normal, 0.05));
        const double z95 = boost::math::quantile(boost::math::complement(normal, 0.95));
        shape = KritskyMenkelOf(std::numeric_limits<double>::infinity(), std::log(points.x5 / points.x95) / (z5 - z95));
    } else {
        const double u = sign * std::exp(*t);
        const double g = 1 / (u * u);
        const double power = std::log(points.x5 / points.x95) / (LogVariateAt(u, 5) - LogVariateAt(u, 95));
        // Beyond γ + b = 0 the curve has no mean to scale it by; beyond
        // γ + 3b = 0 (HighestLogSpreadRatio of the third moment) no Cs.
        if (!(g + power > 0))
            refuse(kNoCurve);
        const bool thirdMoment = g + 3 * power > 0;
        if (!thirdMoment && !quantilesOnly)
            refuse(kPointsBeyondThirdMomentText);
        shape = KritskyMenkelOf(g, power);
        if (!thirdMoment) {
            const double nan = std::numeric_limits<double>::quiet_NaN();
            return {{points.x50 / KritskyMenkelQuantile(shape, 50), nan, nan}, shape, false};
        }
    }
    const KmMoments moments = KritskyMenkelMoments(shape.shape, shape.power);
    return {{points.x50 / KritskyMenkelQuantile(shape, 50), moments.cv, moments.cs}, shape};
}

SmoothingPoints NormalPaperPoints(const std::vector<double>& exceedancePercents, const std::vector<double>& values)
{
    std::vector<double> distinct = exceedancePercents;
    std::sort(distinct.begin(), distinct.end());
    if (std::unique(distinct.begin(), distinct.end()) - distinct.begin() < 3 ||
        exceedancePercents.size() != values.size())
        throw FitRefused(kThreeDistinctPointsText);
    if (!(distinct.front() > 0 && distinct.back() < 100))
        throw FitRefused("Обеспеченности точек сглаживающей кривой должны быть больше 0 и меньше 100 %!");
    const Normal normal;
    const auto paper = [&](double percent) {
        return boost::math::quantile(boost::math::complement(normal, percent / 100));
    };
    // Normal equations of y = A z² + B z + C, solved by Cramer's rule.
    std::array<double, 5> zPower{}; // Σ z^0..z^4
    std::array<double, 3> yz{};     // Σ y, Σ y z, Σ y z²
    for (size_t m = 0; m < values.size(); ++m) {
        const double z = paper(exceedancePercents[m]);
        double power = 1;
        for (double& sum : zPower) {
            sum += power;
            power *= z;
        }
        yz[0] += values[m];
        yz[1] += values[m] * z;
        yz[2] += values[m] * z * z;
    }
    using Matrix = std::array<std::array<double, 3>, 3>;
    const auto det = [](const Matrix& a) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    // Unknowns (C, B, A); row r holds Σ z^(r+c).
    Matrix a{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            a[r][c] = zPower[static_cast<size_t>(r + c)];
    const double d = det(a);
    std::array<double, 3> coefficient{};
    for (int c = 0; c < 3; ++c) {
        Matrix replaced = a;
        for (int r = 0; r < 3; ++r)
            replaced[r][c] = yz[static_cast<size_t>(r)];
        coefficient[static_cast<size_t>(c)] = det(replaced) / d;
    }
    const auto at = [&](double percent) {
        const double z = paper(percent);
        return coefficient[0] + coefficient[1] * z + coefficient[2] * z * z;
    };
    return {at(5), at(50), at(95)};
}

SmoothingPoints SampleSmoothingPoints(std::vector<double> values)
{
    std::sort(values.begin(), values.end(), std::greater<>());
    const double n = static_cast<double>(values.size());
    std::vector<double> percents(values.size());
    for (size_t m = 0; m < values.size(); ++m)
        percents[m] = 100.0 * static_cast<double>(m + 1) / (n + 1);
    return NormalPaperPoints(percents, values);
}

} // namespace aqualen::dist
