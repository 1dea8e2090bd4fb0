#pragma once
// Storing what the parameters dialog (or the command line) was given into the
// sheet, in the dialog's order: the sheet settings, the value scale, the
// series sorted and read from the grid, the smoothing fit, the analytic fit.
// A refusal stops there; what was stored before it stays.

#include <array>
#include <functional>
#include <string>

#include "curve/curve_settings.h"
#include "curve/series_grid_cells.h"
#include "distributions/analytic_curve.h"

namespace aqualen {

struct SheetInput {
    bool fineGrid = false;
    int pointRadius = CurveSettings{}.PointRadius;
    std::string title;
    std::string axisName;
    bool legend = CurveSettings{}.Legend;
    bool returnPeriodAxis = CurveSettings{}.ReturnPeriodAxis;
    // Maximum, minimum, main step and additional step as typed.
    std::array<std::string, 4> scaleTexts;
    bool seriesOn = false; // rows 1..pointCount of the grid are the series
    int pointCount = 10;
    PlottingFormula formula = PlottingFormula::Weibull; // what the P column was filled by
    bool smoothCurve = false;
    // Reads the analytic curve's choice into the options; false when a box
    // did not read (the reader has said why). Unset: no analytic curve.
    std::function<bool(dist::FitOptions&)> readAnalytic;
};

enum class SheetRefusal {
    None,
    ScaleText,     // a scale box is not a number: message is the conversion message
    Scale,         // the scale cannot be drawn (scale_check)
    Series,        // a grid cell is not a number: row is its row
    Smoothing,     // the smoothing curve was refused or faulted
    AnalyticInput, // the analytic reader refused its boxes
    Analytic,      // the analytic curve was refused or faulted
};

struct SheetUpdate {
    SheetRefusal refusal = SheetRefusal::None;
    std::string message; // what to tell the user
    bool fault = false;  // message is a floating-point fault's (the generic fault box)
    int row = 0;         // Series: the grid row that did not read
    bool Stored() const { return refusal == SheetRefusal::None; }
};

// The scale boxes' conversion message, as the platform words it.
std::string NotANumberText(const std::string& text);

// The whole OK sequence. The smoothing curve is switched on only once it is
// fitted, and the analytic curve is dropped before it is read, so a refusal
// never leaves a curve of earlier settings over a new series.
SheetUpdate ApplySheetInput(CurveSettings& settings, SeriesGridCells& cells, const SheetInput& input, char separator);

} // namespace aqualen
