#pragma once
// The small pictures of the curve windows' buttons, drawn here rather than
// loaded, so that they stay crisp and need no files.

#include <QIcon>
#include <QPixmap>

namespace aqualen::ui {

enum class Glyph { ZoomIn, ZoomOut, ZoomFit, Parameters, Print, Printer, Cut, Copy, Paste, Clear, Sort, Save };

// An icon with a greyed image for the disabled state.
QIcon GlyphIcon(Glyph glyph, int size = 16);
QPixmap GlyphPixmap(Glyph glyph, int size);

} // namespace aqualen::ui
