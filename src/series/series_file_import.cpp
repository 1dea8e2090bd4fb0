#include "series/series_file_import.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "series/number_text.h"

namespace aqualen {

namespace {

// Code points of the bytes 0x80..0xFF of the Windows Cyrillic code page
// (0x98 is unassigned there and reads as the replacement character).
constexpr std::array<char16_t, 128> kCyrillicHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0: А..
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // ..Я
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,                                 // E0: а..
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443,
    0x0444, 0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // ..я
};

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<uint8_t>(text[i]);
        if (byte < 0x80) {
            ++i;
            continue;
        }
        size_t length = 0;
        char32_t code = 0;
        char32_t least = 0;
        if ((byte & 0xE0) == 0xC0) {
            length = 2, code = byte & 0x1F, least = 0x80;
        } else if ((byte & 0xF0) == 0xE0) {
            length = 3, code = byte & 0x0F, least = 0x800;
        } else if ((byte & 0xF8) == 0xF0) {
            length = 4, code = byte & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<uint8_t>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string FromCyrillicCodePage(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte < 0x80)
            out += c;
        else
            AppendUtf8(out, kCyrillicHigh[byte - 0x80]);
    }
    return out;
}

// UTF-16 text (the mark already taken off), as a spreadsheet's "Unicode
// text" export writes it; an unpaired surrogate or an odd last byte reads as
// the replacement character, so the run points at its line.
std::string FromUtf16(std::string_view bytes, bool bigEndian)
{
    std::string out;
    out.reserve(bytes.size() / 2);
    const auto unit = [&](size_t i) {
        const auto a = static_cast<uint8_t>(bytes[i]);
        const auto b = static_cast<uint8_t>(bytes[i + 1]);
        return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    const auto appendAny = [&out](char32_t code) {
        if (code < 0x10000) {
            AppendUtf8(out, code);
            return;
        }
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    };
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char16_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
            const char16_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendAny(0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        appendAny(u >= 0xD800 && u <= 0xDFFF ? 0xFFFD : u);
    }
    if (i < bytes.size())
        appendAny(0xFFFD);
    return out;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Lines split at CR LF, LF or a lone CR; a break at the very end starts no line.
std::vector<std::string_view> TextLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::string> SplitCells(std::string_view line, char delimiter)
{
    std::vector<std::string> cells;
    line = Trim(line);
    if (line.empty())
        return cells;
    if (delimiter == ' ') {
        size_t i = 0;
        while (i < line.size()) {
            const size_t end = line.find(' ', i);
            const size_t stop = end == std::string_view::npos ? line.size() : end;
            cells.emplace_back(line.substr(i, stop - i));
            i = stop;
            while (i < line.size() && line[i] == ' ')
                ++i;
        }
        return cells;
    }
    size_t start = 0;
    while (true) {
        const size_t end = line.find(delimiter, start);
        const size_t stop = end == std::string_view::npos ? line.size() : end;
        cells.emplace_back(Trim(line.substr(start, stop - start)));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return cells;
}

// The cell with its one decimal mark, "." or ",", put as `separator`; empty
// when the cell is not a number written either way.
std::string AsNumberText(std::string_view cell, char separator)
{
    const auto marks = std::count(cell.begin(), cell.end(), '.') + std::count(cell.begin(), cell.end(), ',');
    if (marks > 1)
        return {};
    std::string text(cell);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '.' || c == ','; }, separator);
    return ParseNumber(text, separator) ? text : std::string();
}

bool IsNumberCell(std::string_view cell)
{
    return !AsNumberText(cell, '.').empty();
}

// A caption has a letter in it (Latin or any non-ASCII one) and does not read
// as a number; "1e3" is a number, "Год" and "Q, м3/с" are captions.
bool IsCaption(std::string_view cell)
{
    if (IsNumberCell(cell))
        return false;
    return std::any_of(cell.begin(), cell.end(), [](char c) {
        const auto byte = static_cast<uint8_t>(c);
        return byte >= 0x80 || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
    });
}

} // namespace

std::string DecodeSeriesFile(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return FromUtf16(bytes.substr(2), bytes[0] == '\xFE');
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return FromCyrillicCodePage(bytes);
}

