#pragma once
// The table view of the series grid: only the value column takes the focus,
// edits and range selections; Enter and the clipboard keys are handed to the
// dialog, also while a cell is being edited.

#include <QKeySequence>
#include <QTableView>

#include "curve/series_grid_cells.h"

namespace aqualen::ui {

class SeriesGridModel;

class SeriesGridView : public QTableView {
    Q_OBJECT
public:
    SeriesGridView(SeriesGridModel* model, QWidget* parent);

    SeriesGridModel& Model() const { return *model_; }

    // Grid coordinates (row 0 is the caption row).
    int CurrentRow() const;
    void SetCurrentRow(int row);
    CellRect Selection() const;

    // Ends an edit in progress, keeping what was typed.
    void CommitEdit();

    // Routes a key typed in the grid or its cell editor; true when taken.
    bool RouteKey(const QKeyEvent* event);

signals:
    void KeyDown(int key);
    void ClipboardKey(QKeySequence::StandardKey key);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    SeriesGridModel* model_;
};

} // namespace aqualen::ui
