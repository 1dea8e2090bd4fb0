#pragma once
// The scale chosen from the series for the parameters dialog: by its button
// "Подобрать по ряду" and by its question on OK when no point lies within
// the scale typed.

#include <QString>
#include <array>

#include "curve/auto_scale.h"
#include "curve/curve_settings.h"

class QLineEdit;

namespace aqualen::ui {

// The scale for the sheet. A band asked for and not yet known is computed
// here first (the window otherwise computes it only after OK, apart) and
// kept in the sheet; a band that cannot be had leaves the scale to the
// curve, and the window says why once the sheet is shown.
AutoScale ScaleWithBand(CurveSettings& sheet);

// The boxes' texts of a scale (maximum, minimum, main step, additional step)
// in the locale's notation.
std::array<QString, 4> ScaleTexts(const SheetScale& scale, char separator);

} // namespace aqualen::ui
