#include "series/ui/workbook_reader.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QTemporaryFile>
#include <QXmlStreamReader>
#include <algorithm>
#include <charconv>
#include <memory>

#include <quazip.h>
#include <quazipfile.h>

#include <freexl.h>

namespace aqualen::ui {

namespace {

// The widest sheet either kind of workbook allows (column XFD).
constexpr size_t kMaxColumns = 16384;

// A fault met while reading, carried out of the nested readers.
struct Failed {
    WorkbookFault fault;
};

// Blanks around a cell go, as around a cell of a text file; a line break
// inside one becomes a blank, so that one cell stays one pane line.
std::string CellText(const QString& text)
{
    std::string cell = text.toStdString();
    std::replace_if(
        cell.begin(), cell.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
    const size_t first = cell.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return cell.substr(first, cell.find_last_not_of(' ') - first + 1);
}

// Rows and cells as they are read, with the limits on rows and text.
class TableBuilder {
public:
    // `count` rows alike; a row without values only adds to the blank rows
    // waiting for a row with a value below them.
    void AddRows(std::vector<std::string> cells, size_t count = 1)
    {
        while (!cells.empty() && cells.back().empty())
            cells.pop_back();
        if (cells.empty()) {
            blankRows_ += count;
            return;
        }
        if (rows_.size() + blankRows_ + count > kMaxWorkbookRows)
            throw Failed{WorkbookFault::TooManyRows};
        size_t bytes = 0;
        for (const std::string& cell : cells)
            bytes += cell.size() + 1;
        Spend(bytes * count);
        rows_.resize(rows_.size() + blankRows_);
        blankRows_ = 0;
        for (size_t k = 1; k < count; ++k)
            rows_.push_back(cells);
        rows_.push_back(std::move(cells));
    }

    void Spend(size_t bytes)
    {
        text_ += bytes;
        if (text_ > kMaxWorkbookTextBytes)
            throw Failed{WorkbookFault::TooLarge};
    }

    SeriesTable Table() { return TableOfRows(std::move(rows_)); }

private:
    std::vector<std::vector<std::string>> rows_;
    size_t blankRows_ = 0;
    size_t text_ = 0;
};

// Puts `text` into column `column` of a row being read.
void PutCell(std::vector<std::string>& cells, size_t column, std::string text)
{
    if (text.empty())
        return;
    if (column >= kMaxColumns)
        throw Failed{WorkbookFault::Unreadable};
    if (cells.size() <= column)
        cells.resize(column + 1);
    cells[column] = std::move(text);
}

// ---- Zip of XML ------------------------------------------------------------

class ZipArchive {
public:
    explicit ZipArchive(const QByteArray& bytes) : zip_(&buffer_)
    {
        buffer_.setData(bytes);
        if (!zip_.open(QuaZip::mdUnzip))
            throw Failed{WorkbookFault::Unreadable};
    }
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool Holds(const QString& name) { return zip_.setCurrentFile(name, QuaZip::csInsensitive); }

    // Streams entry `name` through `read`; a missing entry, a read error or a
    // wrong checksum is a damaged file.
    template <typename Read> void Parse(const QString& name, Read&& read)
    {
        if (!Holds(name))
            throw Failed{WorkbookFault::Unreadable};
        QuaZipFile file(&zip_);
        if (!file.open(QIODevice::ReadOnly))
            throw Failed{WorkbookFault::Unreadable};
        QXmlStreamReader xml(&file);
        read(xml);
        if (xml.hasError())
            throw Failed{WorkbookFault::Unreadable};
        file.close();
        if (file.getZipError() != 0)
            throw Failed{WorkbookFault::Unreadable};
    }

private:
    QBuffer buffer_;
    QuaZip zip_;
};

// ---- .xlsx -------------------------------------------------------------------

struct XlsxSheet {
    std::string name;
    QString relation; // r:id, the sheet's entry in the workbook's relations
};

// The entry a relation's target names: relative to xl/, or from the root.
QString XlsxEntry(const QString& target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    return QStringLiteral("xl/") + target;
}

std::vector<XlsxSheet> XlsxSheets(ZipArchive& zip)
{
    std::vector<XlsxSheet> sheets;
    zip.Parse(QStringLiteral("xl/workbook.xml"), [&sheets](QXmlStreamReader& xml) {
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("sheet"))
                continue;
            XlsxSheet sheet;
            for (const QXmlStreamAttribute& attribute : xml.attributes()) {
                if (attribute.name() == QLatin1String("name") && attribute.namespaceUri().isEmpty())
                    sheet.name = attribute.value().toString().toStdString();
                else if (attribute.name() == QLatin1String("id") && !attribute.namespaceUri().isEmpty())
                    sheet.relation = attribute.value().toString();
            }
            sheets.push_back(std::move(sheet));
        }
    });
    return sheets;
}

struct XlsxRelations {
    QHash<QString, QString> targets; // Id -> entry
    QString sharedStrings;           // entry, or empty
};

XlsxRelations XlsxWorkbookRelations(ZipArchive& zip)
{
    XlsxRelations relations;
    const QString name = QStringLiteral("xl/_rels/workbook.xml.rels");
    if (!zip.Holds(name))
        return relations;
    zip.Parse(name, [&relations](QXmlStreamReader& xml) {
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("Relationship"))
                continue;
            const QXmlStreamAttributes attributes = xml.attributes();
            const QString entry = XlsxEntry(attributes.value(QLatin1String("Target")).toString());
            relations.targets.insert(attributes.value(QLatin1String("Id")).toString(), entry);
            if (attributes.value(QLatin1String("Type")).endsWith(QLatin1String("/sharedStrings")))
                relations.sharedStrings = entry;
        }
    });
    return relations;
}

