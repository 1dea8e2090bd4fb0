#pragma once
// The pictures of the homogeneity window's glyph buttons, drawn here: 16 x 16
// with a greyed image for the disabled state.

#include <QIcon>

namespace aqualen::ui {

// Blue squares stacked above a black downward arrow and a red square.
QIcon MoveDownGlyph();
// A blank white sheet with a folded corner and yellow rays.
QIcon BlankSheetGlyph();

} // namespace aqualen::ui
