#include "extension/ui/extension_form.h"

#include <QChart>
#include <QChartView>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QSplitter>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "extension/extension_texts.h"
#include "extension/year_series.h"
#include "series/float_fault.h"
#include "series/number_text.h"
#include "series/ui/busy_cursor.h"
#include "series/ui/chart_axes.h"
#include "series/ui/chart_thinning.h"
#include "series/ui/form_parts.h"
#include "series/ui/guarded.h"
#include "series/ui/line_pointer.h"
#include "series/ui/message_service.h"
#include "series/ui/pane_file_commands.h"
#include "series/ui/pane_text.h"
#include "series/ui/report_chart.h"
#include "series/ui/report_freshness.h"
#include "series/ui/series_names_title.h"
#include "series/ui/series_pane.h"
#include "series/ui/take_series.h"

namespace aqualen::extension::ui {

using namespace aqualen::ui;

namespace {

constexpr int kDesignWidth = 1000;
constexpr int kDesignHeight = 620;
constexpr int kPanel1Width = 250;
constexpr int kReportWidth = 360;
// Tab stops of the report, in digit widths.
constexpr int kLabelColumn = 18;
constexpr int kRestoredColumn = 28;
constexpr int kPanel3Height = 40;
constexpr int kMinPaneSize = 50;
constexpr qreal kMarkerSize = 7;
// Up to this many points a scatter shows each; more are thinned to one per
// pixel cell, the same picture.
constexpr qsizetype kUnthinnedPoints = 2000;

const QColor kCommonColour = Qt::red;
const QColor kRestoredColour(0, 90, 200);
const QColor kLineColour(0, 130, 0);

// A captioned series pane: the caption above, the pane below.
SeriesPane* CaptionedPane(QWidget* parent, QSplitter* splitter, const char* name, const QString& caption)
{
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* label = new QLabel(caption, box);
    label->setContentsMargins(4, 2, 0, 0);
    SeriesPane* pane = MakeSeriesPane(box, name);
    pane->setToolTip(caption);
    pane->setMinimumWidth(kMinPaneSize);
    label->setBuddy(pane);
    layout->addWidget(label);
    layout->addWidget(pane, 1);
    splitter->addWidget(box);
    return pane;
}

QScatterSeries* Scatter(QChart* chart, const QColor& colour, const QString& name)
{
    auto* series = new QScatterSeries(chart);
    series->setName(name);
    series->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    series->setMarkerSize(kMarkerSize);
    series->setColor(colour);
    series->setBorderColor(colour);
    chart->addSeries(series);
    return series;
}

QList<QPointF> Shown(const QList<QPointF>& points, const QChartView& view)
{
    return points.size() <= kUnthinnedPoints ? points : ThinnedScatter(points, ChartPixels(view));
}

// The pane text of the extended series: the studied lines as typed for the
// observed years, the restored values in the report's three decimals.
QString ExtendedText(const SeriesLines& studiedLines, const YearSeries& studied, const YearSeries& extended,
                     char separator)
{
    const YearSpan own = studied.Years();
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(extended.values.size()));
    for (size_t i = 0; i < extended.values.size(); ++i) {
        const int year = extended.firstYear + static_cast<int>(i);
        const std::string line = own.Contains(year) ? studiedLines[static_cast<size_t>(year - studied.firstYear)]
                                                    : FormatFixed(extended.values[i], 3, separator);
        lines << QString::fromStdString(line);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

TExtensionForm::TExtensionForm(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setWindowTitle(QString::fromUtf8(kExtensionTitle));
    UseDialogFace(*this);

    BuildInputPanel();

    auto* right = MakePanel(this, "Panel2", QFrame::Sunken);
    Panel3 = MakePanel(right, "Panel3", QFrame::Raised);
    Panel3->setFixedHeight(kPanel3Height);
    btnRun = new QPushButton(QStringLiteral("Рассчитать"), Panel3);
    btnRun->setObjectName(QStringLiteral("btnRun"));
    btnSend = new QPushButton(QString::fromUtf8(kSendExtendedText), Panel3);
    btnSend->setObjectName(QStringLiteral("btnSend"));
    btnSend->setEnabled(false);
    auto* buttons = new QHBoxLayout(Panel3);
    buttons->setContentsMargins(16, 6, 16, 6);
    buttons->addWidget(btnRun);
    buttons->addWidget(btnSend);
    buttons->addStretch();

    OutPutMemo = MakeReportPane(right, "OutPutMemo");
    OutPutMemo->setReadOnly(true);
    OutPutMemo->setMinimumWidth(kMinPaneSize);
    // The labels run to 17 characters and the restored table's analogue
    // values to about 10: a stop past each keeps both in columns.
    SetTabStops(*OutPutMemo, {kLabelColumn, kRestoredColumn});
    FileCommands = new PaneFileCommands(*this, {MemoSer1, MemoSer2}, *OutPutMemo);
    AddTakeSeriesAction(*MemoSer1);
    ShowSeriesNamesInTitle(*this, {MemoSer1, MemoSer2});

    BuildChart();
    LayOutPaneWindow(*this, Panel1, right, Panel3, OutPutMemo, Chart1, {kDesignWidth, kPanel1Width, kReportWidth});

    connect(btnRun, &QPushButton::clicked, this, &TExtensionForm::btnRunClick);
    connect(btnSend, &QPushButton::clicked, this, &TExtensionForm::btnSendClick);
    // A result no longer belongs to panes that changed after it.
    connect(MemoSer1, &SeriesPane::SeriesChanged, this, &TExtensionForm::Forget);
    connect(MemoSer2, &SeriesPane::SeriesChanged, this, &TExtensionForm::Forget);

    resize(kDesignWidth, kDesignHeight);
    CentreOnScreen(*this);
}

void TExtensionForm::BuildInputPanel()
{
    Panel1 = MakePanel(this, "Panel1", QFrame::Sunken);
    QSplitter* panes = MakeSplitter(Qt::Horizontal, "Splitter2", 3);
    MemoSer1 = CaptionedPane(Panel1, panes, "MemoSer1", QStringLiteral("Исследуемый ряд"));
    MemoSer2 = CaptionedPane(Panel1, panes, "MemoSer2", QStringLiteral("Ряд-аналог"));
    panes->setSizes({kPanel1Width / 2, kPanel1Width / 2});
    auto* layout = new QHBoxLayout(Panel1);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(panes);
}

void TExtensionForm::BuildChart()
{
    QChart* chart = MakeReportChart();
    CommonSeries = Scatter(chart, kCommonColour, QStringLiteral("Общие годы"));
    RegressionLine = new QLineSeries(chart);
    RegressionLine->setName(QStringLiteral("Регрессия"));
    RegressionLine->setPen(QPen(kLineColour, 2));
    chart->addSeries(RegressionLine);
    RestoredSeries = Scatter(chart, kRestoredColour, QStringLiteral("Восстановленные"));

    axisX_ = new QValueAxis(chart);
    axisY_ = new QValueAxis(chart);
    QFont titles = font();
    titles.setPointSize(8);
    for (QValueAxis* axis : {axisX_, axisY_}) {
        SetUpValueAxis(*axis, font(), QStringLiteral("%.6g"));
        axis->setTitleFont(titles);
    }
    axisX_->setTitleText(QStringLiteral("Ряд-аналог"));
    axisY_->setTitleText(QStringLiteral("Исследуемый ряд"));
    chart->addAxis(axisX_, Qt::AlignBottom);
    chart->addAxis(axisY_, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(axisX_);
        series->attachAxis(axisY_);
    }
    // Three kinds of mark need their names.
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(titles);

    Chart1 = MakeReportChartView(chart, this);
    Chart1->setMinimumWidth(kMinPaneSize);
}

void TExtensionForm::Forget()
{
    extended_.reset();
    btnSend->setEnabled(false);
}

void TExtensionForm::btnRunClick()
{
    const ReportRun run(FileCommands->Freshness());
    RunGuarded(this, [this] {
        const char separator = SystemDecimalSeparator();
        const SeriesLines studiedLines = PaneLines(*MemoSer1);
        const SeriesLines analogueLines = PaneLines(*MemoSer2);
        if (studiedLines.size() <= 2 || analogueLines.size() <= 2)
            return;
        if (!MemoSer1->FirstYear()) {
            ShowError(this, QString::fromUtf8(kStudiedNoYearText));
            return;
        }
        if (!MemoSer2->FirstYear()) {
            ShowError(this, QString::fromUtf8(kAnalogueNoYearText));
            return;
        }
        size_t badLine = 0;
        const std::optional<YearSeries> studied =
            ReadYearSeries(studiedLines, *MemoSer1->FirstYear(), separator, badLine);
        if (!studied) {
            ShowError(this, QString::fromUtf8(kStudiedInvalidText));
            PointAtLine(*MemoSer1, static_cast<int>(badLine));
            return;
        }
        const std::optional<YearSeries> analogue =
            ReadYearSeries(analogueLines, *MemoSer2->FirstYear(), separator, badLine);
        if (!analogue) {
            ShowError(this, QString::fromUtf8(kAnalogueInvalidText));
            PointAtLine(*MemoSer2, static_cast<int>(badLine));
            return;
        }

        Forget();
        ExtensionFigures figures;
        ExtensionRefusal refusal = ExtensionRefusal::None;
        {
            const BusyCursor busy({MemoSer1, MemoSer2});
            try {
                refusal = ComputeExtension(*studied, *analogue, figures);
            } catch (const FloatFault&) {
                // The lines of the steps before the fault stay.
                SetLines(*OutPutMemo, ExtensionLines(figures, separator));
                throw;
            }
        }
        if (refusal != ExtensionRefusal::None) {
            ShowWarning(this, QString::fromUtf8(RefusalText(refusal)));
            return;
        }
        std::vector<std::string> lines = ExtensionLines(figures, separator);
        lines.emplace_back();
        for (std::string& line : RestoredTableLines(figures, separator))
            lines.push_back(std::move(line));
        SetLines(*OutPutMemo, lines);
        ShowChart(*studied, *analogue, figures);

        const YearSeries extended = ExtendedSeries(*studied, figures);
        const QString name = MemoSer1->Name().isEmpty() ? QStringLiteral("Продленный ряд")
                                                        : MemoSer1->Name() + QString::fromUtf8(kExtendedNameSuffix);
        extended_ = PaneSeries{ExtendedText(studiedLines, *studied, extended, separator), extended.firstYear, name};
        conditionsMet_ = figures.ConditionsMet();
        btnSend->setEnabled(true);
    });
}

void TExtensionForm::ShowChart(const YearSeries& studied, const YearSeries& analogue, const ExtensionFigures& figures)
{
    ChartPoints points;
    for (int year = figures.common.first; year <= figures.common.last; ++year)
        points.common.append(QPointF(analogue.At(year), studied.At(year)));
    for (const RestoredYear& row : figures.restored)
        points.restored.append(QPointF(row.analogue, row.restored));

    // The line spans every analogue value shown.
    const auto byX = [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); };
    const QList<QPointF> marks = points.common + points.restored;
    const auto [left, right] = std::minmax_element(marks.begin(), marks.end(), byX);
    const qreal x0 = left->x();
    const qreal x1 = right->x();
    points.line = {QPointF(x0, figures.a + figures.k * x0), QPointF(x1, figures.a + figures.k * x1)};
    ShowPoints(points);
}

void TExtensionForm::ShowPoints(const ChartPoints& points)
{
    shown_ = points;
    Chart1->chart()->zoomReset();
    CommonSeries->replace(Shown(points.common, *Chart1));
    RestoredSeries->replace(Shown(points.restored, *Chart1));
    RegressionLine->replace(points.line);
    const QList<QPointF> all = points.common + points.restored + points.line;
    if (all.isEmpty())
        return;
    const auto byX = [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); };
    const auto byY = [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); };
    const auto [left, right] = std::minmax_element(all.begin(), all.end(), byX);
    const auto [bottom, top] = std::minmax_element(all.begin(), all.end(), byY);
    FitValueAxis(*axisX_, left->x(), right->x());
    FitValueAxis(*axisY_, bottom->y(), top->y());
}

void TExtensionForm::btnSendClick()
{
    if (!extended_)
        return;
    if (!conditionsMet_) {
        ShowWarning(this, QString::fromUtf8(kConditionsNotMetSendText));
        return;
    }
    PutSeriesInMain(*this, *extended_);
}

} // namespace aqualen::extension::ui
