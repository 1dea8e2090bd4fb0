#include "analysis/ui/analysis_form.h"

#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <optional>

#include "analysis/analysis_messages.h"
#include "analysis/series_values.h"
#include "analysis/trend_tests.h"
#include "series/ui/decimal_separator.h"
#include "series/ui/message_service.h"
#include "series/ui/pane_text.h"
#include "series/ui/report_chart.h"
#include "series/ui/report_freshness.h"
#include "stats/statistics_report.h"

namespace aqualen::analysis::ui {

using aqualen::ui::ShowError;

namespace {

QLineSeries* Line(QChart* chart, const QColor& colour, const QString& name)
{
    auto* series = new QLineSeries(chart);
    series->setName(name);
    QPen pen(colour);
    pen.setWidth(2);
    series->setPen(pen);
    chart->addSeries(series);
    return series;
}

// Axes fitted to the series shown, with a margin of a twentieth.
void FitAxes(QChart* chart, double x0, double x1, double y0, double y1, const QString& xTitle)
{
    // removeAxis hands the axis back to us; the previous run's axes would leak.
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    auto* x = new QValueAxis(chart);
    auto* y = new QValueAxis(chart);
    x->setRange(x0, x1);
    x->setLabelFormat("%.0f");
    x->setTitleText(xTitle);
    const double margin = y1 > y0 ? (y1 - y0) / 20 : 1;
    y->setRange(y0 - margin, y1 + margin);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
}

} // namespace

TAnalysisForm::TAnalysisForm(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setWindowTitle(QStringLiteral("Анализ ряда"));
    resize(1100, 900);

    SeriesMemo = new QPlainTextEdit(this);
    SeriesMemo->setObjectName("SeriesMemo");
    FirstYear = new QSpinBox(this);
    FirstYear->setRange(0, 9999);
    FirstYear->setSpecialValueText(QStringLiteral("нет"));
    LevelGroup = new QButtonGroup(this);
    auto* levels = new QHBoxLayout;
    levels->addWidget(new QLabel(QStringLiteral("Уровень значимости:"), this));
    for (const int level : kLevels) {
        auto* button = new QRadioButton(QString::number(level) + QStringLiteral(" %"), this);
        LevelGroup->addButton(button, level);
        levels->addWidget(button);
        button->setChecked(level == 5);
    }
    levels->addStretch();
    btnRun = new QPushButton(QStringLiteral("Рассчитать"), this);
    OutPutMemo = new QPlainTextEdit(this);
    OutPutMemo->setReadOnly(true);
    OutPutMemo->setObjectName("OutPutMemo");
    Freshness = new aqualen::ui::ReportFreshness(*OutPutMemo);
    Freshness->AddSource(*SeriesMemo);
    Freshness->AddSignature([this] { return QStringLiteral("%1 %2").arg(FirstYear->value()).arg(LevelPercent()); });
    connect(FirstYear, &QSpinBox::valueChanged, Freshness, &aqualen::ui::ReportFreshness::Recheck);
    connect(LevelGroup, &QButtonGroup::idClicked, Freshness, &aqualen::ui::ReportFreshness::Recheck);

    SeriesChart = aqualen::ui::MakeReportChart();
    SeriesChart->setTitle(QStringLiteral("Ряд и линия тренда (Сен)"));
    CurveChart = aqualen::ui::MakeReportChart();
    CurveChart->setTitle(QStringLiteral("Разностная интегральная кривая"));

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    auto* year = new QHBoxLayout;
    year->addWidget(new QLabel(QStringLiteral("Первый год:"), left));
    year->addWidget(FirstYear);
    leftLayout->addLayout(year);
    leftLayout->addWidget(SeriesMemo);

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->addLayout(levels);
    rightLayout->addWidget(btnRun, 0, Qt::AlignLeft);
    auto* charts = new QSplitter(Qt::Vertical, right);
    charts->addWidget(OutPutMemo);
    charts->addWidget(aqualen::ui::MakeReportChartView(SeriesChart, right));
    charts->addWidget(aqualen::ui::MakeReportChartView(CurveChart, right));
    charts->setSizes({220, 300, 300});
    for (int i = 0; i < 3; ++i)
        charts->setCollapsible(i, false);
    rightLayout->addWidget(charts);

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(left);
    split->addWidget(right);
    split->setSizes({200, 900});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split);

