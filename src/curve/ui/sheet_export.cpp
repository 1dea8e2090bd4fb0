#include "curve/ui/sheet_export.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

#include <cmath>

#include "curve/curve_sheet.h"
#include "curve/probability_scale.h"
#include "curve/ui/painter_canvas.h"

namespace aqualen::ui {

namespace {

constexpr int kPdfResolution = 1200; // device pixels per inch of the PDF page

SheetTarget PrinterTarget(int width, int height, char separator)
{
    SheetTarget target;
    target.toScreen = false;
    target.hUnit = HorizontalUnit(width);
    target.vUnit = VerticalUnit(height);
    target.pageWidth = width;
    target.pageHeight = height;
    target.separator = separator;
    return target;
}

ExportResult Failed(const std::string& path, const std::string& why)
{
    QFile::remove(QString::fromStdString(path));
    return {false, why};
}

} // namespace

int A4LandscapeWidth(int dotsPerInch)
{
    return static_cast<int>(std::nearbyint(297.0 / 25.4 * dotsPerInch));
}

int A4LandscapeHeight(int dotsPerInch)
{
    return static_cast<int>(std::nearbyint(210.0 / 25.4 * dotsPerInch));
}

ExportResult WriteSheetPdf(const CurveSettings& settings, const std::string& path, char separator)
{
    QPdfWriter writer(QString::fromStdString(path));
    writer.setTitle(QString::fromUtf8(kSheetJobTitle));
    writer.setCreator(QStringLiteral("Aqualen"));
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer))
        return Failed(path, "cannot write " + path);
    PainterCanvas canvas(painter);
    DrawCurveSheet(canvas, settings, PrinterTarget(writer.width(), writer.height(), separator));
    if (!painter.end())
        return Failed(path, "cannot write " + path);
    return {true, {}};
}

ExportResult WriteSheetPng(const CurveSettings& settings, const std::string& path, int dotsPerInch,
                           char separator)
{
    const int width = A4LandscapeWidth(dotsPerInch);
    const int height = A4LandscapeHeight(dotsPerInch);
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return Failed(path, "not enough memory for a " + std::to_string(width) + " x " +
                                std::to_string(height) + " image");
    image.fill(Qt::white);
    // Point sizes are resolved against the image's own resolution.
    const int dotsPerMeter = static_cast<int>(std::nearbyint(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    {
        QPainter painter(&image);
        PainterCanvas canvas(painter);
        DrawCurveSheet(canvas, settings, PrinterTarget(width, height, separator));
    }
    if (!image.save(QString::fromStdString(path), "PNG"))
        return Failed(path, "cannot write " + path);
    return {true, {}};
}

} // namespace aqualen::ui
