#include "curve/ui/parameters_page.h"

#include <QCheckBox>
#include <QLineEdit>

#include "curve/curve_settings.h"
#include "curve/sheet_update.h"
#include "curve/ui/count_box.h"
#include "curve/ui/page_controls.h"
#include "curve/ui/up_down.h"
#include "series/ui/guarded.h"
#include "series/ui/radio_group.h"

namespace aqualen::ui {

ParametersPage::ParametersPage(QWidget* parent) : QWidget(parent)
{
    PlaceCaption(QStringLiteral("Радиус точек"), 16, 14, this);
    Edit1 = PlaceBox(QStringLiteral("3"), QRect(16, 32, 40, 21), this);
    UpDown1 = new UpDown(Edit1, 1, 20, 3, this);
    PlaceCaption(QStringLiteral("Название"), 16, 68, this);
    edNameKrOb = PlaceBox(QStringLiteral("Название кривой обеспеченности"), QRect(16, 86, 377, 21), this);
    PlaceCaption(QStringLiteral("Подпись оси значений"), 16, 122, this);
    edAxisName = PlaceBox(QString::fromUtf8(kDefaultAxisName), QRect(16, 140, 377, 21), this);
    RadioGroup1 = new RadioGroup(QStringLiteral("Сетка вероятности, %"),
                                 {QStringLiteral("от 0.1 до 99.9"), QStringLiteral("от 0.01 до 99.99")}, this);
    RadioGroup1->setGeometry(16, 180, 377, 72);
    RadioGroup1->SetItemIndex(0);
    cbLegend = new QCheckBox(QStringLiteral("Легенда"), this);
    cbLegend->setGeometry(16, 268, 377, 20);
    cbLegend->setChecked(CurveSettings{}.Legend);
    cbReturnPeriods = new QCheckBox(QStringLiteral("Ось периодов повторяемости «T, лет»"), this);
    cbReturnPeriods->setGeometry(16, 294, 377, 20);
    cbReturnPeriods->setChecked(CurveSettings{}.ReturnPeriodAxis);
    connect(Edit1, &QLineEdit::textChanged, this, &ParametersPage::Edit1Change);
}

void ParametersPage::ReadInput(SheetInput& input) const
{
    input.fineGrid = RadioGroup1->ItemIndex() == 1;
    input.pointRadius = UpDown1->Position();
    input.title = edNameKrOb->text().toStdString();
    input.axisName = edAxisName->text().toStdString();
    input.legend = cbLegend->isChecked();
    input.returnPeriodAxis = cbReturnPeriods->isChecked();
}

void ParametersPage::Edit1Change()
{
    RunGuarded(this, [&] { CheckCountBox(this, *Edit1, 0, 20, QStringLiteral("3")); });
}

} // namespace aqualen::ui