// The text of an <si> or <is> element: its <t> runs, the phonetic hints
// (<rPh>) left out.
QString XlsxStringItem(QXmlStreamReader& xml)
{
    QString text;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("t"))
            text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (xml.name() == QLatin1String("r"))
            text += XlsxStringItem(xml);
        else
            xml.skipCurrentElement();
    }
    return text;
}

std::vector<std::string> XlsxSharedStrings(ZipArchive& zip, const QString& entry, TableBuilder& builder)
{
    std::vector<std::string> strings;
    if (entry.isEmpty() || !zip.Holds(entry))
        return strings;
    zip.Parse(entry, [&](QXmlStreamReader& xml) {
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("si"))
                continue;
            strings.push_back(CellText(XlsxStringItem(xml)));
            builder.Spend(strings.back().size() + sizeof(std::string));
        }
    });
    return strings;
}

// The column of a cell reference ("B7" -> 1); nothing when it has no letters.
std::optional<size_t> XlsxColumn(QStringView reference)
{
    size_t column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i].isLetter(); ++i) {
        const char16_t c = reference[i].toUpper().unicode();
        if (c < u'A' || c > u'Z')
            throw Failed{WorkbookFault::Unreadable};
        column = column * 26 + (c - u'A' + 1);
        if (column > kMaxColumns)
            throw Failed{WorkbookFault::Unreadable};
    }
    if (i == 0)
        return std::nullopt;
    return column - 1;
}

// One <c> element: the cached value, else "=" and the formula, else nothing.
std::string XlsxCell(QXmlStreamReader& xml, const std::vector<std::string>& shared)
{
    const QString type = xml.attributes().value(QLatin1String("t")).toString();
    QString value;
    QString formula;
    bool hasValue = false;
    bool hasFormula = false;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("v")) {
            value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            hasValue = true;
        } else if (xml.name() == QLatin1String("f")) {
            formula = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            hasFormula = true;
        } else if (xml.name() == QLatin1String("is")) {
            value = XlsxStringItem(xml);
            hasValue = true;
        } else {
            xml.skipCurrentElement();
        }
    }
    if (!hasValue)
        return hasFormula ? CellText(QLatin1Char('=') + formula) : std::string();
    if (type == QLatin1String("s")) {
        bool ok = false;
        const qulonglong index = value.trimmed().toULongLong(&ok);
        if (!ok || index >= shared.size())
            throw Failed{WorkbookFault::Unreadable};
        return shared[index];
    }
    if (type == QLatin1String("b"))
        return value.trimmed() == QLatin1String("1") ? "TRUE" : "FALSE";
    return CellText(value);
}

