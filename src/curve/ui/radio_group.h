#pragma once
// A captioned group of radio buttons with one selected index, the items
// stacked in one column.

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class QRadioButton;

namespace aqualen::ui {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent);

    int ItemIndex() const { return buttons_.checkedId(); }
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const;

signals:
    // The user (or SetItemIndex) selected an item.
    void Clicked(int index);

private:
    QButtonGroup buttons_;
};

} // namespace aqualen::ui
