#pragma once
// How a series comes into the parameters dialog's grid besides typing: a
// paste (of one column or several, past the last row), a dropped file and the
// main window's series; and where the grid points after a cell was refused.

class QString;

namespace aqualen::ui {

class SeriesPage;
class TParamDlg;

// Ctrl+V into the value column from the current row. A block of several
// columns (a year and a value, rows of a spreadsheet) goes in as the one
// column the user takes, and nothing when the choice is cancelled. A paste
// that runs past the last row below empty value cells (which would become
// points without values) asks whether to start at the first of them.
void PasteIntoGrid(SeriesPage& page, const QString& text);

// Grows "Число точек" so that rows up to `lastRow` show and are read, at
// most 500; past that, says that the rest was not taken.
void CoverPastedRows(SeriesPage& page, int lastRow);

// Reads a series file into the value column from row 1, the other values
// emptied, and sets the number of points to the file's (5 to 500).
void LoadFileIntoGrid(SeriesPage& page, const QString& path);

// "Взять ряд из главного окна": the main window's lines into the value
// column, "Ввести ряд" ticked, the number of points set to their count and
// the title to "<name>, <first>–<last>" (what is known of it). A series of
// fewer than 5 or more than 500 values is refused with a message and
// nothing changes.
void TakeMainSeries(TParamDlg& dialog);

// Shows the series page with grid row `row` current, after a refusal.
void PointAtGridRow(TParamDlg& dialog, int row);

} // namespace aqualen::ui