SeriesTable XlsxTable(ZipArchive& zip, const QString& entry, const std::vector<std::string>& shared,
                      TableBuilder& builder)
{
    zip.Parse(entry, [&](QXmlStreamReader& xml) {
        size_t nextRow = 0; // rows from 0
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("row"))
                continue;
            size_t row = nextRow;
            bool ok = false;
            const qulonglong numbered = xml.attributes().value(QLatin1String("r")).toULongLong(&ok);
            if (ok) {
                if (numbered < nextRow + 1)
                    throw Failed{WorkbookFault::Unreadable}; // rows go down the sheet
                row = static_cast<size_t>(std::min<qulonglong>(numbered - 1, kMaxWorkbookRows + 1));
            }
            std::vector<std::string> cells;
            size_t nextColumn = 0;
            while (xml.readNextStartElement()) {
                if (xml.name() != QLatin1String("c")) {
                    xml.skipCurrentElement();
                    continue;
                }
                const std::optional<size_t> column = XlsxColumn(xml.attributes().value(QLatin1String("r")));
                const size_t at = column.value_or(nextColumn);
                PutCell(cells, at, XlsxCell(xml, shared));
                nextColumn = at + 1;
            }
            builder.AddRows({}, row - nextRow);
            builder.AddRows(std::move(cells));
            nextRow = row + 1;
        }
    });
    return builder.Table();
}

std::vector<std::string> XlsxSheetNames(ZipArchive& zip)
{
    std::vector<std::string> names;
    for (XlsxSheet& sheet : XlsxSheets(zip))
        names.push_back(std::move(sheet.name));
    return names;
}

SeriesTable XlsxSheetTable(ZipArchive& zip, size_t index)
{
    const std::vector<XlsxSheet> sheets = XlsxSheets(zip);
    if (index >= sheets.size())
        throw Failed{WorkbookFault::NoSuchSheet};
    const XlsxRelations relations = XlsxWorkbookRelations(zip);
    QString entry = relations.targets.value(sheets[index].relation);
    if (entry.isEmpty()) // no relations: the usual place of the sheet
        entry = QStringLiteral("xl/worksheets/sheet%1.xml").arg(index + 1);
    QString sharedEntry = relations.sharedStrings;
    if (sharedEntry.isEmpty())
        sharedEntry = QStringLiteral("xl/sharedStrings.xml");
    TableBuilder builder;
    const std::vector<std::string> shared = XlsxSharedStrings(zip, sharedEntry, builder);
    return XlsxTable(zip, entry, shared, builder);
}

// ---- .ods --------------------------------------------------------------------

const QString kTableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kOfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kTextNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");

bool IsTableElement(const QXmlStreamReader& xml, const char* name)
{
    return xml.namespaceUri() == kTableNs && xml.name() == QLatin1String(name);
}

// A repeat count attribute: 1 when absent, and never 0.
size_t Repeats(const QXmlStreamReader& xml, const char* name)
{
    bool ok = false;
    const qulonglong count = xml.attributes().value(kTableNs, QLatin1String(name)).toULongLong(&ok);
    return ok && count > 0 ? static_cast<size_t>(std::min<qulonglong>(count, kMaxWorkbookRows + 1)) : 1;
}

// The text of a paragraph: <text:s> stands for spaces, a tab or a line
// break for one blank, a note (<office:annotation>) is not the cell's text.
QString OdsParagraph(QXmlStreamReader& xml)
{
    QString text;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement)
            break;
        if (token == QXmlStreamReader::Characters) {
            text += xml.text();
        } else if (token == QXmlStreamReader::StartElement) {
            if (xml.namespaceUri() == kTextNs && xml.name() == QLatin1String("s")) {
                bool ok = false;
                const int count = xml.attributes().value(kTextNs, QLatin1String("c")).toInt(&ok);
                text += QString(ok ? std::clamp(count, 1, 1000) : 1, QLatin1Char(' '));
                xml.skipCurrentElement();
            } else if (xml.namespaceUri() == kTextNs &&
                       (xml.name() == QLatin1String("tab") || xml.name() == QLatin1String("line-break"))) {
                text += QLatin1Char(' ');
                xml.skipCurrentElement();
            } else if (xml.namespaceUri() == kOfficeNs && xml.name() == QLatin1String("annotation")) {
                xml.skipCurrentElement();
            } else {
                text += OdsParagraph(xml);
            }
        }
    }
    return text;
}