    connect(btnRun, &QPushButton::clicked, this, &TAnalysisForm::btnRunClick);
}

int TAnalysisForm::LevelPercent() const
{
    return std::max(1, LevelGroup->checkedId());
}

void TAnalysisForm::btnRunClick()
{
    const aqualen::ui::ReportRun run(*Freshness);
    const SeriesLines lines = aqualen::ui::PaneLines(*SeriesMemo);
    if (lines.size() <= 2)
        return;
    const std::optional<std::vector<double>> values = ReadValues(lines, aqualen::ui::SystemDecimalSeparator());
    if (!values) {
        ShowError(this, QString::fromUtf8(kSeriesInvalidText));
        return;
    }
    if (const auto refusal = TrendRefusal(*values)) {
        ShowError(this, QString::fromStdString(*refusal));
        return;
    }
    const std::optional<int> firstYear = FirstYear->value() > 0 ? std::optional<int>(FirstYear->value()) : std::nullopt;
    OutPutMemo->clear();
    const TrendResult result = ComputeTrend(*values);
    aqualen::ui::SetLines(*OutPutMemo,
                          TrendLines(result, LevelPercent(), firstYear, aqualen::ui::SystemDecimalSeparator()));

    const int n = static_cast<int>(values->size());
    const double x0 = firstYear ? *firstYear : 1;
    const QString xTitle = firstYear ? QStringLiteral("Год") : QStringLiteral("Номер");
    // Sen's line passes through the medians of the values and of the times.
    std::vector<double> sorted = *values;
    std::nth_element(sorted.begin(), sorted.begin() + n / 2, sorted.end());
    double median = sorted[static_cast<size_t>(n / 2)];
    if (n % 2 == 0) {
        median = (median + *std::max_element(sorted.begin(), sorted.begin() + n / 2)) / 2;
    }
    const double middle = (n + 1) / 2.0;

    SeriesChart->removeAllSeries();
    QLineSeries* points = Line(SeriesChart, Qt::red, QStringLiteral("Ряд"));
    QLineSeries* trend = Line(SeriesChart, Qt::darkGreen, QStringLiteral("Тренд"));
    for (int i = 0; i < n; ++i)
        points->append(x0 + i, (*values)[static_cast<size_t>(i)]);
    for (const int t : {1, n})
        trend->append(x0 + t - 1, median + result.senSlope * (t - middle));
    const auto [lowIt, highIt] = std::minmax_element(values->begin(), values->end());
    const double trendLow = std::min(trend->at(0).y(), trend->at(1).y());
    const double trendHigh = std::max(trend->at(0).y(), trend->at(1).y());
    FitAxes(SeriesChart, x0, x0 + n - 1, std::min(*lowIt, trendLow), std::max(*highIt, trendHigh), xTitle);

    CurveChart->removeAllSeries();
    const std::vector<double> curve = DifferenceIntegralCurve(*values);
    QLineSeries* line = Line(CurveChart, Qt::blue, QStringLiteral("c(t)"));
    QLineSeries* zero = Line(CurveChart, Qt::gray, QStringLiteral("0"));
    for (int i = 0; i < n; ++i)
        line->append(x0 + i, curve[static_cast<size_t>(i)]);
    zero->append(x0, 0);
    zero->append(x0 + n - 1, 0);
    const auto [cLow, cHigh] = std::minmax_element(curve.begin(), curve.end());
    FitAxes(CurveChart, x0, x0 + n - 1, std::min(*cLow, 0.0), std::max(*cHigh, 0.0), xTitle);
}

} // namespace aqualen::analysis::ui
