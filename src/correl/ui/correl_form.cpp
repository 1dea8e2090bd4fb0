#include "correl/ui/correl_form.h"

#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QFrame>
#include <QGraphicsItemGroup>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "correl/correlation_report.h"
#include "series/float_fault.h"
#include "series/messages.h"
#include "series/ui/busy_cursor.h"
#include "series/ui/chart_axes.h"
#include "series/ui/chart_height.h"
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
#include "series/unreadable_line.h"

namespace aqualen::ui {

namespace {

constexpr int kDesignWidth = 592;
constexpr int kDesignHeight = 354;
constexpr int kPanel1Width = 249;
constexpr int kMemoSer1Width = 122;
constexpr int kPanel3Height = 40;
constexpr int kChartDesignHeight = 142;
constexpr int kMinPaneSize = 50;
constexpr qreal kMarkerSize = 7;

// A blank sheet crossed out in red: "clear everything".
QIcon ClearGlyph()
{
    constexpr int size = 16;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(96, 96, 96));
    painter.setBrush(Qt::white);
    painter.drawRect(2, 1, 10, 13);
    painter.setPen(QColor(160, 160, 160));
    for (int y = 4; y <= 11; y += 2)
        painter.drawLine(4, y, 10, y);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 0, 0), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(8, 8), QPointF(14, 14));
    painter.drawLine(QPointF(14, 8), QPointF(8, 14));
    painter.end();
    return QIcon(pixmap);
}

// A red dot drawn straight onto the chart for each pair.
QImage PointMarker()
{
    const int size = static_cast<int>(kMarkerSize);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::red);
    painter.drawEllipse(QRectF(0, 0, size, size));
    painter.end();
    return image;
}

// The scatter series keeps a graphics item per point in one group; each item
// added makes the group scan all its children for opacity. Telling the group
// that opacity stays its own keeps long series linear to show.
void KeepScatterGroupFlat(QGraphicsScene* scene)
{
    for (QGraphicsItem* item : scene->items()) {
        const QGraphicsObject* owner = item->parentObject();
        if (item->type() == QGraphicsItemGroup::Type && owner &&
            qstrcmp(owner->metaObject()->className(), "ScatterChartItem") == 0)
            item->setFlag(QGraphicsItem::ItemDoesntPropagateOpacityToChildren);
    }
}

} // namespace

TCorrelForm::TCorrelForm(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setWindowTitle(QStringLiteral("Расчет коэффициента корреляции"));
    UseDialogFace(*this);

    BuildInputPanel();
    BuildOutputPanel();
    FileCommands = new PaneFileCommands(*this, {MemoSer1, MemoSer2}, *OutPutMemo);
    AddTakeSeriesAction(*MemoSer1);
    AddTakeSeriesAction(*MemoSer2);
    ShowSeriesNamesInTitle(*this, {MemoSer1, MemoSer2});

    Splitter1 = MakeSplitter(Qt::Horizontal, "Splitter1", 3);
    Splitter1->addWidget(Panel1);
    Splitter1->addWidget(Panel2);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({kPanel1Width, kDesignWidth - kPanel1Width});

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Splitter1);

    resize(kDesignWidth, kDesignHeight);
    CentreOnScreen(*this);
}

void TCorrelForm::BuildInputPanel()
{
    Panel1 = MakePanel(this, "Panel1", QFrame::Sunken);
    MemoSer1 = MakeSeriesPane(Panel1, "MemoSer1");
    MemoSer1->setToolTip(QStringLiteral("Исследуемый ряд"));
    MemoSer2 = MakeSeriesPane(Panel1, "MemoSer2");
    MemoSer2->setToolTip(QStringLiteral("Ряд аналог"));
    MemoSer1->setMinimumWidth(kMinPaneSize);
    MemoSer2->setMinimumWidth(kMinPaneSize);

    Splitter2 = MakeSplitter(Qt::Horizontal, "Splitter2", 3);
    Splitter2->addWidget(MemoSer1);
    Splitter2->addWidget(MemoSer2);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    Splitter2->setSizes({kMemoSer1Width, kPanel1Width - kMemoSer1Width});

    auto* layout = new QHBoxLayout(Panel1);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(Splitter2);
}

void TCorrelForm::BuildOutputPanel()
{
    Panel2 = MakePanel(this, "Panel2", QFrame::Sunken);

    // The button bar keeps its designed positions.
    Panel3 = MakePanel(Panel2, "Panel3", QFrame::Raised);
    Panel3->setFixedHeight(kPanel3Height);
    btnRun = new QPushButton(QStringLiteral("Рассчитать"), Panel3);
    btnRun->setObjectName(QStringLiteral("btnRun"));
    btnRun->setGeometry(16, 8, 200, 25);
    sbClear = new QToolButton(Panel3);
    sbClear->setObjectName(QStringLiteral("sbClear"));
    sbClear->setAutoRaise(true);
    sbClear->setIcon(ClearGlyph());
    sbClear->setToolTip(QStringLiteral("Очистить все"));
    sbClear->setGeometry(224, 9, 23, 22);

    OutPutMemo = MakeReportPane(Panel2, "OutPutMemo");
    OutPutMemo->setMinimumHeight(kMinPaneSize);

    BuildChart();
    Splitter3 = StackReportOverChart(OutPutMemo, Chart1, kDesignHeight - kPanel3Height - kChartDesignHeight,
                                     kChartDesignHeight);

    auto* layout = new QVBoxLayout(Panel2);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(Panel3);
    layout->addWidget(Splitter3);

    connect(btnRun, &QPushButton::clicked, this, &TCorrelForm::btnRunClick);
    connect(sbClear, &QToolButton::clicked, this, &TCorrelForm::sbClearClick);
}