// One cell: the stored value of its type, else its text; a formula without
// a value is "=" and the formula (its "of:" prefix dropped).
std::string OdsCell(QXmlStreamReader& xml)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    const QStringView type = attributes.value(kOfficeNs, QLatin1String("value-type"));
    QString formula = attributes.value(kTableNs, QLatin1String("formula")).toString();
    QStringList paragraphs;
    while (xml.readNextStartElement()) {
        if (xml.namespaceUri() == kTextNs && xml.name() == QLatin1String("p"))
            paragraphs << OdsParagraph(xml);
        else
            xml.skipCurrentElement();
    }
    const auto stored = [&attributes](const char* name) {
        return CellText(attributes.value(kOfficeNs, QLatin1String(name)).toString());
    };
    if (type == QLatin1String("float") || type == QLatin1String("percentage") || type == QLatin1String("currency"))
        return stored("value");
    if (type == QLatin1String("date"))
        return stored("date-value");
    if (type == QLatin1String("time"))
        return stored("time-value");
    if (type == QLatin1String("boolean"))
        return stored("boolean-value") == "true" ? "TRUE" : "FALSE";
    if (type.isEmpty() && !formula.isEmpty()) {
        const qsizetype colon = formula.indexOf(QLatin1Char(':'));
        if (colon >= 0 && colon < formula.indexOf(QLatin1Char('=')))
            formula = formula.mid(colon + 1);
        return CellText(formula.startsWith(QLatin1Char('=')) ? formula : QLatin1Char('=') + formula);
    }
    return CellText(paragraphs.join(QLatin1Char(' ')));
}

void OdsRow(QXmlStreamReader& xml, TableBuilder& builder)
{
    const size_t repeat = Repeats(xml, "number-rows-repeated");
    std::vector<std::string> cells;
    size_t column = 0;
    while (xml.readNextStartElement()) {
        if (!IsTableElement(xml, "table-cell") && !IsTableElement(xml, "covered-table-cell")) {
            xml.skipCurrentElement();
            continue;
        }
        const size_t count = Repeats(xml, "number-columns-repeated");
        std::string text = OdsCell(xml);
        if (!text.empty())
            for (size_t k = 0; k < count && column + k < kMaxColumns; ++k)
                PutCell(cells, column + k, text);
        column = std::min(column + count, kMaxColumns);
    }
    builder.AddRows(std::move(cells), repeat);
}

// Rows of a table, also those inside row groups and header rows.
void OdsRows(QXmlStreamReader& xml, TableBuilder& builder)
{
    while (xml.readNextStartElement()) {
        if (IsTableElement(xml, "table-row"))
            OdsRow(xml, builder);
        else if (IsTableElement(xml, "table-row-group") || IsTableElement(xml, "table-header-rows") ||
                 IsTableElement(xml, "table-rows"))
            OdsRows(xml, builder);
        else
            xml.skipCurrentElement();
    }
}

// Walks content.xml: every sheet's name, and the table of sheet `wanted`
// when one is wanted.
std::vector<std::string> OdsSheets(ZipArchive& zip, std::optional<size_t> wanted, TableBuilder& builder)
{
    std::vector<std::string> names;
    zip.Parse(QStringLiteral("content.xml"), [&](QXmlStreamReader& xml) {
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || !IsTableElement(xml, "table"))
                continue;
            names.push_back(xml.attributes().value(kTableNs, QLatin1String("name")).toString().toStdString());
            if (wanted && *wanted == names.size() - 1)
                OdsRows(xml, builder);
            else
                xml.skipCurrentElement();
        }
    });
    return names;
}

// ---- .xls --------------------------------------------------------------------

// FreeXL reads from a path: the bytes go to a temporary file first.
class XlsFile {
public:
    explicit XlsFile(const QByteArray& bytes)
    {
        if (!file_.open() || file_.write(bytes) != bytes.size() || !file_.flush())
            throw Failed{WorkbookFault::Unreadable};
        if (freexl_open(QFile::encodeName(file_.fileName()).constData(), &handle_) != FREEXL_OK)
            throw Failed{WorkbookFault::Unreadable};
        unsigned int password = 0;
        if (freexl_get_info(handle_, FREEXL_BIFF_PASSWORD, &password) != FREEXL_OK ||
            password == FREEXL_BIFF_OBFUSCATED)
            throw Failed{WorkbookFault::Unreadable};
    }
    ~XlsFile()
    {
        if (handle_)
            freexl_close(handle_);
    }
    XlsFile(const XlsFile&) = delete;
    XlsFile& operator=(const XlsFile&) = delete;

