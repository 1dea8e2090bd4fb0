#include <string>

#include <gtest/gtest.h>

#include "support/cli_runner.h"

namespace aqualen::test {
namespace {

std::string Report(const std::string& n, const std::string& r, const std::string& sigmaR, const std::string& twice,
                   const std::string& thrice, const std::string& probable, const std::string& sigmaB)
{
    return "Длина:\t" + n + "\nR:\t" + r + "\n\nСр. Кв. Ошибка R:\t\t±" + sigmaR + "\nСр. Кв. Ошибка R X 2:\t±" +
           twice + "\nСр. Кв. Ошибка R X 3:\t±" + thrice + "\nВероятная ошибка R:\t±" + probable +
           "\n\nСКО коэффициента регрессии:\t" + sigmaB + "\n";
}

CliResult Correl(const std::string& options, const std::string& studied, const std::string& analogue)
{
    const std::string a = WriteScratchFile("studied.txt", studied);
    const std::string b = WriteScratchFile("analogue.txt", analogue);
    return RunCli("correl " + options + " '" + a + "' '" + b + "'");
}

TEST(CorrelCli, WorkedExamplesByteForByte)
{
    CliResult r = Correl("--decimal ,", "1\n2\n3\n4\n", "2\n4\n6\n8\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, Report("4", "1,000", "0,000", "0,000", "0,000", "0,000", "0"));

    r = Correl("--decimal ,", "1\n2\n3\n4\n5", "2\n1\n4\n3\n5");
    EXPECT_EQ(r.out, Report("5", "0,800", "0,161", "0,322", "0,483", "0,108", "0,161"));
    EXPECT_TRUE(r.err.empty());

    r = Correl("--decimal=.", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n", "6\n5\n4\n3\n2\n2\n");
    EXPECT_EQ(r.out, Report("6", "-0.982", "0.016", "0.032", "0.048", "0.011", "0.017"));

    // r exactly 0.6 takes sqrt(n); r just below it takes sqrt(n - 1).
    r = Correl("--decimal ,", "1\n2\n3\n4\n5\n", "3\n2\n1\n4\n5\n");
    EXPECT_EQ(r.out, Report("5", "0,600", "0,286", "0,572", "0,859", "0,192", "0,286"));
    r = Correl("--decimal ,", "1\n2\n3\n4\n5\n6\n7\n", "4\n5\n7\n9\n8\n5\n9\n");
    EXPECT_EQ(r.out, Report("7", "0,600", "0,261", "0,523", "0,784", "0,175", "0,254"));
}

TEST(CorrelCli, ThirtyValuesWithOptionAfterTheFiles)
{
    const std::string x = "138.3\n107.2\n197.2\n93.0\n176.5\n145.8\n90.4\n171.3\n86.7\n158.1\n"
                          "92.6\n96.3\n156.4\n228.8\n102.3\n120.2\n192.9\n250.6\n183.9\n151.4\n"
                          "255.7\n88.4\n234.5\n132.1\n106.0\n101.2\n135.5\n226.9\n112.5\n";
    const std::string y = "106.9\n69.7\n181.3\n90.3\n120.7\n122.6\n74.3\n167.1\n87.7\n109.5\n"
                          "112.5\n46.5\n118.6\n203.6\n54.0\n95.3\n117.5\n213.9\n168.3\n127.0\n"
                          "234.6\n55.8\n203.2\n113.2\n91.2\n77.5\n135.6\n217.1\n87.9\n";
    const std::string a = WriteScratchFile("x.txt", x);
    const std::string b = WriteScratchFile("y.txt", y);
    CliResult r = RunCli("correl '" + a + "' '" + b + "' --decimal .");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, Report("29", "0.932", "0.024", "0.049", "0.073", "0.016", "0.024"));

    WriteScratchFile("x.txt", x + "184.7\n");
    WriteScratchFile("y.txt", y + "160.9\n");
    r = RunCli("correl '" + a + "' '" + b + "' --decimal .");
    EXPECT_EQ(r.out, Report("30", "0.933", "0.024", "0.047", "0.071", "0.016", "0.024"));
}

TEST(CorrelCli, RejectionsAndFaultsHaveTheirStatus)
{
    CliResult r = Correl("--decimal ,", "1\n2\n3\n", "1\n2\n3\n4\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Ряды разной длины!\n");
    EXPECT_TRUE(r.out.empty());

    r = Correl("--decimal ,", "1\n2\n3\n4\n5\n", "1\n2\n3\n4\nabc\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Ряды введены не корректно!\n");
    EXPECT_TRUE(r.out.empty());

    r = Correl("--decimal ,", "5\n5\n5\n", "1\n2\n3\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Invalid floating point operation\n");
    EXPECT_TRUE(r.out.empty());

    r = Correl("--decimal ,", "1\n2\n", "1\n2\n");
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(r.err.empty());
}

TEST(CorrelCli, UsageErrors)
{
    EXPECT_EQ(RunCli("correl only-one-file").status, 4);
    EXPECT_EQ(RunCli("correl --decimal ab a b").status, 4);
    EXPECT_EQ(RunCli("correl --bogus a b").status, 4);
    EXPECT_EQ(RunCli("correl /nonexistent/a /nonexistent/b").status, 4);
    const CliResult help = RunCli("correl --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("STUDIED_FILE ANALOGUE_FILE"), std::string::npos);
}

TEST(CorrelCli, StudiedSeriesFromStandardInput)
{
    const std::string b = WriteScratchFile("analogue.txt", "2\n1\n4\n3\n5\n");
    const CliResult r = RunCli("correl --decimal , - '" + b + "'", "1\n2\n3\n4\n5\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, Report("5", "0,800", "0,161", "0,322", "0,483", "0,108", "0,161"));
}

} // namespace
} // namespace aqualen::test
