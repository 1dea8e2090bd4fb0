#pragma once
// The cells of the curve series grid and the grid's window-free routines.
// The store keeps every text ever written, whatever the number of rows shown,
// so that hidden rows come back with their texts when the row count grows.
// No Qt here: the dialog moves text between these routines and the clipboard.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "curve/curve_settings.h"
#include "curve/plotting_formula.h"

namespace aqualen {

// A series cell that is not a number, told by the sort and by the OK.
inline constexpr const char* kSeriesInputError = "Ряд данных введен не корректно!";

// Row 0 holds the captions; rows 1..n the points: column 0 the row number,
// column 1 the probability in percent, column 2 the value.
class SeriesGridCells {
public:
    static constexpr int kNumberColumn = 0;
    static constexpr int kProbabilityColumn = 1;
    static constexpr int kValueColumn = 2;
    static constexpr int kMaxPoints = CurveSettings::kMaxPoints;

    const std::string& Get(int column, int row) const;
    void Set(int column, int row, std::string text);

private:
    std::map<std::pair<int, int>, std::string> cells_; // (row, column) -> text
};

// A rectangle of cells, corners included.
struct CellRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Row numbers and the P column of rows 1..n, P with one decimal.
void FillProbabilityColumn(SeriesGridCells& cells, int n, PlottingFormula formula, char separator);

// Reads rows 1..n (when the series option is on) into Probabilities and
// Values of the settings, then sorts Values largest first and writes them back
// to the value column. Returns false at the first cell that is not a number:
// nothing is sorted and the lists keep what was read before it. Showing the
// message is the caller's business.
bool SortSeries(SeriesGridCells& cells, int n, bool seriesOn, CurveSettings& settings, char separator);

// Reads rows 1..n into Probabilities and Values (cleared first); false at the
// first cell that is not a number, the entries before it kept.
bool ReadSeries(const SeriesGridCells& cells, int n, CurveSettings& settings, char separator);

// The clipboard text of a rectangle: cells joined by tabs, rows by "\r\n",
// no line break after the last row.
std::string CopyCells(const SeriesGridCells& cells, const CellRect& rect);

// CopyCells, then the rectangle's cells are emptied.
std::string CutCells(SeriesGridCells& cells, const CellRect& rect);

// Writes a clipboard text into the cells from (startColumn, startRow) on: a
// tab moves one column right, "\r\n" or a lone "\n" one row down back to the
// start column; every cell moved to is emptied first. A single line break at
// the very end (as a spreadsheet puts after a copied column) closes the last
// row and starts no new one, so the cell below the pasted block keeps its text.
// Returns the last row the text reached, so that the caller can show every
// row pasted and say when some lie past kMaxPoints, where no point is read.
int PasteCells(SeriesGridCells& cells, int startColumn, int startRow, std::string_view text);

// Empties the value column of rows 1..500.
void ClearValues(SeriesGridCells& cells);

} // namespace aqualen
