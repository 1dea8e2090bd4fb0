#include "curve/ui/sheet_export.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>
#include <cerrno>
#include <cmath>
#include <cstring>

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

ExportResult CannotWrite(const std::string& path, const QString& reason)
{
    return {false, "cannot write " + path + ": " + reason.toStdString()};
}

// The whole file goes to a temporary file in the target's folder, renamed
// over the target only once every byte is written: a failure leaves no part
// of a file and leaves an existing one as it was.
ExportResult WriteWhole(const std::string& path, const QByteArray& bytes)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return CannotWrite(path, file.errorString());
    // Without a commit the temporary file goes with `file`.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        // A failed flush leaves Qt with no text of its own; the system's is
        // the one that tells (a full disk, a file too large).
        const int cause = errno;
        return CannotWrite(path, cause != 0 ? QString::fromLocal8Bit(std::strerror(cause)) : file.errorString());
    }
    return {true, {}};
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
    // Drawn in memory first: the writer's last word must be there before
    // anything reaches the file.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setTitle(QString::fromUtf8(kSheetJobTitle));
    writer.setCreator(QStringLiteral("Aqualen"));
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer))
        return CannotWrite(path, QStringLiteral("the PDF writer did not start"));
    PainterCanvas canvas(painter);
    DrawCurveSheet(canvas, settings, PrinterTarget(writer.width(), writer.height(), separator));
    // A PDF is complete only when the writer reports no error and its last
    // line is the end-of-file marker.
    if (!painter.end() || !pdf.data().trimmed().endsWith("%%EOF"))
        return CannotWrite(path, QStringLiteral("the PDF writer did not finish the file"));
    return WriteWhole(path, pdf.data());
}

ExportResult WriteSheetPng(const CurveSettings& settings, const std::string& path, int dotsPerInch, char separator)
{
    const int width = A4LandscapeWidth(dotsPerInch);
    const int height = A4LandscapeHeight(dotsPerInch);
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {false, "not enough memory for a " + std::to_string(width) + " x " + std::to_string(height) + " image"};
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
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!image.save(&png, "PNG"))
        return CannotWrite(path, QStringLiteral("the PNG encoder failed"));
    return WriteWhole(path, png.data());
}

} // namespace aqualen::ui
