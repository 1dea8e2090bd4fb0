#include "curve/ui/control_snapshot.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>
#include <QWidget>

namespace aqualen::ui {

namespace {

// A radio button is unchecked by checking another of its group; asking it
// to uncheck itself would be refused.
bool Exclusive(const QAbstractButton& button)
{
    return button.autoExclusive() || (button.group() && button.group()->exclusive());
}

} // namespace

ControlSnapshot::ControlSnapshot(const QWidget& root)
{
    for (QLineEdit* box : root.findChildren<QLineEdit*>())
        texts_.emplace_back(box, box->text());
    for (QAbstractButton* button : root.findChildren<QAbstractButton*>())
        if (button->isCheckable())
            checks_.emplace_back(button, button->isChecked());
}

void ControlSnapshot::Restore() const
{
    for (const auto& [box, text] : texts_)
        if (box && box->text() != text)
            box->setText(text);
    for (const auto& [button, checked] : checks_)
        if (button && button->isChecked() != checked && (checked || !Exclusive(*button)))
            button->setChecked(checked);
}

} // namespace aqualen::ui
