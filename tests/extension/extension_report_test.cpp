#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "extension/extension_report.h"
#include "extension/extension_texts.h"
#include "series/float_fault.h"

namespace aqualen::extension {
namespace {

using Lines = std::vector<std::string>;

YearSeries Series(int firstYear, std::vector<double> values)
{
    return {firstYear, std::move(values)};
}

// 1..count: an analogue that simply counts its years.
std::vector<double> Counting(int count)
{
    std::vector<double> values;
    for (int i = 1; i <= count; ++i)
        values.push_back(i);
    return values;
}

struct Extension {
    ExtensionRefusal refusal = ExtensionRefusal::None;
    ExtensionFigures figures;
};

Extension Extend(const YearSeries& studied, const YearSeries& analogue)
{
    Extension run;
    run.refusal = ComputeExtension(studied, analogue, run.figures);
    return run;
}

// Ten studied years against an analogue counting 1..20: Sxx = Syy = 82.5,
// Sxy = 77.5, so R = k = 31/33, a = 5.5 (1 - 31/33) = 1/3,
// sigma_k = sqrt((1 - R^2) / 8) = 4/33 and k / sigma_k = 31/4.
const std::vector<double> kTenYears{2, 1, 4, 3, 6, 5, 8, 7, 10, 9};

TEST(ExtensionReport, TenYearsByHand)
{
    const Extension run = Extend(Series(1961, kTenYears), Series(1961, Counting(20)));
    ASSERT_EQ(run.refusal, ExtensionRefusal::None);
    const ExtensionFigures& f = run.figures;
    EXPECT_DOUBLE_EQ(f.r, 31.0 / 33);
    EXPECT_DOUBLE_EQ(f.k, 31.0 / 33);
    EXPECT_NEAR(f.a, 1.0 / 3, 1e-15);
    EXPECT_DOUBLE_EQ(f.sigmaK, 4.0 / 33);
    ASSERT_TRUE(f.ratio);
    EXPECT_DOUBLE_EQ(*f.ratio, 7.75);
    // Over N = 20: mean_x,N = 10.5, sigma_x,N^2 = 35; mean_y,N = 5.5 + 5 k.
    EXPECT_DOUBLE_EQ(f.meanYLong, 5.5 + 5 * 31.0 / 33);
    const double k2 = 31.0 * 31 / (33 * 33);
    EXPECT_NEAR(f.sigmaYLong, std::sqrt(82.5 / 9 + k2 * (35 - 82.5 / 9)), 1e-14);
    ASSERT_EQ(f.restored.size(), 10u);
    EXPECT_EQ(f.restored.front().year, 1971);
    EXPECT_EQ(f.restored.front().analogue, 11);
    EXPECT_NEAR(f.restored.front().restored, 352.0 / 33, 1e-13);
    EXPECT_EQ(f.restored.back().year, 1980);

    EXPECT_EQ(ExtensionLines(f, ','), (Lines{
                                          "Общий период:\t1961–1970\t10 лет",
                                          "Длинный период:\t1961–1980\t20 лет",
                                          "Делитель СКО:\tчисло лет − 1",
                                          "R:\t0,939",
                                          "k:\t0,939",
                                          "σk:\t0,121",
                                          "k/σk:\t7,750",
                                          "Уравнение:\ty = 0,333 + 0,939·x",
                                          "Условие n ≥ 10:\tвыполнено",
                                          "Условие R ≥ 0,7:\tвыполнено",
                                          "Условие k/σk ≥ 2:\tвыполнено",
                                          "Среднее (n лет):\t5,500",
                                          "Cv (n лет):\t0,550",
                                          "Среднее (N лет):\t10,197",
                                          "СКО (N лет):\t5,654",
                                          "Cv (N лет):\t0,554",
                                      }));
    const Lines table = RestoredTableLines(f, '.');
    ASSERT_EQ(table.size(), 11u);
    EXPECT_EQ(table[0], "Год\tАналог\tВосстановлено");
    EXPECT_EQ(table[1], "1971\t11.000\t10.667");
    EXPECT_EQ(table[10], "1980\t20.000\t19.121");
}

TEST(ExtensionReport, NineYearsComputeButFailTheFirstCondition)
{
    // The first nine of the ten: Sxx = Sxy = 60, so k = 1 and a = 46/9 - 5.
    const std::vector<double> nine(kTenYears.begin(), kTenYears.begin() + 9);
    const Extension run = Extend(Series(2001, nine), Series(2001, Counting(20)));
    ASSERT_EQ(run.refusal, ExtensionRefusal::None);
    EXPECT_DOUBLE_EQ(run.figures.k, 1);
    EXPECT_NEAR(run.figures.a, 1.0 / 9, 1e-15);
    EXPECT_FALSE(run.figures.yearsMet);
    EXPECT_TRUE(run.figures.rMet);
    EXPECT_TRUE(run.figures.ratioMet);
    const Lines lines = ExtensionLines(run.figures, ',');
    EXPECT_EQ(lines[0], "Общий период:\t2001–2009\t9 лет");
    EXPECT_EQ(lines[8], "Условие n ≥ 10:\tне выполнено");
    EXPECT_EQ(lines.back(), "Условия приведения не выполнены");
    // The figures are all there before the closing line.
    EXPECT_EQ(lines[lines.size() - 2], "Cv (N лет):\t0,566");
}

TEST(ExtensionReport, WeakCorrelationFailsOnRAndTheRatio)
{
    // Sxy = 25.5 against Sxx = 82.5, Syy = 60.1: R = 0.340, k = 17/55.
    const Extension run = Extend(Series(1950, {5, 1, 4, 2, 8, 3, 9, 6, 2, 7}), Series(1950, Counting(20)));
    ASSERT_EQ(run.refusal, ExtensionRefusal::None);
    EXPECT_DOUBLE_EQ(run.figures.k, 17.0 / 55);
    EXPECT_DOUBLE_EQ(run.figures.a, 3);
    const Lines lines = ExtensionLines(run.figures, '.');
    EXPECT_EQ(lines[3], "R:\t0.340");
    EXPECT_EQ(lines[6], "k/σk:\t1.023");
    EXPECT_EQ(lines[7], "Уравнение:\ty = 3.000 + 0.309·x");
    EXPECT_EQ(lines[8], "Условие n ≥ 10:\tвыполнено");
    EXPECT_EQ(lines[9], "Условие R ≥ 0.7:\tне выполнено");
    EXPECT_EQ(lines[10], "Условие k/σk ≥ 2:\tне выполнено");
    EXPECT_EQ(lines.back(), kConditionsNotMetText);
}

TEST(ExtensionReport, ExactLinearFunctionHasNoScatter)
{
    // y = 3 + 2x over twelve years: R = 1 exactly, sigma_k = 0, the ratio
    // infinite, and the restored years lie on the same line.
    std::vector<double> studied;
    for (double x : Counting(12))
        studied.push_back(3 + 2 * x);
    const Extension run = Extend(Series(1990, studied), Series(1990, Counting(30)));
    ASSERT_EQ(run.refusal, ExtensionRefusal::None);
    const ExtensionFigures& f = run.figures;
    EXPECT_EQ(f.r, 1);
    EXPECT_EQ(f.k, 2);
    EXPECT_EQ(f.a, 3);
    EXPECT_EQ(f.sigmaK, 0);
    EXPECT_FALSE(f.ratio);
    EXPECT_TRUE(f.ConditionsMet());
    // sigma_y,N = k sigma_x,N and mean_y,N = 3 + 2 mean_x,N.
    EXPECT_DOUBLE_EQ(f.meanYLong, 3 + 2 * 15.5);
    EXPECT_DOUBLE_EQ(f.sigmaYLong, 2 * f.sigmaXLong);
    for (const RestoredYear& row : f.restored)
        EXPECT_EQ(row.restored, 3 + 2 * row.analogue) << row.year;
    const Lines lines = ExtensionLines(f, ',');
    EXPECT_EQ(lines[5], "σk:\t0,000");
    EXPECT_EQ(lines[6], "k/σk:\t∞");
    EXPECT_EQ(lines[7], "Уравнение:\ty = 3,000 + 2,000·x");
    // sigma_x,N of 1..30 is sqrt(77.5): Cv,N = 2 sqrt(77.5) / 34.
    EXPECT_EQ(lines.back(), "Cv (N лет):\t0,518");
}

TEST(ExtensionReport, NegativeCorrelationIsComputedAndFailsOnR)
{
    // y = 50 - x: R = -1, the ratio minus infinity.
    std::vector<double> studied;
    for (double x : Counting(15))
        studied.push_back(50 - x);
    const Extension run = Extend(Series(1980, studied), Series(1980, Counting(40)));
    ASSERT_EQ(run.refusal, ExtensionRefusal::None);
    EXPECT_EQ(run.figures.r, -1);
    EXPECT_FALSE(run.figures.rMet);
    EXPECT_FALSE(run.figures.ratioMet);
    const Lines lines = ExtensionLines(run.figures, ',');
    EXPECT_EQ(lines[3], "R:\t-1,000");
    EXPECT_EQ(lines[6], "k/σk:\t-∞");
    EXPECT_EQ(lines[7], "Уравнение:\ty = 50,000 + -1,000·x");
    EXPECT_EQ(lines[9], "Условие R ≥ 0,7:\tне выполнено");
    EXPECT_EQ(lines.back(), kConditionsNotMetText);
}

TEST(ExtensionReport, RefusalsStopWithTheFiguresKnownBefore)
{
    const std::vector<double> ten = kTenYears;
    struct Case {
        const char* what;
        YearSeries studied;
        YearSeries analogue;
        ExtensionRefusal refusal;
        ExtensionStep reached;
    };
    const std::vector<Case> cases{
        {"no common years", Series(1900, ten), Series(1950, Counting(40)), ExtensionRefusal::NoCommonYears,
         ExtensionStep::None},
        {"two common years", Series(1900, ten), Series(1908, Counting(40)), ExtensionRefusal::TooFewCommonYears,
         ExtensionStep::None},
        {"studied longer than the analogue", Series(1950, Counting(30)), Series(1955, Counting(20)),
         ExtensionRefusal::AnalogueShorter, ExtensionStep::None},
        {"constant analogue over the common years", Series(1950, ten),
         Series(1950, {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 1, 2, 3}), ExtensionRefusal::ConstantAnalogue,
         ExtensionStep::Periods},
        {"constant studied series", Series(1950, std::vector<double>(10, 0.1)), Series(1950, Counting(20)),
         ExtensionRefusal::ConstantStudied, ExtensionStep::Periods},
    };
    for (const Case& c : cases) {
        const Extension run = Extend(c.studied, c.analogue);
        EXPECT_EQ(run.refusal, c.refusal) << c.what;
        EXPECT_EQ(run.figures.reached, c.reached) << c.what;
        EXPECT_STRNE(RefusalText(c.refusal), "") << c.what;
    }
    // The periods still show above the refusal of a constant series.
    const Extension constant = Extend(Series(1950, std::vector<double>(10, 0.1)), Series(1950, Counting(20)));
    EXPECT_EQ(ExtensionLines(constant.figures, ','),
              (Lines{"Общий период:\t1950–1959\t10 лет", "Длинный период:\t1950–1969\t20 лет",
                     "Делитель СКО:\tчисло лет − 1"}));
}

TEST(ExtensionReport, ThreeCommonYearsAreComputed)
{
    const Extension run = Extend(Series(2000, {2, 1, 4}), Series(1990, Counting(13)));
    ASSERT_EQ(run.refusal, ExtensionRefusal::None);
    EXPECT_EQ(run.figures.CommonYears(), 3);
    EXPECT_FALSE(run.figures.yearsMet);
    EXPECT_EQ(run.figures.restored.size(), 10u);
    EXPECT_EQ(ExtensionLines(run.figures, ',').back(), kConditionsNotMetText);
}

TEST(ExtensionReport, StudiedYearsBeforeTheAnalogueAreNamedAndKept)
{
    // Studied 1995-2004, analogue 2000-2019: five studied years have no
    // analogue; the regression runs over 2000-2004.
    const Extension run = Extend(Series(1995, {9, 8, 7, 6, 5, 2, 1, 4, 3, 5}), Series(2000, Counting(20)));
    ASSERT_EQ(run.refusal, ExtensionRefusal::None);
    EXPECT_EQ(run.figures.common, (YearSpan{2000, 2004}));
    EXPECT_EQ(run.figures.outside, (YearSpan{1995, 1999}));
    const Lines lines = ExtensionLines(run.figures, ',');
    EXPECT_EQ(lines[2], "Исследуемый ряд вне аналога:\t1995–1999\t5 лет");
    EXPECT_EQ(lines[4], "R:\t0,800");

    // The extended series: the observed years as they were, then y = a + k x.
    const YearSeries extended = ExtendedSeries(Series(1995, {9, 8, 7, 6, 5, 2, 1, 4, 3, 5}), run.figures);
    EXPECT_EQ(extended.firstYear, 1995);
    ASSERT_EQ(extended.values.size(), 25u);
    EXPECT_EQ(extended.values[0], 9);
    EXPECT_EQ(extended.values[9], 5);
    EXPECT_NEAR(extended.values[10], 0.6 + 0.8 * 6, 1e-12);
    EXPECT_NEAR(extended.values[24], 0.6 + 0.8 * 20, 1e-12);
}

TEST(ExtensionReport, RestoredYearsOnBothSides)
{
    // The analogue 1950-1979 around the studied 1960-1969.
    const Extension run = Extend(Series(1960, kTenYears), Series(1950, Counting(30)));
    ASSERT_EQ(run.refusal, ExtensionRefusal::None);
    ASSERT_EQ(run.figures.restored.size(), 20u);
    EXPECT_EQ(run.figures.restored[9].year, 1959);
    EXPECT_EQ(run.figures.restored[10].year, 1970);
    const YearSeries extended = ExtendedSeries(Series(1960, kTenYears), run.figures);
    EXPECT_EQ(extended.firstYear, 1950);
    ASSERT_EQ(extended.values.size(), 30u);
    EXPECT_EQ(extended.values[10], 2);
    EXPECT_EQ(extended.values[19], 9);
    EXPECT_EQ(extended.values[20], run.figures.restored[10].restored);
}

TEST(ExtensionReport, ZeroMeanFaultsAfterTheConditions)
{
    // The studied mean is zero: Cv is a division by zero. The figures up to
    // the conditions stand, and so do their lines.
    ExtensionFigures figures;
    EXPECT_THROW(
        ComputeExtension(Series(1950, {-2, -1, 0, 1, 2, -1, 1, 0, 3, -3}), Series(1950, Counting(20)), figures),
        FloatFault);
    EXPECT_EQ(figures.reached, ExtensionStep::Conditions);
    const Lines lines = ExtensionLines(figures, ',');
    EXPECT_EQ(lines.back(), "Условие k/σk ≥ 2:\t" + std::string(figures.ratioMet ? "выполнено" : "не выполнено"));
}

TEST(ExtensionReport, SameYearsRestoreNothing)
{
    const Extension run = Extend(Series(1950, kTenYears), Series(1950, Counting(10)));
    ASSERT_EQ(run.refusal, ExtensionRefusal::None);
    EXPECT_TRUE(run.figures.restored.empty());
    EXPECT_DOUBLE_EQ(run.figures.meanYLong, run.figures.meanY);
    EXPECT_DOUBLE_EQ(run.figures.sigmaYLong, run.figures.sigmaY);
    EXPECT_EQ(RestoredTableLines(run.figures, ','), Lines{kRestoredHeader});
}

} // namespace
} // namespace aqualen::extension
