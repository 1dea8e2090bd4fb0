#pragma once
// The series grid's cells under a table view. Grid row 0 (the captions) is
// the view's header; grid rows 1..n are the model's rows 0..n-1. Columns 0
// and 1 are fixed: shown in the header style, never current, selected or
// edited. Rows beyond n keep their texts in the cell store.

#include <QAbstractTableModel>

#include "curve/series_grid_cells.h"

namespace aqualen::ui {

class SeriesGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SeriesGridModel(QObject* parent);

    SeriesGridCells& Cells() { return cells_; }
    const SeriesGridCells& Cells() const { return cells_; }

    // n points: the grid then has n + 1 rows with its caption row.
    void SetPointCount(int n);
    int PointCount() const { return points_; }

    // Tells the view that cells changed behind its back.
    void CellsChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    SeriesGridCells cells_;
    int points_ = 0;
};

} // namespace aqualen::ui
