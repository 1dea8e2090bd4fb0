#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <boost/random/gamma_distribution.hpp>
#include <boost/random/mersenne_twister.hpp>
#include <gtest/gtest.h>

#include "distributions/analytic_curve.h"
#include "distributions/curve_sampling.h"
#include "distributions/graphic_analytic.h"
#include "distributions/pearson3.h"

namespace aqualen::dist {
namespace {

// A gamma series (Cv = 0.5, Cs = 1) of n values around 100.
std::vector<double> GammaSeries(int n, unsigned seed)
{
    boost::random::mt19937 engine(seed);
    boost::random::gamma_distribution<double> gamma(4.0);
    std::vector<double> values;
    for (int i = 0; i < n; ++i)
        values.push_back(25 * gamma(engine));
    return values;
}

FitOptions BandOptions(Distribution d, Method m, int level)
{
    FitOptions o;
    o.distribution = d;
    o.method = m;
    o.bandLevel = level;
    return o;
}

TEST(ConfidenceBand, ContainsTheEstimateForEveryMethod)
{
    const std::vector<double> values = GammaSeries(60, 3);
    const std::vector<double>& p = StandardProbabilities();
    struct Case {
        Distribution d;
        Method m;
    };
    for (const Case c : {Case{Distribution::PearsonIII, Method::Moments},
                         {Distribution::PearsonIII, Method::SampleMoments},
                         {Distribution::KritskyMenkel, Method::Moments},
                         {Distribution::KritskyMenkel, Method::MaxLikelihood},
                         {Distribution::PearsonIII, Method::GraphicAnalytic}}) {
        const FitOptions o = BandOptions(c.d, c.m, 90);
        // The graphic-analytic fit starts from the points the bootstrap
        // reads off each sample, here those of the series itself.
        const SmoothingPoints points = [&] {
            std::vector<double> sorted = values;
            std::sort(sorted.begin(), sorted.end(), std::greater<>());
            const Fit p3 = FitCurve(values, BandOptions(Distribution::PearsonIII, Method::SampleMoments, 0));
            return SmoothingPoints{p3.mean * ModularQuantile(p3, 5), p3.mean * ModularQuantile(p3, 50),
                                   p3.mean * ModularQuantile(p3, 95)};
        }();
        const Fit fit = FitCurve(values, o, &points);
        const Band band = ConfidenceBand(values, fit, o, p, &points);
        ASSERT_EQ(band.lowK.size(), p.size());
        EXPECT_EQ(band.level, 90);
        for (size_t i = 0; i < p.size(); ++i) {
            const double k = ModularQuantile(fit, p[i]);
            EXPECT_LT(band.lowK[i], k) << int(c.d) << " " << int(c.m) << " P = " << p[i];
            EXPECT_GT(band.highK[i], k) << int(c.d) << " " << int(c.m) << " P = " << p[i];
        }
    }
}

// Seeded series of several curves, lengths and every method: the band holds
// its fitted curve at every probability of the grid. Among them series whose
// re-fits are biased by more than the band's half-width where it is
// narrowest (P = 40–80 % of strongly skewed curves), which the plain
// percentiles left outside the band (a correction of the moments that jumps
// with the rounded Cs/Cv, the three points of a parabola on normal paper).
TEST(ConfidenceBand, HoldsItsCurveOverManySeededSeries)
{
    struct Case {
        Distribution d;
        Method m;
        double cv, cs;
        int n, series;
    };
    const std::vector<double>& p = StandardProbabilities();
    int built = 0, asked = 0;
    for (const Case c : {Case{Distribution::PearsonIII, Method::Moments, 0.5, 1.0, 30, 40},
                         {Distribution::PearsonIII, Method::SampleMoments, 0.8, 2.4, 25, 30},
                         {Distribution::PearsonIII, Method::GraphicAnalytic, 0.8, 2.4, 100, 8},
                         {Distribution::PearsonIII, Method::GraphicAnalytic, 0.5, 1.0, 30, 25},
                         {Distribution::KritskyMenkel, Method::Moments, 0.363, 2.377, 60, 25}, // γ 3, b −0.5
                         {Distribution::KritskyMenkel, Method::SampleMoments, 0.5, 1.0, 30, 25},
                         {Distribution::KritskyMenkel, Method::GraphicAnalytic, 0.5, 1.0, 40, 25},
                         {Distribution::KritskyMenkel, Method::MaxLikelihood, 0.5, 1.0, 30, 20}}) {
        FitOptions truth = BandOptions(c.d, Method::Given, 0);
        truth.givenMean = 1;
        truth.givenCv = c.cv;
        truth.givenCs = c.cs;
        const FitOptions o = BandOptions(c.d, c.m, 90);
        std::vector<double> values(static_cast<size_t>(c.n));
        for (int seed = 0; seed < c.series; ++seed) {
            SeriesSampler sampler(FitCurve({}, truth), 0, 1000 + static_cast<unsigned>(seed));
            sampler.Next(values);
            for (double& x : values)
                x *= 100;
            ++asked;
            Fit fit;
            Band band;
            const SmoothingPoints points = SampleSmoothingPoints(values);
            try {
                fit = FitCurve(values, o, &points);
                band = ConfidenceBand(values, fit, o, p, &points);
            } catch (const FitRefused&) {
                continue; // a curve or band refused is no band that misses
            }
            ++built;
            for (size_t i = 0; i < p.size(); ++i) {
                const double k = ModularQuantile(fit, p[i]);
                EXPECT_LE(band.lowK[i], k) << int(c.d) << " " << int(c.m) << " seed " << seed << " P = " << p[i];
                EXPECT_GE(band.highK[i], k) << int(c.d) << " " << int(c.m) << " seed " << seed << " P = " << p[i];
                EXPECT_LT(band.lowK[i], band.highK[i]);
                if (i > 0) { // both limits fall as P grows, as the curve does
                    EXPECT_LE(band.lowK[i], band.lowK[i - 1]) << "seed " << seed << " P = " << p[i];
                    EXPECT_LE(band.highK[i], band.highK[i - 1]) << "seed " << seed << " P = " << p[i];
                }
            }
        }
    }
    EXPECT_GT(built, asked * 9 / 10);
}

// n values at the plotting positions m/(n + 1) of one Pearson III curve:
// series of different lengths with nearly the same sample moments.
std::vector<double> CurveSeries(int n)
{
    std::vector<double> values;
    for (int m = 1; m <= n; ++m)
        values.push_back(100 * (1 + 0.4 * PearsonPhi(100.0 * m / (n + 1), 0.8)));
    return values;
}

TEST(ConfidenceBand, WidensAsTheSeriesShortensAndWithTheLevel)
{
    const FitOptions o90 = BandOptions(Distribution::PearsonIII, Method::SampleMoments, 90);
    const std::vector<double> p{1, 50, 95};
    std::vector<double> previous(p.size(), 0.0);
    for (const int n : {200, 50, 15}) {
        const std::vector<double> values = CurveSeries(n);
        const Fit fit = FitCurve(values, o90);
        const Band band = ConfidenceBand(values, fit, o90, p);
        for (size_t i = 0; i < p.size(); ++i) {
            const double width = band.highK[i] - band.lowK[i];
            EXPECT_GT(width, previous[i]) << "n = " << n << ", P = " << p[i];
            previous[i] = width;
        }
    }
    const std::vector<double> values = GammaSeries(50, 11);
    const Fit fit = FitCurve(values, o90);
    const Band b80 = ConfidenceBand(values, fit, BandOptions(Distribution::PearsonIII, Method::Moments, 80), p);
    const Band b95 = ConfidenceBand(values, fit, BandOptions(Distribution::PearsonIII, Method::Moments, 95), p);
    for (size_t i = 0; i < p.size(); ++i) {
        EXPECT_LT(b95.lowK[i], b80.lowK[i]);
        EXPECT_GT(b95.highK[i], b80.highK[i]);
    }
}

TEST(ConfidenceBand, SameInputSameLimits)
{
    const std::vector<double> values = GammaSeries(40, 5);
    const FitOptions o = BandOptions(Distribution::KritskyMenkel, Method::SampleMoments, 80);
    const Fit fit = FitCurve(values, o);
    const Band first = ConfidenceBand(values, fit, o, StandardProbabilities());
    const Band second = ConfidenceBand(values, fit, o, StandardProbabilities());
    EXPECT_EQ(first.lowK, second.lowK);
    EXPECT_EQ(first.highK, second.highK);
}

// A band refused for too many samples without a curve says how many, and
// why most of them had none: for ten values of a strongly skewed curve the
// smoothing parabola of about three samples in ten turns between 5 and 95 %.
TEST(ConfidenceBand, RefusalGivesTheShareAndTheCommonestReason)
{
    std::vector<double> values;
    for (int m = 1; m <= 10; ++m)
        values.push_back(100 * (1 + 0.8 * PearsonPhi(100.0 * m / 11, 2.4)));
    const SmoothingPoints points = SampleSmoothingPoints(values);
    const FitOptions o = BandOptions(Distribution::PearsonIII, Method::GraphicAnalytic, 90);
    const Fit fit = FitCurve(values, o, &points);
    try {
        ConfidenceBand(values, fit, o, StandardProbabilities(), &points);
        ADD_FAILURE() << "no refusal";
    } catch (const FitRefused& refused) {
        const std::string text = refused.what();
        EXPECT_EQ(text.rfind("Доверительные границы не построены: кривая не подбирается для ", 0), 0u) << text;
        EXPECT_NE(text.find(" % модельных рядов (допустимо не более 10,0 %). Чаще всего ("), std::string::npos) << text;
        EXPECT_NE(text.find("%): Сглаживающая кривая не убывает: её значение при 50 %"), std::string::npos) << text;
    }
}

TEST(ConfidenceBand, NoneWhenOffAndRefusedForHandEnteredParameters)
{
    FitOptions o = BandOptions(Distribution::PearsonIII, Method::Given, 0);
    o.givenMean = 100;
    o.givenCv = 0.3;
    o.givenCs = 0.6;
    const Fit fit = FitCurve({}, o);
    EXPECT_TRUE(ConfidenceBand({}, fit, o, StandardProbabilities()).lowK.empty());
    o.bandLevel = 90;
    EXPECT_THROW(ConfidenceBand(GammaSeries(30, 1), fit, o, StandardProbabilities()), FitRefused);
}

} // namespace
} // namespace aqualen::dist
