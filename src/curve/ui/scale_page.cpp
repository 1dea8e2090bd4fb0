#include "curve/ui/scale_page.h"

#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "curve/curve_settings.h"
#include "curve/sheet_update.h"
#include "curve/ui/page_controls.h"
#include "curve/ui/scale_choice.h"
#include "series/number_text.h"
#include "series/ui/decimal_separator.h"

namespace aqualen::ui {

ScalePage::ScalePage(QWidget* parent) : QWidget(parent)
{
    const std::array<QString, 4> captions{QStringLiteral("Максимум"), QStringLiteral("Минимум"),
                                          QStringLiteral("Основные деления"), QStringLiteral("Промежуточные деления")};
    // The additional step is written in the locale's notation.
    const CurveSettings defaults;
    const std::array<QString, 4> texts{
        QString::number(defaults.ScaleMax), QString::number(defaults.ScaleMin), QString::number(defaults.MainStep),
        QString::fromStdString(FormatGeneral(defaults.AdditionalStep, SystemDecimalSeparator()))};
    std::array<QLineEdit*, 4> boxes{};
    for (size_t i = 0; i < boxes.size(); ++i) {
        const int top = 14 + static_cast<int>(i) * 54;
        PlaceCaption(captions[i], 16, top, this);
        boxes[i] = PlaceBox(texts[i], QRect(16, top + 18, 150, 21), this);
    }
    edMax = boxes[0];
    edMin = boxes[1];
    edMainPoint = boxes[2];
    edAdditionalPoint = boxes[3];
    btnAutoScale = new QPushButton(QStringLiteral("Подобрать по ряду"), this);
    btnAutoScale->setGeometry(16, 236, 150, 25);
}

void ScalePage::ReadInput(SheetInput& input) const
{
    const std::array<QLineEdit*, 4> boxes = Boxes();
    for (size_t i = 0; i < boxes.size(); ++i)
        input.scaleTexts[i] = boxes[i]->text().toStdString();
}

void ScalePage::ShowScale(const SheetScale& scale)
{
    const std::array<QString, 4> texts = ScaleTexts(scale, SystemDecimalSeparator());
    const std::array<QLineEdit*, 4> boxes = Boxes();
    for (size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(texts[i]);
}

} // namespace aqualen::ui