void TCorrelForm::BuildChart()
{
    QChart* chart = MakeReportChart();

    Series1 = new QScatterSeries(chart);
    Series1->setObjectName(QStringLiteral("Series1"));
    Series1->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    Series1->setMarkerSize(kMarkerSize);
    Series1->setColor(Qt::red);
    Series1->setBorderColor(Qt::red);
    Series1->setPointLabelsVisible(false);
    // Markers painted from one image rather than styled one item at a time,
    // which would look up every point for every point.
    Series1->setLightMarker(PointMarker());
    chart->addSeries(Series1);

    axisX_ = new QValueAxis(chart);
    axisY_ = new QValueAxis(chart);
    for (QValueAxis* axis : {axisX_, axisY_})
        SetUpValueAxis(*axis, font(), QStringLiteral("%.6g"));
    chart->addAxis(axisX_, Qt::AlignBottom);
    chart->addAxis(axisY_, Qt::AlignLeft);
    Series1->attachAxis(axisX_);
    Series1->attachAxis(axisY_);

    Chart1 = MakeReportChartView(chart, Panel2);
    Chart1->installEventFilter(this);
    Chart1->scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
    KeepScatterGroupFlat(Chart1->scene());
}

void TCorrelForm::btnRunClick()
{
    const ReportRun run(FileCommands->Freshness());
    RunGuarded(this, [this] {
        const BusyCursor busy({MemoSer1, MemoSer2});
        const SeriesLines studied = PaneLines(*MemoSer1);
        const SeriesLines analogue = PaneLines(*MemoSer2);
        QList<QPointF> read;
        const auto collect = [&read](const CorrelationPoint& p) { read.append(QPointF(p.x, p.y)); };
        CorrelationOutcome outcome;
        try {
            outcome = CorrelationReport(studied, analogue, SystemDecimalSeparator(), collect);
        } catch (const FloatFault&) {
            // Every pair was read before the fault: the chart shows them all,
            // the report keeps what it had.
            ShowPoints(read);
            throw;
        }
        switch (outcome.kind) {
        case ReportOutcome::TooShort:
            return;
        case ReportOutcome::DifferentLengths:
            ShowWarning(this, QString::fromUtf8(ReportOutcomeMessage(outcome.kind, 2)));
            return;
        case ReportOutcome::InvalidInput:
            ShowPoints(read);
            ShowError(this, QString::fromUtf8(ReportOutcomeMessage(outcome.kind, 2)));
            if (const auto stop = FirstUnreadablePair(studied, analogue, SystemDecimalSeparator()))
                PointAtLine(stop->pane == 0 ? *MemoSer1 : *MemoSer2, static_cast<int>(stop->line));
            return;
        case ReportOutcome::Report:
            ShowPoints(read);
            OutPutMemo->clear();
            for (const std::string& line : outcome.lines)
                AppendLine(*OutPutMemo, line);
            return;
        }
    });
}

void TCorrelForm::sbClearClick()
{
    MemoSer1->clear();
    MemoSer2->clear();
    OutPutMemo->clear();
}

void TCorrelForm::ShowPoints(const QList<QPointF>& points)
{
    Chart1->chart()->zoomReset();
    shownPoints_ = points;
    DrawPoints();
    FitAxes(points);
}

void TCorrelForm::DrawPoints()
{
    // A long series is handed over thinned to one pair per pixel cell, the
    // same picture; one replace draws it in a single pass, where adding pair
    // by pair would relayout the chart for each.
    thinnedFor_ = ChartPixels(*Chart1);
    Series1->replace(ThinnedScatter(shownPoints_, thinnedFor_));
}

void TCorrelForm::FitAxes(const QList<QPointF>& points)
{
    if (points.isEmpty())
        return;
    const auto [left, right] = std::minmax_element(points.begin(), points.end(),
                                                   [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    const auto [bottom, top] = std::minmax_element(points.begin(), points.end(),
                                                   [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
    FitValueAxis(*axisX_, left->x(), right->x());
    FitValueAxis(*axisY_, bottom->y(), top->y());
}

void TCorrelForm::FormResize()
{
    SetChartHeight(*Splitter3, Panel2->height() / 3);
}

void TCorrelForm::Chart1Resize()
{
    if (Chart1->height() < kMinChartHeight)
        SetChartHeight(*Splitter3, kMinChartHeight);
    // A larger chart has finer cells than the points were thinned for.
    const QSize pixels = ChartPixels(*Chart1);
    if (Series1->count() < shownPoints_.size() &&
        (pixels.width() > thinnedFor_.width() || pixels.height() > thinnedFor_.height()))
        DrawPoints();
}

void TCorrelForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TCorrelForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormResize();
}

bool TCorrelForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Chart1 && event->type() == QEvent::Resize)
        Chart1Resize();
    return QWidget::eventFilter(watched, event);
}

} // namespace aqualen::ui