    std::vector<std::string> SheetNames() const
    {
        unsigned int count = 0;
        if (freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
            throw Failed{WorkbookFault::Unreadable};
        std::vector<std::string> names;
        for (unsigned int i = 0; i < count; ++i) {
            const char* name = nullptr;
            if (freexl_get_worksheet_name(handle_, static_cast<unsigned short>(i), &name) != FREEXL_OK)
                throw Failed{WorkbookFault::Unreadable};
            names.emplace_back(name ? name : "");
        }
        return names;
    }

    SeriesTable Table(size_t sheet) const
    {
        if (sheet >= SheetNames().size())
            throw Failed{WorkbookFault::NoSuchSheet};
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (freexl_select_active_worksheet(handle_, static_cast<unsigned short>(sheet)) != FREEXL_OK ||
            freexl_worksheet_dimensions(handle_, &rows, &columns) != FREEXL_OK)
            throw Failed{WorkbookFault::Unreadable};
        if (rows > kMaxWorkbookRows)
            throw Failed{WorkbookFault::TooManyRows};
        TableBuilder builder;
        for (unsigned int row = 0; row < rows; ++row) {
            std::vector<std::string> cells;
            for (unsigned short column = 0; column < columns; ++column) {
                FreeXL_CellValue value{};
                if (freexl_get_cell_value(handle_, row, column, &value) != FREEXL_OK)
                    throw Failed{WorkbookFault::Unreadable};
                PutCell(cells, column, Text(value));
            }
            builder.AddRows(std::move(cells));
        }
        return builder.Table();
    }

private:
    // A number in its shortest text that reads back to the same double;
    // dates and times come as FreeXL's text of them.
    static std::string Text(const FreeXL_CellValue& value)
    {
        char buffer[64];
        switch (value.type) {
        case FREEXL_CELL_INT:
            return std::to_string(value.value.int_value);
        case FREEXL_CELL_DOUBLE: {
            const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value.value.double_value);
            return ec == std::errc() ? std::string(buffer, end) : std::string();
        }
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
            return value.value.text_value ? CellText(QString::fromUtf8(value.value.text_value)) : std::string();
        default:
            return {};
        }
    }

    QTemporaryFile file_;
    const void* handle_ = nullptr;
};

// ---- The kinds together ------------------------------------------------------

enum class Kind { Zip, Compound };

std::optional<Kind> KindOf(const QByteArray& bytes)
{
    if (bytes.startsWith("PK\x03\x04"))
        return Kind::Zip;
    if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return Kind::Compound;
    return std::nullopt;
}

template <typename Read> auto Guarded(WorkbookFault& fault, Read&& read) -> std::optional<decltype(read())>
{
    fault = WorkbookFault::None;
    try {
        return read();
    } catch (const Failed& failed) {
        fault = failed.fault;
    } catch (const std::bad_alloc&) {
        fault = WorkbookFault::TooLarge;
    }
    return std::nullopt;
}

} // namespace

bool LooksLikeWorkbook(const QByteArray& bytes)
{
    return KindOf(bytes).has_value();
}

std::optional<std::vector<std::string>> WorkbookSheetNames(const QByteArray& bytes, WorkbookFault& fault)
{
    return Guarded(fault, [&bytes]() -> std::vector<std::string> {
        const std::optional<Kind> kind = KindOf(bytes);
        if (kind == Kind::Compound)
            return XlsFile(bytes).SheetNames();
        if (kind != Kind::Zip)
            throw Failed{WorkbookFault::Unreadable};
        ZipArchive zip(bytes);
        if (zip.Holds(QStringLiteral("xl/workbook.xml")))
            return XlsxSheetNames(zip);
        TableBuilder unused;
        return OdsSheets(zip, std::nullopt, unused);
    });
}

std::optional<SeriesTable> ReadWorkbookSheet(const QByteArray& bytes, size_t sheet, WorkbookFault& fault)
{
    return Guarded(fault, [&bytes, sheet]() -> SeriesTable {
        const std::optional<Kind> kind = KindOf(bytes);
        if (kind == Kind::Compound)
            return XlsFile(bytes).Table(sheet);
        if (kind != Kind::Zip)
            throw Failed{WorkbookFault::Unreadable};
        ZipArchive zip(bytes);
        if (zip.Holds(QStringLiteral("xl/workbook.xml")))
            return XlsxSheetTable(zip, sheet);
        TableBuilder builder;
        if (OdsSheets(zip, sheet, builder).size() <= sheet)
            throw Failed{WorkbookFault::NoSuchSheet};
        return builder.Table();
    });
}

std::optional<size_t> FindSheet(const std::vector<std::string>& names, const std::string& wanted)
{
    const auto named = std::find(names.begin(), names.end(), wanted);
    if (named != names.end())
        return static_cast<size_t>(named - names.begin());
    size_t number = 0;
    const auto [end, ec] = std::from_chars(wanted.data(), wanted.data() + wanted.size(), number);
    if (ec != std::errc() || end != wanted.data() + wanted.size() || number < 1 || number > names.size())
        return std::nullopt;
    return number - 1;
}

} // namespace aqualen::ui
