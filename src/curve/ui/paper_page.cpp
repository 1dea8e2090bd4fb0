#include "curve/ui/paper_page.h"

#include <QPainter>

#include "curve/curve_sheet.h"
#include "curve/probability_scale.h"
#include "curve/tee_canvas.h"
#include "curve/ui/painter_canvas.h"

namespace aqualen::ui {

namespace {

Canvas* tap = nullptr;

} // namespace

void DrawPaperPage(QPainter& painter, const CurveSettings& settings, QSize page, char separator)
{
    PainterCanvas paper(painter);
    Canvas* canvas = &paper;
    TeeCanvas tee(paper, tap ? *tap : paper);
    if (tap)
        canvas = &tee;
    canvas->SetBrushColor(kWhite);
    SheetTarget target;
    target.toScreen = false;
    target.hUnit = HorizontalUnit(page.width());
    target.vUnit = VerticalUnit(page.height());
    target.pageWidth = page.width();
    target.pageHeight = page.height();
    target.separator = separator;
    DrawCurveSheet(*canvas, settings, target);
}

void SetPaperPageTap(Canvas* canvas)
{
    tap = canvas;
}

} // namespace aqualen::ui
