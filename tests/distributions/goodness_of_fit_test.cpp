#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "distributions/goodness_of_fit.h"
#include "distributions/graphic_analytic.h"
#include "distributions/quantile_report.h"

namespace aqualen::dist {
namespace {

FitOptions Options(Distribution d, Method m)
{
    FitOptions o;
    o.distribution = d;
    o.method = m;
    return o;
}

Fit Given(Distribution d, double mean, double cv, double cs)
{
    FitOptions o = Options(d, Method::Given);
    o.givenMean = mean;
    o.givenCv = cv;
    o.givenCs = cs;
    return FitCurve({}, o);
}

std::vector<double> GammaSeries(int n, unsigned seed, double shape = 4)
{
    std::mt19937 random(seed);
    std::gamma_distribution<double> gamma(shape, 25.0);
    std::vector<double> values;
    for (int i = 0; i < n; ++i)
        values.push_back(gamma(random));
    return values;
}

TEST(GoodnessOfFit, StatisticsFromTheirDefinitions)
{
    // u = 0.7, 0.1, 0.4 (sorted inside): D = 1 − 0.7; ω² = 1/36 + (1/15)² + 0.1² + (2/15)²;
    // A² = −3 − [ln 0.1 + ln 0.3 + 3(ln 0.4 + ln 0.6) + 5(ln 0.7 + ln 0.9)]/3.
    const FitStatistics s = StatisticsOfNonExceedances({0.7, 0.1, 0.4});
    EXPECT_NEAR(s.kolmogorov, 0.3, 1e-15);
    EXPECT_NEAR(s.cramerVonMises, 0.06, 1e-15);
    EXPECT_NEAR(s.andersonDarling, 0.3660280874077375, 1e-13);
    EXPECT_EQ(s.classes, 0); // χ² needs 25 values

    // One value: D = max(1 − u, u), ω² = 1/12 + (u − 1/2)².
    const FitStatistics one = StatisticsOfNonExceedances({0.2});
    EXPECT_NEAR(one.kolmogorov, 0.8, 1e-15);
    EXPECT_NEAR(one.cramerVonMises, 1.0 / 12 + 0.09, 1e-15);

    // A value on or beyond the curve's edge makes A² infinite, the others stay finite.
    const FitStatistics edge = StatisticsOfNonExceedances({0.0, 0.5, 0.9});
    EXPECT_TRUE(std::isinf(edge.andersonDarling));
    EXPECT_NEAR(edge.kolmogorov, 1.0 / 3, 1e-15);
}

TEST(GoodnessOfFit, ChiSquareOverClassesOfEqualProbability)
{
    const struct {
        size_t n;
        int classes;
    } counts[] = {{24, 0}, {25, 5}, {34, 6}, {49, 9}, {50, 10}, {1000, 10}};
    for (const auto& c : counts)
        EXPECT_EQ(ChiSquareClasses(c.n), c.classes) << c.n;

    std::vector<double> even, lumped, twoClasses;
    for (int i = 0; i < 25; ++i) {
        even.push_back((i + 0.5) / 25);           // five in each fifth
        lumped.push_back(0.01 + 0.005 * i);       // all in the first fifth
        twoClasses.push_back(i < 15 ? 0.1 : 0.9); // 15, 0, 0, 0, 10
    }
    EXPECT_NEAR(StatisticsOfNonExceedances(even).chiSquare, 0, 1e-12);
    EXPECT_NEAR(StatisticsOfNonExceedances(lumped).chiSquare, 100, 1e-12);    // (20² + 4·5²)/5
    EXPECT_NEAR(StatisticsOfNonExceedances(twoClasses).chiSquare, 40, 1e-12); // (10² + 3·5² + 5²)/5
}

TEST(GoodnessOfFit, NonExceedanceInvertsTheQuantiles)
{
    const Fit curves[] = {Given(Distribution::PearsonIII, 100, 0.4, 0.8),
                          Given(Distribution::PearsonIII, 100, 0.3, -0.6),
                          Given(Distribution::PearsonIII, 100, 0.3, 0),
                          Given(Distribution::PearsonIII, 100, 0.3, 5e-5),
                          Given(Distribution::KritskyMenkel, 100, 0.5, 1.0),
                          Given(Distribution::KritskyMenkel, 100, 0.3, 1.5),
                          Given(Distribution::KritskyMenkel, 100, 0.3, 0.3 * (3 + 0.09))}; // the lognormal
    for (const Fit& fit : curves)
        for (const double p : {0.1, 5.0, 50.0, 95.0, 99.9}) {
            const double x = fit.mean * ModularQuantile(fit, p);
            EXPECT_NEAR(NonExceedance(fit, x), 1 - p / 100, 1e-9)
                << static_cast<int>(fit.distribution) << " Cs " << fit.cs << " P " << p;
        }
    // Beyond the range: Pearson III with Cs = 1, Cv = 0.5 starts at k = 1 − 2Cv/Cs = 0;
    // Kritsky–Menkel has only positive values.
    EXPECT_EQ(NonExceedance(Given(Distribution::PearsonIII, 100, 0.5, 1.0), -1), 0);
    EXPECT_EQ(NonExceedance(Given(Distribution::PearsonIII, 100, 0.5, -1.0), 201), 1);
    EXPECT_EQ(NonExceedance(Given(Distribution::KritskyMenkel, 100, 0.5, 1.0), 0), 0);
}

TEST(GoodnessOfFit, BootstrapPValues)
{
    const std::vector<double> series = GammaSeries(40, 7);
    const FitOptions moments = Options(Distribution::PearsonIII, Method::Moments);
    const Fit fit = FitCurve(series, moments);
    const GoodnessOfFit g = TestGoodnessOfFit(series, fit, moments);
    ASSERT_TRUE(g.p);
    for (const double p : {g.p->kolmogorov, g.p->cramerVonMises, g.p->andersonDarling, g.p->chiSquare}) {
        EXPECT_GE(p, 1.0 / 1001);
        EXPECT_LE(p, 1.0);
        // p counts whole samples: (1 + m)/1001.
        EXPECT_NEAR(std::fmod(p * 1001 + 0.5, 1.0), 0.5, 1e-9);
    }
    EXPECT_EQ(g.skipped, 0);
    // Seeded: the same series gives the same p-values.
    EXPECT_EQ(TestGoodnessOfFit(series, fit, moments).p->kolmogorov, g.p->kolmogorov);

    // Series drawn from the family fit it: over twenty of them the share with
    // p below 10 % stays near a tenth. Testing each sample against the
    // series' curve instead of its own re-fit would put nearly all p near 1,
    // testing the series against the tables for a known curve well above.
    int small = 0, large = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const std::vector<double> sample = GammaSeries(30, 100 + seed);
        const GoodnessOfFit s = TestGoodnessOfFit(sample, FitCurve(sample, moments), moments);
        small += s.p->kolmogorov < 0.1;
        large += s.p->kolmogorov > 0.9;
    }
    EXPECT_LE(small, 6);
    EXPECT_LE(large, 6);

