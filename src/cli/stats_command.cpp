// aqualen-cli stats: parse the options, read the series, write the
// statistics report line by line.

#include <ostream>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "series/numeric_lists.h"
#include "stats/statistics_report.h"

namespace aqualen::cli {

namespace {

const CommandHelp kStatsHelp{
    "stats",
    std::string("Usage: aqualen-cli stats [--r1 INDEX] [--decimal SEP] [--column N] [--sheet S] [FILE]\n"
                "\n"
                "Writes the statistics report of the series in FILE (standard input when\n"
                "FILE is absent), one number per line.\n"
                "\n") +
        OptionHelp("--r1 INDEX", HelpColumn::Short,
                   {"r(1) typical of the region: 0 (r(1) = 0, default),", "1 (r(1) = 0.3) or 2 (r(1) = 0.5)"}) +
        DecimalHelp(HelpColumn::Short) + ColumnSheetHelp(HelpColumn::Short) + "\n" + std::string(kExitStatusHelp)};

// What the command line asks for.
struct StatsRequest {
    std::string path; // empty for standard input
    int r1Index = 0;
    SeriesFileOptions fileOptions;
};

StatsRequest ParseStats(const CommandLine& line)
{
    StatsRequest request;
    request.path = line.OptionalFile();
    request.r1Index = line.R1Index();
    request.fileOptions = line.FileOptions();
    return request;
}

// The report streams out line by line, so that a fault part-way leaves the
// lines before it.
int WriteStats(const CommandLine& line, const StatsRequest& request, const SeriesLines& lines)
{
    TDoubleList series;
    StreamReportSink sink(line.out);
    const ReportOutcome outcome =
        RunStatisticsCommand(lines, series, RegionalR1At(request.r1Index), request.fileOptions.separator, sink);
    return line.OutcomeStatus(outcome, line.TooFewLinesText(), 1);
}

} // namespace

int RunStats(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunCommand([&] {
        const CommandLine line(kStatsHelp, args, {kR1Option, kDecimalOption, kColumnOption, kSheetOption}, {}, out,
                               err);
        const StatsRequest request = ParseStats(line);
        const SeriesLines lines = line.ReadSeries(request.path, request.fileOptions);
        return RunReport(out, err, [&] { return WriteStats(line, request, lines); });
    });
}

} // namespace aqualen::cli
