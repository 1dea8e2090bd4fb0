#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "series/float_fault.h"
#include "series/series_lines.h"
#include "stats/statistics_report.h"

namespace aqualen {
namespace {

TDoubleList ListOf(const std::vector<double>& values)
{
    TDoubleList list;
    for (const double v : values)
        list.Add(v);
    return list;
}

std::vector<std::string> Report(const std::vector<double>& values, int r1Index, char separator)
{
    CollectingReportSink sink;
    StatisticsReport(ListOf(values), RegionalR1At(r1Index), separator, sink);
    return sink.lines;
}

// The lines written before a fault, and the fault's text.
struct FaultedReport {
    std::vector<std::string> lines;
    std::string fault;
};

FaultedReport ReportUntilFault(const std::vector<double>& values)
{
    FaultedReport result;
    CollectingReportSink sink;
    try {
        StatisticsReport(ListOf(values), RegionalR1At(0), ',', sink);
    } catch (const FloatFault& fault) {
        result.fault = fault.what();
    }
    result.lines = sink.lines;
    return result;
}

const std::vector<double> kRunoff{100, 120, 80, 150, 110, 90, 140, 130, 100, 120};
const std::vector<double> kSkewed{12, 15, 9, 30, 11, 14, 10, 8, 25, 13};

TEST(StatisticsReport, RunoffSeriesWithR1ZeroInCommaLocale)
{
    const std::vector<std::string> expected{
        "Длина ряда:\t10",
        "Среднее значение:\t114,000",
        "СКО:\t22,211",
        "^Cv:\t0,195",
        "^Cs:\t0,128",
        "r(1):\t-0,479",
        "Cs/Cv: \t0,7",
        "",
        "----- При: Cs/Cv = 2; r(1) = 0 -----",
        "",
        "ai:\t0\t0,19\t0,99\t-0,88\t0,01\t1,54",
        "",
        "bi:\t0,03\t2\t0,92\t-5,09\t0,03\t8,1",
        "",
        "Cv:\t0,201",
        "Cs:\t0,296",
        "Cs/Cv: \t1,5",
    };
    EXPECT_EQ(Report(kRunoff, 0, ','), expected);
}

TEST(StatisticsReport, RunoffSeriesWithR1PointThreeInPeriodLocale)
{
    const std::vector<std::string> expected{
        "Длина ряда:\t10",
        "Среднее значение:\t114.000",
        "СКО:\t22.211",
        "^Cv:\t0.195",
        "^Cs:\t0.128",
        "r(1):\t-0.479",
        "Cs/Cv: \t0.7",
        "",
        "----- При: Cs/Cv = 2; r(1) = 0.3 -----",
        "",
        "ai:\t0\t0.22\t0.99\t-0.41\t0.01\t1.51",
        "",
        "bi:\t0.03\t1.77\t0.93\t-3.45\t0.03\t8.03",
        "",
        "Cv:\t0.213",
        "Cs:\t0.295",
        "Cs/Cv: \t1.4",
    };
    EXPECT_EQ(Report(kRunoff, 1, '.'), expected);
}

TEST(StatisticsReport, SkewedSeriesPicksColumnThree)
{
    const std::vector<std::string> expected{
        "Длина ряда:\t10",
        "Среднее значение:\t14,700",
        "СКО:\t7,181",
        "^Cv:\t0,489",
        "^Cs:\t1,504",
        "r(1):\t-0,428",
        "Cs/Cv: \t3,1",
        "",
        "----- При: Cs/Cv = 3; r(1) = 0,5 -----",
        "",
        "ai:\t0\t1,75\t1\t-11,79\t-0,05\t21,13",
        "",
        "bi:\t0,03\t1,63\t0,92\t-0,97\t0,03\t7,94",
        "",
        "Cv:\t0,580",
        "Cs:\t3,294",
        "Cs/Cv: \t5,7",
    };
    EXPECT_EQ(Report(kSkewed, 2, ','), expected);
    std::vector<std::string> period = expected;
    for (std::string& line : period)
        for (char& c : line)
            c = c == ',' ? '.' : c;
    EXPECT_EQ(Report(kSkewed, 2, '.'), period);
}

TEST(StatisticsReport, FaultsLeaveTheLinesAlreadyWritten)
{
    // Mean 0 with a spread: Cv divides by zero after line 3.
    FaultedReport r = ReportUntilFault({-1, 0, 1});
    EXPECT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.fault, "Floating point division by zero");

