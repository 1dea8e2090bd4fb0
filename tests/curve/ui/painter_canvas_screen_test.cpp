// The canvas in the screen's look: smoothed thin lines that stay on their
// pixel row, light one-pixel dots, and text never below six pixels.

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "curve/ui/painter_canvas.h"

namespace aqualen::ui {
namespace {

QImage White(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TEST(ScreenCanvas, ThinLinesKeepTheirPixelsSharp)
{
    QImage image = White(40, 20);
    {
        QPainter painter(&image);
        PainterCanvas canvas(painter, ScreenCanvasOptions());
        canvas.MoveTo(5, 10);
        canvas.LineTo(30, 10);
    }
    EXPECT_EQ(image.pixel(5, 10), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(29, 10), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(30, 10), qRgb(255, 255, 255)) << "the end pixel stays out";
    EXPECT_EQ(image.pixel(15, 9), qRgb(255, 255, 255)) << "no smear onto the row above";
    EXPECT_EQ(image.pixel(15, 11), qRgb(255, 255, 255));
}

TEST(ScreenCanvas, DottedPenDrawsLightOnePixelDots)
{
    QImage screen = White(40, 5);
    QImage paper = White(40, 5);
    for (QImage* image : {&screen, &paper}) {
        QPainter painter(image);
        PainterCanvas canvas(painter, image == &screen ? ScreenCanvasOptions() : CanvasOptions{});
        canvas.SetPenStyle(PenStyle::Dotted);
        canvas.MoveTo(0, 2);
        canvas.LineTo(36, 2);
    }
    const QRgb grey = screen.pixel(0, 2);
    EXPECT_NE(grey, qRgb(0, 0, 0));
    EXPECT_LT(qRed(grey), 200) << "light, but visible";
    for (int x = 0; x < 36; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(screen.pixel(x, 2), x % 3 == 0 ? grey : qRgb(255, 255, 255));
        // Paper keeps its three on, three off.
        EXPECT_EQ(paper.pixel(x, 2), x % 6 < 3 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
}

TEST(ScreenCanvas, TextNeverBelowSixPixels)
{
    QImage image = White(200, 40);
    QPainter painter(&image);
    PainterCanvas screen(painter, ScreenCanvasOptions());
    screen.SetFont("Arial", 2);
    const int small = painter.fontMetrics().height();
    EXPECT_GE(painter.font().pixelSize(), 6);
    PainterCanvas paper(painter);
    paper.SetFont("Arial", 2);
    EXPECT_LT(painter.fontMetrics().height(), small);
    // Text large enough keeps its size.
    screen.SetFont("Arial", 14);
    EXPECT_EQ(painter.font().pointSize(), 14);
}

} // namespace
} // namespace aqualen::ui
