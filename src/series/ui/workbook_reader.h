#pragma once
// Workbooks as series files: a sheet of an .xlsx or .ods workbook (a zip of
// XML, read with QuaZip and Qt's XML stream reader) or of an .xls workbook
// (read with FreeXL) becomes the table a text file gives, so that the column
// choice, the year column and the pane lines are the text files' own. Cells
// hold what the file stores: a number as written there (the cached value of
// a formula), anything else as its text, a formula without a value as
// "=" and its formula. Qt Core only: the windows and aqualen-cli share it.

#include <QByteArray>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "series/series_file_import.h"

namespace aqualen::ui {

// A sheet with more rows than this is refused: no series is that long, and
// the limit keeps a damaged or hostile file from filling the memory.
inline constexpr size_t kMaxWorkbookRows = 1'000'000;
// The text of all the cells read (and the shared strings) together.
inline constexpr size_t kMaxWorkbookTextBytes = 256u * 1024 * 1024;

enum class WorkbookFault {
    None,
    Unreadable,  // not a workbook of these kinds, damaged, or encrypted
    NoSuchSheet, // the sheet asked for is not there
    TooManyRows, // the sheet has more than kMaxWorkbookRows rows
    TooLarge,    // the cells' text exceeds kMaxWorkbookTextBytes
};

// Whether the bytes are a zip archive or a compound document (the
// containers of .xlsx/.ods and of .xls), told by their first bytes: such a
// file is read as a workbook whatever its name, and never as text.
bool LooksLikeWorkbook(const QByteArray& bytes);

// The names of the sheets, in the workbook's order; nothing (and `fault`
// set) when the bytes are no readable workbook.
std::optional<std::vector<std::string>> WorkbookSheetNames(const QByteArray& bytes, WorkbookFault& fault);

// The table of sheet `sheet` (from 0): one row per sheet row down to the
// last one with a value, each as wide as its last cell with a value; blank
// cells empty. Nothing (and `fault` set) on any fault.
std::optional<SeriesTable> ReadWorkbookSheet(const QByteArray& bytes, size_t sheet, WorkbookFault& fault);

// The sheet a user names: by its exact name, else by its number from 1.
std::optional<size_t> FindSheet(const std::vector<std::string>& names, const std::string& wanted);

} // namespace aqualen::ui
