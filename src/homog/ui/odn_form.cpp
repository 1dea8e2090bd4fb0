#include "homog/ui/odn_form.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QList>
#include <QPlainTextEdit>
#include <QPointF>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "homog/critical_tables.h"
#include "homog/homogeneity_report.h"
#include "homog/series_split.h"
#include "homog/ui/odn_glyphs.h"
#include "series/ui/busy_cursor.h"
#include "series/ui/chart_axes.h"
#include "series/ui/chart_height.h"
#include "series/ui/chart_thinning.h"
#include "series/ui/form_parts.h"
#include "series/ui/guarded.h"
#include "series/ui/input_dialogs.h"
#include "series/ui/line_pointer.h"
#include "series/ui/message_service.h"
#include "series/ui/pane_file_commands.h"
#include "series/ui/pane_text.h"
#include "series/ui/radio_group.h"
#include "series/ui/raw_pane_text.h"
#include "series/ui/report_chart.h"
#include "series/ui/report_freshness.h"
#include "series/ui/series_files.h"
#include "series/ui/series_names_title.h"
#include "series/ui/series_pane.h"
#include "series/ui/take_series.h"
#include "series/unreadable_line.h"

namespace aqualen::ui {

namespace {

constexpr int kDesignWidth = 620;
constexpr int kDesignHeight = 379;
constexpr int kPanel1Width = 289;
constexpr int kMemoSer1Width = 102;
constexpr int kPanel4Width = 80;
constexpr int kPanel3Height = 88;
constexpr int kRadioGroup2Width = 229;
constexpr int kChartDesignHeight = 142;
constexpr int kMinPaneSize = 50;
constexpr int kMovableLinesKept = 10;
// Tick intervals the axes aim at; more crowd the labels of a low chart.
constexpr qreal kAxisIntervals = 3;

// A radio group packed tight enough for eighteen items in the window's height.
RadioGroup* CompactRadioGroup(QWidget* parent, const char* name, const QString& caption, const QStringList& items,
                              int columns, int selected)
{
    auto* group = new RadioGroup(caption, items, parent, columns);
    group->setObjectName(QString::fromLatin1(name));
    group->Grid()->setContentsMargins(4, 2, 2, 2);
    group->Grid()->setHorizontalSpacing(2);
    group->Grid()->setVerticalSpacing(0);
    group->SetItemIndex(selected);
    return group;
}

// Adds a line after the pane's last counted line, as a line of its own. A
// pane whose text ends in a line break already has the empty place for it.
// An empty line needs a break after it to count, since a pane does not count
// the empty line after a final break.
void AppendAsLastLine(SeriesPane& pane, const QString& line)
{
    QTextDocument* document = pane.document();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    const bool endsWithBreak = document->blockCount() > 1 && document->lastBlock().text().isEmpty();
    if (!document->isEmpty() && !endsWithBreak)
        cursor.insertBlock();
    cursor.insertText(line);
    if (line.isEmpty())
        cursor.insertBlock();
}

} // namespace

TOdnForm::TOdnForm(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setWindowTitle(QStringLiteral("Проверка на однородность"));
    UseDialogFace(*this);

    BuildSeriesPanel();
    BuildOutputPanel();
    FileCommands = new PaneFileCommands(*this, {MemoSer1, MemoSer2}, *OutPutMemo);
    // The verdicts hold for the dependence and the level they were tested at.
    FileCommands->Freshness().AddChoice(*RadioGroup1);
    FileCommands->Freshness().AddChoice(*RadioGroup2);
    AddTakeSeriesAction(*MemoSer1);
    AddTakeSeriesAction(*MemoSer2);
    ShowSeriesNamesInTitle(*this, {MemoSer1, MemoSer2});
    mnSplitSeries = new QAction(QStringLiteral("Разделить ряд ..."), this);
    mnSplitSeries->setObjectName(QStringLiteral("mnSplitSeries"));
    connect(mnSplitSeries, &QAction::triggered, this, &TOdnForm::mnSplitSeriesClick);
    for (SeriesPane* pane : {MemoSer1, MemoSer2}) {
        pane->addAction(mnSplitSeries);
        connect(pane, &SeriesPane::MenuAboutToShow, mnSplitSeries,
                [this] { mnSplitSeries->setEnabled(ProvidedSeries(*this).has_value()); });
    }

    Splitter1 = MakeSplitter(Qt::Horizontal, "Splitter1", 3);
    Splitter1->addWidget(Panel1);
    Splitter1->addWidget(Panel2);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Splitter1);

