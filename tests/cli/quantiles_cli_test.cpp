#include <string>

#include <gtest/gtest.h>

#include "support/cli_runner.h"

namespace aqualen::test {
namespace {

const char* kRunoff =
    "312\n254\n401\n198\n287\n365\n221\n276\n450\n189\n305\n268\n333\n242\n296\n520\n231\n284\n259\n347\n";

// The value after "label\t" in text, or "" when there is none.
std::string ValueOf(const std::string& text, const std::string& label)
{
    const size_t at = text.find("\n" + label + "\t");
    const size_t start = at == std::string::npos ? (text.rfind(label + "\t", 0) == 0 ? 0 : std::string::npos) : at + 1;
    if (start == std::string::npos)
        return "";
    const size_t value = start + label.size() + 1;
    return text.substr(value, text.find('\n', value) - value);
}

TEST(QuantilesCli, GivenParametersByteForByte)
{
    const CliResult result = RunCli("quantiles --method given --mean 1 --cv 1 --cs 1 --p '1;50;99,9' --decimal ,");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Распределение:\tПирсон III\n"
                          "Метод:\tпараметры заданы вручную\n"
                          "Среднее значение:\t1,000\n"
                          "Cv:\t1,000\n"
                          "Cs:\t1,000\n"
                          "Cs/Cv:\t1,0\n"
                          "\n"
                          "P, %\tT, лет\tKp\tQp\n"
                          "1\t100\t4,023\t4,023\n"
                          "50\t2\t0,836\t0,836\n"
                          "99,9\t1000\t-0,786\t-0,786\n");
}

// The moments methods read the statistics report of the same series.
TEST(QuantilesCli, MomentsAreTheStatisticsReports)
{
    const std::string file = WriteScratchFile("q_runoff.txt", kRunoff);
    for (const char* r1 : {"0", "2"}) {
        const CliResult stats = RunCli(std::string("stats --decimal . --r1 ") + r1 + " '" + file + "'");
        const CliResult corrected = RunCli(std::string("quantiles --decimal . --r1 ") + r1 + " '" + file + "'");
        ASSERT_EQ(corrected.status, 0) << corrected.err;
        EXPECT_EQ(ValueOf(corrected.out, "Cv:"), ValueOf(stats.out, "Cv:"));
        EXPECT_EQ(ValueOf(corrected.out, "Cs:"), ValueOf(stats.out, "Cs:"));
        const CliResult sample = RunCli("quantiles --method sample --decimal . '" + file + "'");
        EXPECT_EQ(ValueOf(sample.out, "Cv:"), ValueOf(stats.out, "^Cv:"));
        EXPECT_EQ(ValueOf(sample.out, "Cs:"), ValueOf(stats.out, "^Cs:"));
    }
}

TEST(QuantilesCli, BandColumnsAreReproducible)
{
    const std::string file = WriteScratchFile("q_band.txt", kRunoff);
    const std::string command = "quantiles --dist km --band 90 --p '1;50' --decimal . '" + file + "'";
    const CliResult first = RunCli(command);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.out.find("\nP, %\tT, лет\tKp\tQp\tQp нижн. (90 %)\tQp верхн. (90 %)\n"), std::string::npos);
    EXPECT_EQ(RunCli(command).out, first.out);
}

// Both curves by the same method, side by side; the same numbers as each
// curve's own report.
TEST(QuantilesCli, CompareShowsBothCurves)
{
    const std::string file = WriteScratchFile("q_compare.txt", kRunoff);
    const CliResult compared = RunCli("quantiles --compare --p '1;70' --decimal . '" + file + "'");
    ASSERT_EQ(compared.status, 0) << compared.err;
    const CliResult p3 = RunCli("quantiles --p '1;70' --decimal . '" + file + "'");
    const CliResult km = RunCli("quantiles --dist km --p '1;70' --decimal . '" + file + "'");
    EXPECT_EQ(ValueOf(compared.out, "Cv:"), ValueOf(p3.out, "Cv:") + "\t" + ValueOf(km.out, "Cv:"));
    EXPECT_EQ(ValueOf(compared.out, "γ:"), "\t" + ValueOf(km.out, "γ:"));
    EXPECT_NE(compared.out.find("\nP, %\tT, лет\tKp (П-III)\tQp (П-III)\tKp (К–М)\tQp (К–М)\n"), std::string::npos);
    // T of 70 % is the dry year's period, 100/30.
    const std::string rowP3 = ValueOf(p3.out, "70"), rowKm = ValueOf(km.out, "70");
    EXPECT_EQ(ValueOf(compared.out, "70"), rowP3 + "\t" + rowKm.substr(rowKm.find('\t') + 1));
    EXPECT_EQ(rowP3.substr(0, 4), "3.3\t");

    const CliResult ml = RunCli("quantiles --compare --method ml '" + file + "'");
    EXPECT_EQ(ml.status, 1);
    EXPECT_EQ(RunCli("quantiles --compare --band 90 '" + file + "'").status, 4);
}

