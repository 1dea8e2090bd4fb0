// Workbooks through aqualen-cli: the same table as a text file, an .xlsx, an
// .ods, an .xls and a UTF-16 text file gives the same reports; --sheet picks
// a sheet by name or number, and what cannot be read is refused by name.

#include <string>

#include <gtest/gtest.h>

#include "support/cli_runner.h"

namespace aqualen::test {
namespace {

std::string Fixture(const char* name)
{
    return std::string(AQUALEN_TESTS_DIR) + "/series/workbooks/" + name;
}

const char* const kSameTable[] = {"flows_utf16.txt", "flows.xlsx", "flows.ods", "flows.xls"};

TEST(WorkbookCli, EveryFormOfTheTableReportsAsTheTextFile)
{
    // The years make a full report; the values stop at their text cell.
    for (const char* column : {"1", "2"}) {
        const CliResult expected =
            RunCli("stats --decimal , --column " + std::string(column) + " '" + Fixture("flows.txt") + "'");
        ASSERT_EQ(expected.status, column[0] == '1' ? 0 : 1) << expected.err;
        for (const char* name : kSameTable) {
            const CliResult r =
                RunCli("stats --decimal , --column " + std::string(column) + " '" + Fixture(name) + "'");
            EXPECT_EQ(r.status, expected.status) << name << ": " << r.err;
            EXPECT_EQ(r.out, expected.out) << name;
            EXPECT_EQ(r.err, expected.err) << name;
        }
    }
}

TEST(WorkbookCli, SheetByNameOrNumberFromAFileOrStandardInput)
{
    const CliResult expected = RunCli("stats --decimal , '" + WriteScratchFile("second.txt", "1\n2\n3\n4,5\n") + "'");
    ASSERT_EQ(expected.status, 0);
    for (const char* name : {"flows.xlsx", "flows.ods", "flows.xls"}) {
        for (const std::string& how : {"--sheet 2 '" + Fixture(name) + "'", "--sheet=Второй '" + Fixture(name) + "'",
                                       "--sheet 2 - <'" + Fixture(name) + "'"}) {
            const CliResult r =
                RunCliShell("", "stats --decimal , " + how, how.find('<') != std::string::npos ? " " : "", "");
            EXPECT_EQ(r.status, 0) << name << " " << how << ": " << r.err;
            EXPECT_EQ(r.out, expected.out) << name << " " << how;
        }
    }
}

TEST(WorkbookCli, RefusalsNameTheirReason)
{
    const std::string xlsx = Fixture("flows.xlsx");
    const std::string text = Fixture("flows.txt");
    std::string truncated = ReadWholeFile(xlsx);
    truncated.resize(truncated.size() / 2);
    const std::string broken = WriteScratchFile("broken.xlsx", truncated);
    struct Case {
        std::string arguments;
        std::string err;
    };
    const Case cases[] = {
        {"--sheet 3 '" + xlsx + "'", xlsx + " has no sheet \"3\" (it holds 1 \"Расходы\", 2 \"Второй\")"},
        {"--sheet 0 '" + xlsx + "'", xlsx + " has no sheet \"0\" (it holds 1 \"Расходы\", 2 \"Второй\")"},
        {"--sheet Итог '" + xlsx + "'", xlsx + " has no sheet \"Итог\" (it holds 1 \"Расходы\", 2 \"Второй\")"},
        {"'" + xlsx + "'",
         xlsx + " holds a table of 2 columns: 1 \"Год\", 2 \"Расход, м3/с\"; choose one with --column N"},
        {"--column 3 '" + xlsx + "'", xlsx + " has no column 3 (it holds 2)"},
        {"--sheet 1 '" + text + "'", text + " is not a workbook: --sheet reads .xlsx, .ods and .xls files"},
        {"'" + broken + "'", "cannot read " + broken + ": not a readable .xlsx, .ods or .xls workbook"},
    };
    for (const Case& c : cases) {
        const CliResult r = RunCli("stats " + c.arguments);
        EXPECT_EQ(r.status, 4) << c.arguments;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "aqualen-cli stats: " + c.err + "\n") << c.arguments;
    }
    const CliResult empty = RunCli("stats --sheet= '" + xlsx + "'");
    EXPECT_EQ(empty.status, 4);
    EXPECT_NE(empty.err.find("--sheet takes a sheet's name or its number from 1"), std::string::npos) << empty.err;
}

TEST(WorkbookCli, EveryCommandTakesTheSheetOption)
{
    const std::string xls = Fixture("flows.xls");
    for (const std::string command : {"stats", "quantiles", "trend", "outliers"}) {
        const CliResult r = RunCli(command + " --decimal , --sheet 2 '" + xls + "'");
        EXPECT_NE(r.status, 4) << command << ": " << r.err;
        const CliResult help = RunCli(command + " --help");
        EXPECT_NE(help.out.find("--sheet S"), std::string::npos) << command;
    }
    for (const std::string command : {"correl", "homog"}) {
        const CliResult r = RunCli(command + " --decimal , --sheet 2 '" + xls + "' '" + xls + "'");
        EXPECT_NE(r.status, 4) << command << ": " << r.err;
    }
}

} // namespace
} // namespace aqualen::test
