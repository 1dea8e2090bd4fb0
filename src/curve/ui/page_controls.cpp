#include "curve/ui/page_controls.h"

#include <QLabel>
#include <QLineEdit>

namespace aqualen::ui {

QLabel* PlaceCaption(const QString& text, int x, int y, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->adjustSize();
    label->move(x, y);
    return label;
}

QLineEdit* PlaceBox(const QString& text, const QRect& geometry, QWidget* parent)
{
    auto* box = new QLineEdit(text, parent);
    box->setGeometry(geometry);
    return box;
}

} // namespace aqualen::ui
