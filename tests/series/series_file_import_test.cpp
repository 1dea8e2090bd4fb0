#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "series/series_file_import.h"

using aqualen::ColumnLines;
using aqualen::DecodeSeriesFile;
using aqualen::DefaultColumn;
using aqualen::FindYearColumn;
using aqualen::ImportSeriesFile;
using aqualen::NeedsColumnChoice;
using aqualen::ReadSeriesTable;
using aqualen::SeriesTable;
using Lines = std::vector<std::string>;

// Files as people keep them, read into a pane whose locale writes a comma.
TEST(SeriesFileImport, RealLookingFiles)
{
    struct Case {
        const char* name;
        std::string bytes;
        Lines expected;
        bool needsChoice;
    };
    const std::vector<Case> cases = {
        {"one column, LF", "12.5\n7\n-3.25\n", {"12,5", "7", "-3,25"}, false},
        {"one column with decimal commas", "12,5\n7,0\n", {"12,5", "7,0"}, false},
        {"CRLF", "1.5\r\n2.5\r\n3.5\r\n", {"1,5", "2,5", "3,5"}, false},
        {"lone CR", "1\r2\r3", {"1", "2", "3"}, false},
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "4.5\n5\n",
         {"4,5", "5"},
         false},
        {"blank lines at the end", "1\n2\n\n  \n\n", {"1", "2"}, false},
        {"blank line in the middle stays", "1\n\n3\n", {"1", "", "3"}, false},
        {"a non-number in the middle stays as it is", "1.5\n2,5x\n3\n", {"1,5", "2,5x", "3"}, false},
        {"two marks are no number", "1,234.5\n2\n", {"1,234.5", "2"}, false},
        {"year and value with a header, tabs", "Год\tQ, м3/с\n1950\t12.5\n1951\t9.75\n", {"12,5", "9,75"}, true},
        {"semicolon CSV with decimal commas",
         "year;runoff\r\n1950;12,5\r\n1951;9,75\r\n1952;\r\n",
         {"12,5", "9,75", ""},
         true},
        {"blank-separated columns", "  1950   12.5\n  1951    8\n", {"12,5", "8"}, true},
        {"a short row gives an empty line", "1950;1\n1951\n1952;3\n", {"1", "", "3"}, true},
        {"exponent", "1e3\n2.5E-1\n", {"1e3", "2,5E-1"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ImportSeriesFile(c.bytes, ','), c.expected);
        EXPECT_EQ(NeedsColumnChoice(ReadSeriesTable(c.bytes)), c.needsChoice);
    }
}

TEST(SeriesFileImport, PeriodLocaleGetsPeriods)
{
    EXPECT_EQ(ImportSeriesFile("1950;12,5\n1951;3\n", '.'), (Lines{"12.5", "3"}));
}

TEST(SeriesFileImport, CyrillicCodePageFallsBackWhenNotUtf8)
{
    // "Расход" and "Ё№" in the Windows Cyrillic code page.
    const std::string bytes = "\xD0\xE0\xF1\xF5\xEE\xE4;\xA8\xB9\r\n1950;12,5\r\n";
    EXPECT_EQ(DecodeSeriesFile(bytes), "Расход;Ё№\r\n1950;12,5\r\n");
    const auto table = ReadSeriesTable(bytes);
    EXPECT_TRUE(table.header);
    EXPECT_EQ(table.rows[0], (Lines{"Расход", "Ё№"}));
    // Valid UTF-8 is kept as it is; broken UTF-8 is read as the code page.
    EXPECT_EQ(DecodeSeriesFile("Год"), "Год");
    EXPECT_EQ(DecodeSeriesFile("\xC0\xFF"), "Ая");
    EXPECT_EQ(DecodeSeriesFile("\xED\xA0\x80"), "н\u00A0Ђ") << "a UTF-8 surrogate is not UTF-8";
    EXPECT_EQ(DecodeSeriesFile("\x98"), "\xEF\xBF\xBD");
}

TEST(SeriesFileImport, TableShape)
{
    const auto table = ReadSeriesTable("Год\tРасход\tУровень\n1950\t12.5\t3\n1951\t\t4\n");
    EXPECT_EQ(table.delimiter, '\t');
    EXPECT_EQ(table.columns, 3u);
    EXPECT_TRUE(table.header);
    EXPECT_EQ(table.rows[2], (Lines{"1951", "", "4"}));
    EXPECT_EQ(ColumnLines(table, 1, true, ','), (Lines{"12,5", ""}));
    EXPECT_EQ(ColumnLines(table, 0, false, ','), (Lines{"Год", "1950", "1951"}));
    EXPECT_EQ(ColumnLines(table, 7, true, ','), (Lines{"", ""}));
}

