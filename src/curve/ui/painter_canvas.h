#pragma once
// The canvas over a QPainter: the curve window's page, the printer's pages
// and PDF/PNG files.

#include <QPainter>
#include <QPoint>

#include "curve/canvas.h"

namespace aqualen::ui {

class PainterCanvas final : public Canvas {
public:
    // Font point sizes are for a device of `dotsPerInch` (the painter's
    // device's logical resolution).
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
    QPainter& painter_;
    QPoint position_;
};

} // namespace aqualen::ui
