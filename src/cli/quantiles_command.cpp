#include <algorithm>
#include <iterator>
#include <optional>
#include <ostream>
#include <set>
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

const CommandHelp kQuantilesHelp{
    "quantiles", std::string("Usage: aqualen-cli quantiles [options] [FILE]\n"
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
                             "                       method, fixed seed; not with --method given)\n") +
                     DecimalHelp(HelpColumn::Long) + ColumnSheetHelp(HelpColumn::Long) +
                     "\n"
                     "Exit status: 0 report written, 1 input rejected (the window's message on\n"
                     "standard error, e.g. no curve for these Cv and Cs), 2 floating-point fault,\n"
                     "3 too few lines, 4 usage error or an input that cannot be read, 5 the\n"
                     "report could not be written.\n"};

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

QuantilesInvocation ParseQuantiles(const CommandLine& line)
{
    QuantilesInvocation invocation;
    invocation.path = line.OptionalFile();
    invocation.separator = line.Separator();
    invocation.fileOptions = line.FileOptions();
    const int r1Index = line.R1Index();
    const int formula = line.Integer("--formula", 1, 1, 2, "--formula takes 1 or 2");
    dist::QuantileRequest& request = invocation.request;
    request.options = AnalyticOptions(line, invocation.separator, dist::Distribution::PearsonIII);
    request.options.r1Choice = r1Index;
    if (line.Has("--p")) {
        const auto list = dist::ParseProbabilityList(line.Text("--p", ""), invocation.separator);
        if (!list)
            line.Refuse("--p takes probabilities in percent between 0 and 100, separated by ';'");
        request.probabilities = *list;
    }
    if (request.options.method == dist::Method::Given && !line.Files().empty())
        line.Refuse("--method given reads no series file");
    invocation.fineGrid = line.Flag("--fine");
    invocation.compare = line.Flag("--compare");
    request.goodnessOfFit = line.Flag("--gof");
    if (request.goodnessOfFit && request.options.method == dist::Method::Given)
        line.Refuse("--gof tests the curve against a series: not with --method given");
    if (invocation.compare && (request.options.bandLevel != 0 || line.Has("--dist")))
        line.Refuse("--compare takes neither --band nor --dist");
    invocation.formula = formula == 1 ? PlottingFormula::Weibull : PlottingFormula::Chegodayev;
    return invocation;
}

// The series' values into the request; its lines, for the smoothing curve.
SeriesLines ReadQuantileSeries(const CommandLine& line, QuantilesInvocation& invocation)
{
    SeriesLines lines = line.ReadSeries(invocation.path, invocation.fileOptions);
    line.RequireLength(lines);
    TDoubleList series;
    if (!ParseSeries(lines, series, invocation.separator))
        line.Reject(kSeriesInvalidText);
    for (int32_t i = 0; i < series.Count(); ++i)
        invocation.request.values.push_back(series.Get(i));
    return lines;
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
    return RunCommand([&] {
        std::set<std::string> valued{"--p", "--formula", kR1Option, kDecimalOption, kColumnOption, kSheetOption};
        valued.insert(std::begin(kAnalyticOptionNames), std::end(kAnalyticOptionNames));
        const CommandLine line(kQuantilesHelp, args, valued, {"--fine", "--compare", "--gof"}, out, err);
        QuantilesInvocation invocation = ParseQuantiles(line);
        if (invocation.request.options.method == dist::Method::Given)
            return RunReport(out, err, [&] { return WriteReport(invocation, out, err); });
        const SeriesLines lines = ReadQuantileSeries(line, invocation);
        return RunReport(out, err, [&]() -> int {
            if (invocation.request.options.method == dist::Method::GraphicAnalytic) {
                try {
                    invocation.request.smoothing = SmoothingOf(lines, invocation);
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
    });
}

} // namespace aqualen::cli
