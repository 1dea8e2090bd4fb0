// aqualen-cli trend: parse the options, read the series, run the trend and
// change-point tests, write the report.

#include <ostream>

#include "analysis/analysis_messages.h"
#include "analysis/trend_tests.h"
#include "cli/cli_common.h"
#include "cli/commands.h"

namespace aqualen::cli {

namespace {

const CommandHelp kTrendHelp{
    "trend", std::string("Usage: aqualen-cli trend [--level 1|5|10] [--decimal SEP] [--column N] [--sheet S] [FILE]\n"
                         "\n"
                         "Tests the series in FILE (standard input when FILE is absent), one number\n"
                         "per line in time order, 10 to 10,000 values, for a trend and a change\n"
                         "point: Mann-Kendall S and Z with the tie correction, Z after Hamed and\n"
                         "Rao's correction for autocorrelation, Sen's slope per step, Spearman's rho\n"
                         "against time and Pettitt's K with the length of the first part, each with\n"
                         "its two-sided p; then one verdict per test at the level.\n"
                         "\n") +
                 OptionHelp("--level L", HelpColumn::Short, {"significance level in percent: 1, 5 (default) or 10"}) +
                 DecimalHelp(HelpColumn::Short) + ColumnSheetHelp(HelpColumn::Short) +
                 "\n"
                 "Exit status: 0 report written, 1 input rejected (a line that does not\n"
                 "read, fewer than 10 or more than 10,000 values, all values equal),\n"
                 "2 floating-point fault, 3 too few lines, 4 usage error or an input that\n"
                 "cannot be read, 5 the report could not be written.\n"};

struct TrendRequest {
    std::string path; // empty for standard input
    int level = 5;
    SeriesFileOptions fileOptions;
};

TrendRequest ParseTrend(const CommandLine& line)
{
    TrendRequest request;
    request.path = line.OptionalFile();
    request.level = line.Level();
    request.fileOptions = line.FileOptions();
    return request;
}

} // namespace

int RunTrend(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunCommand([&] {
        const CommandLine line(kTrendHelp, args, {kLevelOption, kDecimalOption, kColumnOption, kSheetOption}, {}, out,
                               err);
        const TrendRequest request = ParseTrend(line);
        const std::vector<double> values = line.ReadValues(request.path, request.fileOptions);
        if (const auto refusal = analysis::TrendRefusal(values))
            line.Reject(*refusal);
        return RunReport(out, err, [&] {
            const analysis::TrendResult result = analysis::ComputeTrend(values);
            WriteLines(out, analysis::TrendLines(result, request.level, std::nullopt, request.fileOptions.separator));
            return kExitReport;
        });
    });
}

} // namespace aqualen::cli
