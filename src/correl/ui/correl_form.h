#pragma once
// The correlation window: the studied and the analogue series side by side,
// the report of their correlation and a scatter chart of the pairs.

#include <QList>
#include <QPointF>
#include <QSize>
#include <QWidget>

#include "series/ui/series_pane.h"

class QChartView;
class QFrame;
class QPlainTextEdit;
class QPushButton;
class QScatterSeries;
class QSplitter;
class QToolButton;
class QValueAxis;

namespace aqualen::ui {

class PaneFileCommands;

class TCorrelForm : public QWidget {
    Q_OBJECT
public:
    explicit TCorrelForm(QWidget* owner);

    // The chart never gets lower than this, whatever the window's height.

    // Controls, owned by the window through Qt's parent chain.
    QFrame* Panel1 = nullptr;
    SeriesPane* MemoSer1 = nullptr;
    QSplitter* Splitter2 = nullptr;
    SeriesPane* MemoSer2 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Panel3 = nullptr;
    QPushButton* btnRun = nullptr;
    QToolButton* sbClear = nullptr;
    QPlainTextEdit* OutPutMemo = nullptr;
    QSplitter* Splitter3 = nullptr;
    QChartView* Chart1 = nullptr;
    QScatterSeries* Series1 = nullptr;
    // Open into either series pane, save the report, drops on the panes.
    PaneFileCommands* FileCommands = nullptr;

    // The pairs the scatter shows (every one, before thinning); showing
    // others empties the series and resets the zoom first.
    const QList<QPointF>& ShownPoints() const { return shownPoints_; }
    void ShowPoints(const QList<QPointF>& points);

public slots:
    void btnRunClick();
    void sbClearClick();
    void FormResize();
    void Chart1Resize();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildInputPanel();
    void BuildOutputPanel();
    void BuildChart();
    void FitAxes(const QList<QPointF>& points);
    // Hands the shown pairs to the chart, thinned for its present size.
    void DrawPoints();

    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    // Every pair shown, and the chart size in pixels the series was thinned for.
    QList<QPointF> shownPoints_;
    QSize thinnedFor_;
};

} // namespace aqualen::ui
