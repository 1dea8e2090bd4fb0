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
#include <QSvgGenerator>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "curve/curve_sheet.h"
#include "curve/ui/paper_page.h"

namespace aqualen::ui {

namespace {

constexpr int kPdfResolution = 1200; // device pixels per inch of the PDF page
// Units per inch of the SVG page: its coordinates are whole units, so fine
// enough that the sheet's geometry keeps its proportions.
constexpr int kSvgResolution = 300;

ExportResult CannotWrite(const std::string& path, const QString& reason)
{
    return {false, "cannot write " + path + ": " + reason.toStdString(), reason.toStdString()};
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
    return {true, {}, {}};
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
    DrawPaperPage(painter, settings, QSize(writer.width(), writer.height()), separator);
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
        return CannotWrite(path, QStringLiteral("not enough memory for a %1 x %2 image").arg(width).arg(height));
    image.fill(Qt::white);
    // Point sizes are resolved against the image's own resolution.
    const int dotsPerMeter = static_cast<int>(std::nearbyint(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    {
        QPainter painter(&image);
        DrawPaperPage(painter, settings, image.size(), separator);
    }
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!image.save(&png, "PNG"))
        return CannotWrite(path, QStringLiteral("the PNG encoder failed"));
    return WriteWhole(path, png.data());
}

ExportResult WriteSheetSvg(const CurveSettings& settings, const std::string& path, char separator)
{
    const int width = A4LandscapeWidth(kSvgResolution);
    const int height = A4LandscapeHeight(kSvgResolution);
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setTitle(QString::fromUtf8(kSheetJobTitle));
    generator.setDescription(QStringLiteral("Aqualen"));
    // The page's pixels, and its size on paper: 297 × 210 mm.
    generator.setResolution(kSvgResolution);
    generator.setSize(QSize(width, height));
    generator.setViewBox(QRect(0, 0, width, height));
    QPainter painter;
    if (!painter.begin(&generator))
        return CannotWrite(path, QStringLiteral("the SVG writer did not start"));
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    DrawPaperPage(painter, settings, QSize(width, height), separator);
    if (!painter.end() || !svg.data().trimmed().endsWith("</svg>"))
        return CannotWrite(path, QStringLiteral("the SVG writer did not finish the file"));
    // The writer gives the size on paper from the whole pixels (297.011 mm);
    // the page is A4 exactly.
    QByteArray bytes = svg.data();
    const QByteArray opening = "<svg width=\"";
    const qsizetype start = bytes.indexOf(opening);
    const qsizetype heightEnd = bytes.indexOf("mm\"", bytes.indexOf("height=\"", start));
    if (start >= 0 && heightEnd > start)
        bytes.replace(start, heightEnd + 3 - start, "<svg width=\"297mm\" height=\"210mm\"");
    return WriteWhole(path, bytes);
}

ExportResult WriteSheet(SheetFileFormat format, const CurveSettings& settings, const std::string& path, int dotsPerInch,
                        char separator)
{
    switch (format) {
    case SheetFileFormat::Pdf:
        return WriteSheetPdf(settings, path, separator);
    case SheetFileFormat::Png:
        return WriteSheetPng(settings, path, dotsPerInch, separator);
    case SheetFileFormat::Svg:
        break;
    }
    return WriteSheetSvg(settings, path, separator);
}

} // namespace aqualen::ui
