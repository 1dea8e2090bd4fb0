#pragma once
// How a series comes into the parameters dialog's grid besides typing: a
// paste that runs past the last row, and a dropped file; and where the grid
// points after a cell was refused.

class QString;

namespace aqualen::ui {

class TParamDlg;

// Grows "Число точек" so that rows up to `lastRow` show and are read, at
// most 500; past that, says that the rest was not taken.
void CoverPastedRows(TParamDlg& dialog, int lastRow);

// Reads a series file into the value column from row 1, the other values
// emptied, and sets the number of points to the file's (5 to 500).
void LoadFileIntoGrid(TParamDlg& dialog, const QString& path);

// "Взять ряд из главного окна": the main window's lines into the value
// column, "Ввести ряд" ticked, the number of points set to their count and
// the title to "<name>, <first>–<last>" (what is known of it). A series of
// fewer than 5 or more than 500 values is refused with a message and
// nothing changes.
void TakeMainSeries(TParamDlg& dialog);

// Shows the series page with grid row `row` current, after a refusal.
void PointAtGridRow(TParamDlg& dialog, int row);

} // namespace aqualen::ui
