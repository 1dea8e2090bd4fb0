#include <cmath>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "homog/critical_tables.h"

namespace aqualen {
namespace {

constexpr int64_t kLengths[] = {10, 25, 50, 100};

TEST(CriticalTables, TabulatedAndInterpolatedValues)
{
    EXPECT_DOUBLE_EQ(FisherCritical(7, 3, 10), 4.03);
    EXPECT_DOUBLE_EQ(StudentCritical(7, 3, 10), 2.101);
    EXPECT_NEAR(FisherCritical(7, 3, 12), 3.7953333333333333, 1e-12);
    EXPECT_NEAR(StudentCritical(7, 3, 12), 2.0891333333333333, 1e-12);
    EXPECT_NEAR(FisherCritical(7, 3, 30), 2.174, 1e-12);
    EXPECT_NEAR(FisherCritical(7, 3, 99), 1.5156, 1e-12);
    EXPECT_DOUBLE_EQ(FisherCritical(7, 3, 100), 1.51);
    EXPECT_DOUBLE_EQ(StudentCritical(0, 0, 25), 8.4);
    EXPECT_DOUBLE_EQ(FisherCritical(17, 0, 50), 1.32);
}

TEST(CriticalTables, NoValueOutsideTheTabulatedLengths)
{
    for (const int64_t n : {int64_t{0}, int64_t{9}, int64_t{101}, int64_t{65536}, int64_t{70000}})
        for (int row = 0; row < kDependenceRowCount; ++row)
            for (int level = 0; level < kSignificanceLevelCount; ++level) {
                ASSERT_EQ(FisherCritical(row, level, n), 0.0) << n;
                ASSERT_EQ(StudentCritical(row, level, n), 0.0) << n;
            }
}

// The three typing errors of the reference rows are corrected.
TEST(CriticalTables, MendedReferenceCells)
{
    EXPECT_DOUBLE_EQ(StudentCritical(7, 0, 50), 3.174);
    EXPECT_DOUBLE_EQ(StudentCritical(0, 10, 10), 0.31);
    EXPECT_DOUBLE_EQ(FisherCritical(0, 8, 25), 1.38);
}

std::vector<double> Row(const char* text)
{
    std::istringstream in(text);
    std::vector<double> values;
    double value = 0;
    while (in >> value)
        values.push_back(value);
    return values;
}

void ExpectRow(double (*lookup)(int, int, int64_t), int64_t n, int row, const char* text)
{
    const std::vector<double> expected = Row(text);
    ASSERT_EQ(expected.size(), 13u);
    for (int level = 0; level < 13; ++level)
        EXPECT_EQ(lookup(row, level, n), expected[level]) << "n " << n << " row " << row << " level " << level;
}

TEST(CriticalTables, ReferenceRowsAreStoredAsGiven)
{
    ExpectRow(FisherCritical, 10, 0, "18.6 11 8.11 6.19 4.58 3.22 2.59 1.83 1.41 1.26 1.12 1.06 1");
    ExpectRow(FisherCritical, 25, 0, "7.17 5.18 4.39 3.44 2.86 2.22 1.92 1.7 1.38 1.2 1.06 1.02 1");
    ExpectRow(FisherCritical, 50, 0, "4.07 3.31 2.98 2.49 2.16 1.82 1.64 1.4 1.22 1.15 1.07 1.02 1");
    ExpectRow(FisherCritical, 100, 0, "3.02 2.49 2.28 1.93 1.72 1.52 1.4 1.24 1.13 1.1 1.03 1 1");
    ExpectRow(FisherCritical, 10, 7, "10.11 6.54 5.35 4.03 3.18 2.44 2.02 1.57 1.3 1.19 1.1 1.03 1");
    ExpectRow(FisherCritical, 25, 7, "3.74 2.97 2.66 2.27 1.98 1.7 1.53 1.32 1.17 1.11 1.05 1.02 1");
    ExpectRow(FisherCritical, 50, 7, "2.51 2.15 1.99 1.79 1.62 1.47 1.37 1.21 1.12 1.09 1.04 1.01 1");
    ExpectRow(FisherCritical, 100, 7, "1.91 1.73 1.64 1.51 1.41 1.31 1.22 1.16 1.08 1.05 1.02 1 1");
    ExpectRow(FisherCritical, 10, 17, "2.47 2.01 1.84 1.63 1.48 1.33 1.25 1.15 1.09 1.03 1 1 1");
    ExpectRow(FisherCritical, 25, 17, "1.54 1.41 1.37 1.29 1.22 1.18 1.13 1.09 1.05 1.02 1.01 1 1");
    ExpectRow(FisherCritical, 50, 17, "1.32 1.27 1.24 1.2 1.16 1.13 1.1 1.07 1.04 1.03 1 1 1");
    ExpectRow(FisherCritical, 100, 17, "1.2 1.18 1.17 1.12 1.1 1.08 1.06 1.03 1.02 1.01 1 1 1");

    ExpectRow(StudentCritical, 10, 0, "9.14 7.19 6.35 5.18 4.21 3.22 2.63 1.66 0.93 0.62 0.31 0.13 0.03");
    ExpectRow(StudentCritical, 25, 0, "8.4 6.71 6 4.96 4.12 3.12 2.53 1.6 0.93 0.62 0.31 0.13 0.03");
    ExpectRow(StudentCritical, 50, 0, "7.48 6.22 5.68 4.78 4.01 3.11 2.53 1.6 0.93 0.62 0.31 0.13 0.03");
    ExpectRow(StudentCritical, 100, 0, "7.35 6.1 5.52 4.65 3.93 3.07 2.52 1.6 0.93 0.62 0.31 0.1 0.03");
    ExpectRow(StudentCritical, 10, 7, "3.61 2.878 2.552 2.101 1.734 1.33 1.07 0.688 0.39 0.26 0.12 0.02 0");
    ExpectRow(StudentCritical, 25, 7, "3.269 2.683 2.407 2.012 1.677 1.3 1.06 0.679 0.4 0.25 0.12 0.03 0");
    ExpectRow(StudentCritical, 50, 7, "3.174 2.627 2.365 1.985 1.66 1.29 1.04 0.677 0.4 0.26 0.13 0.04 0");
    ExpectRow(StudentCritical, 100, 7, "3.131 2.601 2.345 1.975 1.653 1.286 1.06 0.676 0.38 0.27 0.12 0.01 0");
    ExpectRow(StudentCritical, 10, 17, "0.93 0.69 0.58 0.48 0.39 0.29 0.22 0.14 0.08 0.05 0.03 0 0");
    ExpectRow(StudentCritical, 25, 17, "0.8 0.62 0.55 0.44 0.37 0.29 0.23 0.15 0.08 0.05 0.02 0 0");
    ExpectRow(StudentCritical, 50, 17, "0.77 0.59 0.52 0.44 0.37 0.29 0.22 0.14 0.08 0.05 0.02 0 0");
    ExpectRow(StudentCritical, 100, 17, "0.97 0.78 0.7 0.54 0.48 0.39 0.31 0.2 0.12 0.08 0.03 0 0");
}

// Every run of the tables holds at every length from 10 to 100, tabulated or
// interpolated: falling along a row as the level rises, falling down a
// column from row 0 to row 17.
TEST(CriticalTables, ValuesFallAlongRowsAndDownColumns)
{
    for (auto lookup : {FisherCritical, StudentCritical}) {
        for (int64_t n = 10; n <= 100; ++n) {
            for (int row = 0; row < kDependenceRowCount; ++row) {
                for (int level = 0; level < kSignificanceLevelCount; ++level) {
                    const double value = lookup(row, level, n);
                    ASSERT_GE(value, lookup == FisherCritical ? 1.0 : 0.0);
                    if (level > 0) {
                        ASSERT_LE(value, lookup(row, level - 1, n))
                            << "n " << n << " row " << row << " level " << level;
                    }
                    if (row > 0) {
                        ASSERT_LE(value, lookup(row - 1, level, n))
                            << "n " << n << " row " << row << " level " << level;
                    }
                }
            }
        }
    }
}

TEST(CriticalTables, FixedCellsOfTheTables)
{
    for (const int64_t n : kLengths) {
        for (int level = 0; level < kSignificanceLevelCount; ++level)
            EXPECT_EQ(FisherCritical(8, level, n), FisherCritical(7, level, n)) << n << " " << level;
        for (int row = 0; row < kDependenceRowCount; ++row)
            EXPECT_EQ(FisherCritical(row, 12, n), 1.0);
        for (int row = 7; row < kDependenceRowCount; ++row)
            EXPECT_EQ(StudentCritical(row, 12, n), 0.0);
    }
}

// Generated cells carry at most three decimals, like the reference rows.
TEST(CriticalTables, AtMostThreeDecimals)
{
    for (auto lookup : {FisherCritical, StudentCritical})
        for (const int64_t n : kLengths)
            for (int row = 0; row < kDependenceRowCount; ++row)
                for (int level = 0; level < kSignificanceLevelCount; ++level) {
                    const double thousandths = lookup(row, level, n) * 1000;
                    ASSERT_NEAR(thousandths, std::round(thousandths), 1e-6);
                }
}

TEST(CriticalTables, WilcoxonLookups)
{
    EXPECT_NEAR(WilcoxonVarianceFactor(0), 2.0450, 5e-5);
    EXPECT_NEAR(WilcoxonVarianceFactor(6), 1.1076, 5e-5);
    EXPECT_DOUBLE_EQ(WilcoxonVarianceFactor(0), std::exp(0.7154));
    EXPECT_EQ(WilcoxonVarianceFactor(7), 1.0);
    EXPECT_EQ(WilcoxonVarianceFactor(8), 0.9);
    EXPECT_EQ(WilcoxonVarianceFactor(17), 0.05);
    EXPECT_EQ(WilcoxonQuantile(0), 3.09);
    EXPECT_EQ(WilcoxonQuantile(3), 1.96);
    EXPECT_EQ(WilcoxonQuantile(7), 0.674);
    EXPECT_THROW(WilcoxonQuantile(8), std::out_of_range);
    EXPECT_THROW(WilcoxonVarianceFactor(18), std::out_of_range);
    EXPECT_THROW(FisherCritical(-1, 0, 10), std::out_of_range);
    EXPECT_THROW(StudentCritical(0, 13, 10), std::out_of_range);
}

TEST(CriticalTables, ItemTexts)
{
    EXPECT_STREQ(DependenceRows[7], "0.0   0.0");
    EXPECT_STREQ(DependenceRows[17], "0.95 0.0");
    EXPECT_STREQ(SignificanceLevels[3], "5");
    EXPECT_STREQ(SignificanceLevels[7], "50F,V; 40t");
    EXPECT_STREQ(SignificanceLevels[12], "99");
}

} // namespace
} // namespace aqualen
