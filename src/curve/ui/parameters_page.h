#pragma once
// The page "Параметры" of the curve parameters dialog: the point radius, the
// sheet's title and value-axis caption, the probability grid, the legend and
// the return-period axis.

#include <QWidget>

class QCheckBox;
class QLineEdit;

namespace aqualen {
struct SheetInput;
}

namespace aqualen::ui {

class RadioGroup;
class UpDown;

// The page's controls; the dialog shows them under the same names.
struct ParametersControls {
    QLineEdit* Edit1 = nullptr; // "Радиус точек"
    UpDown* UpDown1 = nullptr;
    QLineEdit* edNameKrOb = nullptr;
    QLineEdit* edAxisName = nullptr;
    RadioGroup* RadioGroup1 = nullptr;
    QCheckBox* cbLegend = nullptr;        // "Легенда"
    QCheckBox* cbReturnPeriods = nullptr; // the return-period axis along the top
};

class ParametersPage : public QWidget, public ParametersControls {
    Q_OBJECT
public:
    explicit ParametersPage(QWidget* parent);

    // The page's part of what the dialog asks the sheet to be.
    void ReadInput(SheetInput& input) const;

public slots:
    // Keeps the radius box a whole number from 0 to 20.
    void Edit1Change();
};

} // namespace aqualen::ui
