#pragma once
// The small chart under a report pane, as the correlation and homogeneity
// windows show it: no title, no legend, numbers in the user's separator.

class QChart;
class QChartView;
class QSplitter;
class QPlainTextEdit;
class QWidget;

namespace aqualen::ui {

QChart* MakeReportChart();

// A lowered, antialiased view of the chart, never lower than the chart floor.
QChartView* MakeReportChartView(QChart* chart, QWidget* parent);

// The report above, the chart below, sharing a window's design height.
QSplitter* StackReportOverChart(QPlainTextEdit* report, QChartView* chart, int reportHeight, int chartHeight);

} // namespace aqualen::ui