TEST(SeriesFileImport, HeaderAndDefaultColumn)
{
    struct Case {
        const char* bytes;
        bool header;
        size_t column;
    };
    const Case cases[] = {
        {"1950;12\n1951;13\n", false, 1},
        {"Q\n12\n13\n", true, 0},
        {"12\n13\n", false, 0},
        {"12.5.3\n13\n", false, 0}, // a mistyped number is no caption
        {"1e3\n13\n", false, 0},
        {"value;note\n5;dry\n6;wet\n", true, 0}, // the numbers, not the last column
        {"Q\n", false, 0},                       // a lone line has nothing to head
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        const auto table = ReadSeriesTable(c.bytes);
        EXPECT_EQ(table.header, c.header);
        EXPECT_EQ(DefaultColumn(table), c.column);
    }
}

TEST(SeriesFileImport, EmptyAndOddInputs)
{
    EXPECT_TRUE(ImportSeriesFile("", ',').empty());
    EXPECT_TRUE(ImportSeriesFile("\xEF\xBB\xBF", ',').empty());
    EXPECT_TRUE(ImportSeriesFile("\r\n\r\n", ',').empty());
    EXPECT_EQ(ImportSeriesFile(std::string("1\0002\n3", 5), ','), (Lines{std::string("1\0002", 3), "3"}));
    // A UTF-16 mark with an odd byte left over: the stray byte is a
    // replacement character, so the run points at that line.
    EXPECT_EQ(ImportSeriesFile(std::string("\xFF\xFE"
                                           "1\0\n",
                                           5),
                               ','),
              (Lines{"1\xEF\xBF\xBD"}));
}

// UTF-16 with its mark, as a spreadsheet's "Unicode text" export writes it,
// gives what the same text in UTF-8 gives.
std::string Utf16(const std::u16string& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t u : text) {
        const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

TEST(SeriesFileImport, Utf16WithMarkReadsAsUtf8)
{
    const std::u16string text = u"Год\tРасход\r\n1950\t12,5\r\n1951\t7\r\n\U0001D11E\t1\r\n";
    const std::string utf8 = "Год\tРасход\r\n1950\t12,5\r\n1951\t7\r\n\U0001D11E\t1\r\n";
    for (const bool big : {false, true}) {
        EXPECT_EQ(DecodeSeriesFile(Utf16(text, big)), utf8) << big;
        EXPECT_EQ(ImportSeriesFile(Utf16(text, big), ','), ImportSeriesFile(utf8, ',')) << big;
    }
}

TEST(SeriesFileImport, YearColumn)
{
    struct Case {
        const char* text;
        size_t valueColumn;
        bool found;
        int firstYear;
        std::vector<int> missing;
        std::vector<int> repeated;
        bool ordered;
    };
    const Case cases[] = {
        {"Год;Расход\n1950;1\n1951;2\n1952;3\n", 1, true, 1950, {}, {}, true},
        {"Год;Расход\n1950;1\n1952;2\n1955;3\n", 1, true, 1950, {1951, 1953, 1954}, {}, false},
        {"Год;Расход\n1950;1\n1951;2\n1951;3\n", 1, true, 1950, {}, {1951}, false},
        {"Год;Расход\n1951;1\n1950;2\n", 1, true, 1951, {}, {}, false},
        {"Год;Расход\n1950;1\nнет;2\n", 1, false, 0, {}, {}, true},
        {"N;Q\n1;1\n2;2\n", 1, false, 0, {}, {}, true},
        {"Q;Год\n5;1990\n6;1991\n", 0, true, 1990, {}, {}, true},
    };
    for (const Case& c : cases) {
        const SeriesTable table = ReadSeriesTable(c.text);
        const auto years = FindYearColumn(table, c.valueColumn, true);
        ASSERT_EQ(years.has_value(), c.found) << c.text;
        if (!years)
            continue;
        EXPECT_EQ(years->firstYear, c.firstYear) << c.text;
        EXPECT_EQ(years->missing, c.missing) << c.text;
        EXPECT_EQ(years->repeated, c.repeated) << c.text;
        EXPECT_EQ(years->ordered, c.ordered) << c.text;
        EXPECT_EQ(years->Consecutive(), c.missing.empty() && c.repeated.empty() && c.ordered) << c.text;
    }
}
