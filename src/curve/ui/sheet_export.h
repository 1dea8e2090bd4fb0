#pragma once
// The curve sheet written to files: a vector PDF of one landscape A4 page, a
// PNG of that page at a chosen resolution, or a vector SVG of it. Each draws
// the printed page (paper_page), with the printer's text sizes.

#include <string>

#include "curve/curve_settings.h"

namespace aqualen::ui {

struct ExportResult {
    bool ok = false;
    std::string error;  // "cannot write PATH: reason"
    std::string reason; // the reason alone, for a message box
};

// Needs a QGuiApplication (text is drawn). The file is made in memory and
// written through a temporary file renamed over `path` only when complete: a
// failure leaves no partial file and an existing file untouched. The error
// reads "cannot write PATH: reason".
ExportResult WriteSheetPdf(const CurveSettings& settings, const std::string& path, char separator);
ExportResult WriteSheetPng(const CurveSettings& settings, const std::string& path, int dotsPerInch, char separator);
ExportResult WriteSheetSvg(const CurveSettings& settings, const std::string& path, char separator);

enum class SheetFileFormat { Pdf, Png, Svg };
// One of the three; dotsPerInch serves the PNG only.
ExportResult WriteSheet(SheetFileFormat format, const CurveSettings& settings, const std::string& path, int dotsPerInch,
                        char separator);

// The pixel size of a landscape A4 page at the resolution, halves to even.
int A4LandscapeWidth(int dotsPerInch);
int A4LandscapeHeight(int dotsPerInch);

} // namespace aqualen::ui
