#pragma once
// The page "Кривая" of the curve parameters dialog: the smoothing curve.

#include <QWidget>

class QCheckBox;

namespace aqualen {
struct SheetInput;
}

namespace aqualen::ui {

// The page's controls; the dialog shows them under the same names.
struct CurveControls {
    QCheckBox* CheckBoxCurve = nullptr; // "Сглаживающая кривая"
};

class CurvePage : public QWidget, public CurveControls {
    Q_OBJECT
public:
    explicit CurvePage(QWidget* parent);

    // The page's part of what the dialog asks the sheet to be.
    void ReadInput(SheetInput& input) const;
    // The smoothing curve is drawn through a series only: without one it is
    // unchecked, then disabled.
    void AllowCurve(bool series);
};

} // namespace aqualen::ui
