// Workbooks as series tables: the kept .xlsx, .ods and .xls files (and the
// UTF-16 text) give the text file's table; cells made in memory cover what
// a sheet may hold; damaged and oversized sheets are refused; the open
// command asks for the sheet of a workbook of several.

#include <QFile>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include "series/series_file_import.h"
#include "series/ui/series_files.h"
#include "series/ui/workbook_reader.h"
#include "support/recording_file_dialogs.h"
#include "support/recording_messages.h"
#include "support/zip_bytes.h"

namespace aqualen::test {
namespace {

QByteArray Fixture(const char* name)
{
    QFile file(QStringLiteral(AQUALEN_TESTS_DIR "/series/workbooks/") + QString::fromUtf8(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

SeriesTable TextTable(const QByteArray& bytes)
{
    return ReadSeriesTable(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

std::optional<SeriesTable> Sheet(const QByteArray& bytes, size_t sheet, ui::WorkbookFault& fault)
{
    return ui::ReadWorkbookSheet(bytes, sheet, fault);
}

// The rows of the only sheet, or the fault.
struct Read {
    std::vector<std::vector<std::string>> rows;
    ui::WorkbookFault fault = ui::WorkbookFault::None;
};
Read ReadOnly(const QByteArray& bytes)
{
    Read read;
    if (const std::optional<SeriesTable> table = Sheet(bytes, 0, read.fault))
        read.rows = table->rows;
    return read;
}

using Rows = std::vector<std::vector<std::string>>;

TEST(WorkbookReader, EveryFormOfTheTableGivesTheTextFilesTable)
{
    const SeriesTable expected = TextTable(Fixture("flows.txt"));
    ASSERT_EQ(expected.rows.size(), 11u);
    ASSERT_TRUE(expected.header);
    const std::optional<YearColumn> years = FindYearColumn(expected, 1, true);
    ASSERT_TRUE(years && years->Consecutive());
    for (const char* name : {"flows_utf16.txt", "flows.xlsx", "flows.ods", "flows.xls"}) {
        const QByteArray bytes = Fixture(name);
        SeriesTable table;
        if (ui::LooksLikeWorkbook(bytes)) {
            ui::WorkbookFault fault = ui::WorkbookFault::None;
            const std::optional<std::vector<std::string>> names = ui::WorkbookSheetNames(bytes, fault);
            ASSERT_TRUE(names) << name;
            EXPECT_EQ(*names, (std::vector<std::string>{"Расходы", "Второй"})) << name;
            const std::optional<SeriesTable> sheet = Sheet(bytes, 0, fault);
            ASSERT_TRUE(sheet) << name;
            table = *sheet;
        } else {
            table = TextTable(bytes);
        }
        EXPECT_EQ(table.rows, expected.rows) << name;
        EXPECT_EQ(table.columns, 2u) << name;
        EXPECT_TRUE(table.header) << name;
        for (const char separator : {',', '.'})
            EXPECT_EQ(ColumnLines(table, 1, true, separator), ColumnLines(expected, 1, true, separator)) << name;
        const std::optional<YearColumn> found = FindYearColumn(table, 1, true);
        ASSERT_TRUE(found) << name;
        EXPECT_EQ(found->firstYear, 1950) << name;
    }
}

TEST(WorkbookReader, TheSecondSheetAndItsNumberOrName)
{
    for (const char* name : {"flows.xlsx", "flows.ods", "flows.xls"}) {
        ui::WorkbookFault fault = ui::WorkbookFault::None;
        const std::optional<SeriesTable> second = Sheet(Fixture(name), 1, fault);
        ASSERT_TRUE(second) << name;
        EXPECT_EQ(second->rows, (Rows{{"1"}, {"2"}, {"3"}, {"4.5"}})) << name;
        EXPECT_FALSE(Sheet(Fixture(name), 2, fault)) << name;
        EXPECT_EQ(fault, ui::WorkbookFault::NoSuchSheet) << name;
    }
    const std::vector<std::string> names = {"Расходы", "2", "Второй"};
    EXPECT_EQ(ui::FindSheet(names, "Второй"), 2u);
    EXPECT_EQ(ui::FindSheet(names, "2"), 1u); // a name first
    EXPECT_EQ(ui::FindSheet(names, "3"), 2u);
    for (const char* wanted : {"0", "4", "-1", "1x", "", "второй"})
        EXPECT_FALSE(ui::FindSheet(names, wanted)) << wanted;
}

TEST(WorkbookReader, XlsxCells)
{
    struct Case {
        const char* what;
        QByteArray sheetData;
        QByteArray shared;
        Rows rows;
    };
    const Case cases[] = {
        {"numbers as stored",
         R"(<row r="1"><c r="A1"><v>1.5E-3</v></c><c r="B1" t="n"><v>12.500000000000002</v></c></row>)",
         {},
         {{"1.5E-3", "12.500000000000002"}}},
        {"formula: its cached value, else its text",
         R"(<row r="1"><c r="A1"><f>B1*2</f><v>4</v></c><c r="B1"><f>SUM(A2:A3)</f></c></row>)",
         {},
         {{"4", "=SUM(A2:A3)"}}},
        {"shared, rich and inline strings, phonetic hints left out",
         R"(<row r="1"><c r="A1" t="s"><v>1</v></c><c r="B1" t="inlineStr"><is><t> Q </t></is></c></row>)"
         R"(<row r="2"><c r="A2" t="s"><v>0</v></c><c r="B2" t="str"><f>"x"</f><v>x</v></c></row>)",
         R"(<si><t>Год</t></si><si><r><rPr/><t>Рас</t></r><r><t>ход</t></r><rPh><t>ignored</t></rPh></si>)",
         {{"Расход", "Q"}, {"Год", "x"}}},
        {"booleans and errors are text",
         R"(<row r="1"><c r="A1" t="b"><v>1</v></c><c r="B1" t="e"><v>#DIV/0!</v></c></row>)",
         {},
         {{"TRUE", "#DIV/0!"}}},
        {"gaps between rows and cells",
         R"(<row r="2"><c r="C2"><v>3</v></c></row><row r="4"><c r="A4"><v>1</v></c></row>)",
         {},
         {{}, {"", "", "3"}, {}, {"1"}}},
        {"cells and rows without references follow on",
         R"(<row><c><v>1</v></c><c><v>2</v></c></row><row><c r="B2"><v>3</v></c><c><v>4</v></c></row>)",
         {},
         {{"1", "2"}, {"", "3", "4"}}},
        {"a line break inside a cell is a blank",
         "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>a\nb</t></is></c></row>",
         {},
         {{"a b"}}},
        {"formatted rows without values at the sheet's foot",
         R"(<row r="1"><c r="A1"><v>1</v></c></row><row r="1048575"/><row r="1048576"><c r="A1048576" s="1"/></row>)",
         {},
         {{"1"}}},
    };
    for (const Case& c : cases) {
        const Read read = ReadOnly(XlsxBytes(c.sheetData, c.shared));
        EXPECT_EQ(read.fault, ui::WorkbookFault::None) << c.what;
        EXPECT_EQ(read.rows, c.rows) << c.what;
    }
}

TEST(WorkbookReader, OdsCells)
{
    const QByteArray number =
        R"(<table:table-cell office:value-type="float" office:value="12.5"><text:p>12,5</text:p></table:table-cell>)";
    struct Case {
        const char* what;
        QByteArray rows;
        Rows expected;
    };
    const Case cases[] = {
        {"the stored value, not the text shown", "<table:table-row>" + number + "</table:table-row>", {{"12.5"}}},
        {"repeated cells and rows, empty ones to the sheet's edge",
         R"(<table:table-row table:number-rows-repeated="2"><table:table-cell table:number-columns-repeated="2" office:value-type="float" office:value="1"/>)"
         R"(<table:table-cell table:number-columns-repeated="16000"/></table:table-row>)"
         R"(<table:table-row table:number-rows-repeated="1048574"><table:table-cell table:number-columns-repeated="1024"/></table:table-row>)",
         {{"1", "1"}, {"1", "1"}}},
        {"blank rows between keep their places",
         "<table:table-row>" + number +
             R"(</table:table-row><table:table-row table:number-rows-repeated="2"/><table:table-row>)" + number +
             "</table:table-row>",
         {{"12.5"}, {}, {}, {"12.5"}}},
        {"a formula without a value is its text",
         R"(<table:table-row><table:table-cell table:formula="of:=[.A2]+1"><text:p>Err:502</text:p></table:table-cell>)"
         R"(<table:table-cell table:formula="of:=1+1" office:value-type="float" office:value="2"/></table:table-row>)",
         {{"=[.A2]+1", "2"}}},
        {"text with spaces, spans and a note left out",
         R"(<table:table-row><table:table-cell office:value-type="string"><office:annotation><text:p>note</text:p></office:annotation>)"
         R"(<text:p>Q,<text:s text:c="2"/><text:span>м3/с</text:span></text:p></table:table-cell></table:table-row>)",
         {{"Q,  м3/с"}}},
        {"rows inside groups and header rows, booleans and dates as text",
         R"(<table:table-header-rows><table:table-row><table:table-cell office:value-type="boolean" office:boolean-value="true"/></table:table-row></table:table-header-rows>)"
         R"(<table:table-row-group><table:table-row><table:table-cell office:value-type="date" office:date-value="1950-01-01"/>)"
         R"(<table:covered-table-cell/>)" +
             number + "</table:table-row></table:table-row-group>",
         {{"TRUE"}, {"1950-01-01", "", "12.5"}}},
    };
    for (const Case& c : cases) {
        const Read read = ReadOnly(OdsBytes(c.rows));
        EXPECT_EQ(read.fault, ui::WorkbookFault::None) << c.what;
        EXPECT_EQ(read.rows, c.expected) << c.what;
    }
}

TEST(WorkbookReader, RefusedSheets)
{
    const QByteArray xlsx = Fixture("flows.xlsx");
    struct Case {
        const char* what;
        QByteArray bytes;
        ui::WorkbookFault fault;
    };
    const Case cases[] = {
        {"a value below row 1,000,000 (.xlsx)",
         XlsxBytes(R"(<row r="1"><c r="A1"><v>1</v></c></row><row r="1000001"><c r="A1000001"><v>2</v></c></row>)"),
         ui::WorkbookFault::TooManyRows},
        {"a value at row 1,000,000 (.xlsx) is read",
         XlsxBytes(R"(<row r="1000000"><c r="A1000000"><v>2</v></c></row>)"), ui::WorkbookFault::None},
        {"repeated rows with values past the limit (.ods)",
         OdsBytes(
             R"(<table:table-row table:number-rows-repeated="1000001"><table:table-cell office:value-type="float" office:value="1"/></table:table-row>)"),
         ui::WorkbookFault::TooManyRows},
        {"a shared string that is not there",
         XlsxBytes(R"(<row r="1"><c r="A1" t="s"><v>3</v></c></row>)", "<si><t>a</t></si>"),
         ui::WorkbookFault::Unreadable},
        {"rows that go back up the sheet", XlsxBytes(R"(<row r="3"><c r="A3"><v>1</v></c></row><row r="2"/>)"),
         ui::WorkbookFault::Unreadable},
        {"a column past XFD", XlsxBytes(R"(<row r="1"><c r="XFE1"><v>1</v></c></row>)"), ui::WorkbookFault::Unreadable},
        {"broken XML", XlsxBytes("<row r=\"1\"><c r=\"A1\"><v>1</c></row>"), ui::WorkbookFault::Unreadable},
        {"a zip of something else", ZipBytes({{QStringLiteral("word/document.xml"), "<w/>"}}),
         ui::WorkbookFault::Unreadable},
        {"a truncated workbook", xlsx.left(xlsx.size() / 2), ui::WorkbookFault::Unreadable},
        {"a damaged compound document", Fixture("flows.xls").left(600), ui::WorkbookFault::Unreadable},
        {"text", "1950;12.5\n", ui::WorkbookFault::Unreadable},
    };
    for (const Case& c : cases) {
        const Read read = ReadOnly(c.bytes);
        EXPECT_EQ(read.fault, c.fault) << c.what;
        if (c.fault != ui::WorkbookFault::None) {
            EXPECT_TRUE(read.rows.empty()) << c.what;
        }
    }
    EXPECT_TRUE(ui::LooksLikeWorkbook(xlsx));
    EXPECT_TRUE(ui::LooksLikeWorkbook(Fixture("flows.xls")));
    EXPECT_FALSE(ui::LooksLikeWorkbook(Fixture("flows_utf16.txt")));
}

class WorkbookOpenTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    RecordingFileDialogs dialogs;
    QPlainTextEdit pane;
};

TEST_F(WorkbookOpenTest, TheSheetIsAskedThenTheColumn)
{
    const TempFile file(Fixture("flows.ods"), QStringLiteral("сток.ods"));
    dialogs.sheetAnswer = 0;
    dialogs.columnAnswer = ui::ColumnChoice{0, true};
    const std::optional<ui::ImportedSeries> first = ui::ReadSeriesFile(nullptr, file.Path());
    ASSERT_TRUE(first);
    ASSERT_EQ(dialogs.sheetsShown.size(), 1u);
    EXPECT_EQ(dialogs.sheetsShown[0], (QStringList{QStringLiteral("Расходы"), QStringLiteral("Второй")}));
    ASSERT_EQ(dialogs.tablesShown.size(), 1u);
    EXPECT_EQ(first->lines.front(), "1950");
    EXPECT_EQ(first->name, QStringLiteral("Год"));

    // The second sheet is a plain column: straight in, the file's name.
    dialogs.sheetAnswer = 1;
    const std::optional<ui::ImportedSeries> second = ui::ReadSeriesFile(nullptr, file.Path());
    ASSERT_TRUE(second);
    EXPECT_EQ(dialogs.tablesShown.size(), 1u);
    EXPECT_EQ(second->lines.size(), 4u);
    EXPECT_EQ(second->name, QStringLiteral("сток"));
    EXPECT_TRUE(messages.messages.empty());

    // Cancelled: nothing read, the pane as it was.
    dialogs.sheetAnswer.reset();
    pane.setPlainText(QStringLiteral("kept"));
    EXPECT_FALSE(ui::LoadSeriesFile(nullptr, pane, file.Path()));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("kept"));
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(WorkbookOpenTest, ARefusedWorkbookSaysWhyAndLeavesThePane)
{
    const QByteArray xlsx = Fixture("flows.xlsx");
    const TempFile broken(xlsx.left(xlsx.size() / 2), QStringLiteral("сток.xlsx"));
    const TempFile tall(
        XlsxBytes(R"(<row r="1"><c r="A1"><v>1</v></c></row><row r="1000001"><c r="A1000001"><v>2</v></c></row>)"),
        QStringLiteral("длинный.xlsx"));
    pane.setPlainText(QStringLiteral("kept"));
    EXPECT_FALSE(ui::LoadSeriesFile(nullptr, pane, broken.Path()));
    EXPECT_FALSE(ui::LoadSeriesFile(nullptr, pane, tall.Path()));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("kept"));
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_TRUE(messages.messages[0].text.startsWith(QStringLiteral("Не удалось прочитать книгу «")))
        << messages.messages[0].text.toStdString();
    EXPECT_TRUE(messages.messages[1].text.startsWith(QStringLiteral("На листе «Лист1» книги «")))
        << messages.messages[1].text.toStdString();
    EXPECT_TRUE(messages.messages[1].text.endsWith(QStringLiteral("» больше 1000000 строк!")));
}

} // namespace
} // namespace aqualen::test
