// aqualen-cli outliers: parse the options, read the series, test its
// largest and smallest values, write the report.

#include <ostream>

#include "analysis/outlier_tests.h"
#include "analysis/series_values.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "series/float_fault.h"
#include "stats/statistics_report.h"

namespace aqualen::cli {

namespace {

const char* kOutliersUsage = "Usage: aqualen-cli outliers [--dist km|p3] [--r1 INDEX] [--level 1|5|10]\n"
                             "                            [--decimal SEP] [--column N] [--sheet S] [FILE]\n"
                             "\n"
                             "Tests whether the largest and the smallest value of the series in FILE\n"
                             "(standard input when FILE is absent), 5 to 1,000 values, stand out:\n"
                             "Dixon's r10, r11, r20, r21, r22 and the Smirnov-Grubbs G, each with its\n"
                             "critical value and the verdict \"Однородно\" or \"Выделяется\". The critical\n"
                             "values are one-sided quantiles over 10,000 series of the same length\n"
                             "simulated with a fixed seed from the curve fitted to the series by the\n"
                             "moments method (bias-corrected Cv, Cs), with lag-one dependence r(1).\n"
                             "\n"
                             "  --dist km|p3   Kritsky-Menkel (default) or Pearson III\n"
                             "  --r1 INDEX     r(1) typical of the region, for the bias correction and the\n"
                             "                 simulation: 0 (r(1) = 0, default), 1 (0.3) or 2 (0.5)\n"
                             "  --level L      one-sided significance level in percent: 1, 5 (default), 10\n"
                             "  --decimal SEP  decimal separator for reading and writing, ',' or '.'\n"
                             "                 (default: the locale's)\n"
                             "  --column N     the column N (from 1) of a table file, its header line\n"
                             "                 skipped (a table is refused without it)\n"
                             "  --sheet S      the sheet S of a workbook (.xlsx, .ods, .xls), by\n"
                             "                 its name or its number from 1 (default: the first)\n"
                             "\n"
                             "Exit status: 0 report written, 1 input rejected (a line that does not\n"
                             "read, fewer than 5 or more than 1,000 values, all values equal, no curve\n"
                             "for the series' Cv and Cs), 2 floating-point fault, 3 too few lines,\n"
                             "4 usage error or an input that cannot be read, 5 the report could not be\n"
                             "written.\n";

int Usage(std::ostream& err, const std::string& reason)
{
    return UsageError(err, "outliers", reason, kOutliersUsage);
}

} // namespace

int RunOutliers(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string error;
    const std::optional<ParsedArgs> parsed =
        ParseArgs(args, {"--dist", "--r1", "--level", kDecimalOption, kColumnOption, kSheetOption}, {}, error);
    if (!parsed)
        return Usage(err, error);
    if (parsed->help)
        return WriteHelp(out, err, kOutliersUsage);
    if (parsed->files.size() > 1)
        return Usage(err, "one series file at most");
    dist::Distribution distribution = dist::Distribution::KritskyMenkel;
    if (const auto it = parsed->options.find("--dist"); it != parsed->options.end()) {
        if (it->second == "p3")
            distribution = dist::Distribution::PearsonIII;
        else if (it->second != "km")
            return Usage(err, "--dist takes km or p3");
    }
    const std::optional<int> r1Index = IntegerOption(*parsed, "--r1", 0, 0, 2);
    if (!r1Index)
        return Usage(err, "--r1 takes 0, 1 or 2");
    const std::optional<int> level = LevelOption(*parsed);
    if (!level)
        return Usage(err, "--level takes 1, 5 or 10");
    const std::optional<SeriesFileOptions> fileOptions = ReadSeriesFileOptions(*parsed, error);
    if (!fileOptions)
        return Usage(err, error);
    const char* separator = &fileOptions->separator;

    int status = kExitReport;
    const std::optional<std::vector<double>> values = ReadCommandValues(*parsed, *fileOptions, "outliers", err, status);
    if (!values)
        return status;
    if (const auto refusal = analysis::OutlierRefusal(*values)) {
        err << *refusal << '\n';
        return kExitRejected;
    }
    return RunReport(out, err, [&]() -> int {
        try {
            const analysis::OutlierResult result = analysis::ComputeOutliers(*values, distribution, *r1Index, *level);
            WriteLines(out, analysis::OutlierLines(result, *separator));
            return kExitReport;
        } catch (const dist::FitRefused& refused) {
            err << refused.what() << '\n';
            return kExitRejected;
        }
    });
}

} // namespace aqualen::cli
