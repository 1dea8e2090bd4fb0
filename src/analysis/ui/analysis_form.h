#pragma once
// The window "Анализ ряда": a series pane, the significance level, the
// trend and change-point report, a chart of the series with Sen's trend line
// and a chart of the difference integral curve.

#include <QWidget>

class QButtonGroup;
class QChart;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace aqualen::ui {
class ReportFreshness;
}

namespace aqualen::analysis::ui {

class TAnalysisForm : public QWidget {
    Q_OBJECT

public:
    explicit TAnalysisForm(QWidget* owner = nullptr);

    QPlainTextEdit* SeriesMemo = nullptr;
    QSpinBox* FirstYear = nullptr; // 0: years unknown
    QButtonGroup* LevelGroup = nullptr;
    QPushButton* btnRun = nullptr;
    QPlainTextEdit* OutPutMemo = nullptr;
    // Whether the report still belongs to the series, first year and level shown.
    aqualen::ui::ReportFreshness* Freshness = nullptr;
    QChart* SeriesChart = nullptr;
    QChart* CurveChart = nullptr;

public slots:
    void btnRunClick();

private:
    int LevelPercent() const;
};

} // namespace aqualen::analysis::ui
