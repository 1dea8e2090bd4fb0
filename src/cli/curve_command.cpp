#include "cli/commands.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "cli/analytic_options.h"
#include "cli/cli_common.h"
#include "curve/analytic_fit.h"
#include "curve/curve_settings.h"
#include "curve/scale_check.h"
#include "curve/series_grid_cells.h"
#include "curve/smoothing_fit.h"
#include "curve/ui/sheet_export.h"
#include "series/float_fault.h"
#include "series/number_text.h"

namespace aqualen::cli {

namespace {

const char* kCurveUsage =
    "Usage: aqualen-cli curve [options] VALUES_FILE -o OUT.pdf|OUT.png\n"
    "\n"
    "Draws the exceedance curve sheet of the values (one number per line, \"-\"\n"
    "reads standard input; 5 to 500 values) on a landscape A4 page.\n"
    "  --formula 1|2        plotting position: 1 = m/(n+1) (default),\n"
    "                       2 = (m-0.3)/(n+0.4)\n"
    "  --fine               grid 0.01..99.99 % (default 0.1..99.9 %)\n"
    "  --smooth             fit and draw the smoothing curve\n"
    "  --title TEXT         title under the graph (default none)\n"
    "  --axis-name TEXT     caption of the value axis (default \"Q, м3/с\")\n"
    "  --radius 1..20       point radius in steps of 0.06 cm (default 3)\n"
    "  --max X --min X      value scale ends (default 17 and 0)\n"
    "  --main-step X        step of the labelled divisions (default 1)\n"
    "  --additional-step X  step of the dotted divisions (default 0.2)\n"
    "  --dpi N              PNG resolution, 30..1200 (default 150)\n"
    "  --dist p3|km         draw the analytic curve in red: Pearson III or\n"
    "                       Kritsky-Menkel (default none)\n"
    "  --method M           its parameters: moments (default), sample, quantile\n"
    "                       (needs --smooth), ml (km only) or given (with\n"
    "                       --mean X --cv X --cs X); see 'quantiles --help'\n"
    "  --ratio M            fix Cs = M * Cv\n"
    "  --r1 INDEX           r(1) for the bias-corrected moments: 0, 1 or 2\n"
    "  --band 80|90|95      its confidence limits as dashed red lines\n"
    "  --decimal SEP        decimal separator (default: the locale's)\n"
    "  --column N           the column N (from 1) of a table file, its header\n"
    "                       line skipped\n"
    "  -o, --output FILE    the sheet, PDF or PNG by its extension; an existing\n"
    "                       file is replaced only once the new one is complete\n"
    "\n"
    "Exit status: 0 sheet written, 1 input rejected, 2 floating-point fault,\n"
    "4 usage error or an input that cannot be read, 5 the sheet could not be\n"
    "written.\n";

constexpr int kMinPoints = 5;
constexpr int kMaxPoints = 500;

enum class OutputKind { Pdf, Png };

std::optional<OutputKind> KindOf(const std::string& path)
{
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    auto endsWith = [&lower](const std::string& tail) {
        return lower.size() > tail.size() && lower.compare(lower.size() - tail.size(), tail.size(), tail) == 0;
    };
    if (endsWith(".pdf"))
        return OutputKind::Pdf;
    if (endsWith(".png"))
        return OutputKind::Png;
    return std::nullopt;
}

std::string OptionText(const ParsedArgs& parsed, const std::string& name, const std::string& fallback)
{
    const auto it = parsed.options.find(name);
    return it == parsed.options.end() ? fallback : it->second;
}

} // namespace

int RunCurve(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string error;
    const std::optional<ParsedArgs> parsed =
        ParseArgs(args,
                  {"--formula", "--title", "--axis-name", "--radius", "--max", "--min", "--main-step",
                   "--additional-step", "--dpi", "--decimal", "--column", "-o", "--output", "--dist", "--method", "--ratio",
                   "--r1", "--band", "--mean", "--cv", "--cs"},
                  {"--fine", "--smooth"}, error);
    auto usage = [&err](const std::string& why) { return UsageError(err, "curve", why, kCurveUsage); };
    if (!parsed)
        return usage(error);
    if (parsed->help) {
        return WriteHelp(out, err, kCurveUsage);
    }
    if (parsed->files.size() != 1)
        return usage("expected one values file");
    const std::string output = OptionText(*parsed, "-o", OptionText(*parsed, "--output", ""));
    if (output.empty())
        return usage("the output file is missing (-o OUT.pdf or -o OUT.png)");
    const std::optional<OutputKind> kind = KindOf(output);
    if (!kind)
        return usage("the output file must end in .pdf or .png");
    const std::optional<char> separator = DecimalSeparator(*parsed);
    if (!separator)
        return usage("--decimal takes ',' or '.'");
    const std::optional<SeriesFileOptions> fileOptions = ReadSeriesFileOptions(*parsed, error);
    if (!fileOptions)
        return usage(error);
    const std::optional<int> formula = IntegerOption(*parsed, "--formula", 1, 1, 2);
    if (!formula)
        return usage("--formula takes 1 or 2");
    const std::optional<int> radius = IntegerOption(*parsed, "--radius", 3, 1, 20);
    if (!radius)
        return usage("--radius takes a whole number from 1 to 20");
    const std::optional<int> dpi = IntegerOption(*parsed, "--dpi", 150, 30, 1200);
    if (!dpi)
        return usage("--dpi takes a whole number from 30 to 1200");
    const std::optional<int> r1Index = IntegerOption(*parsed, "--r1", 0, 0, 2);
    if (!r1Index)
        return usage("--r1 takes 0, 1 or 2");
    AnalyticChoice analytic;
    if (!ReadAnalyticOptions(*parsed, *separator, dist::Distribution::None, analytic)) {
        if (analytic.status == kExitUsage)
            return usage(analytic.reason);
        err << analytic.reason << "\n";
        return analytic.status;
    }
    analytic.options.r1Choice = *r1Index;
    if (analytic.options.distribution == dist::Distribution::None &&
        (parsed->options.count("--method") || parsed->options.count("--ratio") || parsed->options.count("--band")))
        return usage("--method, --ratio and --band go with --dist");

    CurveSettings settings;
    settings.SetWindowDefaults();
    settings.FineGrid = parsed->flags.count("--fine") > 0;
    settings.PointRadius = static_cast<uint8_t>(*radius);
    settings.Title = OptionText(*parsed, "--title", "");
    settings.AxisName = OptionText(*parsed, "--axis-name", "Q, м3/с");
    // The scale boxes are read in the dialog's order; the first that does not
    // read stops everything.
    const struct {
        const char* option;
        double* field;
        const char* fallback;
    } scaleBoxes[] = {
        {"--max", &settings.ScaleMax, "17"},
        {"--min", &settings.ScaleMin, "0"},
        {"--main-step", &settings.MainStep, "1"},
        {"--additional-step", &settings.AdditionalStep, "0.2"},
    };
    for (const auto& box : scaleBoxes) {
        const auto it = parsed->options.find(box.option);
        const std::optional<double> value =
            it == parsed->options.end() ? ParseNumber(box.fallback, '.') : ParseNumber(it->second, *separator);
        if (!value) {
            err << "'" << it->second << "' is not a valid floating point value\n";
            return kExitRejected;
        }
        *box.field = *value;
    }
    if (const auto scaleError = ScaleSettingsError(settings.ScaleMax, settings.ScaleMin, settings.MainStep,
                                                   settings.AdditionalStep)) {
        err << *scaleError << "\n";
        return kExitRejected;
    }

    const std::optional<SeriesLines> lines = ReadSeriesFile(parsed->files[0], *fileOptions, error);
    if (!lines)
        return ReadError(err, "curve", error);
    const int n = static_cast<int>(std::min<size_t>(lines->size(), kMaxPoints + 1));
    if (n < kMinPoints || n > kMaxPoints) {
        err << "Число точек должно быть от 5 до 500!\n";
        return kExitRejected;
    }
    // The values go through the dialog's own grid routines, as on its OK with
    // the series option on: P column, sort (values written back in general
    // format), then the rows read into the settings.
    SeriesGridCells cells;
    for (int m = 1; m <= n; ++m)
        cells.Set(SeriesGridCells::kValueColumn, m, (*lines)[m - 1]);
    FillProbabilityColumn(cells, n, *formula == 1 ? PlottingFormula::Weibull : PlottingFormula::Chegodayev,
                          *separator);
    if (!SortSeries(cells, n, true, settings, *separator) || !ReadSeries(cells, n, settings, *separator)) {
        err << "Ряд данных введен не корректно!\n";
        return kExitRejected;
    }

    try {
        settings.SmoothCurve = parsed->flags.count("--smooth") > 0;
        if (settings.SmoothCurve)
            FitSmoothingCurve(settings);
        // The analytic curve after the smoothing curve, whose points the
        // graphic-analytic method reads.
        settings.Analytic.Options = analytic.options;
        FitAnalyticCurve(settings);
        if (const std::optional<BandRequest> request = MakeBandRequest(settings))
            settings.Analytic.Band = ComputeBand(*request);
    } catch (const dist::FitRefused& refused) {
        err << refused.what() << "\n";
        return kExitRejected;
    } catch (const FloatFault& fault) {
        err << fault.what() << "\n";
        return kExitFault;
    } catch (const std::invalid_argument& refused) {
        err << refused.what() << "\n";
        return kExitRejected;
    }
    settings.SheetReady = true;

    const ui::ExportResult written = *kind == OutputKind::Pdf
                                         ? ui::WriteSheetPdf(settings, output, *separator)
                                         : ui::WriteSheetPng(settings, output, *dpi, *separator);
    if (!written.ok) {
        err << "aqualen-cli curve: " << written.error << "\n";
        return kExitCannotWrite;
    }
    return kExitReport;
}

} // namespace aqualen::cli
