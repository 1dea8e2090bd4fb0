#pragma once
// The canvas over a QPainter: the curve window's page, the printer's pages
// and PDF/PNG files. It behaves like a classic raster canvas: a line leaves
// out its end pixel, rectangles and ellipses leave out their right and bottom
// edges, and text is written on the brush colour.

#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QPointF>

#include "curve/canvas.h"

namespace aqualen::ui {

// How a canvas departs from paper for the screen. Paper (printer, PDF, PNG)
// keeps the defaults, so its sheets stay exactly as they are.
struct CanvasOptions {
    // Lines, outlines and dots smoothed, each thin line still on its pixel row.
    bool smooth = false;
    // The dotted pen draws one-pixel dots with two-pixel gaps in a colour
    // lighter than the solid pen, so that close dotted divisions stay a light
    // grid instead of fusing into a dark texture.
    bool lightDots = false;
    // Text is never set smaller than this many pixels (0: as asked).
    int minTextPixels = 0;
};

// The curve window's page: smooth, light dots, text at least 6 pixels.
CanvasOptions ScreenCanvasOptions();

class PainterCanvas final : public Canvas {
public:
    // Starts with a thin black solid pen, a white solid brush and black text.
    // Font point sizes follow the logical resolution of the painter's device,
    // so 8 pt is 8/72 inch on that device.
    explicit PainterCanvas(QPainter& painter, const CanvasOptions& options = {});

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

    // The pixel-centre offset of a smoothed thin line from `from` to `to`.
    QPointF Offset(const QPoint& from, const QPoint& to) const;

    QPainter& painter_;
    CanvasOptions options_;
    QPoint position_;
    QColor penColor_ = Qt::black;
    int penWidth_ = 0;
    PenStyle penStyle_ = PenStyle::Solid;
    QColor brushColor_ = Qt::white;
};

} // namespace aqualen::ui