    // The design size, or more where the captions need it to stay legible.
    const QSize needed = minimumSizeHint();
    const int panel1Width = std::max(kPanel1Width, Panel1->minimumSizeHint().width());
    const int width = std::max({kDesignWidth, needed.width(), panel1Width + 3 + Panel2->minimumSizeHint().width()});
    resize(width, std::max({kDesignHeight, needed.height(), HeightForWholeReport()}));
    Splitter1->setSizes({panel1Width, width - panel1Width - 3});
    CentreOnScreen(*this);
}

// The height at which the report pane shows all twelve report lines beside
// a chart of a third of the right-hand panel.
int TOdnForm::HeightForWholeReport() const
{
    constexpr int kReportLines = 12;
    const QFontMetrics metrics(OutPutMemo->font());
    const int report = kReportLines * metrics.lineSpacing() + 2 * OutPutMemo->frameWidth() +
                       OutPutMemo->horizontalScrollBar()->sizeHint().height() + 12;
    // Panel2 = Panel3 + handle + report + chart, the chart a third of Panel2.
    const int rest = Panel3->height() + Splitter3->handleWidth() + report + 2;
    return rest * 3 / 2 + 1;
}

void TOdnForm::BuildSeriesPanel()
{
    Panel1 = MakePanel(this, "Panel1", QFrame::Sunken);
    MemoSer1 = MakeSeriesPane(Panel1, "MemoSer1");
    MemoSer1->setToolTip(QStringLiteral("Ряд 1"));
    MemoSer2 = MakeSeriesPane(Panel1, "MemoSer2");
    MemoSer2->setToolTip(QStringLiteral("Ряд 2"));
    MemoSer1->setMinimumWidth(kMinPaneSize);
    MemoSer2->setMinimumWidth(kMinPaneSize);

    Splitter2 = MakeSplitter(Qt::Horizontal, "Splitter2", 3);
    Splitter2->addWidget(MemoSer1);
    Splitter2->addWidget(MemoSer2);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);

    Panel4 = new QFrame(Panel1);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setFrameStyle(QFrame::NoFrame);
    QStringList rows;
    for (const char* label : DependenceRows)
        rows << QString::fromUtf8(label);
    RadioGroup1 = CompactRadioGroup(Panel4, "RadioGroup1", QStringLiteral("__   R    r(1) "), rows, 1, 7);
    auto* panel4Layout = new QVBoxLayout(Panel4);
    panel4Layout->setContentsMargins(2, 2, 2, 2);
    panel4Layout->addWidget(RadioGroup1);
    Panel4->setFixedWidth(std::max(kPanel4Width, Panel4->sizeHint().width()));

    auto* layout = new QHBoxLayout(Panel1);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(Splitter2, 1);
    layout->addWidget(Panel4);
    const int memoSer2Width = kPanel1Width - kMemoSer1Width - 3 - Panel4->width();
    Splitter2->setSizes({kMemoSer1Width, std::max(memoSer2Width, kMinPaneSize)});
}

