#pragma once
// The drawing surface of the curve sheet. The screen, the printer, PDF/PNG
// files and the tests' recorder implement it, so one drawing serves all.

#include <cstdint>
#include <string>

namespace aqualen {

struct CanvasColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const CanvasColor&) const = default;
};

inline constexpr CanvasColor kBlack{0, 0, 0};
inline constexpr CanvasColor kWhite{255, 255, 255};
inline constexpr CanvasColor kBlue{0, 0, 255};
inline constexpr CanvasColor kRed{255, 0, 0};
inline constexpr CanvasColor kSilver{192, 192, 192};

enum class PenStyle { Solid, Dotted };

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void SetPenColor(CanvasColor color) = 0;
    // 0 draws the thinnest line, one pixel wide.
    virtual void SetPenWidth(int width) = 0;
    virtual void SetPenStyle(PenStyle style) = 0;
    virtual void SetBrushColor(CanvasColor color) = 0;
    virtual void SetFont(const std::string& name, int pointSize) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    // Text (UTF-8) with its top-left corner at the pixel, on the brush colour.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A line from the current position to the pixel, which becomes current;
    // the end pixel itself is not drawn.
    virtual void LineTo(int x, int y) = 0;
    // Outline in the pen, filled with the brush; right and bottom exclusive.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    virtual void SetPixel(int x, int y, CanvasColor color) = 0;
};

} // namespace aqualen
