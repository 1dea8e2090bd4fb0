#include "series/ui/pasted_series.h"

#include <QMimeData>

#include "series/series_file_import.h"

namespace aqualen::ui {

QString PastedText(const QMimeData& mime)
{
    const QByteArray bytes = mime.data(QStringLiteral("text/plain"));
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (!utf16)
        return mime.text();
    return QString::fromStdString(DecodeSeriesFile(std::string_view(bytes.constData(), bytes.size())));
}

PastedSeries TakePastedSeries(QWidget* parent, const QString& text)
{
    PastedSeries pasted;
    pasted.text = text;
    pasted.endsWithBreak = text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'));
    const QByteArray bytes = text.toUtf8();
    const SeriesTable table = ReadSeriesTable(std::string_view(bytes.constData(), bytes.size()));
    // One column goes in as typed, a header line included: the run then
    // points at what does not read, as for any line.
    if (table.columns <= 1)
        return pasted;
    std::optional<ImportedSeries> column = TakeColumn(parent, table, QString());
    if (!column) {
        pasted.kind = PastedSeries::Kind::Cancelled;
        return pasted;
    }
    pasted.kind = PastedSeries::Kind::Column;
    pasted.column = std::move(*column);
    return pasted;
}

} // namespace aqualen::ui
