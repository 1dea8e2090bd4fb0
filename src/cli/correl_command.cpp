#include <optional>
#include <ostream>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "correl/correlation_report.h"
#include "series/messages.h"

namespace aqualen::cli {

namespace {

const char* kCorrelUsage =
    "Usage: aqualen-cli correl [--decimal SEP] [--column N] [--sheet S] STUDIED_FILE ANALOGUE_FILE\n"
    "\n"
    "Correlates the studied series with its analogue, one number per line in\n"
    "each file (\"-\" reads standard input), and prints the nine report lines.\n"
    "  --decimal SEP  decimal separator for reading and writing (default: the\n"
    "                 locale's)\n"
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
    return cli::UsageError(err, "correl", reason, kCorrelUsage);
}

} // namespace

int RunCorrel(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string error;
    const std::optional<ParsedArgs> parsed = ParseArgs(args, {kDecimalOption, kColumnOption, kSheetOption}, {}, error);
    if (!parsed)
        return UsageError(err, error);
    if (parsed->help) {
        return WriteHelp(out, err, kCorrelUsage);
    }
    if (parsed->files.size() != 2)
        return UsageError(err, "expected two series files");
    const std::optional<SeriesFileOptions> fileOptions = ReadSeriesFileOptions(*parsed, error);
    if (!fileOptions)
        return UsageError(err, error);
    const char* separator = &fileOptions->separator;
    const std::optional<SeriesLines> studied = ReadSeriesFile(parsed->files[0], *fileOptions, error);
    const std::optional<SeriesLines> analogue =
        studied ? ReadSeriesFile(parsed->files[1], *fileOptions, error) : std::nullopt;
    if (!studied || !analogue)
        return ReadError(err, "correl", error);

    return RunReport(out, err, [&]() -> int {
        const CorrelationOutcome outcome = CorrelationReport(*studied, *analogue, *separator);
        switch (outcome.kind) {
        case ReportOutcome::TooShort:
            err << "aqualen-cli correl: each series needs more than 2 lines\n";
            return kExitTooShort;
        case ReportOutcome::DifferentLengths:
        case ReportOutcome::InvalidInput:
            err << ReportOutcomeMessage(outcome.kind, 2) << '\n';
            return kExitRejected;
        case ReportOutcome::Report:
            WriteLines(out, outcome.lines);
            return kExitReport;
        }
        return kExitReport;
    });
}

} // namespace aqualen::cli
