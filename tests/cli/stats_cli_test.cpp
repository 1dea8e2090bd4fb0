#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "support/cli_runner.h"

namespace aqualen::test {
namespace {

const char* kRunoff = "100\n120\n80\n150\n110\n90\n140\n130\n100\n120\n";

const char* kRunoffReportComma = "Длина ряда:\t10\n"
                                 "Среднее значение:\t114,000\n"
                                 "СКО:\t22,211\n"
                                 "^Cv:\t0,195\n"
                                 "^Cs:\t0,128\n"
                                 "r(1):\t-0,479\n"
                                 "Cs/Cv: \t0,7\n"
                                 "\n"
                                 "----- При: Cs/Cv = 2; r(1) = 0 -----\n"
                                 "\n"
                                 "ai:\t0\t0,19\t0,99\t-0,88\t0,01\t1,54\n"
                                 "\n"
                                 "bi:\t0,03\t2\t0,92\t-5,09\t0,03\t8,1\n"
                                 "\n"
                                 "Cv:\t0,201\n"
                                 "Cs:\t0,296\n"
                                 "Cs/Cv: \t1,5\n";

const char* kSkewedReportPeriod = "Длина ряда:\t10\n"
                                  "Среднее значение:\t14.700\n"
                                  "СКО:\t7.181\n"
                                  "^Cv:\t0.489\n"
                                  "^Cs:\t1.504\n"
                                  "r(1):\t-0.428\n"
                                  "Cs/Cv: \t3.1\n"
                                  "\n"
                                  "----- При: Cs/Cv = 3; r(1) = 0.5 -----\n"
                                  "\n"
                                  "ai:\t0\t1.75\t1\t-11.79\t-0.05\t21.13\n"
                                  "\n"
                                  "bi:\t0.03\t1.63\t0.92\t-0.97\t0.03\t7.94\n"
                                  "\n"
                                  "Cv:\t0.580\n"
                                  "Cs:\t3.294\n"
                                  "Cs/Cv: \t5.7\n";

// Sets the locale the child process sees, for the default separator.
void UseLocale(const char* name)
{
    setenv("LC_ALL", name, 1);
    setenv("LANG", name, 1);
}

TEST(StatsCli, WorkedExamplesByteForByte)
{
    const std::string file = WriteScratchFile("runoff.txt", kRunoff);
    CliResult r = RunCli("stats --decimal , '" + file + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kRunoffReportComma);
    EXPECT_EQ(r.err, "");

    // Options after the file, the series on standard input, --r1=2 form.
    const std::string skewed = WriteScratchFile("skewed.txt", "12\r\n15\r\n9\r\n30\r\n11\r\n14\r\n10\r\n8\r\n25\r\n13");
    r = RunCli("stats '" + skewed + "' --r1=2 --decimal .");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kSkewedReportPeriod);
    r = RunCli("stats --r1 2 --decimal .", ReadWholeFile(skewed));
    EXPECT_EQ(r.out, kSkewedReportPeriod);

    // A file saved with a UTF-8 byte-order mark reads the same.
    const std::string marked = WriteScratchFile("marked.txt", std::string("\xEF\xBB\xBF") + kRunoff);
    r = RunCli("stats --decimal , '" + marked + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kRunoffReportComma);
}

TEST(StatsCli, SeparatorDefaultsToTheLocale)
{
    UseLocale("ru_RU.UTF-8");
    CliResult r = RunCli("stats", kRunoff);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kRunoffReportComma);

    UseLocale("en_US.UTF-8");
    r = RunCli("stats --r1 2", "12\n15\n9\n30\n11\n14\n10\n8\n25\n13\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kSkewedReportPeriod);
    // A comma is not a number in a period locale.
    r = RunCli("stats", "1,5\n2\n3\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Ряд введен не корректно!\n");
}

TEST(StatsCli, RejectedAndShortInput)
{
    // An empty line after the final line break is a line that does not read.
    CliResult r = RunCli("stats --decimal ,", "1\n2\n3\n\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Ряд введен не корректно!\n");

    for (const char* text : {"", "1\n", "1\n2\n", "1\n2"}) {
        r = RunCli("stats --decimal ,", text);
        EXPECT_EQ(r.status, 3) << text;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
    }
}

TEST(StatsCli, FaultKeepsTheLinesAlreadyWritten)
{
    CliResult r = RunCli("stats --decimal ,", "5\n5\n5\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "Длина ряда:\t3\nСреднее значение:\t5,000\nСКО:\t0,000\n^Cv:\t0,000\n");
    EXPECT_EQ(r.err, "Invalid floating point operation\n");

    r = RunCli("stats --decimal ,", "-1\n0\n1\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "Длина ряда:\t3\nСреднее значение:\t0,000\nСКО:\t1,000\n");
    EXPECT_EQ(r.err, "Floating point division by zero\n");
}

TEST(StatsCli, LongSeriesIsReadInFull)
{
    std::string text;
    for (int i = 0; i < 70000; ++i)
        text += std::to_string(100 + (i * 37) % 101) + "\n";
    const CliResult r = RunCli("stats --decimal .", text);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Длина ряда:\t70000\n", 0), 0u);
}

TEST(StatsCli, UsageErrors)
{
    for (const char* args : {"stats --r1 3", "stats --r1 x", "stats --decimal ';'", "stats --decimal", "stats --bogus",
                             "stats a.txt b.txt"}) {
        const CliResult r = RunCli(args, kRunoff);
        EXPECT_EQ(r.status, 4) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(r.err.find("Usage: aqualen-cli stats"), std::string::npos) << args;
    }
    const CliResult help = RunCli("stats --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: aqualen-cli stats", 0), 0u);
}

} // namespace
} // namespace aqualen::test
