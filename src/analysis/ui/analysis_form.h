#pragma once
// The window "Анализ ряда": a series pane with its years; the significance
// level, the curve and the r(1) of the region for the outlier criteria;
// the report of the trend and change-point tests and of the outliers; a
// chart of the series with Sen's trend line and a chart of the difference
// integral curve, both against years where they are known.

#include <QList>
#include <QPointF>
#include <QWidget>

class QChart;
class QColor;
class QChartView;
class QFrame;
class QLineSeries;
class QPlainTextEdit;
class QPushButton;
class QValueAxis;

namespace aqualen::ui {
class PaneFileCommands;
class RadioGroup;
class SeriesPane;
} // namespace aqualen::ui

namespace aqualen::analysis::ui {

class TAnalysisForm : public QWidget {
    Q_OBJECT

public:
    explicit TAnalysisForm(QWidget* owner = nullptr);

    // Controls, owned by the window through Qt's parent chain.
    QFrame* Panel1 = nullptr; // the series
    aqualen::ui::SeriesPane* SeriesMemo = nullptr;
    QFrame* Panel3 = nullptr;                      // the choices and the button
    aqualen::ui::RadioGroup* LevelGroup = nullptr; // 1, 5, 10 %
    aqualen::ui::RadioGroup* CurveGroup = nullptr; // "Пирсон III", "Крицкий–Менкель"
    aqualen::ui::RadioGroup* R1Group = nullptr;    // r(1) of the region: 0, 0.3, 0.5
    QPushButton* btnRun = nullptr;
    QPlainTextEdit* OutPutMemo = nullptr;
    QChartView* SeriesView = nullptr;
    QChartView* CurveView = nullptr;
    QChart* SeriesChart = nullptr;
    QChart* CurveChart = nullptr;
    QLineSeries* ValuesLine = nullptr; // the series
    QLineSeries* TrendLine = nullptr;  // Sen's line through the medians
    QLineSeries* IntegralLine = nullptr;
    QLineSeries* ZeroLine = nullptr;
    // Open into the series pane, save the report, drops on the pane; knows
    // whether the report still belongs to the series and choices shown.
    aqualen::ui::PaneFileCommands* FileCommands = nullptr;

    // The level chosen, in percent.
    int LevelPercent() const;
    void SetLevelPercent(int percent);

    // The charts' lines as shown: the series, Sen's line (its two ends) and
    // the difference integral curve; a work file keeps and restores them.
    QList<QPointF> ShownValues() const;
    QList<QPointF> ShownTrend() const;
    QList<QPointF> ShownIntegral() const;
    void ShowPoints(const QList<QPointF>& values, const QList<QPointF>& trend, const QList<QPointF>& integral);

public slots:
    void btnRunClick();

private:
    void BuildChoices();
    QChart* BuildChart(const QString& title, QLineSeries*& first, const QColor& firstColour, QLineSeries*& second,
                       const QColor& secondColour, QValueAxis*& axisX, QValueAxis*& axisY);

    QValueAxis* seriesX_ = nullptr;
    QValueAxis* seriesY_ = nullptr;
    QValueAxis* curveX_ = nullptr;
    QValueAxis* curveY_ = nullptr;
};

} // namespace aqualen::analysis::ui
