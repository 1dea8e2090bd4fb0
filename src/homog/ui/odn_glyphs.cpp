#include "homog/ui/odn_glyphs.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace aqualen::ui {

namespace {

constexpr int kGlyphSize = 16;

QImage BlankImage()
{
    QImage image(kGlyphSize, kGlyphSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// The disabled image: every painted pixel turned to a light grey of its own
// brightness, the transparent ones left transparent.
QImage Greyed(const QImage& normal)
{
    QImage grey = normal.copy();
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            const QColor c = grey.pixelColor(x, y);
            if (c.alpha() == 0)
                continue;
            const int level = 128 + qGray(c.rgb()) / 2;
            grey.setPixelColor(x, y, QColor(level, level, level, c.alpha()));
        }
    }
    return grey;
}

QIcon IconOf(const QImage& normal)
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(normal), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(Greyed(normal)), QIcon::Disabled);
    return icon;
}

} // namespace

QIcon MoveDownGlyph()
{
    QImage image = BlankImage();
    QPainter painter(&image);
    painter.setPen(QColor(0, 0, 128));
    painter.setBrush(QColor(0, 0, 255));
    painter.drawRect(1, 0, 3, 3);
    painter.drawRect(6, 0, 3, 3);
    painter.drawRect(11, 0, 3, 3);
    painter.drawRect(3, 4, 3, 3);
    painter.drawRect(9, 4, 3, 3);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    painter.drawRect(6, 8, 1, 2);
    painter.drawPolygon(QPolygon({QPoint(2, 10), QPoint(11, 10), QPoint(7, 14), QPoint(6, 14)}));
    painter.setPen(QColor(128, 0, 0));
    painter.setBrush(Qt::red);
    painter.drawRect(11, 12, 3, 3);
    painter.end();
    return IconOf(image);
}

QIcon BlankSheetGlyph()
{
    QImage image = BlankImage();
    QPainter painter(&image);
    // The sheet, its top-right corner folded over.
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygon({QPoint(2, 4), QPoint(8, 4), QPoint(11, 7), QPoint(11, 15), QPoint(2, 15)}));
    painter.drawPolyline(QPolygon({QPoint(8, 4), QPoint(8, 7), QPoint(11, 7)}));
    // Yellow rays from the corner.
    painter.setPen(QPen(QColor(230, 200, 0), 1));
    painter.drawLine(11, 3, 11, 0);
    painter.drawLine(12, 4, 15, 1);
    painter.drawLine(13, 6, 15, 6);
    painter.drawLine(10, 3, 8, 1);
    painter.end();
    return IconOf(image);
}

} // namespace aqualen::ui
