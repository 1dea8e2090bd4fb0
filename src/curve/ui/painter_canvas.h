#pragma once
// The canvas over a QPainter: the curve window's page, the printer's pages
// and PDF/PNG files. It behaves like a classic raster canvas: a line leaves
// out its end pixel, rectangles and ellipses leave out their right and bottom
// edges, and text is written on the brush colour.

#include <QFont>
#include <QPainter>
#include <QPoint>

#include "curve/canvas.h"

namespace aqualen::ui {

class PainterCanvas final : public Canvas {
public:
    // Starts with a thin black solid pen, a white solid brush and black text.
    // Font point sizes follow the logical resolution of the painter's device,
    // so 8 pt is 8/72 inch on that device.
    explicit PainterCanvas(QPainter& painter);

    void SetPenColor(CanvasColor color) override;
    void SetPenWidth(int width) override;
    void SetPenStyle(PenStyle style) override;
    void SetBrushColor(CanvasColor color) override;
    void SetFont(const std::string& name, int pointSize) override;
    int TextWidth(const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void SetPixel(int x, int y, CanvasColor color) override;

private:
    void ApplyPen();

    QPainter& painter_;
    QPoint position_;
    QColor penColor_ = Qt::black;
    int penWidth_ = 0;
    PenStyle penStyle_ = PenStyle::Solid;
    QColor brushColor_ = Qt::white;
};

} // namespace aqualen::ui
