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

} // namespace

PainterCanvas::PainterCanvas(QPainter& painter) : painter_(painter)
{
    // Pixel-exact grid lines; text keeps its smoothing for legibility.
    painter_.setRenderHint(QPainter::Antialiasing, false);
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
    if (penStyle_ == PenStyle::Dotted) {
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
    if (from != to)
        painter_.drawLine(from, to);
}

void PainterCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    // An aliased outline covers width + 1 pixels: shrink by one so the right
    // and bottom edges are left out.
    painter_.drawRect(QRectF(left, top, right - left - 1, bottom - top - 1));
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
    painter_.drawEllipse(QRectF(left, top, right - left - 1, bottom - top - 1));
}

void PainterCanvas::SetPixel(int x, int y, CanvasColor color)
{
    painter_.fillRect(x, y, 1, 1, ToQColor(color));
}

} // namespace aqualen::ui
