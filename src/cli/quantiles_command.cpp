#include <algorithm>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "cli/analytic_options.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "curve/analytic_fit.h"
#include "curve/curve_settings.h"
#include "curve/series_grid_cells.h"
#include "curve/smoothing_fit.h"
#include "distributions/quantile_report.h"
#include "series/number_text.h"
#include "series/numeric_lists.h"
#include "series/numeric_routines.h"
#include "stats/statistics_report.h"

namespace aqualen::cli {

namespace {

const char* kQuantilesUsage = "Usage: aqualen-cli quantiles [options] [FILE]\n"
                              "\n"
                              "Fits an analytic exceedance curve to the series in FILE (standard input\n"
                              "when FILE is absent; not read with --method given) and writes its\n"
                              "parameters, a blank line and the quantile table: P, % (no trailing zeros),\n"
                              "the return period T, years (100/P up to 50 %, 100/(100-P) above), Kp, Qp\n"
                              "and, with --band, the lower and upper limits of Qp, tab-separated, three\n"
                              "decimals.\n"
                              "\n"
                              "  --dist p3|km         Pearson III (default) or Kritsky-Menkel\n"
                              "  --method M           moments: Cv and Cs of the statistics report, bias-\n"
                              "                       corrected (default); sample: the sample Cv and Cs;\n"
                              "                       quantile: graphic-analytic, from the smoothing curve\n"
                              "                       at 5, 50 and 95 %; ml: maximum likelihood (km only);\n"
                              "                       given: --mean, --cv and --cs (or --ratio)\n"
                              "  --ratio M            fix Cs = M * Cv\n"
                              "  --r1 INDEX           r(1) for the bias correction: 0 (r(1) = 0, default),\n"
                              "                       1 (0.3) or 2 (0.5)\n"
                              "  --mean X --cv X --cs X  the parameters for --method given\n"
                              "  --p LIST             exceedance probabilities in percent, separated by\n"
                              "                       ';' or blanks (or ',' with the decimal point);\n"
                              "                       default 0.01 0.1 0.5 1 2 3 5 10 20 25 30 40 50 60 70\n"
                              "                       75 80 90 95 97 99 99.5 99.9\n"
                              "  --band 80|90|95      confidence limits at this level (parametric\n"
                              "                       bootstrap, 2000 samples, fixed seed)\n"
                              "  --formula 1|2        for --method quantile: plotting position of the\n"
                              "                       smoothing curve, 1 = m/(n+1) (default), 2 = (m-0.3)/(n+0.4)\n"
                              "  --fine               for --method quantile: the 0.01..99.99 % grid\n"
                              "  --compare            Pearson III and Kritsky-Menkel fitted by the same\n"
                              "                       method, side by side: their parameters, then P, T,\n"
                              "                       and Kp, Qp of each (no --dist, no --band)\n"
                              "  --gof                the criteria of fit after the parameters (of each\n"
                              "                       curve with --compare): Kolmogorov D, Cramer-von\n"
                              "                       Mises w2, Anderson-Darling A2 and, from 25 values,\n"
                              "                       Pearson chi2 over min(10, n/5) classes of equal\n"
                              "                       probability, each with its p-value by parametric\n"
                              "                       bootstrap (1000 samples re-estimated by the same\n"
                              "                       method, fixed seed; not with --method given)\n"
                              "  --decimal SEP        decimal separator for reading and writing, ',' or '.'\n"
                              "                       (default: the locale's)\n"
                              "  --column N           the column N (from 1) of a table file, its header\n"
                              "                       line skipped\n"
                              "  --sheet S            the sheet S of a workbook (.xlsx, .ods, .xls), by\n"
                              "                       its name or its number from 1 (default: the first)\n"
                              "\n"
                              "Exit status: 0 report written, 1 input rejected (the window's message on\n"
                              "standard error, e.g. no curve for these Cv and Cs), 2 floating-point fault,\n"
                              "3 too few lines, 4 usage error or an input that cannot be read, 5 the\n"
                              "report could not be written.\n";

int Usage(std::ostream& err, const std::string& reason)
{
    return UsageError(err, "quantiles", reason, kQuantilesUsage);
}

// What the command line asks for.
struct QuantilesInvocation {
    char separator = '.';
    dist::QuantileRequest request;
    std::string path; // the series file; empty for standard input
    SeriesFileOptions fileOptions;
    bool fineGrid = false; // --fine
    bool compare = false;  // --compare
    PlottingFormula formula = PlottingFormula::Weibull;
};

// Reads the options into `invocation`; nullopt when the command goes on,
// otherwise the exit status (help written, or a usage error or a refused
// number reported).
std::optional<int> ParseOptions(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                                QuantilesInvocation& invocation)
{
    std::string error;
    const std::optional<ParsedArgs> parsed =
        ParseArgs(args,
                  {"--dist", "--method", "--ratio", "--r1", "--mean", "--cv", "--cs", "--p", "--band", "--formula",
                   "--decimal", "--column", "--sheet"},
                  {"--fine", "--compare", "--gof"}, error);
    if (!parsed)
        return Usage(err, error);
    if (parsed->help)
        return WriteHelp(out, err, kQuantilesUsage);
    if (parsed->files.size() > 1)
        return Usage(err, "one series file at most");
    const std::optional<char> separator = DecimalSeparator(*parsed);
    if (!separator)
        return Usage(err, "--decimal takes ',' or '.'");
    const std::optional<SeriesFileOptions> fileOptions = ReadSeriesFileOptions(*parsed, error);
    if (!fileOptions)
        return Usage(err, error);
    invocation.fileOptions = *fileOptions;
    const std::optional<int> r1Index = IntegerOption(*parsed, "--r1", 0, 0, 2);
    if (!r1Index)
        return Usage(err, "--r1 takes 0, 1 or 2");
    const std::optional<int> formula = IntegerOption(*parsed, "--formula", 1, 1, 2);
    if (!formula)
        return Usage(err, "--formula takes 1 or 2");
    AnalyticChoice choice;
    if (!ReadAnalyticOptions(*parsed, *separator, dist::Distribution::PearsonIII, choice)) {
        if (choice.status == kExitUsage)
            return Usage(err, choice.reason);
        err << choice.reason << '\n';
        return choice.status;
    }
    invocation.separator = *separator;
    invocation.request.options = choice.options;
    invocation.request.options.r1Choice = *r1Index;
    if (const auto it = parsed->options.find("--p"); it != parsed->options.end()) {
        const auto list = dist::ParseProbabilityList(it->second, *separator);
        if (!list)
            return Usage(err, "--p takes probabilities in percent between 0 and 100, separated by ';'");
        invocation.request.probabilities = *list;
    }
    if (invocation.request.options.method == dist::Method::Given && !parsed->files.empty())
        return Usage(err, "--method given reads no series file");
    invocation.path = parsed->files.empty() ? std::string() : parsed->files.front();
    invocation.fineGrid = parsed->flags.count("--fine") > 0;
    invocation.compare = parsed->flags.count("--compare") > 0;
    invocation.request.goodnessOfFit = parsed->flags.count("--gof") > 0;
    if (invocation.request.goodnessOfFit && invocation.request.options.method == dist::Method::Given)
        return Usage(err, "--gof tests the curve against a series: not with --method given");
    if (invocation.compare && (invocation.request.options.bandLevel != 0 || parsed->options.count("--dist")))
        return Usage(err, "--compare takes neither --band nor --dist");
    invocation.formula = *formula == 1 ? PlottingFormula::Weibull : PlottingFormula::Chegodayev;
    return std::nullopt;
}

// The smoothing curve's points as the curve window fits them: the series
// through the dialog's grid routines, then the parabola. Nullopt when the
// grid refuses the series. Raises the smoothing fit's refusal.
std::optional<dist::SmoothingPoints> SmoothingOf(const SeriesLines& lines, const QuantilesInvocation& invocation)
{
    CurveSettings settings;
    settings.FineGrid = invocation.fineGrid;
    settings.ScaleMax = 17;
    settings.ScaleMin = 0;
    const int n = static_cast<int>(lines.size());
    SeriesGridCells cells;
    for (int m = 1; m <= n; ++m)
        cells.Set(SeriesGridCells::kValueColumn, m, lines[m - 1]);
    FillProbabilityColumn(cells, n, invocation.formula, invocation.separator);
    if (!SortSeries(cells, n, true, settings, invocation.separator) ||
        !ReadSeries(cells, n, settings, invocation.separator))
        return std::nullopt;
    settings.SmoothCurve = true;
    FitSmoothingCurve(settings);
    return SmoothingPointsOf(settings);
}

// Fits, builds the report and writes it whole: a refusal or a fault on the
// way writes no line.
int WriteReport(const QuantilesInvocation& invocation, std::ostream& out, std::ostream& err)
{
    try {
        if (invocation.compare) {
            const dist::QuantileComparison comparison = dist::CompareDistributions(invocation.request);
            WriteLines(out, dist::ComparisonLines(comparison, invocation.request.probabilities, invocation.separator));
            return kExitReport;
        }
        const dist::QuantileResult result = dist::RunQuantileRequest(invocation.request);
        dist::QuantileReport report;
        dist::BuildQuantileReport(result.fit, result.band ? &*result.band : nullptr, invocation.request.probabilities,
                                  invocation.separator, report, result.goodness ? &*result.goodness : nullptr);
        WriteLines(out, report.Lines());
        return kExitReport;
    } catch (const dist::FitRefused& refused) {
        err << refused.what() << '\n';
        return kExitRejected;
    }
}

} // namespace

int RunQuantiles(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    QuantilesInvocation invocation;
    if (const std::optional<int> status = ParseOptions(args, out, err, invocation))
        return *status;
    if (invocation.request.options.method == dist::Method::Given)
        return RunReport(out, err, [&] { return WriteReport(invocation, out, err); });

    std::string error;
    const std::optional<SeriesLines> lines = ReadSeriesFile(invocation.path, invocation.fileOptions, error);
    if (!lines)
        return ReadError(err, "quantiles", error);
    if (lines->size() < kLeastSeriesLength) {
        err << "aqualen-cli quantiles: too few lines (a series needs at least 3)\n";
        return kExitTooShort;
    }
    TDoubleList series;
    if (!ParseSeries(*lines, series, invocation.separator)) {
        err << kSeriesInvalidText << '\n';
        return kExitRejected;
    }
    for (int32_t i = 0; i < series.Count(); ++i)
        invocation.request.values.push_back(series.Get(i));

    return RunReport(out, err, [&]() -> int {
        if (invocation.request.options.method == dist::Method::GraphicAnalytic) {
            try {
                invocation.request.smoothing = SmoothingOf(*lines, invocation);
            } catch (const dist::FitRefused& refused) { // the smoothing fit's refusal
                err << refused.what() << '\n';
                return kExitRejected;
            }
            if (!invocation.request.smoothing) {
                err << kSeriesInvalidText << '\n';
                return kExitRejected;
            }
        }
        return WriteReport(invocation, out, err);
    });
}

} // namespace aqualen::cli
