#include "curve/ui/glyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace aqualen::ui {

namespace {

void DrawMagnifier(QPainter& p, double s, bool plus)
{
    p.setPen(QPen(QColor(40, 40, 40), s / 10, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(QColor(210, 235, 255));
    const QRectF lens(s * 0.08, s * 0.08, s * 0.58, s * 0.58);
    p.drawEllipse(lens);
    p.setPen(QPen(QColor(90, 60, 20), s / 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.62, s * 0.62), QPointF(s * 0.9, s * 0.9));
    p.setPen(QPen(Qt::black, s / 11));
    const QPointF c = lens.center();
    p.drawLine(QPointF(c.x() - s * 0.16, c.y()), QPointF(c.x() + s * 0.16, c.y()));
    if (plus)
        p.drawLine(QPointF(c.x(), c.y() - s * 0.16), QPointF(c.x(), c.y() + s * 0.16));
}

// A landscape page with four arrows pointing out to the corners: "fit".
void DrawFit(QPainter& p, double s)
{
    p.setPen(QPen(QColor(60, 60, 60), s / 16));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(s * 0.24, s * 0.32, s * 0.52, s * 0.36));
    p.setPen(QPen(QColor(0, 90, 170), s / 11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const double dx : {-1.0, 1.0}) {
        for (const double dy : {-1.0, 1.0}) {
            const QPointF tip(s * (0.5 + dx * 0.42), s * (0.5 + dy * 0.36));
            p.drawLine(tip, tip - QPointF(dx * s * 0.2, 0));
            p.drawLine(tip, tip - QPointF(0, dy * s * 0.16));
        }
    }
}

void DrawPrinter(QPainter& p, double s)
{
    p.setPen(QPen(QColor(60, 60, 60), s / 24));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(s * 0.25, s * 0.06, s * 0.5, s * 0.36));
    p.setBrush(QColor(170, 170, 170));
    p.drawRoundedRect(QRectF(s * 0.06, s * 0.36, s * 0.88, s * 0.36), s * 0.06, s * 0.06);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(s * 0.25, s * 0.58, s * 0.5, s * 0.36));
    p.setPen(QPen(QColor(120, 120, 120), s / 24));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(s * 0.32, s * (0.68 + 0.08 * i)), QPointF(s * 0.68, s * (0.68 + 0.08 * i)));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 170, 0));
    p.drawEllipse(QPointF(s * 0.83, s * 0.46), s * 0.04, s * 0.04);
}

void DrawParameters(QPainter& p, double s)
{
    // A small curve sheet: axes, a few points and the fitted line.
    p.setPen(QPen(QColor(60, 60, 60), s / 16));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(s * 0.06, s * 0.1, s * 0.88, s * 0.8));
    p.setPen(QPen(Qt::black, s / 14));
    p.drawLine(QPointF(s * 0.18, s * 0.78), QPointF(s * 0.86, s * 0.78));
    p.drawLine(QPointF(s * 0.18, s * 0.78), QPointF(s * 0.18, s * 0.2));
    p.setPen(QPen(Qt::blue, s / 12));
    QPainterPath curve(QPointF(s * 0.22, s * 0.24));
    curve.quadTo(QPointF(s * 0.4, s * 0.7), QPointF(s * 0.84, s * 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    for (const QPointF& q : {QPointF(0.28, 0.38), QPointF(0.45, 0.58), QPointF(0.7, 0.66)})
        p.drawEllipse(QPointF(s * q.x(), s * q.y()), s * 0.05, s * 0.05);
}

void DrawPage(QPainter& p, double s, const QRectF& r)
{
    p.setPen(QPen(QColor(70, 70, 70), s / 16));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(110, 110, 110), s / 16));
    for (double y = r.top() + s * 0.14; y < r.bottom() - s * 0.06; y += s * 0.12)
        p.drawLine(QPointF(r.left() + s * 0.08, y), QPointF(r.right() - s * 0.08, y));
}

