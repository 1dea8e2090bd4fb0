#pragma once
// The curve sheet written to files: a vector PDF of one landscape A4 page, or
// a PNG of that page at a chosen resolution. Both draw with the printer's
// text sizes, through the same canvas as the screen and the printer.

#include <string>

#include "curve/curve_settings.h"

namespace aqualen::ui {

struct ExportResult {
    bool ok = false;
    std::string error; // why the file could not be written
};

// Needs a QGuiApplication (text is drawn). The file is made in memory and
// written through a temporary file renamed over `path` only when complete: a
// failure leaves no partial file and an existing file untouched. The error
// reads "cannot write PATH: reason".
ExportResult WriteSheetPdf(const CurveSettings& settings, const std::string& path, char separator);
ExportResult WriteSheetPng(const CurveSettings& settings, const std::string& path, int dotsPerInch, char separator);

// The pixel size of a landscape A4 page at the resolution, halves to even.
int A4LandscapeWidth(int dotsPerInch);
int A4LandscapeHeight(int dotsPerInch);

} // namespace aqualen::ui
