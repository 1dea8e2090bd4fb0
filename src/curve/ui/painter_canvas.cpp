#include "curve/ui/painter_canvas.h"

#include <QFontMetrics>
#include <QPen>
#include <QRectF>
#include <QString>
#include <algorithm>
#include <utility>

namespace aqualen::ui {

namespace {

QColor ToQColor(CanvasColor color)
{
    return QColor(color.red, color.green, color.blue);
}

// How far the dotted pen's colour moves towards white: black becomes a mid
// grey, lighter than the solid divisions but plainly visible.
constexpr int kDotLightening = 55; // percent

QColor Lightened(const QColor& color)
{
    const auto towardsWhite = [](int c) { return c + (255 - c) * kDotLightening / 100; };
    return QColor(towardsWhite(color.red()), towardsWhite(color.green()), towardsWhite(color.blue()));
}

} // namespace

CanvasOptions ScreenCanvasOptions()
{
    CanvasOptions options;
    options.smooth = true;
    options.lightDots = true;
    options.minTextPixels = 6;
    return options;
}

PainterCanvas::PainterCanvas(QPainter& painter, const CanvasOptions& options) : painter_(painter), options_(options)
{
    // Paper: pixel-exact grid lines; text keeps its smoothing for legibility.
    painter_.setRenderHint(QPainter::Antialiasing, options_.smooth);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setBrush(QBrush(brushColor_, Qt::SolidPattern));
    ApplyPen();
}

void PainterCanvas::ApplyPen()
{
    QPen pen(penColor_);
    pen.setWidth(penWidth_);
    pen.setCapStyle(penWidth_ > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    if (penStyle_ == PenStyle::Dotted && options_.lightDots) {
        // A cosmetic pen: one-pixel dots at every zoom, whatever the width.
        pen.setWidth(0);
        pen.setColor(Lightened(penColor_));
        pen.setDashPattern({1.0, 2.0});
    } else if (penStyle_ == PenStyle::Dotted) {
        // Three pixels on, three off (in pen widths, a cosmetic pen counting one).
        pen.setDashPattern({3.0, 3.0});
    }
    painter_.setPen(pen);
}

void PainterCanvas::SetPenColor(CanvasColor color)
{
    penColor_ = ToQColor(color);
    ApplyPen();
}

void PainterCanvas::SetPenWidth(int width)
{
    penWidth_ = std::max(0, width);
    ApplyPen();
}

void PainterCanvas::SetPenStyle(PenStyle style)
{
    penStyle_ = style;
    ApplyPen();
}

void PainterCanvas::SetBrushColor(CanvasColor color)
{
    brushColor_ = ToQColor(color);
    painter_.setBrush(QBrush(brushColor_, Qt::SolidPattern));
}

void PainterCanvas::SetFont(const std::string& name, int pointSize)
{
    QFont font(QString::fromStdString(name));
    // A zero size would fall back to the default font size; the smallest
    // readable size is kept instead.
    font.setPointSize(std::max(1, pointSize));
    font.setStyleStrategy(QFont::PreferMatch);
    // QPainter resolves the point size against its device's logical DPI.
    if (options_.minTextPixels > 0 && painter_.device()) {
        const double pixels = font.pointSizeF() * painter_.device()->logicalDpiY() / 72.0;
        if (pixels < options_.minTextPixels)
            font.setPixelSize(options_.minTextPixels);
    }
    painter_.setFont(font);
}

int PainterCanvas::TextWidth(const std::string& text)
{
    return painter_.fontMetrics().horizontalAdvance(QString::fromStdString(text));
}

void PainterCanvas::TextOut(int x, int y, const std::string& text)
{
    if (text.empty())
        return;
    const QString qtext = QString::fromStdString(text);
    const QFontMetrics metrics = painter_.fontMetrics();
    const int width = metrics.horizontalAdvance(qtext);
    painter_.fillRect(x, y, width, metrics.height(), brushColor_);
    const QPen pen = painter_.pen();
    painter_.setPen(QPen(Qt::black));
    painter_.drawText(QPoint(x, y + metrics.ascent()), qtext);
    painter_.setPen(pen);
}

void PainterCanvas::MoveTo(int x, int y)
{
    position_ = QPoint(x, y);
}

void PainterCanvas::LineTo(int x, int y)
{
    const QPoint from = position_;
    const QPoint to(x, y);
    position_ = to;
    // A thin pen with flat caps leaves out the end pixel, as the canvas
    // promises, so consecutive segments never draw a pixel twice.
    if (from == to)
        return;
    if (!options_.smooth) {
        painter_.drawLine(from, to);
        return;
    }
    const QPointF offset = Offset(from, to);
    if (from.x() == to.x() || from.y() == to.y()) {
        painter_.drawLine(QPointF(from) + offset, QPointF(to) + offset);
        return;
    }
    // A curve is drawn one pixel column at a time: round caps join the
    // short smoothed segments into one unbroken line.
    QPen pen = painter_.pen();
    const Qt::PenCapStyle cap = pen.capStyle();
    pen.setCapStyle(Qt::RoundCap);
    painter_.setPen(pen);
    painter_.drawLine(QPointF(from) + offset, QPointF(to) + offset);
    pen.setCapStyle(cap);
    painter_.setPen(pen);
}

QPointF PainterCanvas::Offset(const QPoint& from, const QPoint& to) const
{
    // A smoothed line lies on the pixels' centres across its run (a line of
    // odd width; an even one lies on the boundary) and starts at the pixel's
    // edge along it, so that it covers the same pixels as the aliased one.
    const bool odd = penWidth_ <= 1 || penWidth_ % 2 == 1;
    const double half = odd ? 0.5 : 0.0;
    if (from.y() == to.y())
        return {0.0, half};
    if (from.x() == to.x())
        return {half, 0.0};
    return {half, half};
}

void PainterCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    // An aliased outline covers width + 1 pixels: shrink by one so the right
    // and bottom edges are left out. A smoothed one is drawn on the centres.
    const double shift = options_.smooth ? 0.5 : 0.0;
    painter_.drawRect(QRectF(left + shift, top + shift, right - left - 1, bottom - top - 1));
}

void PainterCanvas::Ellipse(int left, int top, int right, int bottom)
{
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    if (right - left < 2 || bottom - top < 2) {
        painter_.fillRect(left, top, std::max(1, right - left), std::max(1, bottom - top), penColor_);
        return;
    }
    const double shift = options_.smooth ? 0.5 : 0.0;
    painter_.drawEllipse(QRectF(left + shift, top + shift, right - left - 1, bottom - top - 1));
}

void PainterCanvas::SetPixel(int x, int y, CanvasColor color)
{
    painter_.fillRect(x, y, 1, 1, ToQColor(color));
}

} // namespace aqualen::ui
