#include "correl/ui/correl_form.h"

namespace aqualen::ui {

TCorrelForm::TCorrelForm(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setWindowTitle(QStringLiteral("Расчет коэффициента корреляции"));
}

} // namespace aqualen::ui
