// What aqualen-cli says about its reads and writes must be true: a report or
// sheet that did not reach its target is exit status 5, a series that could
// not be read is exit status 4, and a failed write never leaves a partial
// file or touches the file that was there.

#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

#include "support/cli_runner.h"

namespace aqualen::test {
namespace {

const std::string kTenValues = "100\n120\n80\n150\n110\n90\n140\n130\n100\n120\n";
const std::string kFiveValues = "15\n12\n10\n8\n5\n";

// A disk that is full after 4 KiB: writes past it fail (the signal that would
// end the process is ignored, so the write returns its error).
const std::string kFullAfter4K = "trap '' XFSZ; ulimit -f 8;";

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(TruthfulWrites, ReportsThatCannotBeWrittenAreStatusFive)
{
    const std::string first = WriteScratchFile("first.txt", kTenValues);
    const std::string second = WriteScratchFile("second.txt", "3\n5\n4\n6\n5\n7\n6\n8\n7\n9\n");
    const std::string commands[] = {
        "stats --decimal , '" + first + "'",
        "correl '" + first + "' '" + second + "'",
        "homog '" + first + "' '" + second + "'",
        "--help",
        "stats --help",
        "correl --help",
        "homog --help",
        "curve --help",
    };
    for (const std::string& command : commands) {
        for (const char* target : {">/dev/full", ">&-"}) {
            const CliResult r = RunCliShell("", command, "", target);
            EXPECT_EQ(r.status, 5) << command << " " << target;
            EXPECT_TRUE(Contains(r.err, "cannot write standard output")) << command << " " << target << ": " << r.err;
        }
        // The same command written to a file is a success.
        EXPECT_EQ(RunCli(command).status, 0) << command;
    }
}

TEST(TruthfulWrites, AFailedSheetLeavesNoPartAndKeepsTheOldFile)
{
    const std::string values = WriteScratchFile("sheet-values.txt", kFiveValues);
    for (const char* name : {"full.pdf", "full.png"}) {
        const std::string target = ScratchDir() + "/" + name;
        std::remove(target.c_str());
        // Nothing there before: nothing there after.
        CliResult r = RunCliShell(kFullAfter4K, "curve --smooth '" + values + "' -o '" + target + "'", "", "");
        EXPECT_EQ(r.status, 5) << name;
        EXPECT_TRUE(Contains(r.err, "cannot write " + target + ": ")) << r.err;
        EXPECT_NE(access(target.c_str(), F_OK), 0) << name;

        // A file there before stays as it was.
        WriteScratchFile(name, "the user's old sheet");
        r = RunCliShell(kFullAfter4K, "curve --smooth '" + values + "' -o '" + target + "'", "", "");
        EXPECT_EQ(r.status, 5) << name;
        EXPECT_EQ(ReadWholeFile(target), "the user's old sheet") << name;

        // With room enough the file is replaced by a complete one.
        r = RunCli("curve --smooth '" + values + "' -o '" + target + "'");
        EXPECT_EQ(r.status, 0) << r.err;
        const std::string written = ReadWholeFile(target);
        if (Contains(name, ".pdf")) {
            EXPECT_EQ(written.rfind("%PDF", 0), 0u);
            EXPECT_TRUE(Contains(written.substr(written.size() - 8), "%%EOF"));
        } else {
            EXPECT_EQ(written.substr(1, 3), "PNG");
        }
    }
    // No temporary file is left in the folder.
    EXPECT_NE(std::system(("ls -a '" + ScratchDir() + "' | grep -q 'full\\.p.*\\.'").c_str()), 0);
}

TEST(TruthfulWrites, AReadOnlyTargetIsKept)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser may write any file";
    const std::string values = WriteScratchFile("ro-values.txt", kFiveValues);
    const std::string target = WriteScratchFile("readonly.png", "kept");
    chmod(target.c_str(), 0444);
    const CliResult r = RunCli("curve '" + values + "' -o '" + target + "'");
    EXPECT_EQ(r.status, 5);
    EXPECT_EQ(ReadWholeFile(target), "kept");
}

TEST(TruthfulReads, NoSeriesFromAFolderOrAClosedInput)
{
    const std::string values = WriteScratchFile("read-values.txt", kTenValues);
    const std::string folder = ScratchDir();
    const std::string out = " -o '" + ScratchDir() + "/read.png'";
    const struct {
        std::string arguments, stdinRedirect, message;
    } cases[] = {
        {"stats '" + folder + "'", "", "aqualen-cli stats: cannot read " + folder + ": "},
        {"stats", "<&-", "aqualen-cli stats: cannot read standard input: "},
        {"stats -", "<&-", "aqualen-cli stats: cannot read standard input: "},
        {"stats /nonexistent-aqualen/x.txt", "", "aqualen-cli stats: cannot read /nonexistent-aqualen/x.txt: "},
        {"correl '" + values + "' '" + folder + "'", "", "aqualen-cli correl: cannot read " + folder + ": "},
        {"correl - '" + values + "'", "<&-", "aqualen-cli correl: cannot read standard input: "},
        {"homog '" + folder + "' '" + values + "'", "", "aqualen-cli homog: cannot read " + folder + ": "},
        {"curve '" + folder + "'" + out, "", "aqualen-cli curve: cannot read " + folder + ": "},
        {"curve -" + out, "<&-", "aqualen-cli curve: cannot read standard input: "},
    };
    for (const auto& c : cases) {
        const CliResult r = RunCliShell("", c.arguments, c.stdinRedirect, "");
        EXPECT_EQ(r.status, 4) << c.arguments << " " << c.stdinRedirect;
        EXPECT_TRUE(Contains(r.err, c.message)) << c.arguments << " " << c.stdinRedirect << ": " << r.err;
        EXPECT_EQ(r.out, "") << c.arguments;
    }
}

} // namespace
} // namespace aqualen::test
