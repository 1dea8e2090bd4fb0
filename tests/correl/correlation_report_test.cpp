#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "correl/correlation_report.h"
#include "series/float_fault.h"

namespace aqualen {
namespace {

using Lines = std::vector<std::string>;

// Report values after their labels, tabs and "±" kept.
Lines Expected(const std::string& n, const std::string& r, const std::string& sigmaR, const std::string& twice,
               const std::string& thrice, const std::string& probable, const std::string& sigmaB)
{
    return {"Длина:\t" + n,
            "R:\t" + r,
            "",
            "Ср. Кв. Ошибка R:\t\t±" + sigmaR,
            "Ср. Кв. Ошибка R X 2:\t±" + twice,
            "Ср. Кв. Ошибка R X 3:\t±" + thrice,
            "Вероятная ошибка R:\t±" + probable,
            "",
            "СКО коэффициента регрессии:\t" + sigmaB};
}

CorrelationOutcome Correlate(const Lines& studied, const Lines& analogue, char separator = ',')
{
    return CorrelationReport(studied, analogue, separator);
}

TEST(CorrelationReport, PerfectCorrelationHasZeroErrors)
{
    const CorrelationOutcome out = Correlate({"1", "2", "3", "4"}, {"2", "4", "6", "8"});
    ASSERT_EQ(out.kind, ReportOutcome::Report);
    EXPECT_EQ(out.lines, Expected("4", "1,000", "0,000", "0,000", "0,000", "0,000", "0"));
    ASSERT_EQ(out.points.size(), 4u);
    EXPECT_EQ(out.points[3].x, 4);
    EXPECT_EQ(out.points[3].y, 8);
}

TEST(CorrelationReport, WorkedExamplesInBothSeparators)
{
    EXPECT_EQ(Correlate({"1", "2", "3", "4", "5"}, {"2", "1", "4", "3", "5"}).lines,
              Expected("5", "0,800", "0,161", "0,322", "0,483", "0,108", "0,161"));
    EXPECT_EQ(Correlate({"1", "2", "3", "4", "5"}, {"2", "1", "4", "3", "5"}, '.').lines,
              Expected("5", "0.800", "0.161", "0.322", "0.483", "0.108", "0.161"));
    // A strong negative r still takes the sqrt(n - 1) form.
    EXPECT_EQ(Correlate({"1", "2", "3", "4", "5", "6"}, {"6", "5", "4", "3", "2", "2"}).lines,
              Expected("6", "-0,982", "0,016", "0,032", "0,048", "0,011", "0,017"));
}

TEST(CorrelationReport, ThresholdOfPointSix)
{
    // r is exactly 0.6 here: sqrt(n) form, (1 - 0.36) / sqrt(5).
    const Lines x{"1", "2", "3", "4", "5"};
    const Lines y{"3", "2", "1", "4", "5"};
    TDoubleList xs, ys;
    for (int i = 1; i <= 5; ++i)
        xs.Add(i);
    for (const double v : {3, 2, 1, 4, 5})
        ys.Add(v);
    ASSERT_EQ(ComputeCorrelation(xs, ys).r, 0.6);
    EXPECT_EQ(Correlate(x, y).lines, Expected("5", "0,600", "0,286", "0,572", "0,859", "0,192", "0,286"));

    // r = 0.59963 prints as 0,600 but takes the sqrt(n - 1) form.
    EXPECT_EQ(Correlate({"1", "2", "3", "4", "5", "6", "7"}, {"4", "5", "7", "9", "8", "5", "9"}).lines,
              Expected("7", "0,600", "0,261", "0,523", "0,784", "0,175", "0,254"));

    EXPECT_DOUBLE_EQ(CorrelationSigmaR(-0.9, 10), 0.19 / 3);
    EXPECT_DOUBLE_EQ(CorrelationSigmaR(0.6, 16), 0.64 / 4);
    EXPECT_DOUBLE_EQ(CorrelationSigmaR(0.5999, 17), (1 - 0.5999 * 0.5999) / 4);
}

TEST(CorrelationReport, RunoffSeriesAroundThirtyValues)
{
    const Lines x{"138,3", "107,2", "197,2", "93,0",  "176,5", "145,8", "90,4",  "171,3", "86,7",  "158,1",
                  "92,6",  "96,3",  "156,4", "228,8", "102,3", "120,2", "192,9", "250,6", "183,9", "151,4",
                  "255,7", "88,4",  "234,5", "132,1", "106,0", "101,2", "135,5", "226,9", "112,5", "184,7"};
    const Lines y{"106,9", "69,7", "181,3", "90,3",  "120,7", "122,6", "74,3",  "167,1", "87,7",  "109,5",
                  "112,5", "46,5", "118,6", "203,6", "54,0",  "95,3",  "117,5", "213,9", "168,3", "127,0",
                  "234,6", "55,8", "203,2", "113,2", "91,2",  "77,5",  "135,6", "217,1", "87,9",  "160,9"};
    const Lines x29(x.begin(), x.end() - 1);
    const Lines y29(y.begin(), y.end() - 1);
    EXPECT_EQ(Correlate(x29, y29).lines, Expected("29", "0,932", "0,024", "0,049", "0,073", "0,016", "0,024"));
    EXPECT_EQ(Correlate(x, y).lines, Expected("30", "0,933", "0,024", "0,047", "0,071", "0,016", "0,024"));

    const Lines negative{"308,0", "336,1", "230,2", "429,9", "261,4", "309,3", "387,5", "356,1", "354,3", "320,0"};
    EXPECT_EQ(Correlate(Lines(x.begin(), x.begin() + 10), negative).lines,
              Expected("10", "-0,801", "0,119", "0,239", "0,358", "0,080", "0,078"));
}

TEST(CorrelationDeviation, DivisorSwitchesAtThirtyValues)
{
    // Values alternating 0 and 2 around the mean 1 (even count): each squared
    // deviation is 1, so the deviation is sqrt(n / d).
    const auto series = [](int n) {
        TDoubleList list;
        for (int i = 0; i < n; ++i)
            list.Add(i % 2 == 0 ? 0 : 2);
        return list;
    };
    EXPECT_NEAR(CorrelationDeviation(series(28)), std::sqrt(28.0 / 27), 1e-15);
    EXPECT_NEAR(CorrelationDeviation(series(30)), 1.0, 1e-15);
    // n = 29: mean 28/29, divisor 28.
    const double mean = 28.0 / 29;
    const double expected = std::sqrt((15 * mean * mean + 14 * (2 - mean) * (2 - mean)) / 28);
    EXPECT_NEAR(CorrelationDeviation(series(29)), expected, 1e-15);
}

TEST(CorrelationReport, RejectionsInTheirOrder)
{
    EXPECT_EQ(Correlate({"1", "2"}, {"1", "2"}).kind, ReportOutcome::TooShort);
    EXPECT_EQ(Correlate({"1", "2", "3"}, {"1", "2"}).kind, ReportOutcome::TooShort);
    // Too short wins over different lengths and over unreadable lines.
    EXPECT_EQ(Correlate({"x", "y"}, {"1", "2", "3", "4"}).kind, ReportOutcome::TooShort);
    // Different lengths are found before any line is read.
    const CorrelationOutcome lengths = Correlate({"a", "2", "3"}, {"1", "2", "3", "4"});
    EXPECT_EQ(lengths.kind, ReportOutcome::DifferentLengths);
    EXPECT_TRUE(lengths.points.empty());
    EXPECT_TRUE(lengths.lines.empty());
}

TEST(CorrelationReport, InvalidLineKeepsThePairsBeforeIt)
{
    std::vector<CorrelationPoint> seen;
    const CorrelationOutcome out = CorrelationReport({"1", "2", "3", "4", "5", "6"}, {"2", "4", "6", "8", "abc", "12"},
                                                     ',', [&](const CorrelationPoint& p) { seen.push_back(p); });
    EXPECT_EQ(out.kind, ReportOutcome::InvalidInput);
    ASSERT_EQ(out.points.size(), 4u);
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_TRUE(out.lines.empty());

    // A bad studied line stops before its pair; a period in a comma locale,
    // an empty line and a trailing blank line count as unreadable.
    EXPECT_EQ(Correlate({"1", "2,5", "2.5", "4"}, {"1", "2", "3", "4"}).points.size(), 2u);
    EXPECT_EQ(Correlate({"1", "", "3"}, {"1", "2", "3"}).kind, ReportOutcome::InvalidInput);
    EXPECT_EQ(Correlate(SplitLines("1\n2\n3\n\n"), SplitLines("1\n2\n3\n4")).kind, ReportOutcome::InvalidInput);
    // One final line break is not a line.
    EXPECT_EQ(Correlate(SplitLines("1\n2\n4\n"), SplitLines("1\n3\n2")).kind, ReportOutcome::Report);
}

TEST(CorrelationReport, ConstantSeriesFaultsAfterAllPairsAreSeen)
{
    int seen = 0;
    const auto count = [&](const CorrelationPoint&) { ++seen; };
    try {
        CorrelationReport({"5", "5", "5", "5"}, {"1", "2", "3", "4"}, ',', count);
        FAIL() << "a constant series must fault";
    } catch (const FloatFault& fault) {
        EXPECT_STREQ(fault.what(), "Invalid floating point operation");
    }
    EXPECT_EQ(seen, 4);
    EXPECT_THROW(Correlate({"1", "2", "3"}, {"7", "7", "7"}), FloatFault);
    // Sums beyond the double range overflow rather than print "INF".
    EXPECT_THROW(Correlate({"1e308", "1,5e308", "-1e308"}, {"1", "2", "3"}), FloatFault);
}

TEST(CorrelationReport, EqualValuesWithARoundedSumStillFault)
{
    // Ten times 0.1 does not sum to 1 in doubles; the analogue is constant
    // all the same, and R is 0/0 rather than a report of R = 0.
    const Lines studied{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    const Lines analogue(10, "0,1");
    try {
        Correlate(studied, analogue);
        FAIL() << "a constant analogue must fault";
    } catch (const FloatFault& fault) {
        EXPECT_STREQ(fault.what(), "Invalid floating point operation");
    }
    EXPECT_THROW(Correlate(Lines(7, "0,7"), {"1", "2", "3", "4", "5", "6", "8"}), FloatFault);
}

TEST(CorrelationReport, LongSeriesKeepTheirFullLength)
{
    // 70,000 pairs: more than a 16-bit count holds.
    Lines x, y;
    for (int i = 0; i < 70000; ++i) {
        x.push_back(std::to_string(i));
        y.push_back(std::to_string(i % 7 + i));
    }
    const CorrelationOutcome out = Correlate(x, y);
    ASSERT_EQ(out.kind, ReportOutcome::Report);
    EXPECT_EQ(out.lines[0], "Длина:\t70000");
    EXPECT_EQ(out.lines[1], "R:\t1,000");
    EXPECT_EQ(out.points.size(), 70000u);
}

} // namespace
} // namespace aqualen
