#include "cli/commands.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "cli/cli_common.h"
#include "cli/analytic_options.h"
#include "curve/analytic_fit.h"
#include "curve/curve_settings.h"
#include "curve/series_grid_cells.h"
#include "curve/smoothing_fit.h"
#include "distributions/analytic_curve.h"
#include "series/number_text.h"
#include "series/numeric_lists.h"
#include "stats/statistics_report.h"

namespace aqualen::cli {

namespace {

const char* kQuantilesUsage =
    "Usage: aqualen-cli quantiles [options] [FILE]\n"
    "\n"
    "Fits an analytic exceedance curve to the series in FILE (standard input\n"
    "when FILE is absent; not read with --method given) and writes its\n"
    "parameters, a blank line and the quantile table: P, %, Kp, Qp and, with\n"
    "--band, the lower and upper limits of Qp, tab-separated, three decimals.\n"
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
    "  --decimal SEP        decimal separator for reading and writing, ',' or '.'\n"
    "                       (default: the locale's)\n"
    "  --column N           the column N (from 1) of a table file, its header\n"
    "                       line skipped\n"
    "\n"
    "Exit status: 0 report written, 1 input rejected (the window's message on\n"
    "standard error, e.g. no curve for these Cv and Cs), 2 floating-point fault,\n"
    "3 too few lines, 4 usage error or an input that cannot be read, 5 the\n"
    "report could not be written.\n";

int Usage(std::ostream& err, const std::string& reason)
{
    return UsageError(err, "quantiles", reason, kQuantilesUsage);
}

// The probabilities of --p, or nullopt when one does not read or lies
// outside (0, 100).
std::optional<std::vector<double>> ProbabilityList(const std::string& text, char separator)
{
    std::vector<double> list;
    std::string item;
    const auto flush = [&]() {
        if (item.empty())
            return true;
        const std::optional<double> p = ParseNumber(item, separator);
        item.clear();
        if (!p || !(*p > 0 && *p < 100))
            return false;
        list.push_back(*p);
        return true;
    };
    for (const char c : text) {
        const bool split = c == ';' || c == ' ' || c == '\t' || (c == ',' && separator != ',');
        if (split) {
            if (!flush())
                return std::nullopt;
        } else {
            item += c;
        }
    }
    if (!flush() || list.empty())
        return std::nullopt;
    return list;
}

} // namespace

int RunQuantiles(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string error;
    const std::optional<ParsedArgs> parsed =
        ParseArgs(args, {"--dist", "--method", "--ratio", "--r1", "--mean", "--cv", "--cs", "--p", "--band", "--formula", "--decimal", "--column"},
                  {"--fine"}, error);
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
    dist::FitOptions options = choice.options;
    options.r1Choice = *r1Index;
    std::vector<double> probabilities = dist::StandardProbabilities();
    if (const auto it = parsed->options.find("--p"); it != parsed->options.end()) {
        const auto list = ProbabilityList(it->second, *separator);
        if (!list)
            return Usage(err, "--p takes probabilities in percent between 0 and 100, separated by ';'");
        probabilities = *list;
    }

    if (options.method == dist::Method::Given) {
        if (!parsed->files.empty())
            return Usage(err, "--method given reads no series file");
        return RunReport(out, err, [&]() -> int {
            try {
                const dist::Fit fit = dist::FitCurve({}, options);
                if (options.bandLevel != 0) // refused: nothing was estimated
                    dist::ConfidenceBand({}, fit, options, probabilities);
                std::vector<std::string> lines = dist::ParameterLines(fit, *separator);
                lines.emplace_back();
                for (std::string& line : dist::QuantileTableLines(fit, nullptr, probabilities, *separator))
                    lines.push_back(std::move(line));
                WriteLines(out, lines);
                return kExitReport;
            } catch (const dist::FitRefused& refused) {
                err << refused.what() << '\n';
                return kExitRejected;
            }
        });
    }

    const std::string path = parsed->files.empty() ? std::string() : parsed->files.front();
    const std::optional<SeriesLines> lines = ReadSeriesFile(path, *fileOptions, error);
    if (!lines)
        return ReadError(err, "quantiles", error);
    if (lines->size() <= 2) {
        err << "aqualen-cli quantiles: too few lines (a series needs at least 3)\n";
        return kExitTooShort;
    }
    TDoubleList series;
    if (!ParseSeries(*lines, series, *separator)) {
        err << kSeriesInvalidText << '\n';
        return kExitRejected;
    }
    std::vector<double> values;
    for (int32_t i = 0; i < series.Count(); ++i)
        values.push_back(series.Get(i));

    return RunReport(out, err, [&]() -> int {
        try {
            std::optional<dist::SmoothingPoints> smoothing;
            if (options.method == dist::Method::GraphicAnalytic) {
                // The smoothing curve as the curve window fits it: the points
                // through the dialog's grid routines, then the parabola.
                CurveSettings settings;
                settings.SetWindowDefaults();
                settings.FineGrid = parsed->flags.count("--fine") > 0;
                settings.ScaleMax = 17;
                settings.ScaleMin = 0;
                const int n = static_cast<int>(lines->size());
                SeriesGridCells cells;
                for (int m = 1; m <= n; ++m)
                    cells.Set(SeriesGridCells::kValueColumn, m, (*lines)[m - 1]);
                FillProbabilityColumn(cells, n, *formula == 1 ? PlottingFormula::Weibull : PlottingFormula::Chegodayev,
                                      *separator);
                if (!SortSeries(cells, n, true, settings, *separator) || !ReadSeries(cells, n, settings, *separator)) {
                    err << kSeriesInvalidText << '\n';
                    return kExitRejected;
                }
                settings.SmoothCurve = true;
                FitSmoothingCurve(settings);
                smoothing = SmoothingPointsOf(settings);
            }
            const dist::SmoothingPoints* points = smoothing ? &*smoothing : nullptr;
            const dist::Fit fit = dist::FitCurve(values, options, points);
            std::optional<dist::Band> band;
            if (options.bandLevel != 0)
                band = dist::ConfidenceBand(values, fit, options, probabilities, points);
            std::vector<std::string> report = dist::ParameterLines(fit, *separator);
            report.emplace_back();
            for (std::string& line :
                 dist::QuantileTableLines(fit, band ? &*band : nullptr, probabilities, *separator))
                report.push_back(std::move(line));
            WriteLines(out, report);
            return kExitReport;
        } catch (const dist::FitRefused& refused) {
            err << refused.what() << '\n';
            return kExitRejected;
        } catch (const std::invalid_argument& refused) { // the smoothing fit's refusal
            err << refused.what() << '\n';
            return kExitRejected;
        }
    });
}

} // namespace aqualen::cli
