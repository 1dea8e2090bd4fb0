// aqualen-cli outliers: parse the options, read the series, test its
// largest and smallest values, write the report.

#include <ostream>

#include "analysis/outlier_tests.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "series/float_fault.h"
#include "stats/statistics_report.h"

namespace aqualen::cli {

namespace {

const CommandHelp kOutliersHelp{
    "outliers",
    std::string("Usage: aqualen-cli outliers [--dist km|p3] [--r1 INDEX] [--level 1|5|10]\n"
                "                            [--decimal SEP] [--column N] [--sheet S] [FILE]\n"
                "\n"
                "Tests whether the largest and the smallest value of the series in FILE\n"
                "(standard input when FILE is absent), 5 to 1,000 values, stand out:\n"
                "Dixon's r10, r11, r20, r21, r22 and the Smirnov-Grubbs G, each with its\n"
                "critical value and the verdict \"Однородно\" or \"Выделяется\". The critical\n"
                "values are one-sided quantiles over 10,000 series of the same length\n"
                "simulated with a fixed seed from the curve fitted to the series by the\n"
                "moments method (bias-corrected Cv, Cs), with lag-one dependence r(1).\n"
                "\n") +
        OptionHelp("--dist km|p3", HelpColumn::Short, {"Kritsky-Menkel (default) or Pearson III"}) +
        OptionHelp("--r1 INDEX", HelpColumn::Short,
                   {"r(1) typical of the region, for the bias correction and the",
                    "simulation: 0 (r(1) = 0, default), 1 (0.3) or 2 (0.5)"}) +
        OptionHelp("--level L", HelpColumn::Short, {"one-sided significance level in percent: 1, 5 (default), 10"}) +
        DecimalHelp(HelpColumn::Short) + ColumnSheetHelp(HelpColumn::Short) +
        "\n"
        "Exit status: 0 report written, 1 input rejected (a line that does not\n"
        "read, fewer than 5 or more than 1,000 values, all values equal, no curve\n"
        "for the series' Cv and Cs), 2 floating-point fault, 3 too few lines,\n"
        "4 usage error or an input that cannot be read, 5 the report could not be\n"
        "written.\n"};

struct OutliersRequest {
    std::string path; // empty for standard input
    dist::Distribution distribution = dist::Distribution::KritskyMenkel;
    int r1Index = 0;
    int level = 5;
    SeriesFileOptions fileOptions;
};

OutliersRequest ParseOutliers(const CommandLine& line)
{
    OutliersRequest request;
    request.path = line.OptionalFile();
    const std::string distribution = line.Text("--dist", "km");
    if (distribution == "p3")
        request.distribution = dist::Distribution::PearsonIII;
    else if (distribution != "km")
        line.Refuse("--dist takes km or p3");
    request.r1Index = line.R1Index();
    request.level = line.Level();
    request.fileOptions = line.FileOptions();
    return request;
}

// The report is written whole: a refusal or a fault on the way writes no line.
int WriteOutliers(const CommandLine& line, const OutliersRequest& request, const std::vector<double>& values)
{
    try {
        const analysis::OutlierResult result =
            analysis::ComputeOutliers(values, request.distribution, request.r1Index, request.level);
        WriteLines(line.out, analysis::OutlierLines(result, request.fileOptions.separator));
        return kExitReport;
    } catch (const dist::FitRefused& refused) {
        line.err << refused.what() << '\n';
        return kExitRejected;
    }
}

} // namespace

int RunOutliers(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunCommand([&] {
        const CommandLine line(kOutliersHelp, args,
                               {"--dist", kR1Option, kLevelOption, kDecimalOption, kColumnOption, kSheetOption}, {},
                               out, err);
        const OutliersRequest request = ParseOutliers(line);
        const std::vector<double> values = line.ReadValues(request.path, request.fileOptions);
        if (const auto refusal = analysis::OutlierRefusal(values))
            line.Reject(*refusal);
        return RunReport(out, err, [&] { return WriteOutliers(line, request, values); });
    });
}

} // namespace aqualen::cli
