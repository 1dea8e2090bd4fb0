// Series files through the windows' importer: a one-column file reads as a
// pane, a table needs --column, which also skips its header line.

#include <string>

#include <gtest/gtest.h>

#include "support/cli_runner.h"

namespace aqualen::test {
namespace {

// The report of 12.5, 9, 10 read from a plain column.
CliResult PlainReport(const std::string& command)
{
    const std::string plain = WriteScratchFile("plain.txt", "12.5\n9\n10\n");
    return RunCli(command + " --decimal . '" + plain + "'");
}

TEST(SeriesFileCli, ColumnOfATable)
{
    const CliResult expected = PlainReport("stats");
    ASSERT_EQ(expected.status, 0);
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"tabs", "1950\t12.5\n1951\t9\n1952\t10\n"},
        {"header and commas", "Year;Q, m3/s\r\n1950;12,5\r\n1951;9\r\n1952;10\r\n"},
        {"code page header", "\xC3\xEE\xE4 \xD0\xE0\xF1\xF5\xEE\xE4\r1950 12.5\r1951 9\r1952 10\r"},
        {"byte-order mark", "\xEF\xBB\xBF\xD0\x93\xD0\xBE\xD0\xB4\t\xD0\xA0\xD0\xB0\xD1\x81\xD1\x85\xD0\xBE\xD0\xB4\n"
                            "1950\t12.5\n1951\t9\n1952\t10\n"},
    };
    for (const Case& c : cases) {
        const std::string file = WriteScratchFile("table.txt", c.bytes);
        const CliResult r = RunCli("stats --decimal . --column 2 '" + file + "'");
        EXPECT_EQ(r.status, 0) << c.name << ": " << r.err;
        EXPECT_EQ(r.out, expected.out) << c.name;
    }
}

TEST(SeriesFileCli, TableWithoutColumnIsRefusedByItsColumns)
{
    struct Case {
        std::string bytes;
        std::string reason;
    };
    const Case cases[] = {
        {"1950\t12.5\n1951\t9\n1952\t10\n", "holds a table of 2 columns (first row): 1 \"1950\", 2 \"12.5\""},
        {"\xC3\xEE\xE4;Q\n1950;12,5\n1951;9\n1952;10\n", "holds a table of 2 columns: 1 \"Год\", 2 \"Q\""},
    };
    for (const Case& c : cases) {
        const std::string file = WriteScratchFile("table.txt", c.bytes);
        for (const std::string command : {"stats", "quantiles"}) {
            const CliResult r = RunCli(command + " --decimal . '" + file + "'");
            EXPECT_EQ(r.status, 4) << command;
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err,
                      "aqualen-cli " + command + ": " + file + " " + c.reason + "; choose one with --column N\n");
        }
    }
}

TEST(SeriesFileCli, OneColumnReadsAsAPane)
{
    // A caption over one column is a line that does not read, as in a pane;
    // --column 1 skips it.
    const std::string captioned = WriteScratchFile("captioned.txt", "Q\n12.5\n9\n10\n");
    CliResult r = RunCli("stats --decimal . '" + captioned + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Ряд введен не корректно!\n");
    r = RunCli("stats --decimal . --column 1 '" + captioned + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, PlainReport("stats").out);

    // Without --column nothing is converted: a comma stays no number in a
    // period file, and a blank line at the end still counts.
    // A stray line of two numbers in a column is a line that does not read,
    // not a table.
    for (const char* text : {"1,5\n2\n3\n", "1\n2\n3\n\n", "1\n12 5\n3\n", "1\n2\n1;5\n4\n"}) {
        r = RunCli("stats --decimal .", text);
        EXPECT_EQ(r.status, 1) << text;
        EXPECT_EQ(r.err, "Ряд введен не корректно!\n");
    }
}

TEST(SeriesFileCli, ColumnOutOfTheTableAndBadValues)
{
    const std::string file = WriteScratchFile("table.txt", "1950\t12.5\n1951\t9\n1952\t10\n");
    CliResult r = RunCli("correl --decimal . --column 3 '" + file + "' '" + file + "'");
    EXPECT_EQ(r.status, 4);
    EXPECT_EQ(r.err, "aqualen-cli correl: " + file + " has no column 3 (it holds 2)\n");
    for (const char* value : {"0", "-1", "x", "2.5", ""}) {
        r = RunCli(std::string("homog --column '") + value + "' '" + file + "' '" + file + "'");
        EXPECT_EQ(r.status, 4) << value;
        EXPECT_EQ(r.err.rfind("aqualen-cli homog: --column takes a column number from 1\n", 0), 0u) << r.err;
    }
}

TEST(SeriesFileCli, EveryCommandTakesTheColumn)
{
    const std::string years = WriteScratchFile("years.txt", "1950\t12.5\n1951\t9\n1952\t10\n1953\t14\n");
    const std::string other = WriteScratchFile("other.txt", "Год\tQ\n1950\t11\n1951\t8\n1952\t10.5\n1953\t12\n");
    const CliResult r = RunCli("correl --decimal . --column 2 '" + years + "' '" + other + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    const CliResult plain = RunCli("correl --decimal . '" + WriteScratchFile("a.txt", "12.5\n9\n10\n14\n") + "' '" +
                                   WriteScratchFile("b.txt", "11\n8\n10.5\n12\n") + "'");
    EXPECT_EQ(r.out, plain.out);
    const CliResult q = RunCli("quantiles --decimal . --column 2 '" + years + "'");
    EXPECT_EQ(q.status, 0) << q.err;
}

} // namespace
} // namespace aqualen::test
