#include <cmath>

#include <gtest/gtest.h>

#include "analysis/analysis_messages.h"
#include "analysis/pair_counting.h"
#include "analysis/trend_tests.h"

namespace aqualen::analysis {
namespace {

TEST(TrendTests, MannKendallSCountsPairsWithTies)
{
    struct Case {
        std::vector<double> x;
        std::int64_t s;
    };
    const Case cases[] = {
        {{1, 2, 3, 4, 5}, 10}, {{5, 4, 3, 2, 1}, -10}, {{1, 1, 2}, 2}, {{2, 2, 2, 1}, -3}, {{3, 1, 2, 5, 4}, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MannKendallS(c.x), c.s);
}

TEST(TrendTests, SenSlopeIsTheMedianPairSlope)
{
    EXPECT_DOUBLE_EQ(SenSlope({1, 3, 2}), 0.5);                    // slopes 2, 0.5, −1
    EXPECT_DOUBLE_EQ(SenSlope({1, 3, 5, 7, 9, 11, 13}), 2);        // a linear trend
    EXPECT_DOUBLE_EQ(SenSlope({0, 0, 0, 0, 1, 1, 1, 1}), 1.0 / 6); // constant runs: 12 zeros, then 1/7, 1/6, 1/6
    EXPECT_NEAR(SenSlope({4, 1, 3, 2}), -7.0 / 12, 1e-15);         // slopes −3 −1 −2/3 −0.5 0.5 2: even count
    // A median among tied zero slopes is 0 exactly, not a rounding-sized number
    // (the bisection alone stopped at −2.02E-17 here), from either side.
    EXPECT_EQ(SenSlope({5, 3, 8, 1, 9, 2, 7, 4, 6, 10, 3, 3}), 0.0);
    EXPECT_EQ(SenSlope({2, 2, 2, 1, 3}), 0.0); // slopes 0 0 −1 0.5, 0 −1 0.5, −1 1, 2
    // Slopes −1 0 1 1 1 3: away from zero the probes resolve b to the last digit of x(i) − b·i.
    EXPECT_NEAR(SenSlope({1e6, 1e6 + 1, 1e6, 1e6 + 3}), 1, 1e-9);
}

TEST(TrendTests, PettittFindsAStepChange)
{
    const std::vector<double> step{1, 2, 1, 2, 1, 10, 11, 10, 11, 10};
    const Pettitt pt = PettittTest(step);
    EXPECT_EQ(pt.changeAfter, 5);
    EXPECT_EQ(pt.k, 25);
    EXPECT_NEAR(pt.p, 2 * std::exp(-6.0 * 625 / 1100), 1e-12);
    EXPECT_EQ(ProposeChangePoint(step), 5);
}

TEST(TrendTests, LinearTrendReport)
{
    std::vector<double> x;
    for (int i = 0; i < 12; ++i)
        x.push_back(10 + 2 * i);
    const TrendResult r = ComputeTrend(x);
    EXPECT_EQ(r.mannKendall.s, 66);
    EXPECT_DOUBLE_EQ(r.mannKendall.variance, 12.0 * 11 * 29 / 18);
    EXPECT_DOUBLE_EQ(r.spearman.rho, 1);
    EXPECT_EQ(r.spearman.p, 0);
    EXPECT_TRUE(r.hamedRao.applicable);
    const std::vector<std::string> lines = TrendLines(r, 5, 1990, ',');
    EXPECT_EQ(lines[0], "Длина ряда:\t12");
    EXPECT_EQ(lines[1], "Манн–Кендалл S:\t66");
    EXPECT_EQ(lines[2], "Манн–Кендалл Z:\t4,457\tp = 0,000");
    EXPECT_EQ(lines[4], "Сен, наклон:\t2");
    EXPECT_EQ(lines[5], "Спирмен ρ:\t1,000\tp = 0,000");
    EXPECT_EQ(lines[7], "Манн–Кендалл, 5 %:\tтренд значим");
}

// Strong negative rank autocorrelation (ρ(1) far below −1.96/√n, the others
// inside the band) takes Var*(S) below zero: no corrected Z, never a NaN.
TEST(TrendTests, HamedRaoNotApplicableForAnAlternatingSeries)
{
    const TrendResult r = ComputeTrend({16, 16, 7, 17, 6, 16, 6, 16, 8, 7, 15, 7});
    EXPECT_FALSE(r.hamedRao.applicable);
    EXPECT_LE(r.hamedRao.variance, 0);
    const std::vector<std::string> lines = TrendLines(r, 5, std::nullopt, ',');
    EXPECT_EQ(lines[3], "Хамед–Рао Z:\tпоправка неприменима");
    EXPECT_EQ(lines[8], "Хамед–Рао, 5 %:\tпоправка неприменима");
}

TEST(TrendTests, TieCorrectedVariance)
{
    // One pair of equal values among ten: (10·9·25 − 2·1·9)/18 = 124.
    const TrendResult r = ComputeTrend({1, 2, 3, 4, 5, 5, 7, 8, 9, 6});
    EXPECT_DOUBLE_EQ(r.mannKendall.variance, 124);
}

TEST(TrendTests, RefusesShortAndConstantSeries)
{
    EXPECT_EQ(TrendRefusal(std::vector<double>(9, 1.5)), std::optional<std::string>(kTrendLengthText));
    EXPECT_EQ(TrendRefusal(std::vector<double>(10, 1.5)), std::optional<std::string>(kAllEqualText));
    EXPECT_FALSE(TrendRefusal({1, 2, 3, 4, 5, 6, 7, 8, 9, 1}));
}

TEST(TrendTests, FourSignificantDigits)
{
    EXPECT_EQ(FourDigits(0.123456, ','), "0,1235");
    EXPECT_EQ(FourDigits(-3.4166667, ','), "-3,417");
    EXPECT_EQ(FourDigits(2.5e-5, '.'), "2.5E-5");
}

TEST(PairCounting, MidRanksAndInversions)
{
    EXPECT_EQ(MidRanks({3, 1, 3, 2}), (std::vector<double>{3.5, 1, 3.5, 2}));
    EXPECT_EQ(CountInversions({3, 1, 3, 2}), 3);
    EXPECT_EQ(CountWeakInversions({3, 1, 3, 2}), 4);
}

} // namespace
} // namespace aqualen::analysis