    // All zero: Cv is 0/0.
    r = ReportUntilFault({0, 0, 0, 0});
    EXPECT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.fault, "Invalid floating point operation");

    // All equal and non-zero: Cv is 0, then Cs is 0/0.
    r = ReportUntilFault({5, 5, 5});
    ASSERT_EQ(r.lines.size(), 4u);
    EXPECT_EQ(r.lines[3], "^Cv:\t0,000");
    EXPECT_EQ(r.fault, "Invalid floating point operation");

    // A constant lagged sub-series: r(1) is 0/0.
    r = ReportUntilFault({5, 5, 7});
    ASSERT_EQ(r.lines.size(), 5u);
    EXPECT_EQ(r.lines[4].rfind("^Cs:\t", 0), 0u);
    EXPECT_EQ(r.fault, "Invalid floating point operation");
}

TEST(StatisticsReport, EqualValuesFaultWhateverTheirSum)
{
    // Equal values whose sum rounds (0.1, 0.7, 123.4) still have no spread:
    // Cv is 0 and Cs is 0/0, rather than a skewness made of rounding noise.
    for (const double value : {0.1, 0.7, 123.4, 2.3}) {
        for (const size_t count : {3u, 7u, 10u, 40u}) {
            const FaultedReport r = ReportUntilFault(std::vector<double>(count, value));
            ASSERT_EQ(r.lines.size(), 4u) << value << " x " << count;
            EXPECT_EQ(r.lines[2], "СКО:\t0,000");
            EXPECT_EQ(r.lines[3], "^Cv:\t0,000");
            EXPECT_EQ(r.fault, "Invalid floating point operation");
        }
    }
}

TEST(StatisticsReport, SmallestSeriesHasR1OfOne)
{
    // Three values: r(1) from two pairs is +-1.
    const std::vector<std::string> lines = Report({1, 2, 4}, 0, ',');
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[0], "Длина ряда:\t3");
    EXPECT_EQ(lines[5], "r(1):\t1,000");
}

TEST(StatisticsReport, DivisorSwitchesToNFromThirtyValues)
{
    std::vector<double> values;
    for (int i = 1; i <= 29; ++i)
        values.push_back(i);
    // 29 values: 2030 / 28 = 72.5.
    EXPECT_EQ(Report(values, 0, ',')[2], "СКО:\t8,515");
    values.push_back(30);
    // 30 values: 2247.5 / 30, not / 29 (which would give 8,803).
    EXPECT_EQ(Report(values, 0, ',')[2], "СКО:\t8,655");
}

TEST(StatisticsReport, LongSeriesKeepsItsTrueLength)
{
    std::vector<double> values;
    for (int i = 0; i < 70000; ++i)
        values.push_back(100 + (i * 37) % 101);
    const std::vector<std::string> lines = Report(values, 1, ',');
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[0], "Длина ряда:\t70000");
}

TEST(RunStatisticsCommand, RefusesShortPanesAndBadLinesWithoutTouchingTheOutput)
{
    TDoubleList series;
    series.Add(42);
    CollectingReportSink sink;

    EXPECT_EQ(RunStatisticsCommand(SplitLines("1\n2\n"), series, RegionalR1At(0), ',', sink), ReportOutcome::TooShort);
    EXPECT_EQ(series.Count(), 1);

    // The trailing line break does not count; an extra empty line does.
    EXPECT_EQ(RunStatisticsCommand(SplitLines("1\n2\n3\n\n"), series, RegionalR1At(0), ',', sink),
              ReportOutcome::InvalidInput);
    EXPECT_EQ(series.Count(), 3);
    EXPECT_FALSE(sink.begun);
    EXPECT_TRUE(sink.lines.empty());

    EXPECT_EQ(RunStatisticsCommand(SplitLines("1\n2\n4\n"), series, RegionalR1At(0), ',', sink), ReportOutcome::Report);
    EXPECT_TRUE(sink.begun);
    EXPECT_EQ(sink.lines.size(), 17u);
    EXPECT_EQ(sink.lines[0], "Длина ряда:\t3");
}

} // namespace
} // namespace aqualen
