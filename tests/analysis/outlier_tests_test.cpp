#include <cmath>

#include <gtest/gtest.h>

#include "analysis/outlier_tests.h"

namespace aqualen::analysis {
namespace {

dist::Fit NormalCurve()
{
    dist::Fit fit;
    fit.distribution = dist::Distribution::PearsonIII;
    fit.mean = 1;
    fit.cv = 0.3;
    fit.cs = 0;
    return fit;
}

TEST(OutlierTests, DixonRatiosAndGrubbsFromTheirDefinitions)
{
    const std::vector<double> x{1, 2, 4, 7, 11, 16, 30};
    const OutlierValues top = LargestValueStatistics(x);
    EXPECT_DOUBLE_EQ(top[0], 14.0 / 29); // (30 − 16)/(30 − 1)
    EXPECT_DOUBLE_EQ(top[1], 14.0 / 28);
    EXPECT_DOUBLE_EQ(top[2], 19.0 / 29);
    EXPECT_DOUBLE_EQ(top[3], 19.0 / 28);
    EXPECT_DOUBLE_EQ(top[4], 19.0 / 26);
    const OutlierValues low = SmallestValueStatistics(x);
    EXPECT_DOUBLE_EQ(low[0], 1.0 / 29);
    EXPECT_DOUBLE_EQ(low[1], 1.0 / 15);
    EXPECT_DOUBLE_EQ(low[2], 3.0 / 29);
    EXPECT_DOUBLE_EQ(low[3], 3.0 / 15);
    EXPECT_DOUBLE_EQ(low[4], 3.0 / 10);
    const double mean = 71.0 / 7;
    double ss = 0;
    for (double v : x)
        ss += (v - mean) * (v - mean);
    EXPECT_NEAR(top[5], (30 - mean) / std::sqrt(ss / 6), 1e-12);
    EXPECT_NEAR(low[5], (mean - 1) / std::sqrt(ss / 6), 1e-12);
}

TEST(OutlierTests, ZeroDenominatorIsNotDefined)
{
    // x(2) = x(n): r11 of the largest value is 0/0.
    const std::vector<double> x{1, 5, 5, 5, 5};
    const OutlierValues top = LargestValueStatistics(x);
    EXPECT_TRUE(std::isnan(top[1]));
    OutlierResult r;
    r.largest.statistic = top;
    const std::vector<std::string> lines = OutlierLines(r, ',');
    EXPECT_EQ(lines[2], "Диксон r11:\tне определено\t0,000");
}

// The published one-sided tables for normal samples (Grubbs 1969; Dixon 1951).
TEST(OutlierTests, SimulationReproducesNormalTables)
{
    struct Case {
        int n, level, statistic;
        double table;
    };
    const Case cases[] = {
        {10, 5, 5, 2.176}, {10, 1, 5, 2.410}, {20, 5, 5, 2.557}, {20, 1, 5, 2.884}, {10, 5, 0, 0.409},
        {10, 1, 0, 0.527}, {10, 5, 1, 0.477}, {10, 5, 3, 0.612}, {10, 5, 4, 0.682},
    };
    for (const Case& c : cases) {
        const CriticalValues v = SimulatedCriticalValues(NormalCurve(), c.n, 0, c.level);
        // The normal curve is symmetric: both ends estimate the same value.
        const double simulated = (v.largest[c.statistic] + v.smallest[c.statistic]) / 2;
        EXPECT_NEAR(simulated, c.table, 0.015 * c.table) << c.n << " " << c.level << " " << c.statistic;
    }
}

// At r(1) = 0.5 a series of 30 holds fewer independent values: the largest
// value's critical G and r10 come out about 4 and 10 % lower than at r(1) = 0
// (3.40 against 3.55, 0.372 against 0.401 at 5 %, Cv = 0.5, Cs/Cv = 2).
TEST(OutlierTests, DependenceMovesTheCriticalValues)
{
    dist::Fit fit = NormalCurve();
    fit.cv = 0.5;
    fit.cs = 1.0;
    const CriticalValues independent = SimulatedCriticalValues(fit, 30, 0, 5);
    const CriticalValues dependent = SimulatedCriticalValues(fit, 30, 0.5, 5);
    EXPECT_LT(dependent.largest[5], independent.largest[5] * 0.97);
    EXPECT_LT(dependent.largest[0], independent.largest[0] * 0.95);
}

} // namespace
} // namespace aqualen::analysis
