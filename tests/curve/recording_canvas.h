#pragma once
// A canvas that keeps every call, so the sheet's geometry can be checked to
// the pixel: lines with the pen they were drawn with, texts with their font.

#include <string>
#include <vector>

#include "curve/canvas.h"

namespace aqualen::test {

struct RecordedLine {
    int x0, y0, x1, y1;
    PenStyle style;
    int width;
    CanvasColor color;
    bool operator==(const RecordedLine&) const = default;
};

struct RecordedText {
    int x, y;
    std::string text;
    std::string font;
    int size;
    bool operator==(const RecordedText&) const = default;
};

struct RecordedEllipse {
    int left, top, right, bottom;
    bool operator==(const RecordedEllipse&) const = default;
};

struct RecordedRect {
    int left, top, right, bottom;
    bool operator==(const RecordedRect&) const = default;
};

struct RecordedPixel {
    int x, y;
    CanvasColor color;
    bool operator==(const RecordedPixel&) const = default;
};

class RecordingCanvas final : public Canvas {
public:
    // Text width: a fixed number of pixels per character (code point).
    explicit RecordingCanvas(int charWidth = 5) : charWidth_(charWidth) {}

    void SetPenColor(CanvasColor color) override
    {
        penColor = color;
        ++calls;
    }
    void SetPenWidth(int width) override
    {
        penWidth = width;
        ++calls;
    }
    void SetPenStyle(PenStyle style) override
    {
        penStyle = style;
        ++calls;
    }
    void SetBrushColor(CanvasColor color) override
    {
        brushColor = color;
        ++calls;
    }
    void SetFont(const std::string& name, int pointSize) override
    {
        fontName = name;
        fontSize = pointSize;
        ++calls;
    }
    int TextWidth(const std::string& text) override
    {
        int points = 0;
        for (const unsigned char c : text)
            points += (c & 0xC0) != 0x80;
        return points * charWidth_;
    }
    void TextOut(int x, int y, const std::string& text) override
    {
        texts.push_back({x, y, text, fontName, fontSize});
        ++calls;
    }
    void MoveTo(int x, int y) override
    {
        curX = x;
        curY = y;
        ++calls;
    }
    void LineTo(int x, int y) override
    {
        lines.push_back({curX, curY, x, y, penStyle, penWidth, penColor});
        curX = x;
        curY = y;
        ++calls;
    }
    void Rectangle(int left, int top, int right, int bottom) override
    {
        rectangles.push_back({left, top, right, bottom});
        ++calls;
    }
    void Ellipse(int left, int top, int right, int bottom) override
    {
        ellipses.push_back({left, top, right, bottom});
        ++calls;
    }
    void SetPixel(int x, int y, CanvasColor color) override
    {
        pixels.push_back({x, y, color});
        ++calls;
    }

    void Reset() { *this = RecordingCanvas(charWidth_); }

    std::vector<RecordedLine> lines;
    std::vector<RecordedText> texts;
    std::vector<RecordedEllipse> ellipses;
    std::vector<RecordedPixel> pixels;
    std::vector<RecordedRect> rectangles;
    long calls = 0;

    CanvasColor penColor = kBlack;
    int penWidth = 0;
    PenStyle penStyle = PenStyle::Solid;
    CanvasColor brushColor = kWhite;
    std::string fontName;
    int fontSize = 0;
    int curX = 0;
    int curY = 0;

private:
    int charWidth_;
};

} // namespace aqualen::test