void TOdnForm::BuildButtonBar()
{
    Panel3 = MakePanel(Panel2, "Panel3", QFrame::Raised);
    auto* buttons = new QWidget(Panel3);
    buttons->setFixedWidth(90);
    btnRun = new QPushButton(QStringLiteral("Рассчитать"), buttons);
    btnRun->setObjectName(QStringLiteral("btnRun"));
    btnRun->setGeometry(8, 8, 75, 25);
    SpeedButton1 = new QToolButton(buttons);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setIcon(MoveDownGlyph());
    SpeedButton1->setToolTip(QStringLiteral("Передвинуть"));
    SpeedButton1->setGeometry(8, 40, 23, 22);
    sbClear = new QToolButton(buttons);
    sbClear->setObjectName(QStringLiteral("sbClear"));
    sbClear->setAutoRaise(true);
    sbClear->setIcon(BlankSheetGlyph());
    sbClear->setToolTip(QStringLiteral("Очистить все"));
    sbClear->setGeometry(59, 40, 23, 22);

    QStringList levels;
    for (const char* label : SignificanceLevels)
        levels << QString::fromUtf8(label);
    RadioGroup2 = CompactRadioGroup(Panel3, "RadioGroup2", QStringLiteral("Уровень значимости, %"), levels, 3, 3);
    RadioGroup2->setFixedWidth(std::max(kRadioGroup2Width, RadioGroup2->sizeHint().width()));

    auto* layout = new QHBoxLayout(Panel3);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(buttons);
    layout->addStretch(1);
    layout->addWidget(RadioGroup2);
    Panel3->setFixedHeight(std::max(kPanel3Height, RadioGroup2->sizeHint().height() + 2));

    connect(btnRun, &QPushButton::clicked, this, &TOdnForm::btnRunClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TOdnForm::SpeedButton1Click);
    connect(sbClear, &QToolButton::clicked, this, &TOdnForm::sbClearClick);
}

void TOdnForm::BuildOutputPanel()
{
    Panel2 = MakePanel(this, "Panel2", QFrame::Sunken);
    BuildButtonBar();

    OutPutMemo = MakeReportPane(Panel2, "OutPutMemo");
    OutPutMemo->setMinimumHeight(kMinPaneSize);

    BuildChart();
    Splitter3 = StackReportOverChart(OutPutMemo, Chart1, kDesignHeight - kPanel3Height - kChartDesignHeight,
                                     kChartDesignHeight);

    auto* layout = new QVBoxLayout(Panel2);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(Panel3);
    layout->addWidget(Splitter3, 1);
}

void TOdnForm::BuildChart()
{
    QChart* chart = MakeReportChart();

    Series1 = new QLineSeries(chart);
    Series1->setObjectName(QStringLiteral("Series1"));
    Series2 = new QLineSeries(chart);
    Series2->setObjectName(QStringLiteral("Series2"));
    const QColor colors[] = {Qt::red, Qt::green};
    QLineSeries* series[] = {Series1, Series2};
    axisX_ = new QValueAxis(chart);
    axisY_ = new QValueAxis(chart);
    // Point numbers are whole; values are written as short as they go.
    SetUpValueAxis(*axisX_, font(), QStringLiteral("%.0f"));
    SetUpValueAxis(*axisY_, font(), QStringLiteral("%.6g"));
    chart->addAxis(axisX_, Qt::AlignBottom);
    chart->addAxis(axisY_, Qt::AlignLeft);
    for (int i = 0; i < 2; ++i) {
        series[i]->setColor(colors[i]);
        // A one-pixel mark on every point, no labels.
        series[i]->setPointsVisible(true);
        series[i]->setMarkerSize(1);
        series[i]->setPointLabelsVisible(false);
        chart->addSeries(series[i]);
        series[i]->attachAxis(axisX_);
        series[i]->attachAxis(axisY_);
    }

    Chart1 = MakeReportChartView(chart, Panel2);
    Chart1->installEventFilter(this);
}

int TOdnForm::RowIndex() const
{
    return RadioGroup1->ItemIndex();
}

int TOdnForm::LevelIndex() const
{
    return RadioGroup2->ItemIndex();
}

namespace {

// Shows the calculation in the window: the report pane gets the lines, the
// window the points. The points are gathered and handed over when the sink
// goes away, so that a fault part-way still shows those read.
class FormSink final : public ReportSink {
public:
    // `first1` and `first2` are the x of each series' first point: 0, or
    // the first years when both series have them.
    FormSink(QPlainTextEdit& memo, QList<QPointF>& shown1, QList<QPointF>& shown2, QChart& chart, int first1,
             int first2)
        : memo_(memo), shown1_(shown1), shown2_(shown2), chart_(chart), first1_(first1), first2_(first2)
    {
    }
    ~FormSink() override
    {
        if (!begun_)
            return;
        shown1_ = std::move(points1_);
        shown2_ = std::move(points2_);
    }
    FormSink(const FormSink&) = delete;
    FormSink& operator=(const FormSink&) = delete;

