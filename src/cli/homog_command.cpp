#include <ostream>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "homog/critical_tables.h"
#include "homog/homogeneity_report.h"

namespace aqualen::cli {

namespace {

const char* kHomogUsage = "Usage: aqualen-cli homog [--row R] [--level L] [--decimal SEP] [--column N] [--sheet S] "
                          "SERIES1_FILE SERIES2_FILE\n"
                          "\n"
                          "Tests two series, one number per line, for homogeneity by the Fisher,\n"
                          "Student and Wilcoxon criteria. '-' reads a series from standard input.\n"
                          "\n"
                          "  --row R        dependence of the series, 0..17 (default 7: R = 0, r(1) = 0):\n"
                          "                 0..6 r(1) = 0.7 ... 0.1, 8..16 R = 0.1 ... 0.9, 17 R = 0.95\n"
                          "  --level L      significance level, 0..12 (default 3: 5 %):\n"
                          "                 0.2 1 2 5 10 20 30 50/40 70 80 90 95 99 %\n"
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

int UsageError(std::ostream& err, const std::string& reason)
{
    return cli::UsageError(err, "homog", reason, kHomogUsage);
}

} // namespace

int RunHomog(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string error;
    const std::optional<ParsedArgs> parsed =
        ParseArgs(args, {"--row", "--level", kDecimalOption, kColumnOption, kSheetOption}, {}, error);
    if (!parsed)
        return UsageError(err, error);
    if (parsed->help) {
        return WriteHelp(out, err, kHomogUsage);
    }
    if (parsed->files.size() != 2)
        return UsageError(err, "two series files are needed");
    const std::optional<int> row = IntegerOption(*parsed, "--row", 7, 0, kDependenceRowCount - 1);
    if (!row)
        return UsageError(err, "--row takes 0..17");
    const std::optional<int> level = IntegerOption(*parsed, "--level", 3, 0, kSignificanceLevelCount - 1);
    if (!level)
        return UsageError(err, "--level takes 0..12");
    const std::optional<SeriesFileOptions> fileOptions = ReadSeriesFileOptions(*parsed, error);
    if (!fileOptions)
        return UsageError(err, error);
    const char* separator = &fileOptions->separator;
    if (parsed->files[0] == "-" && parsed->files[1] == "-")
        return UsageError(err, "only one series can come from standard input");

    const std::optional<SeriesLines> first = ReadSeriesFile(parsed->files[0], *fileOptions, error);
    if (!first)
        return ReadError(err, "homog", error);
    const std::optional<SeriesLines> second = ReadSeriesFile(parsed->files[1], *fileOptions, error);
    if (!second)
        return ReadError(err, "homog", error);

    StreamReportSink sink(out);
    return RunReport(out, err, [&]() -> int {
        const ReportOutcome outcome = HomogeneityReport(*first, *second, *row, *level, *separator, sink);
        switch (outcome) {
        case ReportOutcome::TooShort:
            err << "aqualen-cli homog: too few lines (each series needs at least 3, one of them at least 10)\n";
            return kExitTooShort;
        case ReportOutcome::InvalidInput:
        case ReportOutcome::DifferentLengths:
            err << ReportOutcomeMessage(outcome, 2) << '\n';
            return kExitRejected;
        case ReportOutcome::Report:
            return kExitReport;
        }
        return kExitReport;
    });
}

} // namespace aqualen::cli
