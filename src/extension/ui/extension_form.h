#pragma once
// The window "Приведение к многолетнему периоду": the studied series and the
// analogue, each with its years; the report of the regression over their
// common years with the restored table; a chart of the common years, the
// regression line and the restored years; and the extended series handed to
// the main window.

#include <QList>
#include <QPointF>
#include <QWidget>
#include <optional>

#include "extension/extension_report.h"
#include "series/ui/pane_series.h"

class QChartView;
class QFrame;
class QLineSeries;
class QPlainTextEdit;
class QPushButton;
class QScatterSeries;
class QSplitter;
class QValueAxis;

namespace aqualen::ui {
class PaneFileCommands;
class SeriesPane;
} // namespace aqualen::ui

namespace aqualen::extension::ui {

class TExtensionForm : public QWidget {
    Q_OBJECT
public:
    explicit TExtensionForm(QWidget* owner = nullptr);

    // Controls, owned by the window through Qt's parent chain.
    QFrame* Panel1 = nullptr;                    // the two series
    aqualen::ui::SeriesPane* MemoSer1 = nullptr; // studied
    aqualen::ui::SeriesPane* MemoSer2 = nullptr; // analogue
    QFrame* Panel3 = nullptr;                    // the buttons
    QPushButton* btnRun = nullptr;
    QPushButton* btnSend = nullptr; // "Передать продленный ряд в главное окно"
    QPlainTextEdit* OutPutMemo = nullptr;
    QChartView* Chart1 = nullptr;
    QScatterSeries* CommonSeries = nullptr;   // the common years, x analogue, y studied
    QLineSeries* RegressionLine = nullptr;    // y = a + k x over the analogue's values
    QScatterSeries* RestoredSeries = nullptr; // the restored years on the line
    // Open into either series pane, save the report, drops on the panes.
    aqualen::ui::PaneFileCommands* FileCommands = nullptr;

    // The extended series of the last complete calculation, as a pane holds
    // it; nothing before one or after either pane changed.
    std::optional<aqualen::ui::PaneSeries> Extended() const { return extended_; }

    // The chart's marks: the common years (x analogue, y studied), the two
    // ends of the regression line and the restored years; every point, where
    // a long series is drawn thinned.
    struct ChartPoints {
        QList<QPointF> common, line, restored;
        bool operator==(const ChartPoints&) const = default;
    };
    const ChartPoints& ShownPoints() const { return shown_; }
    // Draws these marks with the axes fitted to them (a work file brings
    // back the chart of a report no longer recomputed).
    void ShowPoints(const ChartPoints& points);

public slots:
    void btnRunClick();
    void btnSendClick();

private:
    void BuildInputPanel();
    void BuildChart();
    void Forget();
    void ShowChart(const YearSeries& studied, const YearSeries& analogue, const ExtensionFigures& figures);

    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    std::optional<aqualen::ui::PaneSeries> extended_;
    ChartPoints shown_;
    bool conditionsMet_ = false;
};

} // namespace aqualen::extension::ui
