// The help texts are put together from paragraphs several commands share:
// each must still read as it was written, in its own command's layout.

#include <string>

#include <gtest/gtest.h>

#include "support/cli_runner.h"

namespace aqualen::test {
namespace {

const char* kStatsHelp = "Usage: aqualen-cli stats [--r1 INDEX] [--decimal SEP] [--column N] [--sheet S] [FILE]\n"
                         "\n"
                         "Writes the statistics report of the series in FILE (standard input when\n"
                         "FILE is absent), one number per line.\n"
                         "\n"
                         "  --r1 INDEX     r(1) typical of the region: 0 (r(1) = 0, default),\n"
                         "                 1 (r(1) = 0.3) or 2 (r(1) = 0.5)\n"
                         "  --decimal SEP  decimal separator for reading and writing, ',' or '.'\n"
                         "                 (default: the locale's)\n"
                         "  --column N     the column N (from 1) of a table file, its header line\n"
                         "                 skipped (a table is refused without it)\n"
                         "  --sheet S      the sheet S of a workbook (.xlsx, .ods, .xls), by\n"
                         "                 its name or its number from 1 (default: the first)\n"
                         "\n"
                         "Exit status: 0 report written, 1 input rejected, 2 floating-point fault,\n"
                         "3 too few lines, 4 usage error or an input that cannot be read,\n"
                         "5 the report could not be written.\n";

TEST(HelpTextCli, StatsHelpWholeAndInUsageErrors)
{
    const CliResult help = RunCli("stats --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, kStatsHelp);
    const CliResult wrong = RunCli("stats --r1 7");
    EXPECT_EQ(wrong.status, 4);
    EXPECT_EQ(wrong.err, std::string("aqualen-cli stats: --r1 takes 0, 1 or 2\n\n") + kStatsHelp);
}

TEST(HelpTextCli, SharedParagraphsInEachLayout)
{
    const std::string shortFiles = "  --column N     the column N (from 1) of a table file, its header line\n"
                                   "                 skipped (a table is refused without it)\n"
                                   "  --sheet S      the sheet S of a workbook (.xlsx, .ods, .xls), by\n"
                                   "                 its name or its number from 1 (default: the first)\n";
    const std::string longFiles = "  --column N           the column N (from 1) of a table file, its header\n"
                                  "                       line skipped\n"
                                  "  --sheet S            the sheet S of a workbook (.xlsx, .ods, .xls), by\n"
                                  "                       its name or its number from 1 (default: the first)\n";
    const std::string shortDecimal = "  --decimal SEP  decimal separator for reading and writing, ',' or '.'\n"
                                     "                 (default: the locale's)\n";
    const std::string longDecimal = "  --decimal SEP        decimal separator for reading and writing, ',' or '.'\n"
                                    "                       (default: the locale's)\n";
    for (const char* command : {"stats", "homog", "outliers", "trend"}) {
        SCOPED_TRACE(command);
        const std::string out = RunCli(std::string(command) + " --help").out;
        EXPECT_NE(out.find(shortDecimal + shortFiles), std::string::npos);
    }
    EXPECT_NE(RunCli("correl --help").out.find("(default: the\n                 locale's)\n" + shortFiles),
              std::string::npos);
    EXPECT_NE(RunCli("quantiles --help").out.find(longDecimal + longFiles + "\nExit status"), std::string::npos);
    EXPECT_NE(RunCli("curve --help").out.find("(default: the locale's)\n" + longFiles + "  -o, --output FILE"),
              std::string::npos);
    // The short exit paragraph closes aqualen-cli's own help as well.
    const std::string stats = kStatsHelp;
    const std::string exits = stats.substr(stats.find("Exit status"));
    const CliResult top = RunCli("--help");
    EXPECT_GE(top.out.size(), exits.size());
    EXPECT_EQ(top.out.substr(top.out.size() - exits.size()), exits);
}

} // namespace
} // namespace aqualen::test
