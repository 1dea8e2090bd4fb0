#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <ostream>
#include <utility>

#include "cli/analytic_options.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "curve/analytic_fit.h"
#include "curve/auto_scale.h"
#include "curve/curve_settings.h"
#include "curve/series_grid_cells.h"
#include "curve/sheet_update.h"
#include "curve/ui/sheet_export.h"
#include "series/float_fault.h"
#include "series/number_text.h"

namespace aqualen::cli {

namespace {

const char* kCurveUsage = "Usage: aqualen-cli curve [options] VALUES_FILE -o OUT.pdf|OUT.png\n"
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
                          "  --max X --min X      value scale ends\n"
                          "  --main-step X        step of the labelled divisions\n"
                          "  --additional-step X  step of the dotted divisions\n"
                          "                       Without these four the scale is chosen from the\n"
                          "                       values, the smoothing curve and the analytic curve\n"
                          "                       with its band: steps of 1, 2 or 5 x 10^k, 8 to 20\n"
                          "                       labelled divisions, from 0 unless the values lie\n"
                          "                       high above it. Giving any of them sets the scale by\n"
                          "                       hand, the others defaulting to 17, 0, 1 and 0.2.\n"
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
                          "  --sheet S            the sheet S of a workbook (.xlsx, .ods, .xls), by\n"
                          "                       its name or its number from 1 (default: the first)\n"
                          "  -o, --output FILE    the sheet, PDF or PNG by its extension; an existing\n"
                          "                       file is replaced only once the new one is complete\n"
                          "\n"
                          "Exit status: 0 sheet written, 1 input rejected, 2 floating-point fault,\n"
                          "4 usage error or an input that cannot be read, 5 the sheet could not be\n"
                          "written.\n";

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

// Everything one run needs, read from the command line.
struct CurveRequest {
    std::string valuesFile;
    std::string output;
    OutputKind kind = OutputKind::Pdf;
    int dpi = 150;
    char separator = ',';
    SeriesFileOptions fileOptions;
    PlottingFormula formula = PlottingFormula::Weibull;
    SheetInput input;
    bool autoScale = true; // none of the four scale options was given
    dist::FitOptions analytic;
};

// Fills the request, or gives the exit status of a refusal already written to `err`.
std::optional<int> ParseCurve(const ParsedArgs& parsed, CurveRequest& request, std::ostream& err)
{
    auto usage = [&err](const std::string& why) { return UsageError(err, "curve", why, kCurveUsage); };
    if (parsed.files.size() != 1)
        return usage("expected one values file");
    request.valuesFile = parsed.files[0];
    request.output = OptionText(parsed, "-o", OptionText(parsed, "--output", ""));
    if (request.output.empty())
        return usage("the output file is missing (-o OUT.pdf or -o OUT.png)");
    const std::optional<OutputKind> kind = KindOf(request.output);
    if (!kind)
        return usage("the output file must end in .pdf or .png");
    request.kind = *kind;
    const std::optional<char> separator = DecimalSeparator(parsed);
    if (!separator)
        return usage("--decimal takes ',' or '.'");
    request.separator = *separator;
    std::string reason;
    const std::optional<SeriesFileOptions> fileOptions = ReadSeriesFileOptions(parsed, reason);
    if (!fileOptions)
        return usage(reason);
    request.fileOptions = *fileOptions;
    const std::optional<int> formula = IntegerOption(parsed, "--formula", 1, 1, 2);
    if (!formula)
        return usage("--formula takes 1 or 2");
    request.formula = *formula == 1 ? PlottingFormula::Weibull : PlottingFormula::Chegodayev;
    const CurveSettings defaults;
    const std::optional<int> radius = IntegerOption(parsed, "--radius", defaults.PointRadius, 1, 20);
    if (!radius)
        return usage("--radius takes a whole number from 1 to 20");
    const std::optional<int> dpi = IntegerOption(parsed, "--dpi", 150, 30, 1200);
    if (!dpi)
        return usage("--dpi takes a whole number from 30 to 1200");
    request.dpi = *dpi;
    const std::optional<int> r1Index = IntegerOption(parsed, "--r1", 0, 0, 2);
    if (!r1Index)
        return usage("--r1 takes 0, 1 or 2");
    AnalyticChoice analytic;
    if (!ReadAnalyticOptions(parsed, *separator, dist::Distribution::None, analytic)) {
        if (analytic.status == kExitUsage)
            return usage(analytic.reason);
        err << analytic.reason << "\n";
        return analytic.status;
    }
    analytic.options.r1Choice = *r1Index;
    if (analytic.options.distribution == dist::Distribution::None &&
        (parsed.options.count("--method") || parsed.options.count("--ratio") || parsed.options.count("--band")))
        return usage("--method, --ratio and --band go with --dist");
    request.analytic = analytic.options;

    SheetInput& input = request.input;
    input.fineGrid = parsed.flags.count("--fine") > 0;
    input.pointRadius = *radius;
    input.title = OptionText(parsed, "--title", "");
    input.axisName = OptionText(parsed, "--axis-name", kDefaultAxisName);
    // A box not given holds the sheet's default, in the separator it is read with.
    const std::array<std::pair<const char*, double>, 4> scaleBoxes{{
        {"--max", defaults.ScaleMax},
        {"--min", defaults.ScaleMin},
        {"--main-step", defaults.MainStep},
        {"--additional-step", defaults.AdditionalStep},
    }};
    for (size_t i = 0; i < scaleBoxes.size(); ++i) {
        input.scaleTexts[i] = OptionText(parsed, scaleBoxes[i].first, FormatGeneral(scaleBoxes[i].second, *separator));
        request.autoScale = request.autoScale && !parsed.options.count(scaleBoxes[i].first);
    }
    input.seriesOn = true;
    input.smoothCurve = parsed.flags.count("--smooth") > 0;
    input.formula = request.formula;
    return std::nullopt;
}

// The sheet of the request, through the parameters dialog's own OK sequence
// on a grid holding the values; then the band, which the window computes
// apart; then, unless the scale was given, the scale chosen from all three,
// as the dialog's "Подобрать по ряду" does. Gives the exit status of a
// refusal written to `err`.
std::optional<int> RunSheet(const CurveRequest& request, const SeriesLines& lines, CurveSettings& settings,
                            std::ostream& err)
{
    const long long n = static_cast<long long>(lines.size());
    if (!CurveSettings::PointCountAllowed(n)) {
        err << "Число точек должно быть от " << CurveSettings::kMinPoints << " до " << CurveSettings::kMaxPoints
            << "!\n";
        return kExitRejected;
    }
    SeriesGridCells cells;
    for (int m = 1; m <= n; ++m)
        cells.Set(SeriesGridCells::kValueColumn, m, lines[static_cast<size_t>(m - 1)]);
    FillProbabilityColumn(cells, static_cast<int>(n), request.formula, request.separator);
    SheetInput input = request.input;
    input.pointCount = static_cast<int>(n);
    input.readAnalytic = [&request](dist::FitOptions& options) {
        options = request.analytic;
        return true;
    };
    const SheetUpdate update = ApplySheetInput(settings, cells, input, request.separator);
    if (!update.Stored()) {
        err << update.message << "\n";
        return update.fault && update.refusal != SheetRefusal::ScaleText ? kExitFault : kExitRejected;
    }
    try {
        if (const std::optional<BandRequest> band = MakeBandRequest(settings))
            settings.Analytic.Band = ComputeBand(*band);
        if (request.autoScale) {
            const AutoScale chosen = AutoScaleOf(settings);
            if (!chosen.scale) {
                err << chosen.refusal << "\n";
                return kExitRejected;
            }
            StoreScale(settings, *chosen.scale);
        }
    } catch (const dist::FitRefused& refused) {
        err << refused.what() << "\n";
        return kExitRejected;
    } catch (const FloatFault& fault) {
        err << fault.what() << "\n";
        return kExitFault;
    }
    return std::nullopt;
}

} // namespace

int RunCurve(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string error;
    const std::optional<ParsedArgs> parsed = ParseArgs(
        args,
        {"--formula", "--title",   "--axis-name", "--radius", "--max", "--min",    "--main-step", "--additional-step",
         "--dpi",     "--decimal", "--column",    "--sheet",  "-o",    "--output", "--dist",      "--method",
         "--ratio",   "--r1",      "--band",      "--mean",   "--cv",  "--cs"},
        {"--fine", "--smooth"}, error);
    if (!parsed)
        return UsageError(err, "curve", error, kCurveUsage);
    if (parsed->help)
        return WriteHelp(out, err, kCurveUsage);
    CurveRequest request;
    if (const std::optional<int> refused = ParseCurve(*parsed, request, err))
        return *refused;

    const std::optional<SeriesLines> lines = ReadSeriesFile(request.valuesFile, request.fileOptions, error);
    if (!lines)
        return ReadError(err, "curve", error);
    CurveSettings settings;
    if (const std::optional<int> refused = RunSheet(request, *lines, settings, err))
        return *refused;

    const ui::ExportResult written = request.kind == OutputKind::Pdf
                                         ? ui::WriteSheetPdf(settings, request.output, request.separator)
                                         : ui::WriteSheetPng(settings, request.output, request.dpi, request.separator);
    if (!written.ok) {
        err << "aqualen-cli curve: " << written.error << "\n";
        return kExitCannotWrite;
    }
    return kExitReport;
}

} // namespace aqualen::cli
