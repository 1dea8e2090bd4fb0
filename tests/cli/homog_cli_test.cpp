#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "support/cli_runner.h"

namespace aqualen::test {
namespace {

std::string Numbers(int count, int start, int step)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::to_string(start + i * step) + "\n";
    return text;
}

const char* kSpreadReport = "Длины рядов:\tN1 = 10\tN2 = 10\n"
                            "F = 4\n"
                            "Fa = 4.03\n"
                            "Ряды однородны по критерию Фишера\t\"Да\"\n"
                            "\n"
                            "t = 2.437\n"
                            "ta = 2.101\n"
                            "Ряды не однородны по критерию Стьюдента\t\"Нет\"\n"
                            "\n"
                            "U = 78\n"
                            "U1 = 24.072\tU2 = 75.928\n"
                            "Ряды не однородны по критерию Вилькоксона\t\"Нет\"\n";

class HomogCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("LC_ALL", "C", 1);
        setenv("LANG", "C", 1);
        first = WriteScratchFile("homog1.txt", Numbers(10, 1, 1));
        second = WriteScratchFile("homog2.txt", Numbers(10, 2, 2));
    }
    std::string first, second;
};

TEST_F(HomogCli, ReportWithDefaultRowAndLevel)
{
    const CliResult result = RunCli("homog --decimal . " + first + " " + second);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, kSpreadReport);
    // The second series from standard input gives the same report.
    EXPECT_EQ(RunCli("homog " + first + " -", Numbers(10, 2, 2)).out, kSpreadReport);
}

TEST_F(HomogCli, RowLevelAndSeparatorOptions)
{
    const CliResult high = RunCli("homog --row 7 --level 8 --decimal , " + first + " " + second);
    EXPECT_EQ(high.status, 0);
    EXPECT_EQ(high.out, "Длины рядов:\tN1 = 10\tN2 = 10\nF = 4\nFa = 1,3\n"
                        "Ряды не однородны по критерию Фишера\t\"Нет\"\n\nt = 2,437\nta = 0,39\n"
                        "Ряды не однородны по критерию Стьюдента\t\"Нет\"\n\n");
    const CliResult row0 = RunCli("homog --row=0 " + first + " " + second);
    EXPECT_NE(row0.out.find("Fa = 6.19\n"), std::string::npos);
}

TEST_F(HomogCli, RejectedShortFaultAndUsage)
{
    const std::string bad = WriteScratchFile("homog_bad.txt", "1\n2\nx\n4\n5\n6\n7\n8\n9\n10\n");
    const CliResult rejected = RunCli("homog " + first + " " + bad);
    EXPECT_EQ(rejected.status, 1);
    EXPECT_EQ(rejected.out, "Длины рядов:\tN1 = 10\tN2 = 10\n");
    EXPECT_EQ(rejected.err, "Ряды введены не корректно!\n");

    const std::string constant = WriteScratchFile("homog_const.txt", "3\n3\n3\n3\n3\n3\n3\n3\n3\n3\n");
    const CliResult fault = RunCli("homog " + constant + " " + second);
    EXPECT_EQ(fault.status, 2);
    EXPECT_EQ(fault.out, "Длины рядов:\tN1 = 10\tN2 = 10\n");
    EXPECT_EQ(fault.err, "Floating point division by zero\n");

    const std::string nine = WriteScratchFile("homog_nine.txt", Numbers(9, 1, 1));
    const CliResult shortRun = RunCli("homog " + nine + " " + nine);
    EXPECT_EQ(shortRun.status, 3);
    EXPECT_EQ(shortRun.out, "");

    EXPECT_EQ(RunCli("homog --row 18 " + first + " " + second).status, 4);
    EXPECT_EQ(RunCli("homog --level 13 " + first + " " + second).status, 4);
    EXPECT_EQ(RunCli("homog --level -1 " + first + " " + second).status, 4);
    EXPECT_EQ(RunCli("homog " + first).status, 4);
    EXPECT_EQ(RunCli("homog --decimal x " + first + " " + second).status, 4);
    EXPECT_EQ(RunCli("homog " + first + " /nonexistent/file").status, 4);
}

} // namespace
} // namespace aqualen::test
