#pragma once
// One page of the curve sheet as paper shows it: the printer's text sizes,
// text on white. The print dialog and every exported file draw their page
// here, so a file holds what the printer would print.

#include <QSize>

#include "curve/canvas.h"
#include "curve/curve_settings.h"

class QPainter;

namespace aqualen::ui {

// The whole sheet on a page of `page` device pixels, through a plain
// (paper) canvas over the painter.
void DrawPaperPage(QPainter& painter, const CurveSettings& settings, QSize page, char separator);

// Tests: every canvas call of every paper page is also made on `tap`, which
// is not owned; nullptr stops it.
void SetPaperPageTap(Canvas* tap);

} // namespace aqualen::ui
