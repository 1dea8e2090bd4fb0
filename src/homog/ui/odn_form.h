#pragma once
// The homogeneity window: two series side by side, the dependence and the
// significance level to test them at, the report of the Fisher, Student and
// Wilcoxon criteria, and both series drawn as lines.

#include <QList>
#include <QPointF>
#include <QSize>
#include <QWidget>

#include "series/ui/series_pane.h"

class QAction;
class QChartView;
class QFrame;
class QGroupBox;
class QLineSeries;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QToolButton;
class QValueAxis;

namespace aqualen::ui {

class PaneFileCommands;
class RadioGroup;

class TOdnForm : public QWidget {
    Q_OBJECT
public:
    explicit TOdnForm(QWidget* owner);

    // The selected items of the two radio groups.
    int RowIndex() const;
    int LevelIndex() const;

    // Controls, owned by the window through Qt's parent chain.
    QFrame* Panel1 = nullptr;
    SeriesPane* MemoSer1 = nullptr;
    QSplitter* Splitter2 = nullptr;
    SeriesPane* MemoSer2 = nullptr;
    QFrame* Panel4 = nullptr;
    RadioGroup* RadioGroup1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Panel3 = nullptr;
    QPushButton* btnRun = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* sbClear = nullptr;
    RadioGroup* RadioGroup2 = nullptr;
    QPlainTextEdit* OutPutMemo = nullptr;
    QSplitter* Splitter3 = nullptr;
    QChartView* Chart1 = nullptr;
    QLineSeries* Series1 = nullptr;
    QLineSeries* Series2 = nullptr;
    // Open into either series pane, save the report, drops on the panes.
    PaneFileCommands* FileCommands = nullptr;
    // "Разделить ряд ...", in both series panes' context menus.
    QAction* mnSplitSeries = nullptr;

    // The points of the two lines the chart shows (every one, before
    // thinning), and showing others.
    const QList<QPointF>& ShownPoints1() const { return shown1_; }
    const QList<QPointF>& ShownPoints2() const { return shown2_; }
    void ShowPoints(QList<QPointF> points1, QList<QPointF> points2);

public slots:
    void btnRunClick();
    void SpeedButton1Click();
    void sbClearClick();
    // Splits the main window's series into Ряд 1 and Ряд 2 at the year (or
    // line) the user confirms.
    void mnSplitSeriesClick();
    void FormResize();
    void Chart1Resize();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildSeriesPanel();
    void BuildOutputPanel();
    void BuildButtonBar();
    void BuildChart();
    // Draws the shown series and fits the axes to them.
    void ShowSeries();
    void FitAxes();
    // Hands the shown series to the chart, thinned for its present size.
    void DrawSeries();
    int HeightForWholeReport() const;

    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    // Every point of the two series shown, and the chart size in pixels the
    // series were thinned for.
    QList<QPointF> shown1_;
    QList<QPointF> shown2_;
    QSize thinnedFor_;
};

} // namespace aqualen::ui
