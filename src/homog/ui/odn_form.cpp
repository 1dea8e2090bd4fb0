#include "homog/ui/odn_form.h"

namespace aqualen::ui {

TOdnForm::TOdnForm(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setWindowTitle(QStringLiteral("Проверка на однородность"));
}

} // namespace aqualen::ui
