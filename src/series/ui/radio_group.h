#pragma once
// A captioned group of radio buttons with one selected item index, the items
// laid out column by column.

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>

class QGridLayout;

namespace aqualen::ui {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent, int columns = 1);

    int ItemIndex() const { return buttons_.checkedId(); }
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const;
    int ItemCount() const { return static_cast<int>(buttons_.buttons().size()); }
    // The layout of the items, for windows that pack them tighter.
    QGridLayout* Grid() const { return grid_; }

signals:
    // The user (or SetItemIndex) selected an item.
    void Clicked(int index);

private:
    QButtonGroup buttons_;
    QGridLayout* grid_ = nullptr;
};

} // namespace aqualen::ui
