// aqualen-cli correl: parse the options, read the studied series and its
// analogue, correlate them, write the report.

#include <optional>
#include <ostream>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "correl/correlation_report.h"
#include "series/messages.h"

namespace aqualen::cli {

namespace {

const CommandHelp kCorrelHelp{
    "correl",
    std::string("Usage: aqualen-cli correl [--decimal SEP] [--column N] [--sheet S] STUDIED_FILE ANALOGUE_FILE\n"
                "\n"
                "Correlates the studied series with its analogue, one number per line in\n"
                "each file (\"-\" reads standard input), and prints the nine report lines.\n") +
        OptionHelp("--decimal SEP", HelpColumn::Short,
                   {"decimal separator for reading and writing (default: the", "locale's)"}) +
        ColumnSheetHelp(HelpColumn::Short) + "\n" + std::string(kExitStatusHelp)};

struct CorrelRequest {
    std::string studied;
    std::string analogue;
    SeriesFileOptions fileOptions;
};

CorrelRequest ParseCorrel(const CommandLine& line)
{
    line.ExpectFiles(2, "expected two series files");
    return {line.Files()[0], line.Files()[1], line.FileOptions()};
}

int WriteCorrel(const CommandLine& line, const CorrelRequest& request, const SeriesLines& studied,
                const SeriesLines& analogue)
{
    const CorrelationOutcome outcome = CorrelationReport(studied, analogue, request.fileOptions.separator);
    if (outcome.kind == ReportOutcome::Report)
        WriteLines(line.out, outcome.lines);
    return line.OutcomeStatus(outcome.kind, "aqualen-cli correl: each series needs more than 2 lines", 2);
}

} // namespace

int RunCorrel(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunCommand([&] {
        const CommandLine line(kCorrelHelp, args, {kDecimalOption, kColumnOption, kSheetOption}, {}, out, err);
        const CorrelRequest request = ParseCorrel(line);
        const SeriesLines studied = line.ReadSeries(request.studied, request.fileOptions);
        const SeriesLines analogue = line.ReadSeries(request.analogue, request.fileOptions);
        return RunReport(out, err, [&] { return WriteCorrel(line, request, studied, analogue); });
    });
}

} // namespace aqualen::cli