    void Begin() override
    {
        begun_ = true;
        memo_.clear();
        shown1_.clear();
        shown2_.clear();
        chart_.zoomReset();
    }
    void Line(const std::string& line) override { AppendLine(memo_, line); }
    void Point(int series, double value) override
    {
        QList<QPointF>& points = series == 1 ? points1_ : points2_;
        points.append(QPointF((series == 1 ? first1_ : first2_) + points.size(), value));
    }

private:
    QPlainTextEdit& memo_;
    QList<QPointF>& shown1_;
    QList<QPointF>& shown2_;
    QChart& chart_;
    QList<QPointF> points1_;
    QList<QPointF> points2_;
    int first1_ = 0;
    int first2_ = 0;
    bool begun_ = false;
};

} // namespace

void TOdnForm::btnRunClick()
{
    const ReportRun run(FileCommands->Freshness());
    RunGuarded(this, [this] {
        const BusyCursor busy({MemoSer1, MemoSer2});
        const SeriesLines first = PaneLines(*MemoSer1);
        const SeriesLines second = PaneLines(*MemoSer2);
        ReportOutcome outcome = ReportOutcome::TooShort;
        try {
            // By year where both series have their years, else by number.
            const std::optional<int> year1 = MemoSer1->FirstYear();
            const std::optional<int> year2 = MemoSer2->FirstYear();
            const bool byYear = year1 && year2;
            FormSink sink(*OutPutMemo, shown1_, shown2_, *Chart1->chart(), byYear ? *year1 : 0, byYear ? *year2 : 0);
            outcome = HomogeneityReport(first, second, RowIndex(), LevelIndex(), SystemDecimalSeparator(), sink);
        } catch (...) {
            // The sink is gone by now and has handed over the points read.
            ShowSeries();
            throw;
        }
        ShowSeries();
        if (outcome == ReportOutcome::InvalidInput) {
            ShowError(this, QString::fromUtf8(ReportOutcomeMessage(outcome, 2)));
            // The first series is read whole before the second.
            const char separator = SystemDecimalSeparator();
            if (const auto line = FirstUnreadableLine(first, separator))
                PointAtLine(*MemoSer1, static_cast<int>(*line));
            else if (const auto other = FirstUnreadableLine(second, separator))
                PointAtLine(*MemoSer2, static_cast<int>(*other));
        }
    });
}

void TOdnForm::SpeedButton1Click()
{
    RunGuarded(this, [this] {
        if (PaneLines(*MemoSer1).size() <= static_cast<size_t>(kMovableLinesKept))
            return;
        const QTextBlock first = MemoSer1->document()->firstBlock();
        AppendAsLastLine(*MemoSer2, first.text());
        QTextCursor cursor(first);
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    });
}

void TOdnForm::sbClearClick()
{
    MemoSer1->clear();
    MemoSer2->clear();
    OutPutMemo->clear();
}

