#include "series/ui/report_chart.h"

#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSplitter>

#include "series/ui/chart_height.h"
#include "series/ui/form_parts.h"

namespace aqualen::ui {

QChart* MakeReportChart()
{
    auto* chart = new QChart();
    chart->legend()->hide();
    chart->setTitle(QString());
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 8, 4));
    // Axis numbers in the user's separator, never with thousands separators.
    chart->setLocalizeNumbers(true);
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart->setLocale(locale);
    return chart;
}

QChartView* MakeReportChartView(QChart* chart, QWidget* parent)
{
    auto* view = new QChartView(chart, parent);
    view->setObjectName(QStringLiteral("Chart1"));
    view->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(kMinChartHeight);
    return view;
}

QSplitter* StackReportOverChart(QPlainTextEdit* report, QChartView* chart, int reportHeight, int chartHeight)
{
    QSplitter* splitter = MakeSplitter(Qt::Vertical, "Splitter3", 4);
    splitter->addWidget(report);
    splitter->addWidget(chart);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({reportHeight, chartHeight});
    return splitter;
}

} // namespace aqualen::ui
