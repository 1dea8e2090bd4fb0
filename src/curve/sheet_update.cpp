#include "curve/sheet_update.h"

#include <cstdint>
#include <optional>

#include "curve/analytic_fit.h"
#include "curve/scale_check.h"
#include "curve/smoothing_fit.h"
#include "series/float_fault.h"
#include "series/number_text.h"

namespace aqualen {

namespace {

SheetUpdate Refused(SheetRefusal refusal, std::string message, bool fault = false)
{
    SheetUpdate update;
    update.refusal = refusal;
    update.message = std::move(message);
    update.fault = fault;
    return update;
}

// All four are read and checked before any is stored, so the sheet never
// holds a scale it cannot draw.
std::optional<SheetUpdate> StoreScale(CurveSettings& settings, const SheetInput& input, char separator)
{
    std::array<double, 4> scale{};
    for (size_t i = 0; i < scale.size(); ++i) {
        const std::optional<double> value = ParseNumber(input.scaleTexts[i], separator);
        if (!value)
            return Refused(SheetRefusal::ScaleText, NotANumberText(input.scaleTexts[i]), true);
        scale[i] = *value;
    }
    if (const auto refused = ScaleSettingsError(scale[0], scale[1], scale[2], scale[3]))
        return Refused(SheetRefusal::Scale, *refused);
    settings.ScaleMax = scale[0];
    settings.ScaleMin = scale[1];
    settings.MainStep = scale[2];
    settings.AdditionalStep = scale[3];
    return std::nullopt;
}

// Runs a fit of the sheet's curves. A refusal or a floating-point fault on
// the way is the sheet's `refusal` with its text, a fault marked as one.
std::optional<SheetUpdate> TryFit(void (*fit)(CurveSettings&), CurveSettings& settings, SheetRefusal refusal)
{
    try {
        fit(settings);
    } catch (const dist::FitRefused& refused) {
        return Refused(refusal, refused.what());
    } catch (const FloatFault& fault) {
        return Refused(refusal, fault.what(), true);
    }
    return std::nullopt;
}

} // namespace

std::string NotANumberText(const std::string& text)
{
    return "'" + text + "' is not a valid floating point value";
}

SheetUpdate ApplySheetInput(CurveSettings& settings, SeriesGridCells& cells, const SheetInput& input, char separator)
{
    settings.FineGrid = input.fineGrid;
    settings.PointRadius = static_cast<uint8_t>(input.pointRadius);
    settings.Title = input.title;
    settings.AxisName = input.axisName;
    settings.Legend = input.legend;
    settings.ReturnPeriodAxis = input.returnPeriodAxis;
    settings.Formula = input.formula;
    if (std::optional<SheetUpdate> refused = StoreScale(settings, input, separator))
        return *refused;

    // The sort reads the same cells as the reading below and stops at the
    // same one, so a bad cell is reported once, by the reading.
    SortSeries(cells, input.pointCount, input.seriesOn, settings, separator);
    settings.Probabilities.Clear();
    settings.Values.Clear();
    if (input.seriesOn && !ReadSeries(cells, input.pointCount, settings, separator)) {
        SheetUpdate refused = Refused(SheetRefusal::Series, kSeriesInputError);
        refused.row = settings.Values.Count() + 1;
        return refused;
    }

    settings.SmoothCurve = false;
    if (input.smoothCurve) {
        if (std::optional<SheetUpdate> refused = TryFit(FitSmoothingCurve, settings, SheetRefusal::Smoothing))
            return *refused;
        settings.SmoothCurve = true;
    }

    // Fitted after the smoothing curve, which the graphic-analytic method reads.
    AnalyticSheet& sheet = settings.Analytic;
    sheet.Fit.reset();
    sheet.Band.reset();
    sheet.BandProbabilities.clear();
    dist::FitOptions options;
    if (input.readAnalytic && !input.readAnalytic(options))
        return Refused(SheetRefusal::AnalyticInput, {});
    sheet.Options = options;
    if (std::optional<SheetUpdate> refused = TryFit(FitAnalyticCurve, settings, SheetRefusal::Analytic))
        return *refused;
    return {};
}

} // namespace aqualen