SeriesTable ReadSeriesTable(std::string_view bytes)
{
    const std::string text = DecodeSeriesFile(bytes);
    std::vector<std::string_view> lines = TextLines(text);
    while (!lines.empty() && Trim(lines.back()).empty())
        lines.pop_back();

    SeriesTable table;
    const auto holds = [&lines](char c) {
        return std::any_of(lines.begin(), lines.end(),
                           [c](std::string_view line) { return Trim(line).find(c) != std::string_view::npos; });
    };
    table.delimiter = holds('\t') ? '\t' : holds(';') ? ';' : ' ';
    std::vector<std::vector<std::string>> rows;
    rows.reserve(lines.size());
    for (const std::string_view line : lines)
        rows.push_back(SplitCells(line, table.delimiter));
    const char delimiter = table.delimiter;
    table = TableOfRows(std::move(rows));
    table.delimiter = delimiter;
    return table;
}

SeriesTable TableOfRows(std::vector<std::vector<std::string>> rows)
{
    while (!rows.empty() && rows.back().empty())
        rows.pop_back();
    SeriesTable table;
    table.rows = std::move(rows);
    for (const std::vector<std::string>& row : table.rows)
        table.columns = std::max(table.columns, row.size());
    if (table.rows.size() > 1)
        table.header = std::any_of(table.rows[0].begin(), table.rows[0].end(),
                                   [](const std::string& cell) { return IsCaption(cell); });
    return table;
}

bool NeedsColumnChoice(const SeriesTable& table)
{
    return table.columns > 1 || table.header;
}

size_t DefaultColumn(const SeriesTable& table)
{
    // A year column is full of numbers too: take the last column in which
    // most rows hold a number, else the one with the most numbers.
    const size_t first = table.header ? 1 : 0;
    const size_t dataRows = table.rows.size() - std::min(first, table.rows.size());
    size_t fullest = 0;
    size_t fullestCount = 0;
    size_t lastMostly = table.columns;
    for (size_t column = 0; column < table.columns; ++column) {
        size_t count = 0;
        for (size_t row = first; row < table.rows.size(); ++row)
            if (column < table.rows[row].size() && IsNumberCell(table.rows[row][column]))
                ++count;
        if (count > fullestCount) {
            fullest = column;
            fullestCount = count;
        }
        if (2 * count > dataRows)
            lastMostly = column;
    }
    return lastMostly < table.columns ? lastMostly : fullest;
}

SeriesLines ColumnLines(const SeriesTable& table, size_t column, bool skipHeader, char separator)
{
    SeriesLines lines;
    const size_t first = skipHeader && !table.rows.empty() ? 1 : 0;
    lines.reserve(table.rows.size() - std::min(first, table.rows.size()));
    for (size_t row = first; row < table.rows.size(); ++row) {
        const std::vector<std::string>& cells = table.rows[row];
        if (column >= cells.size()) {
            lines.emplace_back();
            continue;
        }
        std::string number = AsNumberText(cells[column], separator);
        lines.push_back(number.empty() ? cells[column] : std::move(number));
    }
    return lines;
}

std::optional<YearColumn> FindYearColumn(const SeriesTable& table, size_t valueColumn, bool skipHeader)
{
    const size_t first = skipHeader && !table.rows.empty() ? 1 : 0;
    if (first >= table.rows.size())
        return std::nullopt;
    for (size_t column = 0; column < table.columns; ++column) {
        if (column == valueColumn)
            continue;
        std::vector<int> years;
        years.reserve(table.rows.size() - first);
        for (size_t row = first; row < table.rows.size(); ++row) {
            const std::vector<std::string>& cells = table.rows[row];
            if (column >= cells.size() || cells[column].empty() || cells[column].size() > 4 ||
                !std::all_of(cells[column].begin(), cells[column].end(), [](char c) { return c >= '0' && c <= '9'; }))
                break;
            const int year = std::stoi(cells[column]);
            if (year < 1000 || year > 2999)
                break;
            years.push_back(year);
        }
        if (years.size() != table.rows.size() - first)
            continue;
        YearColumn found;
        found.column = column;
        found.firstYear = years.front();
        for (size_t k = 1; k < years.size(); ++k)
            found.ordered = found.ordered && years[k] == years[k - 1] + 1;
        std::vector<int> sorted = years;
        std::sort(sorted.begin(), sorted.end());
        for (size_t k = 1; k < sorted.size(); ++k) {
            if (sorted[k] == sorted[k - 1] && (found.repeated.empty() || found.repeated.back() != sorted[k]))
                found.repeated.push_back(sorted[k]);
            for (int y = sorted[k - 1] + 1; y < sorted[k]; ++y)
                found.missing.push_back(y);
        }
        return found;
    }
    return std::nullopt;
}

SeriesLines ImportSeriesFile(std::string_view bytes, char separator)
{
    const SeriesTable table = ReadSeriesTable(bytes);
    return ColumnLines(table, DefaultColumn(table), table.header, separator);
}

} // namespace aqualen
