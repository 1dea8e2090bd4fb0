#pragma once
// The page "Ряд данных" of the curve parameters dialog: the series grid, the
// number of points, the grid's tools, the series option and the plotting
// formula. The clipboard actions and taking the main window's series are
// the dialog's (they reach past this page); the page's buttons show the
// actions it is given.

#include <QWidget>

#include "curve/plotting_formula.h"
#include "curve/series_grid_cells.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace aqualen {
struct SheetInput;
}

namespace aqualen::ui {

class RadioGroup;
class SeriesGridModel;
class SeriesGridView;
class UpDown;

// The page's controls; the dialog shows them under the same names.
struct SeriesControls {
    SeriesGridModel* GridCells = nullptr;
    SeriesGridView* StringGrid1 = nullptr;
    QLineEdit* Edit2 = nullptr; // "Число точек"
    UpDown* UpDown2 = nullptr;
    QToolButton* sbCut = nullptr;
    QToolButton* sbCopy = nullptr;
    QToolButton* sbPaste = nullptr;
    QToolButton* sbClear = nullptr;
    QToolButton* sbSorted = nullptr;
    QPushButton* btnTakeSeries = nullptr; // "Взять ряд из главного окна"
    QCheckBox* CheckBox1 = nullptr;       // "Ввести ряд"
    RadioGroup* RadioGroupP = nullptr;
};

class SeriesPage : public QWidget, public SeriesControls {
    Q_OBJECT
public:
    SeriesPage(QAction* cut, QAction* copy, QAction* paste, QWidget* parent);

    // Writes the grid's captions, sets its column widths (the values take
    // the client width less 104) and fills rows 1 to n. Run once the page
    // is in the dialog, where the grid has its final client width.
    void SetUpGrid();

    // The number of points n.
    int PointCount() const;
    // The plotting formula chosen.
    PlottingFormula Formula() const;
    // The page's part of what the dialog asks the sheet to be.
    void ReadInput(SheetInput& input) const;

    // The grid and its own tools go with the series option.
    void EnableTools(bool on);
    // The grid shows these cells, over the current number of points.
    void ShowCells(SeriesGridCells cells);
    // The cells as the dialog opened, shown again on a cancel.
    void KeepOpenedCells();
    void RestoreOpenedCells();

signals:
    // The sort met a cell of grid row `row` that does not read (and said so).
    void RowRefused(int row);

public slots:
    void Edit2Change();
    void RadioGroupPClick();
    void StringGrid1KeyDown(int key);
    void sbClearClick();
    void sbSortedClick();

private:
    SeriesGridCells openedCells_;
};

} // namespace aqualen::ui