TEST(QuantilesCli, RefusalsAndUsageErrors)
{
    const std::string file = WriteScratchFile("q_table.txt", kRunoff);
    const std::string f = " '" + file + "'";
    struct Case {
        std::string arguments;
        std::string input;
        int status;
        const char* error; // a part of standard error
    };
    const Case cases[] = {
        {"quantiles --method ml" + f, "", 1, "применяется только к кривой Крицкого–Менкеля!"},
        {"quantiles --dist km --method given --mean 100 --cv 1 --cs 0.5 --decimal .", "", 1,
         "Нет кривой Крицкого–Менкеля с такими Cv и Cs!"},
        {"quantiles --method given --mean abc --cv 0.5 --cs 1 --decimal .", "", 1,
         "'abc' is not a valid floating point value"},
        {"quantiles --decimal .", "5\n6\nx\n", 1, "Ряд введен не корректно!"},
        {"quantiles --decimal .", "5\n6\n", 3, "too few lines"},
        {"quantiles --method bogus" + f, "", 4, "--method takes"},
        {"quantiles --dist gamma" + f, "", 4, "--dist takes p3 or km"},
        {"quantiles --band 85" + f, "", 4, "--band takes 80, 90 or 95"},
        {"quantiles --p '0;50'" + f, "", 4, "--p takes"},
        {"quantiles --method given --mean 100 --decimal .", "", 4, "needs --mean, --cv and --cs"},
        {"quantiles --cv 0.5" + f, "", 4, "go with --method given"},
        {"quantiles --method given --mean 1 --cv 1 --cs 1" + f, "", 4, "reads no series file"},
        {"quantiles --method given --mean 1 --cv 1 --cs 1 --band 90 --decimal .", "", 1,
         "Для параметров, заданных вручную, доверительные границы не строятся!"},
    };
    for (const Case& c : cases) {
        const CliResult result = RunCli(c.arguments, c.input);
        EXPECT_EQ(result.status, c.status) << c.arguments << "\n" << result.err;
        EXPECT_NE(result.err.find(c.error), std::string::npos) << c.arguments << "\n" << result.err;
    }
}

TEST(CurveCli, AnalyticCurveOptions)
{
    const std::string values = WriteScratchFile("q_curve.txt", kRunoff);
    const std::string png = ScratchDir() + "/analytic.png";
    const std::string scale = " --max 600 --min 100 --main-step 50 --additional-step 10 --dpi 40 --decimal . ";
    const CliResult drawn =
        RunCli("curve --smooth --dist p3 --method quantile --band 80" + scale + "'" + values + "' -o '" + png + "'");
    EXPECT_EQ(drawn.status, 0) << drawn.err;
    EXPECT_EQ(ReadWholeFile(png).compare(1, 3, "PNG"), 0);
    // The Kritsky–Menkel curve through this series' three points has Cs 3.66
    // (Cs/Cv 10.6): a fifth of its model series have points no curve of the
    // family passes through, and its band is refused with their share.
    const std::string km = "curve --smooth --dist km --method quantile" + scale + "'" + values + "' -o '" + png + "'";
    EXPECT_EQ(RunCli(km).status, 0);
    const CliResult kmBand = RunCli(km + " --band 80");
    EXPECT_EQ(kmBand.status, 1);
    EXPECT_EQ(
        kmBand.err.rfind("Доверительные границы не построены: кривая не подбирается для 28,4 % модельных рядов", 0), 0u)
        << kmBand.err;

    const CliResult noSmoothing =
        RunCli("curve --dist p3 --method quantile" + scale + "'" + values + "' -o '" + png + "'");
    EXPECT_EQ(noSmoothing.status, 1);
    EXPECT_NE(noSmoothing.err.find("Для графоаналитического метода нужна сглаживающая кривая!"), std::string::npos);
    EXPECT_EQ(RunCli("curve --band 90" + scale + "'" + values + "' -o '" + png + "'").status, 4);
}

} // namespace
} // namespace aqualen::test
