#include <ostream>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "series/numeric_lists.h"
#include "stats/statistics_report.h"

namespace aqualen::cli {

namespace {

const char* kStatsUsage = "Usage: aqualen-cli stats [--r1 INDEX] [--decimal SEP] [--column N] [--sheet S] [FILE]\n"
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

int UsageError(std::ostream& err, const std::string& reason)
{
    return cli::UsageError(err, "stats", reason, kStatsUsage);
}

} // namespace

int RunStats(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string error;
    const std::optional<ParsedArgs> parsed =
        ParseArgs(args, {"--r1", kDecimalOption, kColumnOption, kSheetOption}, {}, error);
    if (!parsed)
        return UsageError(err, error);
    if (parsed->help) {
        return WriteHelp(out, err, kStatsUsage);
    }
    if (parsed->files.size() > 1)
        return UsageError(err, "one series file at most");
    const std::optional<int> r1Index = IntegerOption(*parsed, "--r1", 0, 0, 2);
    if (!r1Index)
        return UsageError(err, "--r1 takes 0, 1 or 2");
    const std::optional<SeriesFileOptions> fileOptions = ReadSeriesFileOptions(*parsed, error);
    if (!fileOptions)
        return UsageError(err, error);
    const char* separator = &fileOptions->separator;

    const std::string path = parsed->files.empty() ? std::string() : parsed->files.front();
    const std::optional<SeriesLines> lines = ReadSeriesFile(path, *fileOptions, error);
    if (!lines)
        return ReadError(err, "stats", error);

    TDoubleList series;
    return RunReport(out, err, [&]() -> int {
        StreamReportSink sink(out);
        const ReportOutcome outcome = RunStatisticsCommand(*lines, series, RegionalR1At(*r1Index), *separator, sink);
        switch (outcome) {
        case ReportOutcome::TooShort:
            err << "aqualen-cli stats: too few lines (a series needs at least 3)\n";
            return kExitTooShort;
        case ReportOutcome::InvalidInput:
        case ReportOutcome::DifferentLengths:
            err << ReportOutcomeMessage(outcome, 1) << '\n';
            return kExitRejected;
        case ReportOutcome::Report:
            return kExitReport;
        }
        return kExitReport;
    });
}

} // namespace aqualen::cli
