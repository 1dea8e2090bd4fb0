#include "curve/ui/obesp_form.h"

namespace aqualen::ui {

TObespForm::TObespForm(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setWindowTitle(QStringLiteral("Кривая обеспеченности"));
}

} // namespace aqualen::ui
