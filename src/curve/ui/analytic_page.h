#pragma once
// The page "Аналитическая кривая" of the curve parameters dialog: the
// distribution, how its parameters are found, Cs fixed at m·Cv, parameters
// typed in, and the confidence level. It writes the curve settings and fits
// the curve only when the dialog stores its settings (OK).

#include <QWidget>
#include <functional>

#include "curve/curve_settings.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace aqualen::ui {

class RadioGroup;

inline constexpr const char* kAnalyticInputError = "Параметры аналитической кривой введены не корректно!";

// Halves the side padding of the tabs, so that the parameters dialog's five
// tabs fit its fixed width without scroll arrows.
void FitTabsToWidth(QTabWidget& tabs);

class AnalyticPage : public QWidget {
    Q_OBJECT
public:
    explicit AnalyticPage(QWidget* parent);

    // Where the r(1) choice of the corrected moments comes from (the main
    // window's radio group: 0, 1, 2 for r(1) = 0, 0.3, 0.5); 0 when unset.
    void SetR1Source(std::function<int()> source) { r1Source_ = std::move(source); }

    // Reads the page's choice. A box that does not read is reported, with the
    // focus on it, and gives false (the dialog then stays open). The curve
    // itself is fitted by the dialog's OK sequence (ApplySheetInput).
    bool ReadOptions(char separator, dist::FitOptions& options);

    RadioGroup* rgDistribution = nullptr; // "Нет", "Пирсон III", "Крицкий–Менкель"
    QGroupBox* gbMethod = nullptr;
    QRadioButton* rbMoments = nullptr;
    QRadioButton* rbCorrected = nullptr; // corrected Cv, Cs of the statistics report
    QRadioButton* rbSample = nullptr;    // sample ^Cv, ^Cs
    QRadioButton* rbGraphic = nullptr;
    QRadioButton* rbLikelihood = nullptr; // Kritsky–Menkel only
    QRadioButton* rbGiven = nullptr;
    QLineEdit* edMean = nullptr;
    QLineEdit* edCv = nullptr;
    QLineEdit* edCs = nullptr;
    QCheckBox* cbFixRatio = nullptr;
    QLineEdit* edRatio = nullptr;
    RadioGroup* rgBand = nullptr; // "Нет", "80 %", "90 %", "95 %"

public slots:
    // Enables what the current choices leave open.
    void UpdateControls();

private:
    dist::Method ChosenMethod() const;
    // The number in the box, or a message and the focus on the box.
    bool ReadBox(QLineEdit* box, char separator, double& value);

    QButtonGroup* methods_ = nullptr;
    QButtonGroup* momentKinds_ = nullptr;
    std::function<int()> r1Source_;
};

} // namespace aqualen::ui
