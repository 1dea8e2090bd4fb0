#include "curve/ui/series_grid_model.h"

#include <QApplication>
#include <QBrush>
#include <QPalette>

namespace aqualen::ui {

SeriesGridModel::SeriesGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void SeriesGridModel::SetPointCount(int n)
{
    if (n > points_) {
        beginInsertRows({}, points_, n - 1);
        points_ = n;
        endInsertRows();
    } else if (n < points_) {
        beginRemoveRows({}, n, points_ - 1);
        points_ = n;
        endRemoveRows();
    }
}

void SeriesGridModel::CellsChanged()
{
    if (points_ > 0)
        emit dataChanged(index(0, 0), index(points_ - 1, 2));
    emit headerDataChanged(Qt::Horizontal, 0, 2);
}

int SeriesGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : points_;
}

int SeriesGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant SeriesGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const bool fixed = index.column() != SeriesGridCells::kValueColumn;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromStdString(cells_.Get(index.column(), index.row() + 1));
    case Qt::BackgroundRole:
        if (fixed)
            return QApplication::palette().brush(QPalette::Button);
        return {};
    case Qt::ForegroundRole:
        if (fixed)
            return QApplication::palette().brush(QPalette::ButtonText);
        return {};
    default:
        return {};
    }
}

bool SeriesGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() != SeriesGridCells::kValueColumn)
        return false;
    cells_.Set(index.column(), index.row() + 1, value.toString().toStdString());
    emit dataChanged(index, index);
    return true;
}

QVariant SeriesGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QString::fromStdString(cells_.Get(section, 0));
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return {};
}

Qt::ItemFlags SeriesGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.column() != SeriesGridCells::kValueColumn)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

} // namespace aqualen::ui