void TOdnForm::mnSplitSeriesClick()
{
    RunGuarded(this, [this] {
        const std::optional<PaneSeries> series = ProvidedSeries(*this);
        if (!series || series->text.isEmpty()) {
            ShowPlain(this, QString::fromUtf8(kNoMainSeriesText));
            return;
        }
        const SeriesLines lines = LinesOfRawText(series->text);
        const std::optional<SplitRange> range = SplitRangeOf(lines.size(), kMaxPaneLines);
        if (!range) {
            ShowPlain(this, lines.size() < static_cast<size_t>(kMaxPaneLines)
                                ? QStringLiteral("Ряд слишком короток, чтобы его разделить!")
                                : QStringLiteral("В ряду больше %1 строк!").arg(2 * kMaxPaneLines));
            return;
        }
        // Asked as the first year of Ряд 2 when the years are known, else as
        // its first line (from 1).
        const int origin = series->firstYear.value_or(1);
        NumberQuestion question;
        question.title = QStringLiteral("Разделить ряд");
        question.label =
            series->firstYear ? QStringLiteral("Первый год ряда 2:") : QStringLiteral("Первая строка ряда 2:");
        question.proposed = origin + static_cast<int>(ProposedSplit(lines, *range, SystemDecimalSeparator()));
        question.minimum = origin + static_cast<int>(range->least);
        question.maximum = origin + static_cast<int>(range->most);
        const std::optional<int> answer = Inputs().AskNumber(this, question);
        if (!answer || *answer < question.minimum || *answer > question.maximum)
            return;
        const auto split = static_cast<size_t>(*answer - origin);
        const auto middle = lines.begin() + static_cast<std::ptrdiff_t>(split);
        std::optional<int> secondYear;
        if (series->firstYear)
            secondYear = *answer;
        MemoSer1->SetSeries({TextOfLines(SeriesLines(lines.begin(), middle)), series->firstYear, series->name});
        MemoSer2->SetSeries({TextOfLines(SeriesLines(middle, lines.end())), secondYear, series->name});
    });
}

void TOdnForm::ShowPoints(QList<QPointF> points1, QList<QPointF> points2)
{
    Chart1->chart()->zoomReset();
    shown1_ = std::move(points1);
    shown2_ = std::move(points2);
    ShowSeries();
}

void TOdnForm::ShowSeries()
{
    DrawSeries();
    FitAxes();
}

void TOdnForm::DrawSeries()
{
    // A long series is handed over as its envelope per quarter of a pixel
    // column, the same picture; one replace draws it in a single pass, where
    // adding point by point would relayout the chart for each.
    thinnedFor_ = ChartPixels(*Chart1);
    Series1->replace(ThinnedLine(shown1_, thinnedFor_));
    Series2->replace(ThinnedLine(shown2_, thinnedFor_));
}

void TOdnForm::FitAxes()
{
    qreal low = std::numeric_limits<qreal>::max();
    qreal high = std::numeric_limits<qreal>::lowest();
    qreal firstX = std::numeric_limits<qreal>::max();
    qreal lastX = std::numeric_limits<qreal>::lowest();
    for (const QList<QPointF>* shown : {&shown1_, &shown2_}) {
        const QList<QPointF>& points = *shown;
        if (points.isEmpty())
            continue;
        // x runs on by one: point numbers from 0, or years.
        firstX = std::min(firstX, points.front().x());
        lastX = std::max(lastX, points.back().x());
        for (const QPointF& p : points) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    }
    if (firstX > lastX)
        return;
    // Few, round ticks: the chart elides every label once they crowd.
    const qreal span = std::max<qreal>(lastX - firstX, 1);
    const qreal stepX = std::max<qreal>(NiceStep(span / kAxisIntervals), 1);
    axisX_->setTickInterval(stepX);
    const qreal rangeLow = std::floor(firstX / stepX) * stepX;
    axisX_->setRange(rangeLow, std::max(std::ceil(lastX / stepX) * stepX, rangeLow + stepX));
    FitValueAxis(*axisY_, low, high);
}

void TOdnForm::FormResize()
{
    SetChartHeight(*Splitter3, Panel2->height() / 3);
}

void TOdnForm::Chart1Resize()
{
    if (Chart1->height() < kMinChartHeight)
        SetChartHeight(*Splitter3, kMinChartHeight);
    // A larger chart has finer columns than the series were thinned for.
    const QSize pixels = ChartPixels(*Chart1);
    if ((Series1->count() < shown1_.size() || Series2->count() < shown2_.size()) &&
        (pixels.width() > thinnedFor_.width() || pixels.height() > thinnedFor_.height()))
        DrawSeries();
}

void TOdnForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TOdnForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormResize();
}

bool TOdnForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Chart1 && event->type() == QEvent::Resize)
        Chart1Resize();
    return QWidget::eventFilter(watched, event);
}

} // namespace aqualen::ui
