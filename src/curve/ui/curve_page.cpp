#include "curve/ui/curve_page.h"

#include <QCheckBox>

#include "curve/sheet_update.h"
#include "curve/smoothing_fit.h"

namespace aqualen::ui {

CurvePage::CurvePage(QWidget* parent) : QWidget(parent)
{
    CheckBoxCurve = new QCheckBox(QString::fromUtf8(kSmoothingCurveName), this);
    CheckBoxCurve->setGeometry(16, 16, 250, 20);
}

void CurvePage::ReadInput(SheetInput& input) const
{
    input.smoothCurve = CheckBoxCurve->isChecked();
}

void CurvePage::AllowCurve(bool series)
{
    if (!series)
        CheckBoxCurve->setChecked(false);
    CheckBoxCurve->setEnabled(series);
}

} // namespace aqualen::ui
