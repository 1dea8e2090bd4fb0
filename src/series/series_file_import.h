#pragma once
// Series files turned into pane lines. A file is text in UTF-8 (with or
// without a byte-order mark) or, when it is not valid UTF-8, in the Windows
// Cyrillic code page; lines end in CR LF, LF or a lone CR. A line may hold
// several columns (a year and a value, say) separated by tabs, semicolons or
// blanks, and the first line may be a header. Every routine here is a pure
// function of its arguments: bytes in, lines out.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "series/series_lines.h"

namespace aqualen {

// The decoded file as a table: one row per line, cells in UTF-8 with their
// surrounding blanks removed.
struct SeriesTable {
    std::vector<std::vector<std::string>> rows;
    size_t columns = 0;   // cells in the widest row
    bool header = false;  // the first row looks like column captions
    char delimiter = ' '; // '\t', ';' or ' ' (runs of blanks)
};

// UTF-8 text of the file: the byte-order mark dropped (UTF-16 LE or BE text
// with its mark turned into UTF-8), or the bytes read as the Windows Cyrillic
// code page when they are not valid UTF-8.
std::string DecodeSeriesFile(std::string_view bytes);

// Decodes and splits the file. Blank lines at the end are dropped; blank
// lines elsewhere stay as rows without cells.
SeriesTable ReadSeriesTable(std::string_view bytes);

// A table of cells read some other way (a workbook's sheet): rows without
// cells at the end dropped, the width counted and the header guessed as for
// a file.
SeriesTable TableOfRows(std::vector<std::vector<std::string>> rows);

// A plain column of numbers goes straight into a pane; a table, or a column
// under a header, needs the user to look at it first.
bool NeedsColumnChoice(const SeriesTable& table);

// The column offered first: the last one in which most data rows hold a
// number (a year column is numbers too, and comes first), else the one with
// the most numbers.
size_t DefaultColumn(const SeriesTable& table);

// The pane lines of one column, the header row left out when `skipHeader`.
// A cell that reads as a number with either "." or "," as its decimal mark is
// written with `separator`; any other cell (and an absent one, as an empty
// line) is kept as it is, so that a run then stops at it.
SeriesLines ColumnLines(const SeriesTable& table, size_t column, bool skipHeader, char separator);

// A column of years beside the values: the first other column whose data
// cells are all whole numbers from 1000 to 2999. Years are expected to run
// on by one from the first row; `missing` and `repeated` name what breaks
// that (both empty, and `ordered`, when the years are consecutive).
struct YearColumn {
    size_t column = 0;
    int firstYear = 0;
    std::vector<int> missing;  // years absent between the least and the greatest
    std::vector<int> repeated; // years given more than once
    bool ordered = true;       // every year follows the one above it
    bool Consecutive() const { return ordered && missing.empty() && repeated.empty(); }
};
std::optional<YearColumn> FindYearColumn(const SeriesTable& table, size_t valueColumn, bool skipHeader);

// The whole road in one call, with the default column and header choice.
SeriesLines ImportSeriesFile(std::string_view bytes, char separator);

} // namespace aqualen
