// aqualen-cli homog: parse the options, read the two series, test them for
// homogeneity, write the report line by line.

#include <ostream>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "homog/critical_tables.h"
#include "homog/homogeneity_report.h"

namespace aqualen::cli {

namespace {

const CommandHelp kHomogHelp{
    "homog",
    std::string("Usage: aqualen-cli homog [--row R] [--level L] [--decimal SEP] [--column N] [--sheet S] "
                "SERIES1_FILE SERIES2_FILE\n"
                "\n"
                "Tests two series, one number per line, for homogeneity by the Fisher,\n"
                "Student and Wilcoxon criteria. '-' reads a series from standard input.\n"
                "\n") +
        OptionHelp("--row R", HelpColumn::Short,
                   {"dependence of the series, 0..17 (default 7: R = 0, r(1) = 0):",
                    "0..6 r(1) = 0.7 ... 0.1, 8..16 R = 0.1 ... 0.9, 17 R = 0.95"}) +
        OptionHelp("--level L", HelpColumn::Short,
                   {"significance level, 0..12 (default 3: 5 %):", "0.2 1 2 5 10 20 30 50/40 70 80 90 95 99 %"}) +
        DecimalHelp(HelpColumn::Short) + ColumnSheetHelp(HelpColumn::Short) + "\n" + std::string(kExitStatusHelp)};

struct HomogRequest {
    int row = 7;   // the dependence row of the critical tables
    int level = 3; // the significance level's column
    SeriesFileOptions fileOptions;
};

HomogRequest ParseHomog(const CommandLine& line)
{
    HomogRequest request;
    line.ExpectFiles(2, "two series files are needed");
    request.row = line.Integer("--row", 7, 0, kDependenceRowCount - 1, "--row takes 0..17");
    request.level = line.Integer(kLevelOption, 3, 0, kSignificanceLevelCount - 1, "--level takes 0..12");
    request.fileOptions = line.FileOptions();
    if (line.Files()[0] == "-" && line.Files()[1] == "-")
        line.Refuse("only one series can come from standard input");
    return request;
}

// The report streams out line by line, so that a fault part-way leaves the
// lines before it.
int WriteHomog(const CommandLine& line, const HomogRequest& request, const SeriesLines& first,
               const SeriesLines& second)
{
    StreamReportSink sink(line.out);
    const ReportOutcome outcome =
        HomogeneityReport(first, second, request.row, request.level, request.fileOptions.separator, sink);
    return line.OutcomeStatus(
        outcome, "aqualen-cli homog: too few lines (each series needs at least 3, one of them at least 10)", 2);
}

} // namespace

int RunHomog(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunCommand([&] {
        const CommandLine line(kHomogHelp, args, {"--row", kLevelOption, kDecimalOption, kColumnOption, kSheetOption},
                               {}, out, err);
        const HomogRequest request = ParseHomog(line);
        const SeriesLines first = line.ReadSeries(line.Files()[0], request.fileOptions);
        const SeriesLines second = line.ReadSeries(line.Files()[1], request.fileOptions);
        return RunReport(out, err, [&] { return WriteHomog(line, request, first, second); });
    });
}

} // namespace aqualen::cli
