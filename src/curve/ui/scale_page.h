#pragma once
// The page "Шкала" of the curve parameters dialog: the value scale's maximum,
// minimum, main and additional steps as typed, and the button that chooses
// them from the series (its handler is the dialog's: it reads every page).

#include <QWidget>
#include <array>

#include "curve/auto_scale.h"

class QLineEdit;
class QPushButton;

namespace aqualen {
struct SheetInput;
}

namespace aqualen::ui {

// The page's controls; the dialog shows them under the same names.
struct ScaleControls {
    QLineEdit* edMax = nullptr;
    QLineEdit* edMin = nullptr;
    QLineEdit* edMainPoint = nullptr;
    QLineEdit* edAdditionalPoint = nullptr;
    QPushButton* btnAutoScale = nullptr; // "Подобрать по ряду"
};

class ScalePage : public QWidget, public ScaleControls {
    Q_OBJECT
public:
    explicit ScalePage(QWidget* parent);

    // The page's part of what the dialog asks the sheet to be.
    void ReadInput(SheetInput& input) const;
    // Writes the scale into the four boxes, in the locale's notation.
    void ShowScale(const SheetScale& scale);

private:
    std::array<QLineEdit*, 4> Boxes() const { return {edMax, edMin, edMainPoint, edAdditionalPoint}; }
};

} // namespace aqualen::ui
