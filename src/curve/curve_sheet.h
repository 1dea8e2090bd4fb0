#pragma once
// The whole exceedance-curve sheet drawn on any canvas.

#include <cstdint>

#include "curve/canvas.h"
#include "curve/curve_settings.h"

namespace aqualen {

// The title of every printed or exported copy of the sheet.
inline constexpr const char* kSheetJobTitle = "Aqualen(Кривая обеспеченности)";

struct SheetTarget {
    bool toScreen = true; // selects the text size rule only
    int32_t hUnit = 0;    // pixels per 10 cm
    int32_t vUnit = 0;
    int32_t pageWidth = 0; // bounds the title
    int32_t pageHeight = 0;
    double screenPpi = 96; // pixels per inch of the screen (toScreen only)
    char separator = ',';  // decimal separator of the labels
};

void DrawCurveSheet(Canvas& canvas, const CurveSettings& settings, const SheetTarget& target);

} // namespace aqualen
