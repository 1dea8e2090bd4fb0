#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "distributions/quantile_report.h"
#include "support/given_parameters.h"

namespace aqualen::dist {
namespace {

Fit Given(Distribution d, double mean, double cv, double cs)
{
    return FitCurve({}, test::GivenParameters(d, mean, cv, cs));
}

TEST(QuantileReport, ParametersTableAndCaption)
{
    const Fit p3 = Given(Distribution::PearsonIII, 100, 0.5, 0.5);
    EXPECT_EQ(ParameterLines(p3, ','),
              (std::vector<std::string>{"Распределение:\tПирсон III", "Метод:\tпараметры заданы вручную",
                                        "Среднее значение:\t100,000", "Cv:\t0,500", "Cs:\t0,500", "Cs/Cv:\t1,0"}));
    EXPECT_EQ(CaptionLine(p3, ','), "Пирсон III, параметры заданы вручную: Q̄ = 100,000; Cv = 0,500; Cs = 0,500");

    const std::vector<std::string> table = QuantileTableLines(p3, nullptr, {1, 50}, '.');
    EXPECT_EQ(table,
              (std::vector<std::string>{"P, %\tT, лет\tKp\tQp", "1\t100\t2.343\t234.286", "50\t2\t0.958\t95.849"}));

    Band band{{1.8, 0.9}, {2.9, 1.1}, 90};
    EXPECT_EQ(QuantileTableLines(p3, &band, {1, 50}, ','),
              (std::vector<std::string>{"P, %\tT, лет\tKp\tQp\tQp нижн. (90 %)\tQp верхн. (90 %)",
                                        "1\t100\t2,343\t234,286\t180,000\t290,000",
                                        "50\t2\t0,958\t95,849\t90,000\t110,000"}));
}

TEST(QuantileReport, ProbabilityAndReturnPeriodTexts)
{
    const Fit p3 = Given(Distribution::PearsonIII, 100, 0.5, 0.5);
    const struct {
        double p;
        const char* start; // P and T of the row
    } cases[] = {{0.01, "0,01\t10000\t"}, {0.1, "0,1\t1000\t"}, {3, "3\t33,3\t"},      {40, "40\t2,5\t"},
                 {50, "50\t2\t"},         {70, "70\t3,3\t"},    {99.9, "99,9\t1000\t"}};
    for (const auto& c : cases)
        EXPECT_EQ(QuantileTableLines(p3, nullptr, {c.p}, ',')[1].rfind(c.start, 0), 0u) << c.p;
    EXPECT_EQ(ParseProbabilityList("0,01; 1 50", ','), (std::vector<double>{0.01, 1, 50}));
    EXPECT_EQ(ParseProbabilityList(ProbabilityListText({0.01, 99.9}, ','), ','), (std::vector<double>{0.01, 99.9}));
    for (const char* refused : {"", "0", "100", "1;x", "-1"})
        EXPECT_FALSE(ParseProbabilityList(refused, '.')) << refused;
}

TEST(QuantileReport, KritskyMenkelShowsItsShape)
{
    const std::vector<std::string> gamma = ParameterLines(Given(Distribution::KritskyMenkel, 50, 0.5, 1.0), '.');
    ASSERT_EQ(gamma.size(), 9u);
    EXPECT_EQ(gamma[6], "γ:\t4.000");
    EXPECT_EQ(gamma[7], "b:\t1.000");
    EXPECT_EQ(gamma[8], "a:\t0.250");
    const std::vector<std::string> heavy = ParameterLines(Given(Distribution::KritskyMenkel, 50, 0.5, 1.6), ',');
    EXPECT_EQ(heavy[8].substr(0, 3), "a:\t");
    EXPECT_NE(heavy[8].find("E-"), std::string::npos) << heavy[8];
    const std::vector<std::string> lognormal = ParameterLines(Given(Distribution::KritskyMenkel, 50, 1.0, 4.0), '.');
    EXPECT_EQ(lognormal[6], "γ:\t∞ (логнормальное распределение)");
    EXPECT_EQ(lognormal[7], "σ ln k:\t0.833");
}

} // namespace
} // namespace aqualen::dist
