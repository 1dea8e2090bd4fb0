// aqualen-cli trend: parse the options, read the series, run the trend and
// change-point tests, write the report.

#include <ostream>

#include "analysis/analysis_messages.h"
#include "analysis/series_values.h"
#include "analysis/trend_tests.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "stats/statistics_report.h"

namespace aqualen::cli {

namespace {

const char* kTrendUsage = "Usage: aqualen-cli trend [--level 1|5|10] [--decimal SEP] [--column N] [--sheet S] [FILE]\n"
                          "\n"
                          "Tests the series in FILE (standard input when FILE is absent), one number\n"
                          "per line in time order, 10 to 10,000 values, for a trend and a change\n"
                          "point: Mann-Kendall S and Z with the tie correction, Z after Hamed and\n"
                          "Rao's correction for autocorrelation, Sen's slope per step, Spearman's rho\n"
                          "against time and Pettitt's K with the length of the first part, each with\n"
                          "its two-sided p; then one verdict per test at the level.\n"
                          "\n"
                          "  --level L      significance level in percent: 1, 5 (default) or 10\n"
                          "  --decimal SEP  decimal separator for reading and writing, ',' or '.'\n"
                          "                 (default: the locale's)\n"
                          "  --column N     the column N (from 1) of a table file, its header line\n"
                          "                 skipped (a table is refused without it)\n"
                          "  --sheet S      the sheet S of a workbook (.xlsx, .ods, .xls), by\n"
                          "                 its name or its number from 1 (default: the first)\n"
                          "\n"
                          "Exit status: 0 report written, 1 input rejected (a line that does not\n"
                          "read, fewer than 10 or more than 10,000 values, all values equal),\n"
                          "2 floating-point fault, 3 too few lines, 4 usage error or an input that\n"
                          "cannot be read, 5 the report could not be written.\n";

int Usage(std::ostream& err, const std::string& reason)
{
    return UsageError(err, "trend", reason, kTrendUsage);
}

} // namespace

std::optional<std::vector<double>> ReadCommandValues(const ParsedArgs& parsed, const SeriesFileOptions& options,
                                                     const char* command, std::ostream& err, int& status)
{
    std::string error;
    const std::string path = parsed.files.empty() ? std::string() : parsed.files.front();
    const std::optional<SeriesLines> lines = ReadSeriesFile(path, options, error);
    if (!lines) {
        status = ReadError(err, command, error);
        return std::nullopt;
    }
    if (lines->size() <= 2) {
        err << "aqualen-cli " << command << ": too few lines (a series needs at least 3)\n";
        status = kExitTooShort;
        return std::nullopt;
    }
    std::optional<std::vector<double>> values = analysis::ReadValues(*lines, options.separator);
    if (!values) {
        err << kSeriesInvalidText << '\n';
        status = kExitRejected;
    }
    return values;
}

std::optional<int> LevelOption(const ParsedArgs& parsed)
{
    const std::optional<int> level = IntegerOption(parsed, "--level", 5, 1, 10);
    if (!level || (*level != 1 && *level != 5 && *level != 10))
        return std::nullopt;
    return level;
}

int RunTrend(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string error;
    const std::optional<ParsedArgs> parsed =
        ParseArgs(args, {"--level", kDecimalOption, kColumnOption, kSheetOption}, {}, error);
    if (!parsed)
        return Usage(err, error);
    if (parsed->help)
        return WriteHelp(out, err, kTrendUsage);
    if (parsed->files.size() > 1)
        return Usage(err, "one series file at most");
    const std::optional<int> level = LevelOption(*parsed);
    if (!level)
        return Usage(err, "--level takes 1, 5 or 10");
    const std::optional<SeriesFileOptions> fileOptions = ReadSeriesFileOptions(*parsed, error);
    if (!fileOptions)
        return Usage(err, error);
    const char* separator = &fileOptions->separator;

    int status = kExitReport;
    const std::optional<std::vector<double>> values = ReadCommandValues(*parsed, *fileOptions, "trend", err, status);
    if (!values)
        return status;
    if (const auto refusal = analysis::TrendRefusal(*values)) {
        err << *refusal << '\n';
        return kExitRejected;
    }
    return RunReport(out, err, [&]() -> int {
        const analysis::TrendResult result = analysis::ComputeTrend(*values);
        WriteLines(out, analysis::TrendLines(result, *level, std::nullopt, *separator));
        return kExitReport;
    });
}

} // namespace aqualen::cli
