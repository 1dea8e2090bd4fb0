// Scale boxes and grid cells through the curve dialog's grid routines, the
// smoothing fit and the sheet drawn on the recording canvas.
// Input: a flags byte (separator, fine grid, smoothing, formula, screen or
// page), two bytes of row count, a canvas width byte, the four scale boxes
// (maximum, minimum, main step, additional step), each ended by a NUL, then
// the text pasted into the value column from row 1.

#include <stdexcept>
#include <string>

#include "curve/curve_settings.h"
#include "curve/curve_sheet.h"
#include "curve/probability_scale.h"
#include "curve/recording_canvas.h"
#include "curve/scale_check.h"
#include "curve/series_grid_cells.h"
#include "curve/smoothing_fit.h"
#include "fuzz_checks.h"
#include "series/float_fault.h"
#include "series/number_text.h"

using namespace aqualen;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzz::Guarded([&] {
        fuzz::FuzzInput in(data, size);
        const uint8_t flags = in.Byte();
        const char separator = (flags & 1) ? ',' : '.';
        const int high = in.Byte();
        const int n = 1 + (high * 256 + in.Byte()) % SeriesGridCells::kMaxPoints;
        const int width = 100 + in.Byte() * 16;

        CurveSettings settings;
        settings.FineGrid = (flags & 2) != 0;
        settings.SmoothCurve = (flags & 4) != 0;
        const PlottingFormula formula = (flags & 8) ? PlottingFormula::Chegodayev : PlottingFormula::Weibull;
        for (double* box : {&settings.ScaleMax, &settings.ScaleMin, &settings.MainStep, &settings.AdditionalStep}) {
            const std::optional<double> value = ParseNumber(in.Text(), separator);
            if (!value)
                return; // the dialog refuses the box
            *box = *value;
        }
        if (ScaleSettingsError(settings.ScaleMax, settings.ScaleMin, settings.MainStep, settings.AdditionalStep))
            return;

        SeriesGridCells cells;
        PasteCells(cells, SeriesGridCells::kValueColumn, 1, in.Rest());
        FillProbabilityColumn(cells, n, formula, separator);
        for (int row = 1; row <= n; ++row)
            fuzz::CheckReportLine(cells.Get(SeriesGridCells::kProbabilityColumn, row));
        if (!SortSeries(cells, n, true, settings, separator) || !ReadSeries(cells, n, settings, separator))
            return; // "Ряд данных введен не корректно!"
        fuzz::Expect(settings.Values.Count() == n && settings.Probabilities.Count() == n, "points lost");
        // The dialog sorts from five points on (its count box starts there).
        for (int i = 1; i < n && n >= 5; ++i)
            fuzz::Expect(settings.Values.Get(i - 1) >= settings.Values.Get(i), "values not sorted");
        try {
            if (settings.SmoothCurve)
                FitSmoothingCurve(settings);
        } catch (const FloatFault&) {
            return;
        } catch (const dist::FitRefused&) {
            return; // refused: too few distinct probabilities
        }

        test::RecordingCanvas canvas;
        SheetTarget target;
        target.toScreen = (flags & 16) != 0;
        target.pageWidth = width;
        target.pageHeight = width * 210 / 297;
        target.hUnit = HorizontalUnit(target.pageWidth);
        target.vUnit = VerticalUnit(target.pageHeight);
        target.separator = separator;
        try {
            DrawCurveSheet(canvas, settings, target);
        } catch (const FloatFault&) {
            return;
        }
        for (const test::RecordedText& text : canvas.texts)
            fuzz::CheckReportLine(text.text);
    });
}
