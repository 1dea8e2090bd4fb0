#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "homog/homogeneity_report.h"
#include "series/float_fault.h"
#include "series/number_text.h"
#include "series/numeric_routines.h"

namespace aqualen {
namespace {

using Lines = std::vector<std::string>;

const std::string kFisherYes = "Ряды однородны по критерию Фишера\t\"Да\"";
const std::string kFisherNo = "Ряды не однородны по критерию Фишера\t\"Нет\"";
const std::string kStudentYes = "Ряды однородны по критерию Стьюдента\t\"Да\"";
const std::string kStudentNo = "Ряды не однородны по критерию Стьюдента\t\"Нет\"";
const std::string kWilcoxonYes = "Ряды однородны по критерию Вилькоксона\t\"Да\"";
const std::string kWilcoxonNo = "Ряды не однородны по критерию Вилькоксона\t\"Нет\"";

struct Outcome {
    ReportOutcome outcome;
    CollectingReportSink sink;
};

Outcome Homog(const Lines& first, const Lines& second, int row = 7, int level = 3, char separator = '.')
{
    Outcome run{};
    run.outcome = HomogeneityReport(first, second, row, level, separator, run.sink);
    return run;
}

Lines Sequence(int count, int start, int step)
{
    Lines lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(std::to_string(start + i * step));
    return lines;
}

Lines Repeat(int count, const std::string& line)
{
    return Lines(static_cast<size_t>(count), line);
}

TEST(HomogeneityReport, SpreadAndShiftedSeries)
{
    const Outcome run = Homog(Sequence(10, 1, 1), Sequence(10, 2, 2));
    ASSERT_EQ(run.outcome, ReportOutcome::Report);
    const Lines expected = {"Длины рядов:\tN1 = 10\tN2 = 10",
                            "F = 4",
                            "Fa = 4.03",
                            kFisherYes,
                            "",
                            "t = 2.437",
                            "ta = 2.101",
                            kStudentNo,
                            "",
                            "U = 78",
                            "U1 = 24.072\tU2 = 75.928",
                            kWilcoxonNo};
    EXPECT_EQ(run.sink.lines, expected);
    EXPECT_EQ(run.sink.points1, std::vector<double>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(run.sink.points2.size(), 10u);
    EXPECT_EQ(run.sink.points2.back(), 20);
}

TEST(HomogeneityReport, InterleavedSeriesAreHomogeneous)
{
    const Outcome run = Homog(Sequence(10, 1, 2), Sequence(10, 2, 2));
    const Lines expected = {"Длины рядов:\tN1 = 10\tN2 = 10",
                            "F = 1",
                            "Fa = 4.03",
                            kFisherYes,
                            "",
                            "t = 0.35",
                            "ta = 2.101",
                            kStudentYes,
                            "",
                            "U = 55",
                            "U1 = 24.072\tU2 = 75.928",
                            kWilcoxonYes};
    EXPECT_EQ(run.sink.lines, expected);
}

// Equal values are never exchanged, so all the 5s of series 1 stay ahead of
// those of series 2 and every pair counts.
TEST(HomogeneityReport, TiesFollowTheExchangeSort)
{
    Lines first = Repeat(9, "5");
    first.push_back("6");
    Lines second = Repeat(9, "5");
    second.push_back("4");
    const Outcome run = Homog(first, second);
    const Lines expected = {"Длины рядов:\tN1 = 10\tN2 = 10",
                            "F = 1",
                            "Fa = 4.03",
                            kFisherYes,
                            "",
                            "t = 1.342",
                            "ta = 2.101",
                            kStudentYes,
                            "",
                            "U = 100",
                            "U1 = 24.072\tU2 = 75.928",
                            kWilcoxonNo};
    EXPECT_EQ(run.sink.lines, expected);
}

TEST(HomogeneityReport, WilcoxonOnlyUpToLevelSeven)
{
    const Outcome high = Homog(Sequence(10, 1, 1), Sequence(10, 2, 2), 7, 8);
    ASSERT_EQ(high.sink.lines.size(), 9u);
    EXPECT_EQ(high.sink.lines[2], "Fa = 1.3");
    EXPECT_EQ(high.sink.lines[6], "ta = 0.39");
    EXPECT_EQ(high.sink.lines[8], "");
    EXPECT_EQ(Homog(Sequence(10, 1, 1), Sequence(10, 2, 2), 7, 12).sink.lines.size(), 9u);

    const Outcome seven = Homog(Sequence(10, 1, 1), Sequence(10, 2, 2), 0, 7);
    ASSERT_EQ(seven.sink.lines.size(), 12u);
    // delta = sqrt(e^0.7154 * 175) * 0.674
    EXPECT_EQ(seven.sink.lines[10], "U1 = 37.25\tU2 = 62.75");
}

TEST(HomogeneityReport, TooShortSendsNothing)
{
    for (const auto& [a, b] : {std::pair{9, 9}, std::pair{2, 20}, std::pair{20, 2}, std::pair{0, 0}}) {
        const Outcome run = Homog(Sequence(a, 1, 1), Sequence(b, 1, 3));
        EXPECT_EQ(run.outcome, ReportOutcome::TooShort) << a << " " << b;
        EXPECT_TRUE(run.sink.lines.empty());
        EXPECT_TRUE(run.sink.points1.empty());
    }
}

TEST(HomogeneityReport, ShortSeriesBesideTenUsesTheLongerLength)
{
    const Outcome run = Homog({"1", "5", "3"}, Sequence(10, 1, 1));
    ASSERT_EQ(run.outcome, ReportOutcome::Report);
    EXPECT_EQ(run.sink.lines[0], "Длины рядов:\tN1 = 3\tN2 = 10");
    EXPECT_EQ(run.sink.lines[2], "Fa = 4.03");
    EXPECT_EQ(run.sink.lines[6], "ta = 2.101");
}

TEST(HomogeneityReport, CriticalValuesInterpolatedBetweenTenAndTwentyFive)
{
    const Outcome run = Homog(Sequence(12, 1, 1), Sequence(10, 2, 2));
    EXPECT_EQ(run.sink.lines[0], "Длины рядов:\tN1 = 12\tN2 = 10");
    EXPECT_EQ(run.sink.lines[2], "Fa = 3.795");
    EXPECT_EQ(run.sink.lines[6], "ta = 2.089");
}

TEST(HomogeneityReport, UnreadableLineStopsAfterTheLengthsLine)
{
    Lines second = Sequence(10, 2, 2);
    second[2] = "abc";
    const Outcome run = Homog(Sequence(10, 1, 1), second);
    EXPECT_EQ(run.outcome, ReportOutcome::InvalidInput);
    EXPECT_EQ(run.sink.lines, Lines({"Длины рядов:\tN1 = 10\tN2 = 10"}));
    EXPECT_EQ(run.sink.points1.size(), 10u);
    EXPECT_EQ(run.sink.points2, std::vector<double>({2, 4}));

    Lines first = Sequence(10, 1, 1);
    first[4] = "";
    const Outcome blank = Homog(first, Sequence(10, 2, 2));
    EXPECT_EQ(blank.outcome, ReportOutcome::InvalidInput);
    EXPECT_EQ(blank.sink.points1.size(), 4u);
    EXPECT_TRUE(blank.sink.points2.empty());
}

TEST(HomogeneityReport, DecimalSeparatorOfTheCaller)
{
    const Lines first = {"1,5", "2,5", "3,5", "4,5", "5,5", "6,5", "7,5", "8,5", "9,5", "10,5"};
    const Outcome run = Homog(first, Sequence(10, 2, 2), 7, 3, ',');
    ASSERT_EQ(run.outcome, ReportOutcome::Report);
    EXPECT_EQ(run.sink.lines[2], "Fa = 4,03");
    EXPECT_EQ(run.sink.lines[6], "ta = 2,101");
    EXPECT_EQ(run.sink.lines[10], "U1 = 24,072\tU2 = 75,928");
    EXPECT_EQ(Homog(first, Sequence(10, 2, 2), 7, 3, '.').outcome, ReportOutcome::InvalidInput);
}

// A constant series has no variance: the ratio divides by zero, the lengths
// line stays and every point was already sent.
TEST(HomogeneityReport, ConstantSeriesFault)
{
    CollectingReportSink sink;
    try {
        HomogeneityReport(Repeat(10, "3"), Sequence(10, 1, 1), 7, 3, '.', sink);
        FAIL() << "no fault";
    } catch (const FloatFault& fault) {
        EXPECT_STREQ(fault.what(), "Floating point division by zero");
    }
    EXPECT_EQ(sink.lines, Lines({"Длины рядов:\tN1 = 10\tN2 = 10"}));
    EXPECT_EQ(sink.points2.size(), 10u);

    CollectingReportSink both;
    try {
        HomogeneityReport(Repeat(10, "3"), Repeat(12, "4"), 7, 3, '.', both);
        FAIL() << "no fault";
    } catch (const FloatFault& fault) {
        EXPECT_STREQ(fault.what(), "Invalid floating point operation");
    }
    EXPECT_EQ(both.lines.size(), 1u);
}

TEST(HomogeneityReport, EqualValuesWithARoundedSumHaveNoVariance)
{
    // 0.1 ten times: the rounded sum must not lend the series a variance of
    // 1e-35 and an F of 1e34; the ratio divides by zero as for "3".
    CollectingReportSink sink;
    try {
        HomogeneityReport(Sequence(12, 11, 1), Repeat(10, "0.1"), 7, 3, '.', sink);
        FAIL() << "no fault";
    } catch (const FloatFault& fault) {
        EXPECT_STREQ(fault.what(), "Floating point division by zero");
    }
    EXPECT_EQ(sink.lines, Lines({"Длины рядов:\tN1 = 12\tN2 = 10"}));

    CollectingReportSink both;
    EXPECT_THROW(HomogeneityReport(Repeat(10, "0.7"), Repeat(11, "0.1"), 7, 3, '.', both), FloatFault);
    EXPECT_EQ(both.lines.size(), 1u);
}

TEST(HomogeneityReport, DivisorChangesAtThirtyValues)
{
    // 1..29 has a sum of squares 2030 over 28, 1..30 has 2247.5 over 30.
    const Outcome run = Homog(Sequence(29, 1, 1), Sequence(30, 1, 1), 7, 8);
    EXPECT_EQ(run.sink.lines[1], "F = 1.033");
}

TEST(HomogeneityReport, LengthsAboveOneHundredHaveNoCriticalValues)
{
    const Outcome shifted = Homog(Sequence(101, 1, 1), Sequence(101, 2, 1), 7, 8);
    EXPECT_EQ(shifted.sink.lines[0], "Длины рядов:\tN1 = 101\tN2 = 101");
    EXPECT_EQ(shifted.sink.lines[2], "Fa = 0");
    EXPECT_EQ(shifted.sink.lines[3], kFisherNo);
    EXPECT_EQ(shifted.sink.lines[6], "ta = 0");
    EXPECT_EQ(shifted.sink.lines[7], kStudentNo);

    Lines reversed = Sequence(101, 1, 1);
    std::reverse(reversed.begin(), reversed.end());
    const Outcome same = Homog(Sequence(101, 1, 1), reversed, 7, 8);
    EXPECT_EQ(same.sink.lines[5], "t = 0");
    EXPECT_EQ(same.sink.lines[7], kStudentYes);
}

// Lengths are whole counts: a pane beyond 65535 lines is not wrapped.
TEST(HomogeneityReport, LengthsAreNotTruncated)
{
    Lines first;
    // Wrapped to 16 bits, 65546 would read as 10 and take tabulated values.
    for (int i = 0; i < 65546; ++i)
        first.push_back(std::to_string(i % 97));
    const Outcome run = Homog(first, Sequence(10, 1, 1), 7, 8);
    ASSERT_EQ(run.outcome, ReportOutcome::Report);
    EXPECT_EQ(run.sink.lines[0], "Длины рядов:\tN1 = 65546\tN2 = 10");
    EXPECT_EQ(run.sink.lines[2], "Fa = 0");
    EXPECT_EQ(run.sink.points1.size(), 65546u);
}

// N1 N2 (N1 + N2 - 2) leaves the 32-bit range beyond about 1024 values each;
// t must still be the value of the formula.
TEST(HomogeneityReport, StudentFactorOfLongSeries)
{
    for (const int length : {1100, 2000}) {
        Lines first, second;
        std::vector<double> x, y;
        for (int i = 0; i < length; ++i) {
            x.push_back(i % 7);
            y.push_back(i % 5 + 0.05);
            first.push_back(FormatGeneral(x.back(), '.'));
            second.push_back(FormatGeneral(y.back(), '.'));
        }
        auto mean = [](const std::vector<double>& v) {
            double s = 0;
            for (double e : v)
                s += e;
            return s / v.size();
        };
        auto variance = [](const std::vector<double>& v, double m) {
            double s = 0;
            for (double e : v)
                s += (e - m) * (e - m) / v.size();
            return s;
        };
        const double m1 = mean(x), m2 = mean(y);
        const double n = length;
        const double t = std::fabs(m1 - m2) / std::sqrt(n * variance(x, m1) + n * variance(y, m2)) *
                         std::sqrt(n * n * (2 * n - 2) / (2 * n));
        const Outcome run = Homog(first, second, 7, 8);
        EXPECT_EQ(run.sink.lines[5], "t = " + FormatGeneral(RoundDigits(t, 3), '.')) << length;
        EXPECT_GT(t, 1.0);
    }
}

// U against a plain Mann-Whitney count on data without ties: the series that
// holds the largest value is L, and each of its values counts every smaller
// value of the other series.
TEST(HomogeneityReport, UMatchesMannWhitneyCountWithoutTies)
{
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> value(-1000.0, 1000.0);
    std::uniform_int_distribution<int> length(1, 80);
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<double> a(length(random)), b(length(random));
        for (double& v : a)
            v = value(random);
        for (double& v : b)
            v = value(random);
        const double top = std::max(*std::max_element(a.begin(), a.end()), *std::max_element(b.begin(), b.end()));
        const bool leaderIsA = std::find(a.begin(), a.end(), top) != a.end();
        const std::vector<double>& lead = leaderIsA ? a : b;
        const std::vector<double>& other = leaderIsA ? b : a;
        int64_t count = 0;
        for (double l : lead)
            for (double o : other)
                count += l > o ? 1 : 0;
        ASSERT_EQ(WilcoxonU(a, b), count) << a.size() << " + " << b.size();
    }
}

// U as the window always counted it: both series pooled, exchange-sorted
// largest first with their labels, the series on top leading.
int64_t ReferenceU(const std::vector<double>& first, const std::vector<double>& second)
{
    std::vector<double> values(first);
    values.insert(values.end(), second.begin(), second.end());
    std::vector<int> labels(first.size(), 1);
    labels.insert(labels.end(), second.size(), 2);
    for (size_t i = 0; i < values.size(); ++i) {
        double current = values[i];
        for (size_t j = i; j < values.size(); ++j) {
            if (values[j] > current) {
                std::swap(values[i], values[j]);
                std::swap(labels[i], labels[j]);
                current = values[i];
            }
        }
    }
    int64_t leaders = 0;
    int64_t u = 0;
    for (const int label : labels) {
        if (label == labels.front())
            ++leaders;
        else
            u += leaders;
    }
    return labels.empty() ? 0 : u;
}

// Heavy ties decide U through the order the ties are left in: values from a
// handful of levels, unequal lengths, each pair in both orders.
TEST(HomogeneityReport, UWithHeavyTiesMatchesTheExchangeSort)
{
    std::mt19937 random(20240615);
    std::uniform_int_distribution<int> length(1, 300);
    std::uniform_int_distribution<int> levelCount(1, 10);
    for (int trial = 0; trial < 1500; ++trial) {
        std::uniform_int_distribution<int> level(0, levelCount(random) - 1);
        std::vector<double> a(static_cast<size_t>(length(random)));
        std::vector<double> b(static_cast<size_t>(length(random)));
        for (double& v : a)
            v = level(random);
        for (double& v : b)
            v = level(random);
        ASSERT_EQ(WilcoxonU(a, b), ReferenceU(a, b)) << testing::PrintToString(a) << testing::PrintToString(b);
        ASSERT_EQ(WilcoxonU(b, a), ReferenceU(b, a)) << testing::PrintToString(a) << testing::PrintToString(b);
    }
}

TEST(HomogeneityReport, RowAndLevelOutOfRange)
{
    EXPECT_THROW(Homog(Sequence(10, 1, 1), Sequence(10, 2, 2), 18, 3), std::out_of_range);
    EXPECT_THROW(Homog(Sequence(10, 1, 1), Sequence(10, 2, 2), 7, -1), std::out_of_range);
}

} // namespace
} // namespace aqualen
