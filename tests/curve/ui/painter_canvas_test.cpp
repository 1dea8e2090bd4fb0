#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "curve/ui/painter_canvas.h"

namespace aqualen::ui {
namespace {

struct Picture {
    QImage image{60, 40, QImage::Format_RGB32};
    Picture() { image.fill(Qt::white); }
    bool Black(int x, int y) const { return image.pixel(x, y) == qRgb(0, 0, 0); }
};

TEST(PainterCanvas, LinesLeaveOutTheirEndPixel)
{
    Picture p;
    {
        QPainter painter(&p.image);
        PainterCanvas canvas(painter);
        canvas.MoveTo(10, 5);
        canvas.LineTo(10, 20);
        canvas.MoveTo(20, 30);
        canvas.LineTo(40, 30);
        canvas.MoveTo(45, 0);
        canvas.LineTo(55, 5);
        canvas.MoveTo(2, 2);
        canvas.LineTo(2, 2);
    }
    EXPECT_FALSE(p.Black(10, 4));
    EXPECT_TRUE(p.Black(10, 5));
    EXPECT_TRUE(p.Black(10, 19));
    EXPECT_FALSE(p.Black(10, 20));
    EXPECT_TRUE(p.Black(20, 30));
    EXPECT_TRUE(p.Black(39, 30));
    EXPECT_FALSE(p.Black(40, 30));
    EXPECT_TRUE(p.Black(45, 0));
    EXPECT_FALSE(p.Black(55, 5));
    EXPECT_FALSE(p.Black(2, 2)); // a line of no length draws nothing
}

TEST(PainterCanvas, EllipseIsFilledAndLeavesOutRightAndBottom)
{
    Picture p;
    p.image.fill(Qt::black);
    {
        QPainter painter(&p.image);
        PainterCanvas canvas(painter);
        canvas.Ellipse(30, 2, 40, 12);
    }
    EXPECT_EQ(p.image.pixel(35, 7), qRgb(255, 255, 255)); // white brush inside
    EXPECT_TRUE(p.Black(40, 7));
    EXPECT_TRUE(p.Black(35, 12));
}

TEST(PainterCanvas, TextIsWrittenOnAWhiteBackground)
{
    Picture p;
    p.image.fill(Qt::black);
    int width = 0;
    {
        QPainter painter(&p.image);
        PainterCanvas canvas(painter);
        canvas.SetFont("Arial", 8);
        width = canvas.TextWidth("0,1");
        canvas.TextOut(5, 5, "0,1");
    }
    ASSERT_GT(width, 0);
    int white = 0;
    for (int x = 5; x < 5 + width; ++x)
        white += p.image.pixel(x, 5) == qRgb(255, 255, 255);
    EXPECT_GT(white, width / 2);
    EXPECT_TRUE(p.Black(4, 5));
}

TEST(PainterCanvas, PointSizesFollowTheDeviceResolution)
{
    QImage low(10, 10, QImage::Format_RGB32);
    QImage high(10, 10, QImage::Format_RGB32);
    low.setDotsPerMeterX(3780); // 96 dpi
    low.setDotsPerMeterY(3780);
    high.setDotsPerMeterX(23622); // 600 dpi
    high.setDotsPerMeterY(23622);
    int lowWidth = 0;
    int highWidth = 0;
    {
        QPainter painter(&low);
        PainterCanvas canvas(painter);
        canvas.SetFont("Times New Roman", 14);
        lowWidth = canvas.TextWidth("P, %");
    }
    {
        QPainter painter(&high);
        PainterCanvas canvas(painter);
        canvas.SetFont("Times New Roman", 14);
        highWidth = canvas.TextWidth("P, %");
    }
    EXPECT_NEAR(static_cast<double>(highWidth) / lowWidth, 600.0 / 96, 0.6);
}

} // namespace
} // namespace aqualen::ui
