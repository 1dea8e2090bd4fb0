#include "analysis/ui/analysis_form.h"

#include <QChart>
#include <QChartView>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <optional>

#include "analysis/analysis_messages.h"
#include "analysis/series_checks.h"
#include "analysis/series_values.h"
#include "series/messages.h"
#include "series/ui/busy_cursor.h"
#include "series/ui/chart_axes.h"
#include "series/ui/decimal_separator.h"
#include "series/ui/form_parts.h"
#include "series/ui/guarded.h"
#include "series/ui/line_pointer.h"
#include "series/ui/message_service.h"
#include "series/ui/pane_file_commands.h"
#include "series/ui/pane_text.h"
#include "series/ui/radio_group.h"
#include "series/ui/report_chart.h"
#include "series/ui/report_freshness.h"
#include "series/ui/series_pane.h"
#include "series/ui/take_series.h"
#include "stats/bias_correction.h"

namespace aqualen::analysis::ui {

using namespace aqualen::ui;

namespace {

constexpr int kDesignWidth = 1100;
constexpr int kDesignHeight = 720;
constexpr int kPanel1Width = 150;
constexpr int kReportWidth = 490;
constexpr int kMinPaneSize = 50;
constexpr int kDefaultLevel = 1; // 5 %
// Tab stops of the report, in digit widths: the labels run to 20
// characters, the values, critical values and p's to about 9.
constexpr int kLabelColumn = 22;
constexpr int kValueColumn = 9;
// The curves of the outliers' critical values, in the order of the
// parameters dialog; Kritsky–Menkel by default, as aqualen-cli.
constexpr dist::Distribution kCurves[] = {dist::Distribution::PearsonIII, dist::Distribution::KritskyMenkel};
constexpr int kDefaultCurve = 1;

QLineSeries* Line(QChart* chart, const QColor& colour, const QString& name)
{
    auto* series = new QLineSeries(chart);
    series->setName(name);
    series->setPen(QPen(colour, 2));
    chart->addSeries(series);
    return series;
}

} // namespace

TAnalysisForm::TAnalysisForm(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setWindowTitle(QStringLiteral("Анализ ряда"));
    UseDialogFace(*this);

    Panel1 = MakePanel(this, "Panel1", QFrame::Sunken);
    auto* caption = new QLabel(QStringLiteral("Ряд"), Panel1);
    caption->setContentsMargins(4, 2, 0, 0);
    SeriesMemo = MakeSeriesPane(Panel1, "SeriesMemo");
    SeriesMemo->setMinimumWidth(kMinPaneSize);
    caption->setBuddy(SeriesMemo);
    auto* left = new QVBoxLayout(Panel1);
    left->setContentsMargins(1, 1, 1, 1);
    left->setSpacing(2);
    left->addWidget(caption);
    left->addWidget(SeriesMemo, 1);

    auto* right = MakePanel(this, "Panel2", QFrame::Sunken);
    BuildChoices();
    OutPutMemo = MakeReportPane(right, "OutPutMemo");
    OutPutMemo->setReadOnly(true);
    OutPutMemo->setMinimumWidth(kMinPaneSize);
    SetTabStops(*OutPutMemo, {kLabelColumn, kLabelColumn + kValueColumn, kLabelColumn + 2 * kValueColumn});
    FileCommands = new PaneFileCommands(*this, {SeriesMemo}, *OutPutMemo);
    FileCommands->Freshness().AddChoice(*LevelGroup);
    FileCommands->Freshness().AddChoice(*CurveGroup);
    FileCommands->Freshness().AddChoice(*R1Group);
    AddTakeSeriesAction(*SeriesMemo);

    SeriesChart = BuildChart(QStringLiteral("Ряд и линия тренда (Сен)"), ValuesLine, Qt::red, TrendLine, Qt::darkGreen,
                             seriesX_, seriesY_);
    ValuesLine->setName(QStringLiteral("Ряд"));
    TrendLine->setName(QStringLiteral("Тренд"));
    CurveChart = BuildChart(QStringLiteral("Разностная интегральная кривая"), IntegralLine, Qt::blue, ZeroLine,
                            Qt::gray, curveX_, curveY_);
    IntegralLine->setName(QStringLiteral("c(t)"));
    ZeroLine->setName(QStringLiteral("0"));
    SeriesView = MakeReportChartView(SeriesChart, right);
    CurveView = MakeReportChartView(CurveChart, right);
    for (QChartView* view : {SeriesView, CurveView})
        view->setMinimumWidth(kMinPaneSize);
    QSplitter* charts = MakeSplitter(Qt::Vertical, "Splitter4", 4);
    charts->addWidget(SeriesView);
    charts->addWidget(CurveView);

    LayOutPaneWindow(*this, Panel1, right, Panel3, OutPutMemo, charts, {kDesignWidth, kPanel1Width, kReportWidth});

    connect(btnRun, &QPushButton::clicked, this, &TAnalysisForm::btnRunClick);
    resize(kDesignWidth, kDesignHeight);
    CentreOnScreen(*this);
}

void TAnalysisForm::BuildChoices()
{
    Panel3 = MakePanel(this, "Panel3", QFrame::Raised);
    QStringList levels;
    for (const int level : kLevels)
        levels << QString::number(level) + QStringLiteral(" %");
    LevelGroup = new RadioGroup(QStringLiteral("Уровень значимости"), levels, Panel3, 3);
    LevelGroup->setObjectName(QStringLiteral("LevelGroup"));
    LevelGroup->SetItemIndex(kDefaultLevel);
    CurveGroup = new RadioGroup(QStringLiteral("Кривая для выделяющихся значений"),
                                {QStringLiteral("Пирсон III"), QStringLiteral("Крицкий–Менкель")}, Panel3, 2);
    CurveGroup->setObjectName(QStringLiteral("CurveGroup"));
    CurveGroup->SetItemIndex(kDefaultCurve);
    QStringList r1;
    for (const char* item : kRegionalR1Captions)
        r1 << QString::fromUtf8(item);
    R1Group = new RadioGroup(QString::fromUtf8(kRegionalR1Title), r1, Panel3, 3);
    R1Group->setObjectName(QStringLiteral("R1Group"));
    R1Group->SetItemIndex(0);
    btnRun = new QPushButton(QStringLiteral("Рассчитать"), Panel3);
    btnRun->setObjectName(QStringLiteral("btnRun"));

    auto* layout = new QHBoxLayout(Panel3);
    layout->setContentsMargins(8, 4, 8, 4);
    for (RadioGroup* group : {LevelGroup, CurveGroup, R1Group})
        layout->addWidget(group);
    layout->addWidget(btnRun, 0, Qt::AlignVCenter);
    layout->addStretch();
}

QChart* TAnalysisForm::BuildChart(const QString& title, QLineSeries*& first, const QColor& firstColour,
                                  QLineSeries*& second, const QColor& secondColour, QValueAxis*& axisX,
                                  QValueAxis*& axisY)
{
    QChart* chart = MakeReportChart();
    chart->setTitle(title);
    QFont titles = font();
    titles.setPointSize(8);
    chart->setTitleFont(titles);
    first = Line(chart, firstColour, QString());
    second = Line(chart, secondColour, QString());
    axisX = new QValueAxis(chart);
    axisY = new QValueAxis(chart);
    SetUpValueAxis(*axisX, font(), QStringLiteral("%.0f"));
    SetUpValueAxis(*axisY, font(), QStringLiteral("%.6g"));
    axisX->setTitleFont(titles);
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    for (QLineSeries* series : {first, second}) {
        series->attachAxis(axisX);
        series->attachAxis(axisY);
    }
    return chart;
}

int TAnalysisForm::LevelPercent() const
{
    return kLevels[std::max(0, LevelGroup->ItemIndex())];
}

void TAnalysisForm::SetLevelPercent(int percent)
{
    for (int i = 0; i < static_cast<int>(std::size(kLevels)); ++i)
        if (kLevels[i] == percent)
            LevelGroup->SetItemIndex(i);
}

void TAnalysisForm::btnRunClick()
{
    const ReportRun run(FileCommands->Freshness());
    RunGuarded(this, [this] {
        const char separator = SystemDecimalSeparator();
        const SeriesLines lines = PaneLines(*SeriesMemo);
        if (lines.size() <= 2)
            return;
        size_t badLine = 0;
        const std::optional<std::vector<double>> values = ReadValues(lines, separator, badLine);
        if (!values) {
            ShowError(this, QString::fromUtf8(kSeriesInvalidText));
            PointAtLine(*SeriesMemo, static_cast<int>(badLine));
            return;
        }
        SeriesCheckOptions options;
        options.levelPercent = LevelPercent();
        options.distribution = kCurves[std::max(0, CurveGroup->ItemIndex())];
        options.r1Choice = std::max(0, R1Group->ItemIndex());
        options.firstYear = SeriesMemo->FirstYear();
        SeriesChecks checks;
        {
            const BusyCursor busy({SeriesMemo});
            const WaitCursor wait; // the outliers' 10,000 simulated series
            checks = ComputeSeriesChecks(*values, options);
        }
        if (checks.Nothing()) {
            ShowError(this, QString::fromStdString(checks.RefusalText()));
            return;
        }
        SetLines(*OutPutMemo, SeriesCheckLines(checks, options, separator));

        const double x0 = options.firstYear.value_or(1);
        const int n = static_cast<int>(values->size());
        QList<QPointF> points;
        points.reserve(n);
        for (int i = 0; i < n; ++i)
            points.append(QPointF(x0 + i, (*values)[static_cast<size_t>(i)]));
        QList<QPointF> trend;
        if (checks.trend)
            for (const int t : {1, n})
                trend.append(QPointF(x0 + t - 1, SenLineAt(*values, checks.trend->senSlope, t)));
        // The curve needs the sample Cv: where the statistics fault, the
        // series and its trend are shown and the fault box says why.
        ShowPoints(points, trend, {});
        const std::vector<double> curve = DifferenceIntegralCurve(*values);
        QList<QPointF> integral;
        integral.reserve(n);
        for (int i = 0; i < n; ++i)
            integral.append(QPointF(x0 + i, curve[static_cast<size_t>(i)]));
        ShowPoints(points, trend, integral);
    });
}

QList<QPointF> TAnalysisForm::ShownValues() const
{
    return ValuesLine->points();
}

QList<QPointF> TAnalysisForm::ShownTrend() const
{
    return TrendLine->points();
}

QList<QPointF> TAnalysisForm::ShownIntegral() const
{
    return IntegralLine->points();
}

void TAnalysisForm::ShowPoints(const QList<QPointF>& values, const QList<QPointF>& trend,
                               const QList<QPointF>& integral)
{
    const QString xTitle = SeriesMemo->FirstYear() ? QStringLiteral("Год") : QStringLiteral("Номер");
    for (QValueAxis* axis : {seriesX_, curveX_})
        axis->setTitleText(xTitle);
    ValuesLine->replace(values);
    TrendLine->replace(trend);
    const auto byX = [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); };
    const auto byY = [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); };
    if (!values.isEmpty()) {
        const QList<QPointF> all = values + trend;
        const auto [left, right] = std::minmax_element(values.begin(), values.end(), byX);
        const auto [bottom, top] = std::minmax_element(all.begin(), all.end(), byY);
        FitTimeAxis(*seriesX_, left->x(), right->x());
        FitValueAxis(*seriesY_, bottom->y(), top->y());
    }
    IntegralLine->replace(integral);
    ZeroLine->clear();
    if (!integral.isEmpty()) {
        const auto [left, right] = std::minmax_element(integral.begin(), integral.end(), byX);
        const auto [bottom, top] = std::minmax_element(integral.begin(), integral.end(), byY);
        ZeroLine->replace({QPointF(left->x(), 0), QPointF(right->x(), 0)});
        FitTimeAxis(*curveX_, left->x(), right->x());
        FitValueAxis(*curveY_, std::min(bottom->y(), 0.0), std::max(top->y(), 0.0));
    }
}

} // namespace aqualen::analysis::ui
