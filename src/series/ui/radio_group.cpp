#include "series/ui/radio_group.h"

#include <QGridLayout>
#include <QRadioButton>

namespace aqualen::ui {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent, int columns)
    : QGroupBox(caption, parent), buttons_(this), grid_(new QGridLayout(this))
{
    grid_->setContentsMargins(10, 4, 10, 6);
    grid_->setSpacing(2);
    const int count = static_cast<int>(items.size());
    const int rows = columns > 0 ? (count + columns - 1) / columns : count;
    for (int i = 0; i < count; ++i) {
        auto* button = new QRadioButton(items.at(i), this);
        buttons_.addButton(button, i);
        grid_->addWidget(button, rows > 0 ? i % rows : 0, rows > 0 ? i / rows : 0);
    }
    connect(&buttons_, &QButtonGroup::idClicked, this, &RadioGroup::Clicked);
}

void RadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton* button = buttons_.button(index); button && !button->isChecked()) {
        button->setChecked(true);
        emit Clicked(index);
    }
}

QRadioButton* RadioGroup::Item(int index) const
{
    return qobject_cast<QRadioButton*>(buttons_.button(index));
}

} // namespace aqualen::ui
