#include "curve/analytic_fit.h"

#include <algorithm>

#include "curve/probability_scale.h"
#include "distributions/graphic_analytic.h"

namespace aqualen {

namespace {

constexpr long double kAxisHeight = 17; // cm, the value axis

std::vector<double> SeriesOf(const CurveSettings& settings)
{
    std::vector<double> values;
    values.reserve(static_cast<size_t>(settings.Values.Count()));
    for (int32_t i = 0; i < settings.Values.Count(); ++i)
        values.push_back(settings.Values.Get(i));
    return values;
}

// The three points where the method reads them: a series the other methods
// fit needs no smoothing on normal paper (nor the probabilities it takes).
std::optional<dist::SmoothingPoints> MethodPointsOf(const CurveSettings& settings)
{
    if (settings.Analytic.Options.method != dist::Method::GraphicAnalytic)
        return std::nullopt;
    return SmoothingPointsOf(settings);
}

} // namespace

double SmoothingValueAtX(const CurveSettings& s, double sheetX)
{
    const long double x = sheetX;
    const long double y = s.CurveA * x * x + s.CurveB * x + s.CurveC;
    const long double range = static_cast<long double>(s.ScaleMax) - s.ScaleMin;
    return static_cast<double>(s.ScaleMin + y * range / kAxisHeight);
}

std::optional<dist::SmoothingPoints> SmoothingPointsOf(const CurveSettings& settings)
{
    if (!settings.SmoothCurve)
        return std::nullopt;
    std::vector<double> probabilities;
    probabilities.reserve(static_cast<size_t>(settings.Probabilities.Count()));
    for (int32_t i = 0; i < settings.Probabilities.Count(); ++i)
        probabilities.push_back(settings.Probabilities.Get(i));
    return dist::NormalPaperPoints(probabilities, SeriesOf(settings));
}

void FitAnalyticCurve(CurveSettings& settings)
{
    AnalyticSheet& sheet = settings.Analytic;
    sheet.Fit.reset();
    sheet.Band.reset();
    sheet.BandProbabilities.clear();
    if (sheet.Options.distribution == dist::Distribution::None)
        return;
    const std::optional<dist::SmoothingPoints> smoothing = MethodPointsOf(settings);
    sheet.Fit = dist::FitCurve(SeriesOf(settings), sheet.Options, smoothing ? &*smoothing : nullptr);
    if (sheet.Options.bandLevel == 0)
        return;
    std::vector<double> probabilities = dist::StandardProbabilities();
    for (const ScaleEntry& row : SelectedScale(settings.FineGrid))
        probabilities.push_back(row.Probability);
    std::sort(probabilities.begin(), probabilities.end());
    probabilities.erase(std::unique(probabilities.begin(), probabilities.end()), probabilities.end());
    sheet.BandProbabilities = std::move(probabilities);
}

std::optional<BandRequest> MakeBandRequest(const CurveSettings& settings)
{
    const AnalyticSheet& sheet = settings.Analytic;
    if (!sheet.Fit || sheet.Options.bandLevel == 0)
        return std::nullopt;
    return BandRequest{SeriesOf(settings), *sheet.Fit, sheet.Options, sheet.BandProbabilities,
                       MethodPointsOf(settings)};
}

dist::Band ComputeBand(const BandRequest& request)
{
    return dist::ConfidenceBand(request.values, request.fit, request.options, request.probabilities,
                                request.smoothing ? &*request.smoothing : nullptr);
}

std::optional<dist::Band> BandAt(const AnalyticSheet& sheet, const std::vector<double>& probabilities)
{
    if (!sheet.Band)
        return std::nullopt;
    const std::vector<double>& known = sheet.BandProbabilities;
    dist::Band picked;
    picked.level = sheet.Band->level;
    for (const double p : probabilities) {
        const auto at = std::lower_bound(known.begin(), known.end(), p);
        const auto index = static_cast<size_t>(at - known.begin());
        if (at == known.end() || *at != p || index >= sheet.Band->lowK.size() || index >= sheet.Band->highK.size())
            return std::nullopt;
        picked.lowK.push_back(sheet.Band->lowK[index]);
        picked.highK.push_back(sheet.Band->highK[index]);
    }
    return picked;
}

} // namespace aqualen
