#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/cli_runner.h"

namespace aqualen::test {
namespace {

CliResult Extend(const std::string& options, const std::string& studied, const std::string& analogue)
{
    const std::string a = WriteScratchFile("extend_studied.txt", studied);
    const std::string b = WriteScratchFile("extend_analogue.txt", analogue);
    return RunCli("extend " + options + " '" + a + "' '" + b + "'");
}

// Lines "year<sep>value" from `first`, one per value.
std::string YearTable(int first, const std::vector<std::string>& values, const std::string& sep = "\t")
{
    std::string text;
    for (size_t i = 0; i < values.size(); ++i)
        text += std::to_string(first + static_cast<int>(i)) + sep + values[i] + "\n";
    return text;
}

std::vector<std::string> Counting(int count)
{
    std::vector<std::string> values;
    for (int i = 1; i <= count; ++i)
        values.push_back(std::to_string(i));
    return values;
}

std::string Column(const std::vector<std::string>& values)
{
    std::string text;
    for (const std::string& value : values)
        text += value + "\n";
    return text;
}

const std::vector<std::string> kTenYears{"2", "1", "4", "3", "6", "5", "8", "7", "10", "9"};

// Ten studied years against an analogue counting 1..20 over 1961-1980:
// R = k = 31/33, a = 1/3, sigma_k = 4/33, k / sigma_k = 31/4; over N,
// mean_y = 5.5 + 5 k, sigma_y^2 = 82.5/9 + k^2 (35 - 82.5/9).
const char* kTenYearsReport = "Общий период:\t1961–1970\t10 лет\n"
                              "Длинный период:\t1961–1980\t20 лет\n"
                              "Делитель СКО:\tчисло лет − 1\n"
                              "R:\t0,939\n"
                              "k:\t0,939\n"
                              "σk:\t0,121\n"
                              "k/σk:\t7,750\n"
                              "Уравнение:\ty = 0,333 + 0,939·x\n"
                              "Условие n ≥ 10:\tвыполнено\n"
                              "Условие R ≥ 0,7:\tвыполнено\n"
                              "Условие k/σk ≥ 2:\tвыполнено\n"
                              "Среднее (n лет):\t5,500\n"
                              "Cv (n лет):\t0,550\n"
                              "Среднее (N лет):\t10,197\n"
                              "СКО (N лет):\t5,654\n"
                              "Cv (N лет):\t0,554\n"
                              "\n"
                              "Год\tАналог\tВосстановлено\n"
                              "1971\t11,000\t10,667\n"
                              "1972\t12,000\t11,606\n"
                              "1973\t13,000\t12,545\n"
                              "1974\t14,000\t13,485\n"
                              "1975\t15,000\t14,424\n"
                              "1976\t16,000\t15,364\n"
                              "1977\t17,000\t16,303\n"
                              "1978\t18,000\t17,242\n"
                              "1979\t19,000\t18,182\n"
                              "1980\t20,000\t19,121\n";

TEST(ExtendCli, YearColumnsAndFirstYearOptionsGiveOneReport)
{
    // A header and tabs, semicolons, one column with its first year: the same
    // series, the same report.
    CliResult r = Extend("--decimal ,", "Год\tQ\n" + YearTable(1961, kTenYears), YearTable(1961, Counting(20), ";"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kTenYearsReport);
    EXPECT_TRUE(r.err.empty());

    r = Extend("--first-year 1961 --decimal , --analogue-first-year=1961", Column(kTenYears), Column(Counting(20)));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kTenYearsReport);

    r = Extend("--decimal , --analogue-first-year 1961", YearTable(1961, kTenYears), Column(Counting(20)));
    EXPECT_EQ(r.out, kTenYearsReport);
}

TEST(ExtendCli, DecimalCommaInTheFileIsReadAndThePointWritten)
{
    // The studied values y = 1.5 x + 0.25 exactly, written with commas in a
    // table: the report in points, the fit exact.
    std::vector<std::string> studied;
    for (int x = 1; x <= 12; ++x) {
        std::string value = std::to_string(1.5 * x + 0.25);
        value.replace(value.find('.'), 1, ",");
        studied.push_back(value);
    }
    const CliResult r = Extend("--decimal .", YearTable(2001, studied), YearTable(2001, Counting(15)));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Уравнение:\ty = 0.250 + 1.500·x\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("k/σk:\t∞\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n2015\t15.000\t22.750\n"), std::string::npos);
}

TEST(ExtendCli, ConditionsNotMetStillReport)
{
    // Nine common years: computed, the first condition fails.
    const std::vector<std::string> nine(kTenYears.begin(), kTenYears.begin() + 9);
    const CliResult r = Extend("--decimal ,", YearTable(1961, nine), YearTable(1961, Counting(20)));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Условие n ≥ 10:\tне выполнено\n"), std::string::npos);
    EXPECT_NE(r.out.find("Условия приведения не выполнены\n\nГод\tАналог\tВосстановлено\n1970\t"), std::string::npos)
        << r.out;
}

TEST(ExtendCli, RejectionsNameTheirCause)
{
    struct Case {
        const char* what;
        std::string studied;
        std::string analogue;
        std::string err;
    };
    const std::vector<std::string> constant(10, "3");
    const std::vector<Case> cases{
        {"no common years", YearTable(1900, kTenYears), YearTable(1950, Counting(30)),
         "У исследуемого ряда и аналога нет общих лет!\n"},
        {"two common years", YearTable(1900, kTenYears), YearTable(1908, Counting(30)), "Общий период короче 3 лет!\n"},
        {"analogue shorter", YearTable(1950, Counting(30)), YearTable(1955, Counting(20)),
         "Ряд-аналог короче исследуемого ряда!\n"},
        {"constant studied", YearTable(1950, constant), YearTable(1950, Counting(20)),
         "Исследуемый ряд в общем периоде постоянен!\n"},
        {"constant analogue", YearTable(1950, kTenYears), YearTable(1950, constant) + YearTable(1960, Counting(5)),
         "Ряд-аналог в общем периоде постоянен!\n"},
        {"value unread", YearTable(1950, {"1", "2", "x3", "4"}), YearTable(1950, Counting(20)),
         "Исследуемый ряд введен не корректно!\n"},
        {"analogue value unread", YearTable(1950, kTenYears), YearTable(1950, {"1", "2", "3", "4", "5..5"}),
         "Ряд-аналог введен не корректно!\n"},
        {"year repeated", YearTable(1950, kTenYears), YearTable(1950, Counting(5)) + YearTable(1954, Counting(5)),
         "ANALOGUE: Год 1954 повторяется (строка 6)!\n"},
        {"year missing", "Год\tQ\n" + YearTable(1950, Counting(5)) + YearTable(1956, Counting(5)),
         YearTable(1950, Counting(20)), "STUDIED: Пропущен год 1955 (строка 7)!\n"},
    };
    for (const Case& c : cases) {
        const std::string a = WriteScratchFile("extend_studied.txt", c.studied);
        const std::string b = WriteScratchFile("extend_analogue.txt", c.analogue);
        const CliResult r = RunCli("extend --decimal , '" + a + "' '" + b + "'");
        EXPECT_EQ(r.status, 1) << c.what;
        std::string expected = c.err;
        if (expected.rfind("ANALOGUE", 0) == 0)
            expected.replace(0, 8, b);
        if (expected.rfind("STUDIED", 0) == 0)
            expected.replace(0, 7, a);
        EXPECT_EQ(r.err, expected) << c.what;
        EXPECT_TRUE(r.out.empty()) << c.what;
    }
}

TEST(ExtendCli, UsageErrorsAndShortFiles)
{
    struct Case {
        const char* what;
        std::string options;
        std::string studied;
        std::string analogue;
        int status;
        std::string errStart;
    };
    const std::vector<Case> cases{
        {"one column without its year", "", Column(kTenYears), YearTable(1950, Counting(20)), 4,
         "aqualen-cli extend: STUDIED holds one column; give its first year with --first-year\n"},
        {"a year option beside a year column", "--analogue-first-year 1950", Column(kTenYears),
         YearTable(1950, Counting(20)), 4,
         "aqualen-cli extend: STUDIED holds one column; give its first year with --first-year\n"},
        {"year option on a year column", "--first-year 1950", YearTable(1950, kTenYears), YearTable(1950, Counting(20)),
         4, "aqualen-cli extend: STUDIED has a year column; --first-year is for a file of one column\n"},
        {"year out of range", "--first-year 0 --analogue-first-year 1950", Column(kTenYears), Column(Counting(20)), 4,
         "aqualen-cli extend: --first-year takes a year from 1 to 9999\n"},
        {"three columns", "", "1950 1 2\n1951 2 3\n1952 3 4\n", YearTable(1950, Counting(20)), 4,
         "aqualen-cli extend: STUDIED holds 3 columns; a file gives two: the year and the value\n"},
        {"two lines", "", YearTable(1950, {"1", "2"}), YearTable(1950, Counting(20)), 3,
         "aqualen-cli extend: too few lines in STUDIED (a series needs at least 3)\n"},
        {"bad separator", "--decimal ';'", YearTable(1950, kTenYears), YearTable(1950, Counting(20)), 4,
         "aqualen-cli extend: --decimal takes ',' or '.'\n"},
    };
    for (const Case& c : cases) {
        const std::string a = WriteScratchFile("extend_studied.txt", c.studied);
        const std::string b = WriteScratchFile("extend_analogue.txt", c.analogue);
        const CliResult r = RunCli("extend " + c.options + " '" + a + "' '" + b + "'");
        EXPECT_EQ(r.status, c.status) << c.what;
        std::string expected = c.errStart;
        if (const size_t at = expected.find("STUDIED"); at != std::string::npos)
            expected.replace(at, 7, a);
        EXPECT_EQ(r.err.substr(0, expected.size()), expected) << c.what << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << c.what;
    }

    const CliResult one = RunCli("extend x.txt");
    EXPECT_EQ(one.status, 4);
    EXPECT_NE(one.err.find("two series files are needed"), std::string::npos);
    const CliResult missing = RunCli("extend /nonexistent/a.txt /nonexistent/b.txt");
    EXPECT_EQ(missing.status, 4);
    EXPECT_EQ(missing.err.rfind("aqualen-cli extend: cannot read /nonexistent/a.txt: ", 0), 0u) << missing.err;
    const CliResult help = RunCli("extend --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: aqualen-cli extend ", 0), 0u);
    EXPECT_NE(RunCli("--help").out.find("  extend [--decimal SEP]"), std::string::npos);
}

TEST(ExtendCli, FaultKeepsTheLinesBeforeIt)
{
    // A studied mean of zero: the Cv is a division by zero after the
    // conditions. The analogue comes from standard input.
    const std::string a =
        WriteScratchFile("extend_studied.txt", YearTable(1950, {"-2", "-1", "0", "1", "2", "-1", "1", "0", "3", "-3"}));
    const CliResult fault = RunCli("extend --decimal , '" + a + "' -", YearTable(1950, Counting(20)));
    EXPECT_EQ(fault.status, 2);
    EXPECT_EQ(fault.err, "Floating point division by zero\n");
    EXPECT_NE(fault.out.find("Условие k/σk ≥ 2:\t"), std::string::npos) << fault.out;
    EXPECT_EQ(fault.out.find("Cv"), std::string::npos);
}

} // namespace
} // namespace aqualen::test
