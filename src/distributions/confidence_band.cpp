// Confidence limits of k_P by the parametric bootstrap: samples of the
// series' length drawn from the fitted curve, each re-estimated by the same
// method; the limits are percentiles of the re-estimated quantiles.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>

#include <boost/random/gamma_distribution.hpp>
#include <boost/random/mersenne_twister.hpp>
#include <boost/random/normal_distribution.hpp>
#include <boost/random/uniform_01.hpp>

#include "distributions/analytic_curve.h"
#include "distributions/fit_near.h"
#include "distributions/graphic_analytic.h"
#include "distributions/kritsky_menkel.h"
#include "distributions/math_policy.h"
#include "distributions/pearson3.h"
#include "series/float_fault.h"
#include "series/number_text.h"

namespace aqualen::dist {

namespace {

// The fuzz harness builds this file with far fewer (AQUALEN_BAND_SAMPLES), so
// that an input runs in milliseconds; everything else draws 2000.
#ifdef AQUALEN_BAND_SAMPLES
constexpr int kSamples = AQUALEN_BAND_SAMPLES;
#else
constexpr int kSamples = 2000;
#endif
constexpr std::uint32_t kSeed = 20240601; // the same input always gives the same limits
// Samples whose re-estimate has no curve are left out; beyond this share the
// limits would describe the survivors only, and none are given.
constexpr double kLargestFailedShare = 0.1;

// Shapes below: drawn through ln y (see CurveSampler).
constexpr double kSmallShape = 0.01;

// Draws modular coefficients of the fitted curve.
class CurveSampler {
public:
    explicit CurveSampler(const Fit& fit) : fit_(fit), km_{KritskyMenkelOf(fit.kmShape, fit.kmPower)}
    {
        if (fit.distribution == Distribution::KritskyMenkel) {
            normal_ = km_.Lognormal();
            smallShape_ = !normal_ && km_.shape < kSmallShape;
            gamma_ = boost::random::gamma_distribution<double>(normal_ ? 1.0 : smallShape_ ? 1 + km_.shape : km_.shape);
        } else {
            normal_ = std::fabs(fit.cs) < kNearNormalSkew;
            alpha_ = normal_ ? 1.0 : 4 / (fit.cs * fit.cs);
            gamma_ = boost::random::gamma_distribution<double>(alpha_);
        }
    }

    double operator()(boost::random::mt19937& engine)
    {
        if (fit_.distribution == Distribution::KritskyMenkel) {
            // A gamma variate of a small shape γ lies mostly below the double
            // range; ln y = ln z + ln(U)/γ with z of shape 1 + γ and U uniform
            // (Marsaglia & Tsang 2000, the boost for shapes below 1) keeps it.
            if (smallShape_)
                return KritskyMenkelFromLogVariate(km_,
                                                   std::log(gamma_(engine)) + std::log(uniform_(engine)) / km_.shape);
            return KritskyMenkelFromVariate(km_, normal_ ? normalDist_(engine) : gamma_(engine));
        }
        if (normal_)
            return 1 + fit_.cv * normalDist_(engine);
        const double phi = (gamma_(engine) - alpha_) / std::sqrt(alpha_);
        return 1 + fit_.cv * (fit_.cs < 0 ? -phi : phi);
    }

private:
    Fit fit_;
    KmShape km_;
    bool normal_ = false;
    bool smallShape_ = false;
    double alpha_ = 1;
    boost::random::gamma_distribution<double> gamma_;
    boost::random::normal_distribution<double> normalDist_;
    boost::random::uniform_01<double> uniform_;
};

// Percentile with linear interpolation between order statistics.
double Percentile(const std::vector<double>& sorted, double fraction)
{
    const double position = fraction * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<size_t>(std::floor(position));
    const size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (position - static_cast<double>(below)) * (sorted[above] - sorted[below]);
}

// Too many samples without a curve: how many, and the refusal most of them
// met (it says why, e.g. a smoothing parabola of a short skewed sample that
// turns within 5 to 95 %).
[[noreturn]] void RefuseBand(int failed, const std::map<std::string, int>& reasons)
{
    const auto commonest = std::max_element(reasons.begin(), reasons.end(),
                                            [](const auto& a, const auto& b) { return a.second < b.second; });
    const auto percent = [](double share) { return FormatFixed(100 * share, 1, ','); };
    std::string message = "Доверительные границы не построены: кривая не подбирается для " +
                          percent(static_cast<double>(failed) / kSamples) + " % модельных рядов (допустимо не более " +
                          percent(kLargestFailedShare) + " %).";
    if (commonest != reasons.end())
        message +=
            " Чаще всего (" + percent(static_cast<double>(commonest->second) / kSamples) + " %): " + commonest->first;
    throw FitRefused(message);
}

} // namespace

Band ConfidenceBand(const std::vector<double>& values, const Fit& fit, const FitOptions& options,
                    const std::vector<double>& exceedancePercents, const SmoothingPoints*)
{
    if (options.bandLevel == 0)
        return {};
    if (options.bandLevel != 80 && options.bandLevel != 90 && options.bandLevel != 95)
        throw FitRefused("Доверительный уровень может быть 80, 90 или 95 %!");
    if (options.method == Method::Given)
        throw FitRefused("Для параметров, заданных вручную, доверительные границы не строятся!");
    if (values.size() < 3)
        throw FitRefused("Для доверительных границ нужно не менее трёх значений ряда!");

    const size_t n = values.size();
    boost::random::mt19937 engine(kSeed);
    CurveSampler sampler(fit);
    std::vector<std::vector<double>> quantiles(exceedancePercents.size());
    for (auto& column : quantiles)
        column.reserve(kSamples);
    std::vector<double> sample(n);
    std::vector<double> row(exceedancePercents.size());
    int failed = 0;
    std::map<std::string, int> reasons; // refusal text → samples
    for (int i = 0; i < kSamples; ++i) {
        for (double& x : sample)
            x = fit.mean * sampler(engine);
        try {
            const SmoothingPoints points =
                options.method == Method::GraphicAnalytic ? SampleSmoothingPoints(sample) : SmoothingPoints{};
            const Fit again = FitCurveNear(sample, options, &points, &fit);
            // The sample's quantile of x, in modular coefficients of the fitted curve.
            const double scale = again.mean / fit.mean;
            for (size_t j = 0; j < exceedancePercents.size(); ++j)
                row[j] = scale * ModularQuantile(again, exceedancePercents[j]);
            if (!std::all_of(row.begin(), row.end(), [](double k) { return std::isfinite(k); })) {
                ++failed;
                ++reasons[kNotComputableText];
                continue;
            }
            for (size_t j = 0; j < row.size(); ++j)
                quantiles[j].push_back(row[j]);
        } catch (const FitRefused& refused) {
            ++failed;
            // By the refusal's first sentence: the rest names this sample's numbers.
            const std::string text = refused.what();
            ++reasons[text.substr(0, text.find('!') + 1)];
        } catch (const FloatFault& fault) {
            ++failed;
            ++reasons[fault.what()];
        }
    }
    if (failed > kLargestFailedShare * kSamples)
        RefuseBand(failed, reasons);

    const double tail = (1 - options.bandLevel / 100.0) / 2;
    Band band;
    band.level = options.bandLevel;
    for (std::vector<double>& column : quantiles) {
        std::sort(column.begin(), column.end());
        band.lowK.push_back(Percentile(column, tail));
        band.highK.push_back(Percentile(column, 1 - tail));
    }
    return band;
}

} // namespace aqualen::dist
