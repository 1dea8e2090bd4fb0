#pragma once
// A canvas that makes every call on two canvases: the one drawn on, which
// also answers text widths, and a second one that sees the same calls.

#include "curve/canvas.h"

namespace aqualen {

class TeeCanvas final : public Canvas {
public:
    TeeCanvas(Canvas& drawn, Canvas& copy) : drawn_(drawn), copy_(copy) {}

    void SetPenColor(CanvasColor color) override
    {
        drawn_.SetPenColor(color);
        copy_.SetPenColor(color);
    }
    void SetPenWidth(int width) override
    {
        drawn_.SetPenWidth(width);
        copy_.SetPenWidth(width);
    }
    void SetPenStyle(PenStyle style) override
    {
        drawn_.SetPenStyle(style);
        copy_.SetPenStyle(style);
    }
    void SetBrushColor(CanvasColor color) override
    {
        drawn_.SetBrushColor(color);
        copy_.SetBrushColor(color);
    }
    void SetFont(const std::string& name, int pointSize) override
    {
        drawn_.SetFont(name, pointSize);
        copy_.SetFont(name, pointSize);
    }
    int TextWidth(const std::string& text) override { return drawn_.TextWidth(text); }
    void TextOut(int x, int y, const std::string& text) override
    {
        drawn_.TextOut(x, y, text);
        copy_.TextOut(x, y, text);
    }
    void MoveTo(int x, int y) override
    {
        drawn_.MoveTo(x, y);
        copy_.MoveTo(x, y);
    }
    void LineTo(int x, int y) override
    {
        drawn_.LineTo(x, y);
        copy_.LineTo(x, y);
    }
    void Rectangle(int left, int top, int right, int bottom) override
    {
        drawn_.Rectangle(left, top, right, bottom);
        copy_.Rectangle(left, top, right, bottom);
    }
    void Ellipse(int left, int top, int right, int bottom) override
    {
        drawn_.Ellipse(left, top, right, bottom);
        copy_.Ellipse(left, top, right, bottom);
    }
    void SetPixel(int x, int y, CanvasColor color) override
    {
        drawn_.SetPixel(x, y, color);
        copy_.SetPixel(x, y, color);
    }

private:
    Canvas& drawn_;
    Canvas& copy_;
};

} // namespace aqualen
