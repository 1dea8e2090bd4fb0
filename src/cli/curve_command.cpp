#include <algorithm>
#include <array>
#include <cctype>
#include <iterator>
#include <optional>
#include <ostream>
#include <set>
#include <string>
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

const CommandHelp kCurveHelp{
    "curve", std::string("Usage: aqualen-cli curve [options] VALUES_FILE -o OUT.pdf|OUT.png\n"
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
                         "  --band 80|90|95      its confidence limits as dashed red lines\n") +
                 OptionHelp("--decimal SEP", HelpColumn::Long, {"decimal separator (default: the locale's)"}) +
                 ColumnSheetHelp(HelpColumn::Long) +
                 "  -o, --output FILE    the sheet, PDF or PNG by its extension; an existing\n"
                 "                       file is replaced only once the new one is complete\n"
                 "\n"
                 "Exit status: 0 sheet written, 1 input rejected, 2 floating-point fault,\n"
                 "4 usage error or an input that cannot be read, 5 the sheet could not be\n"
                 "written.\n"};

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

CurveRequest ParseCurve(const CommandLine& line)
{
    CurveRequest request;
    line.ExpectFiles(1, "expected one values file");
    request.valuesFile = line.Files()[0];
    request.output = line.Text("-o", line.Text("--output", ""));
    if (request.output.empty())
        line.Refuse("the output file is missing (-o OUT.pdf or -o OUT.png)");
    const std::optional<OutputKind> kind = KindOf(request.output);
    if (!kind)
        line.Refuse("the output file must end in .pdf or .png");
    request.kind = *kind;
    request.separator = line.Separator();
    request.fileOptions = line.FileOptions();
    const int formula = line.Integer("--formula", 1, 1, 2, "--formula takes 1 or 2");
    request.formula = formula == 1 ? PlottingFormula::Weibull : PlottingFormula::Chegodayev;
    const CurveSettings defaults;
    const int radius =
        line.Integer("--radius", defaults.PointRadius, 1, 20, "--radius takes a whole number from 1 to 20");
    request.dpi = line.Integer("--dpi", 150, 30, 1200, "--dpi takes a whole number from 30 to 1200");
    const int r1Index = line.R1Index();
    request.analytic = AnalyticOptions(line, request.separator, dist::Distribution::None);
    request.analytic.r1Choice = r1Index;
    if (request.analytic.distribution == dist::Distribution::None &&
        (line.Has("--method") || line.Has("--ratio") || line.Has("--band")))
        line.Refuse("--method, --ratio and --band go with --dist");

    SheetInput& input = request.input;
    input.fineGrid = line.Flag("--fine");
    input.pointRadius = radius;
    input.title = line.Text("--title", "");
    input.axisName = line.Text("--axis-name", kDefaultAxisName);
    // A box not given holds the sheet's default, in the separator it is read with.
    const std::array<std::pair<const char*, double>, 4> scaleBoxes{{
        {"--max", defaults.ScaleMax},
        {"--min", defaults.ScaleMin},
        {"--main-step", defaults.MainStep},
        {"--additional-step", defaults.AdditionalStep},
    }};
    for (size_t i = 0; i < scaleBoxes.size(); ++i) {
        input.scaleTexts[i] = line.Text(scaleBoxes[i].first, FormatGeneral(scaleBoxes[i].second, request.separator));
        request.autoScale = request.autoScale && !line.Has(scaleBoxes[i].first);
    }
    input.seriesOn = true;
    input.smoothCurve = line.Flag("--smooth");
    input.formula = request.formula;
    return request;
}

// The sheet of the request, through the parameters dialog's own OK sequence
// on a grid holding the values; then the band, which the window computes
// apart; then, unless the scale was given, the scale chosen from all three,
// as the dialog's "Подобрать по ряду" does. A refusal or a fault stops the
// command.
CurveSettings DrawSheet(const CommandLine& line, const CurveRequest& request, const SeriesLines& lines)
{
    CurveSettings settings;
    const long long n = static_cast<long long>(lines.size());
    if (!CurveSettings::PointCountAllowed(n))
        line.Reject("Число точек должно быть от " + std::to_string(CurveSettings::kMinPoints) + " до " +
                    std::to_string(CurveSettings::kMaxPoints) + "!");
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
    if (!update.Stored())
        line.Reject(update.message,
                    update.fault && update.refusal != SheetRefusal::ScaleText ? kExitFault : kExitRejected);
    try {
        if (const std::optional<BandRequest> band = MakeBandRequest(settings))
            settings.Analytic.Band = ComputeBand(*band);
        if (request.autoScale) {
            const AutoScale chosen = AutoScaleOf(settings);
            if (!chosen.scale)
                line.Reject(chosen.refusal);
            StoreScale(settings, *chosen.scale);
        }
    } catch (const dist::FitRefused& refused) {
        line.Reject(refused.what());
    } catch (const FloatFault& fault) {
        line.Reject(fault.what(), kExitFault);
    }
    return settings;
}

// Writes the sheet to the PDF or PNG file.
int WriteSheet(const CommandLine& line, const CurveRequest& request, const CurveSettings& settings)
{
    const ui::ExportResult written = request.kind == OutputKind::Pdf
                                         ? ui::WriteSheetPdf(settings, request.output, request.separator)
                                         : ui::WriteSheetPng(settings, request.output, request.dpi, request.separator);
    if (!written.ok) {
        line.err << "aqualen-cli curve: " << written.error << "\n";
        return kExitCannotWrite;
    }
    return kExitReport;
}

} // namespace

int RunCurve(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunCommand([&] {
        std::set<std::string> valued{"--formula", "--title",     "--axis-name",       "--radius",    "--max",
                                     "--min",     "--main-step", "--additional-step", "--dpi",       "-o",
                                     "--output",  kR1Option,     kDecimalOption,      kColumnOption, kSheetOption};
        valued.insert(std::begin(kAnalyticOptionNames), std::end(kAnalyticOptionNames));
        const CommandLine line(kCurveHelp, args, valued, {"--fine", "--smooth"}, out, err);
        const CurveRequest request = ParseCurve(line);
        const SeriesLines lines = line.ReadSeries(request.valuesFile, request.fileOptions);
        return WriteSheet(line, request, DrawSheet(line, request, lines));
    });
}

} // namespace aqualen::cli