void DrawScissors(QPainter& p, double s)
{
    p.setPen(QPen(QColor(50, 50, 50), s / 12, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.3, s * 0.08), QPointF(s * 0.62, s * 0.62));
    p.drawLine(QPointF(s * 0.7, s * 0.08), QPointF(s * 0.38, s * 0.62));
    p.setPen(QPen(QColor(180, 0, 0), s / 12));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(s * 0.3, s * 0.76), s * 0.14, s * 0.14);
    p.drawEllipse(QPointF(s * 0.7, s * 0.76), s * 0.14, s * 0.14);
}

void DrawClipboard(QPainter& p, double s)
{
    p.setPen(QPen(QColor(90, 60, 20), s / 16));
    p.setBrush(QColor(200, 150, 80));
    p.drawRect(QRectF(s * 0.1, s * 0.12, s * 0.6, s * 0.8));
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(QRectF(s * 0.26, s * 0.06, s * 0.28, s * 0.14));
    DrawPage(p, s, QRectF(s * 0.42, s * 0.38, s * 0.5, s * 0.56));
}

void DrawClear(QPainter& p, double s)
{
    DrawPage(p, s, QRectF(s * 0.1, s * 0.06, s * 0.6, s * 0.88));
    p.setPen(QPen(QColor(200, 0, 0), s / 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.5, s * 0.5), QPointF(s * 0.88, s * 0.88));
    p.drawLine(QPointF(s * 0.88, s * 0.5), QPointF(s * 0.5, s * 0.88));
}

void DrawSort(QPainter& p, double s)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 90, 170));
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(s * 0.08, s * (0.1 + 0.22 * i), s * (0.5 - 0.1 * i), s * 0.14));
    p.setPen(QPen(Qt::black, s / 12, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.78, s * 0.1), QPointF(s * 0.78, s * 0.88));
    p.drawLine(QPointF(s * 0.78, s * 0.88), QPointF(s * 0.64, s * 0.7));
    p.drawLine(QPointF(s * 0.78, s * 0.88), QPointF(s * 0.92, s * 0.7));
}

// A diskette: the body, its label and the shutter.
void DrawDisk(QPainter& p, double s)
{
    p.setPen(QPen(QColor(20, 40, 90), s / 16));
    p.setBrush(QColor(40, 90, 170));
    QPainterPath body;
    body.moveTo(s * 0.08, s * 0.08);
    body.lineTo(s * 0.78, s * 0.08);
    body.lineTo(s * 0.92, s * 0.22);
    body.lineTo(s * 0.92, s * 0.92);
    body.lineTo(s * 0.08, s * 0.92);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(s * 0.22, s * 0.5, s * 0.56, s * 0.34));
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(s * 0.28, s * 0.08, s * 0.42, s * 0.26));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 90, 170));
    p.drawRect(QRectF(s * 0.56, s * 0.12, s * 0.09, s * 0.18));
}

QPixmap GreyedCopy(const QPixmap& source)
{
    QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 128 + qGray(line[x]) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

QPixmap GlyphPixmap(Glyph glyph, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    switch (glyph) {
    case Glyph::ZoomIn:
        DrawMagnifier(p, s, true);
        break;
    case Glyph::ZoomOut:
        DrawMagnifier(p, s, false);
        break;
    case Glyph::ZoomFit:
        DrawFit(p, s);
        break;
    case Glyph::Parameters:
        DrawParameters(p, s);
        break;
    case Glyph::Print:
    case Glyph::Printer:
        DrawPrinter(p, s);
        break;
    case Glyph::Cut:
        DrawScissors(p, s);
        break;
    case Glyph::Copy:
        DrawPage(p, s, QRectF(s * 0.08, s * 0.06, s * 0.52, s * 0.62));
        DrawPage(p, s, QRectF(s * 0.4, s * 0.32, s * 0.52, s * 0.62));
        break;
    case Glyph::Paste:
        DrawClipboard(p, s);
        break;
    case Glyph::Clear:
        DrawClear(p, s);
        break;
    case Glyph::Sort:
        DrawSort(p, s);
        break;
    case Glyph::Save:
        DrawDisk(p, s);
        break;
    }
    return pixmap;
}

QIcon GlyphIcon(Glyph glyph, int size)
{
    const QPixmap normal = GlyphPixmap(glyph, size);
    QIcon icon(normal);
    icon.addPixmap(GreyedCopy(normal), QIcon::Disabled);
    return icon;
}

} // namespace aqualen::ui
