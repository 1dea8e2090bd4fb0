// Goodness-of-fit statistics. Sources: Kolmogorov (1933) for D; Cramér
// (1928) and von Mises (1931) for ω² in the computing form of Stephens,
// J. Amer. Statist. Assoc. 69 (1974); Anderson and Darling, Ann. Math.
// Statist. 23 (1952) for A², in Stephens' form as well; Pearson (1900) for
// χ² over classes of equal probability. The parametric bootstrap of the
// p-values follows Stute, Gonzáles Manteiga and Presedo Quindimil, Test 2
// (1993): with estimated parameters each sample is tested against its own fit.

#include "distributions/goodness_of_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

#include <boost/math/special_functions/gamma.hpp>

#include "distributions/curve_sampling.h"
#include "distributions/fit_near.h"
#include "distributions/graphic_analytic.h"
#include "distributions/kritsky_menkel.h"
#include "distributions/math_policy.h"
#include "distributions/pearson3.h"
#include "series/float_fault.h"
#include "series/number_text.h"

namespace aqualen::dist {

namespace {

constexpr std::uint32_t kSeed = 20241209; // the same series always gets the same p-values

// F(x) and 1 − F(x), each worked out from its own tail, so that ln(1 − F)
// keeps its digits for the largest values and is −∞ only beyond the curve.
struct Tails {
    double lower = 0; // F
    double upper = 1; // 1 − F
};

Tails NormalTails(double z)
{
    return {0.5 * std::erfc(-z / std::numbers::sqrt2), 0.5 * std::erfc(z / std::numbers::sqrt2)};
}

// Unit-scale gamma of shape α below and above g.
Tails GammaTails(double alpha, double g)
{
    if (!(g > 0))
        return {0, 1};
    if (std::isinf(g))
        return {1, 0};
    return {boost::math::gamma_p(alpha, g, MathPolicy()), boost::math::gamma_q(alpha, g, MathPolicy())};
}

Tails Swapped(Tails t)
{
    return {t.upper, t.lower};
}

// Pearson III: k = 1 + Cv·Φ with Φ = (g − α)/√α, g gamma of shape α = 4/Cs²
// (pearson3.h), mirrored for Cs < 0.
Tails PearsonTails(const Fit& fit, double k)
{
    const double t = (k - 1) / fit.cv;
    if (std::fabs(fit.cs) < kNearNormalSkew) {
        // The quantile's Cornish–Fisher form t = z + Cs(z² − 1)/6 + Cs²(z³ − 7z)/144,
        // solved for z by Newton's method from z = t (two steps reach the double's digits).
        const double c = fit.cs;
        double z = t;
        for (int step = 0; step < 3; ++step) {
            const double f = z + c * (z * z - 1) / 6 + c * c * (z * z * z - 7 * z) / 144 - t;
            z -= f / (1 + c * z / 3 + c * c * (3 * z * z - 7) / 144);
        }
        return NormalTails(z);
    }
    const double alpha = 4 / (fit.cs * fit.cs);
    const double root = std::sqrt(alpha);
    return fit.cs > 0 ? GammaTails(alpha, alpha + root * t) : Swapped(GammaTails(alpha, alpha - root * t));
}

// Kritsky–Menkel: k = exp(b·ln(y/γ) − shift) with y gamma of shape γ
// (kritsky_menkel.h), so y = γ·exp((ln k + shift)/b); k falls with y for b < 0.
Tails KritskyMenkelTails(const Fit& fit, double k)
{
    if (!(k > 0))
        return {0, 1};
    const KmShape km = KritskyMenkelOf(fit.kmShape, fit.kmPower);
    if (km.Lognormal())
        return NormalTails((std::log(k) + km.power * km.power / 2) / km.power);
    const double y = km.shape * std::exp((std::log(k) + km.shift) / km.power);
    const Tails t = GammaTails(km.shape, y);
    return km.power > 0 ? t : Swapped(t);
}

Tails TailsOf(const Fit& fit, double x)
{
    const double k = x / fit.mean;
    return fit.distribution == Distribution::KritskyMenkel ? KritskyMenkelTails(fit, k) : PearsonTails(fit, k);
}

FitStatistics StatisticsOfTails(std::vector<Tails> tails)
{
    std::sort(tails.begin(), tails.end(), [](const Tails& a, const Tails& b) { return a.lower < b.lower; });
    const size_t n = tails.size();
    const double count = static_cast<double>(n);
    FitStatistics s;
    long double omega = 1 / (12 * count);
    long double anderson = 0;
    bool outside = false;
    for (size_t i = 1; i <= n; ++i) {
        const double u = tails[i - 1].lower;
        const double at = static_cast<double>(i);
        s.kolmogorov = std::max({s.kolmogorov, at / count - u, u - (at - 1) / count});
        const long double d = u - (2 * at - 1) / (2 * count);
        omega += d * d;
        const double below = tails[i - 1].lower, above = tails[n - i].upper;
        if (!(below > 0) || !(above > 0))
            outside = true;
        else
            anderson +=
                (2 * at - 1) * (std::log(static_cast<long double>(below)) + std::log(static_cast<long double>(above)));
    }
    s.cramerVonMises = static_cast<double>(omega);
    s.andersonDarling =
        outside ? std::numeric_limits<double>::infinity() : static_cast<double>(-count - anderson / count);
    s.classes = ChiSquareClasses(n);
    if (s.classes > 0) {
        std::vector<std::int64_t> observed(static_cast<size_t>(s.classes), 0);
        for (const Tails& t : tails) {
            const auto c = std::min<std::int64_t>(s.classes - 1, static_cast<std::int64_t>(t.lower * s.classes));
            ++observed[static_cast<size_t>(std::max<std::int64_t>(0, c))];
        }
        // Σ (O − n/k)²/(n/k) = (k/n)·Σ O² − n: exact in the integers, so that
        // samples with the same counts tie exactly with the series.
        std::int64_t squares = 0;
        for (const std::int64_t o : observed)
            squares += o * o;
        s.chiSquare = static_cast<double>(s.classes) * static_cast<double>(squares) / count - count;
    }
    return s;
}

std::string PText(double p, char sep)
{
    return "p = " + FormatFixed(p, 3, sep);
}

} // namespace

double NonExceedance(const Fit& fit, double x)
{
    return TailsOf(fit, x).lower;
}

int ChiSquareClasses(size_t n)
{
    const int k = static_cast<int>(std::min<size_t>(kMostChiSquareClasses, n / 5));
    return k >= kLeastChiSquareClasses ? k : 0;
}

FitStatistics StatisticsOfNonExceedances(std::vector<double> u)
{
    std::vector<Tails> tails;
    tails.reserve(u.size());
    for (const double v : u)
        tails.push_back({v, 1 - v});
    return StatisticsOfTails(std::move(tails));
}

FitStatistics StatisticsAgainst(const Fit& fit, const std::vector<double>& values)
{
    std::vector<Tails> tails;
    tails.reserve(values.size());
    for (const double x : values)
        tails.push_back(TailsOf(fit, x));
    return StatisticsOfTails(std::move(tails));
}

GoodnessOfFit TestGoodnessOfFit(const std::vector<double>& values, const Fit& fit, const FitOptions& options)
{
    if (values.size() < 3)
        throw FitRefused("Для критериев согласия нужно не менее трёх значений ряда!");
    GoodnessOfFit result;
    result.statistics = StatisticsAgainst(fit, values);
    if (options.method == Method::Given) {
        result.givenParameters = true;
        return result;
    }
    const FitStatistics& series = result.statistics;
    FitOptions refit = options;
    refit.bandLevel = 0;
    SeriesSampler sampler(fit, 0, kSeed);
    std::vector<double> sample(values.size());
    int tested = 0;
    int atLeast[4] = {0, 0, 0, 0};
    for (int i = 0; i < kGoodnessSamples; ++i) {
        sampler.Next(sample);
        for (double& x : sample)
            x *= fit.mean;
        FitStatistics s;
        try {
            const SmoothingPoints points =
                options.method == Method::GraphicAnalytic ? SampleSmoothingPoints(sample) : SmoothingPoints{};
            s = StatisticsAgainst(FitCurveNear(sample, refit, &points, &fit), sample);
        } catch (const FitRefused&) {
            ++result.skipped;
            continue;
        } catch (const FloatFault&) {
            ++result.skipped;
            continue;
        }
        ++tested;
        atLeast[0] += s.kolmogorov >= series.kolmogorov;
        atLeast[1] += s.cramerVonMises >= series.cramerVonMises;
        atLeast[2] += s.andersonDarling >= series.andersonDarling;
        atLeast[3] += s.chiSquare >= series.chiSquare;
    }
    if (tested == 0)
        return result;
    const auto share = [&](int count) { return (1.0 + count) / (1.0 + tested); };
    // No curve drawn from the fit puts a value outside its own range, so an
    // infinite A² has p = 0 outright.
    result.p = FitPValues{share(atLeast[0]), share(atLeast[1]),
                          std::isinf(series.andersonDarling) ? 0.0 : share(atLeast[2]), share(atLeast[3])};
    return result;
}

std::vector<std::string> GoodnessOfFitLines(const GoodnessOfFit& goodness, char sep, const std::string& curveName)
{
    std::string heading = kGoodnessHeading + (curveName.empty() ? std::string() : " (" + curveName + ")") + ":";
    if (goodness.givenParameters)
        heading += "\tp не вычисляются: параметры заданы вручную";
    else if (!goodness.p)
        heading += "\tp не вычислены: ни для одного модельного ряда кривая не подобрана";
    else if (goodness.skipped > 0)
        heading += "\tмодельных рядов без кривой пропущено: " + std::to_string(goodness.skipped);
    const FitStatistics& s = goodness.statistics;
    const auto line = [&](const std::string& label, const std::string& value, std::optional<double> p) {
        return label + "\t" + value + (p ? "\t" + PText(*p, sep) : std::string());
    };
    const auto pOf = [&](double FitPValues::*field) {
        return goodness.p ? std::optional<double>((*goodness.p).*field) : std::nullopt;
    };
    std::vector<std::string> lines{
        heading, line("Колмогоров D:", FormatFixed(s.kolmogorov, 3, sep), pOf(&FitPValues::kolmogorov)),
        line("Крамер–Мизес ω²:", FormatFixed(s.cramerVonMises, 3, sep), pOf(&FitPValues::cramerVonMises))};
    if (std::isinf(s.andersonDarling))
        lines.push_back("Андерсон–Дарлинг A²:\t∞ (значение ряда вне области кривой)\tp = 0");
    else
        lines.push_back(
            line("Андерсон–Дарлинг A²:", FormatFixed(s.andersonDarling, 3, sep), pOf(&FitPValues::andersonDarling)));
    if (s.classes > 0)
        lines.push_back(line("Пирсон χ² (" + std::to_string(s.classes) + " классов):", FormatFixed(s.chiSquare, 3, sep),
                             pOf(&FitPValues::chiSquare)));
    return lines;
}

} // namespace aqualen::dist