    // Two clusters of values do not fit a unimodal curve.
    std::vector<double> clusters;
    for (int i = 0; i < 20; ++i) {
        clusters.push_back(50 + i * 0.5);
        clusters.push_back(300 + i * 0.5);
    }
    const GoodnessOfFit bad = TestGoodnessOfFit(clusters, FitCurve(clusters, moments), moments);
    EXPECT_LT(bad.p->andersonDarling, 0.01);
    EXPECT_LT(bad.p->cramerVonMises, 0.01);
}

TEST(GoodnessOfFit, ReEstimatesByTheSameMethod)
{
    const std::vector<double> series = GammaSeries(30, 11);
    for (const auto& [d, m] : {std::pair{Distribution::KritskyMenkel, Method::MaxLikelihood},
                               std::pair{Distribution::KritskyMenkel, Method::SampleMoments},
                               std::pair{Distribution::PearsonIII, Method::GraphicAnalytic}}) {
        const FitOptions o = Options(d, m);
        const SmoothingPoints points = SampleSmoothingPoints(series);
        const Fit fit = FitCurve(series, o, &points);
        const GoodnessOfFit g = TestGoodnessOfFit(series, fit, o);
        ASSERT_TRUE(g.p) << static_cast<int>(m);
        EXPECT_GT(g.p->kolmogorov, 0.05) << static_cast<int>(m);
    }
    // Hand-entered parameters: the statistics, but nothing to re-estimate.
    const Fit given = Given(Distribution::PearsonIII, 100, 0.5, 1.0);
    const GoodnessOfFit g = TestGoodnessOfFit(series, given, Options(Distribution::PearsonIII, Method::Given));
    EXPECT_FALSE(g.p);
    EXPECT_TRUE(g.givenParameters);
    EXPECT_GT(g.statistics.kolmogorov, 0);
    EXPECT_THROW(TestGoodnessOfFit({1, 2}, given, Options(Distribution::PearsonIII, Method::Given)), FitRefused);
}

TEST(GoodnessOfFit, Lines)
{
    GoodnessOfFit g;
    g.statistics = {0.0871, 0.0436, 0.3426, 8, 9.2};
    g.p = FitPValues{0.5136, 0.4706, 0.3646, 0.1159};
    EXPECT_EQ(GoodnessOfFitLines(g, ','),
              (std::vector<std::string>{"Критерии согласия:", "Колмогоров D:\t0,087\tp = 0,514",
                                        "Крамер–Мизес ω²:\t0,044\tp = 0,471", "Андерсон–Дарлинг A²:\t0,343\tp = 0,365",
                                        "Пирсон χ² (8 классов):\t9,200\tp = 0,116"}));
    g.skipped = 12;
    g.statistics.classes = 0;
    g.statistics.andersonDarling = std::numeric_limits<double>::infinity();
    EXPECT_EQ(GoodnessOfFitLines(g, '.', "Пирсон III"),
              (std::vector<std::string>{"Критерии согласия (Пирсон III):\tмодельных рядов без кривой пропущено: 12",
                                        "Колмогоров D:\t0.087\tp = 0.514", "Крамер–Мизес ω²:\t0.044\tp = 0.471",
                                        "Андерсон–Дарлинг A²:\t∞ (значение ряда вне области кривой)\tp = 0"}));
    g.p.reset();
    g.givenParameters = true;
    g.statistics.andersonDarling = 0.5;
    EXPECT_EQ(
        GoodnessOfFitLines(g, '.'),
        (std::vector<std::string>{"Критерии согласия:\tp не вычисляются: параметры заданы вручную",
                                  "Колмогоров D:\t0.087", "Крамер–Мизес ω²:\t0.044", "Андерсон–Дарлинг A²:\t0.500"}));
}

TEST(GoodnessOfFit, InTheQuantileReport)
{
    QuantileRequest request;
    request.values = GammaSeries(30, 3);
    request.options = Options(Distribution::PearsonIII, Method::Moments);
    request.probabilities = {1, 50};
    const QuantileResult plain = RunQuantileRequest(request);
    EXPECT_FALSE(plain.goodness);
    QuantileReport without;
    BuildQuantileReport(plain.fit, nullptr, request.probabilities, '.', without);
    const std::vector<std::string> before = without.Lines();
    ASSERT_EQ(before.size(), 6u + 1 + 3);

    request.goodnessOfFit = true;
    const QuantileResult result = RunQuantileRequest(request);
    ASSERT_TRUE(result.goodness);
    QuantileReport with;
    BuildQuantileReport(result.fit, nullptr, request.probabilities, '.', with, &*result.goodness);
    const std::vector<std::string> lines = with.Lines();
    // The parameters, a blank line, the heading and D, ω², A², χ² (6 classes), a blank line, the table.
    ASSERT_EQ(lines.size(), before.size() + 6);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 7, lines.begin()));
    EXPECT_EQ(lines[7], "Критерии согласия:");
    EXPECT_EQ(lines[11].rfind("Пирсон χ² (6 классов):\t", 0), 0u);
    EXPECT_EQ(lines[12], "");
    EXPECT_TRUE(std::equal(before.begin() + 7, before.end(), lines.begin() + 13));

    // The comparison: each curve's block under its name, re-estimated as that curve.
    const QuantileComparison comparison = CompareDistributions(request);
    ASSERT_TRUE(comparison.pearsonGoodness && comparison.kritskyMenkelGoodness);
    EXPECT_EQ(comparison.pearsonGoodness->statistics.kolmogorov, result.goodness->statistics.kolmogorov);
    const std::vector<std::string> both = ComparisonLines(comparison, request.probabilities, '.');
    EXPECT_EQ(std::count(both.begin(), both.end(), "Критерии согласия (Пирсон III):"), 1);
    EXPECT_EQ(std::count(both.begin(), both.end(), "Критерии согласия (Крицкий–Менкель):"), 1);
}

} // namespace
} // namespace aqualen::dist
