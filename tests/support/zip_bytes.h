#pragma once
// Zip archives made in memory with QuaZip: workbooks built from XML text by
// the tests and the benchmark.

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

namespace aqualen::test {

using ZipEntries = std::vector<std::pair<QString, QByteArray>>;

inline QByteArray ZipBytes(const ZipEntries& entries)
{
    QBuffer buffer;
    {
        QuaZip zip(&buffer);
        if (!zip.open(QuaZip::mdCreate))
            return {};
        for (const auto& [name, bytes] : entries) {
            QuaZipFile file(&zip);
            if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)))
                return {};
            file.write(bytes);
            file.close();
        }
        zip.close();
    }
    return buffer.data();
}

// An .xlsx workbook of one sheet: `sheetData` is the inside of <sheetData>,
// `shared` the <si> elements of the shared strings (none when empty).
inline QByteArray XlsxBytes(const QByteArray& sheetData, const QByteArray& shared = {})
{
    const QByteArray main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    ZipEntries entries = {
        {QStringLiteral("xl/workbook.xml"), "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + rel +
                                                "\"><sheets><sheet name=\"Лист1\" sheetId=\"1\" r:id=\"rId1\"/>"
                                                "</sheets></workbook>"},
        {QStringLiteral("xl/_rels/workbook.xml.rels"),
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" +
             rel + "/worksheet\" Target=\"/xl/worksheets/data.xml\"/></Relationships>"},
        {QStringLiteral("xl/worksheets/data.xml"),
         "<worksheet xmlns=\"" + main + "\"><sheetData>" + sheetData + "</sheetData></worksheet>"},
    };
    if (!shared.isEmpty())
        entries.push_back({QStringLiteral("xl/sharedStrings.xml"), "<sst xmlns=\"" + main + "\">" + shared + "</sst>"});
    return ZipBytes(entries);
}

// An .ods workbook of one sheet: `rows` is the inside of <table:table>.
inline QByteArray OdsBytes(const QByteArray& rows)
{
    return ZipBytes({
        {QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.spreadsheet"},
        {QStringLiteral("content.xml"),
         "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
         "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
         "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
         "<table:table table:name=\"Лист1\">" +
             rows + "</table:table></office:spreadsheet></office:body></office:document-content>"},
    });
}

} // namespace aqualen::test
