#include "curve/ui/radio_group.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace aqualen::ui {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(this)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 4, 10, 6);
    layout->setSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items.at(i), this);
        buttons_.addButton(button, i);
        layout->addWidget(button);
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

QRadioButton* RadioGroup::Item(int index) const { return qobject_cast<QRadioButton*>(buttons_.button(index)); }

} // namespace aqualen::ui
