#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "series/float_fault.h"
#include "stats/bias_correction.h"
#include "stats/coefficient_tables.h"

namespace aqualen {
namespace {

TEST(ColumnOfRatio, RoundsHalvesToEvenAndFoldsOutsidersIntoColumnTwo)
{
    EXPECT_EQ(ColumnOfRatio(2.5), 2);
    EXPECT_EQ(ColumnOfRatio(2.51), 3);
    EXPECT_EQ(ColumnOfRatio(3.49), 3);
    EXPECT_EQ(ColumnOfRatio(3.5), 4);
    EXPECT_EQ(ColumnOfRatio(0.7), 2);
    EXPECT_EQ(ColumnOfRatio(-0.7), 2);
    EXPECT_EQ(ColumnOfRatio(-3.0), 2);
    EXPECT_EQ(ColumnOfRatio(99.4), 4);
    EXPECT_EQ(ColumnOfRatio(99.5), 2);
    // Values that would land on 3 or 4 if cut to 32 bits stay in column 2.
    EXPECT_EQ(ColumnOfRatio(4294967299.0), 2);
    EXPECT_EQ(ColumnOfRatio(-4294967292.0), 2);
    EXPECT_EQ(ColumnOfRatio(9.2e18), 2);
}

TEST(ColumnOfRatio, RatioBeyondSixtyFourBitsIsInvalid)
{
    for (const double ratio : {9.3e18, -9.3e18, 1e300, std::numeric_limits<double>::infinity()}) {
        try {
            ColumnOfRatio(ratio);
            ADD_FAILURE() << ratio;
        } catch (const FloatFault& fault) {
            EXPECT_STREQ(fault.what(), "Invalid floating point operation");
        }
    }
}

TEST(SelectAi, PicksTheRowOfColumnAndRegionalR1)
{
    EXPECT_EQ(SelectAi(3, 0.3), (Coefficients{0, 1.15, 1.02, -7.53, -0.04, 12.38}));
    EXPECT_EQ(SelectAi(2, 0.0), (Coefficients{0, 0.19, 0.99, -0.88, 0.01, 1.54}));
    EXPECT_EQ(SelectAi(4, 0.5), (Coefficients{-0.02, 3.47, 1.18, -29.71, -0.41, 58.08}));
    // Every regular choice finds exactly its own row.
    for (size_t t = 0; t < kAiTables.size(); ++t)
        for (const CoefficientRow& row : kAiTables[t])
            EXPECT_EQ(SelectAi(row.key, row.threshold)[t], row.value);
    // Below every key and threshold nothing matches.
    EXPECT_EQ(SelectAi(1, 0.5), Coefficients{});
    EXPECT_EQ(SelectAi(4, -0.1), Coefficients{});
}

TEST(SelectBi, PicksTheEntriesAtTheIndex)
{
    EXPECT_EQ(SelectBi(0), (Coefficients{0.03, 2.00, 0.92, -5.09, 0.03, 8.10}));
    EXPECT_EQ(SelectBi(1), (Coefficients{0.03, 1.77, 0.93, -3.45, 0.03, 8.03}));
    EXPECT_EQ(SelectBi(2), (Coefficients{0.03, 1.63, 0.92, -0.97, 0.03, 7.94}));
}

TEST(RegionalR1, ThresholdsAreTheChoicesOwnDoubles)
{
    EXPECT_EQ(RegionalR1At(1).value, kAiTables[0][1].threshold);
    EXPECT_EQ(RegionalR1At(2).value, kAiTables[0][2].threshold);
    EXPECT_EQ(RegionalR1At(2).index, 2);
}

TEST(BiasCorrection, HugeRatioFaultsBeforeAnyLine)
{
    BiasCorrection bias;
    EXPECT_THROW(ComputeBiasCorrection(10, 0.5, 1e300, 2e300, RegionalR1At(0), bias), FloatFault);
    EXPECT_EQ(bias.known, BiasCorrection::kNone);
    EXPECT_TRUE(BiasCorrectionLines(bias, RegionalR1At(0), ',').empty());
}

} // namespace
} // namespace aqualen
