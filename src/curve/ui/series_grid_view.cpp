#include "curve/ui/series_grid_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <algorithm>

#include "curve/ui/series_grid_model.h"

namespace aqualen::ui {

namespace {

bool IsClipboardKey(const QKeyEvent* event, QKeySequence::StandardKey* which)
{
    for (const QKeySequence::StandardKey key : {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste}) {
        if (event->matches(key)) {
            *which = key;
            return true;
        }
    }
    return false;
}

// Hands Enter and the clipboard keys of the cell editor to the grid, before
// the editor would treat them as its own.
class CellDelegate final : public QStyledItemDelegate {
public:
    CellDelegate(SeriesGridView* view) : QStyledItemDelegate(view), view_(view) {}

protected:
    bool eventFilter(QObject* editor, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            QKeySequence::StandardKey which;
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            if (enter || IsClipboardKey(key, &which)) {
                key->accept();
                if (event->type() == QEvent::KeyPress)
                    view_->RouteKey(key);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(editor, event);
    }

private:
    SeriesGridView* view_;
};

} // namespace

SeriesGridView::SeriesGridView(SeriesGridModel* model, QWidget* parent) : QTableView(parent), model_(model)
{
    setModel(model_);
    setItemDelegate(new CellDelegate(this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(10);
    verticalHeader()->setDefaultSectionSize(18);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

int SeriesGridView::CurrentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

void SeriesGridView::SetCurrentRow(int row)
{
    const QModelIndex target = model_->index(row - 1, SeriesGridCells::kValueColumn);
    if (target.isValid())
        setCurrentIndex(target);
}

CellRect SeriesGridView::Selection() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        const int row = CurrentRow();
        return {SeriesGridCells::kValueColumn, row, SeriesGridCells::kValueColumn, row};
    }
    CellRect rect{selected.first().column(), selected.first().row() + 1, selected.first().column(),
                  selected.first().row() + 1};
    for (const QModelIndex& index : selected) {
        rect.left = std::min(rect.left, index.column());
        rect.right = std::max(rect.right, index.column());
        rect.top = std::min(rect.top, index.row() + 1);
        rect.bottom = std::max(rect.bottom, index.row() + 1);
    }
    return rect;
}

void SeriesGridView::CommitEdit()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

bool SeriesGridView::RouteKey(const QKeyEvent* event)
{
    QKeySequence::StandardKey which;
    if (IsClipboardKey(event, &which)) {
        CommitEdit();
        emit ClipboardKey(which);
        return true;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        CommitEdit();
        emit KeyDown(Qt::Key_Return);
        return true;
    }
    return false;
}

void SeriesGridView::keyPressEvent(QKeyEvent* event)
{
    if (RouteKey(event))
        return;
    QTableView::keyPressEvent(event);
}

} // namespace aqualen::ui
