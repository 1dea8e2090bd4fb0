#include "curve/ui/obesp_form.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <exception>

#include "curve/curve_sheet.h"
#include "curve/probability_scale.h"
#include "curve/ui/analytic_page.h"
#include "curve/ui/band_job.h"
#include "curve/ui/glyphs.h"
#include "curve/ui/paint_box.h"
#include "curve/ui/painter_canvas.h"
#include "curve/ui/param_dlg.h"
#include "curve/ui/print_dlg.h"
#include "curve/ui/save_sheet_dlg.h"
#include "distributions/ui/quantiles_form.h"
#include "series/numeric_routines.h"
#include "series/ui/application_setup.h"
#include "series/ui/guarded.h"
#include "series/ui/message_service.h"
#include "series/ui/pane_text.h"
#include "series/ui/report_freshness.h"

namespace aqualen::ui {

namespace {

// The window's designed client size; the page is sized from its width once,
// before the window is maximised.
constexpr int kDesignedClientWidth = 427;
constexpr int kDesignedClientHeight = 316;
constexpr int kShadow = kPageShadow;

QSize ToQSize(PageSize size)
{
    return {size.width, size.height};
}

PageSize ToPageSize(const QSize& size)
{
    return {size.width(), size.height()};
}

} // namespace

TObespForm::TObespForm(QWidget* owner) : QWidget(owner, Qt::Window)
{
    FormCreate();
}

TObespForm::~TObespForm() = default;

void TObespForm::FormCreate()
{
    setWindowTitle(QStringLiteral("Кривая обеспеченности"));
    setFont(QFont(WindowFamily(), 8));
    resize(kDesignedClientWidth, kDesignedClientHeight);

    Panel1 = new QFrame(this);
    Panel1->setFixedHeight(41);
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setFrameShadow(QFrame::Raised);
    sbZoomOut = new QToolButton(Panel1);
    sbZoomOut->setGeometry(24, 8, 23, 22);
    sbZoomOut->setIcon(GlyphIcon(Glyph::ZoomOut));
    sbZoomOut->setToolTip(QStringLiteral("Уменьшить"));
    sbZoomIn = new QToolButton(Panel1);
    sbZoomIn->setGeometry(48, 8, 23, 22);
    sbZoomIn->setIcon(GlyphIcon(Glyph::ZoomIn));
    sbZoomIn->setToolTip(QStringLiteral("Увеличить"));
    sbZoomFit = new QToolButton(Panel1);
    sbZoomFit->setGeometry(72, 8, 23, 22);
    sbZoomFit->setIcon(GlyphIcon(Glyph::ZoomFit));
    sbZoomFit->setToolTip(QStringLiteral("По размеру окна"));
    sbZoomFit->setCheckable(true);
    bbParameters = new QPushButton(GlyphIcon(Glyph::Parameters), QStringLiteral("Параметры ..."), Panel1);
    bbParameters->setGeometry(112, 7, 110, 25);
    bbPrint = new QPushButton(GlyphIcon(Glyph::Print), QStringLiteral("Печать ... "), Panel1);
    bbPrint->setGeometry(232, 7, 110, 25);
    bbSave = new QPushButton(GlyphIcon(Glyph::Save), QStringLiteral("Сохранить лист ..."), Panel1);
    bbSave->setGeometry(352, 7, 140, 25);
    bbSave->setShortcut(QKeySequence::Save);
    bbQuantiles = new QPushButton(QStringLiteral("Квантили ..."), Panel1);
    bbQuantiles->setGeometry(502, 7, 110, 25);
    lbBand = new QLabel(QStringLiteral("Доверительные границы рассчитываются ..."), Panel1);
    lbBand->adjustSize();
    lbBand->move(624, 12);
    lbBand->hide();
    bandJob_ = new BandJob(this);
    connect(bandJob_, &BandJob::Finished, this, &TObespForm::BandFinished);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setBackgroundRole(QPalette::Window);
    pageArea_ = new QWidget;
    ScrollBox1->setWidget(pageArea_);
    ScrollBox1->setWidgetResizable(false);
    // The shadow lies behind the page: made first, so the page stays on top.
    pbBlack = new PaintBox([this](QPainter& painter) { pbBlackPaint(painter); }, pageArea_);
    pbPage = new PaintBox([this](QPainter& painter) { pbPagePaint(painter); }, pageArea_);
    pbPage->raise();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(ScrollBox1, 1);
    layout->activate();

    const int pageHeight = static_cast<int>(RoundHalfEven(width() / 1.75L));
    const int pageWidth = static_cast<int>(RoundHalfEven(pageHeight * 1.414L));
    const int frame = ScrollBox1->frameWidth();
    // The window opens with the page fitted to it; the zoom levels keep the
    // sizes made above, and the first zoom leaves the fit for the nearest one.
    zoom_.Open({pageWidth, pageHeight}, {ScrollBox1->width() - 2 * frame, ScrollBox1->height() - 2 * frame}, FitArea());
    pbPage->resize(ToQSize(zoom_.Page()));
    pbBlack->resize(ToQSize(zoom_.Page()));
    ZoomButtons();

    ScrollBox1->viewport()->installEventFilter(this);
    connect(sbZoomOut, &QToolButton::clicked, this, &TObespForm::sbZoomOutClick);
    connect(sbZoomIn, &QToolButton::clicked, this, &TObespForm::sbZoomInClick);
    connect(sbZoomFit, &QToolButton::clicked, this, &TObespForm::sbZoomFitClick);
    connect(bbParameters, &QPushButton::clicked, this, &TObespForm::bbParametersClick);
    connect(bbPrint, &QPushButton::clicked, this, &TObespForm::bbPrintClick);
    connect(bbSave, &QPushButton::clicked, this, &TObespForm::bbSaveClick);
    connect(bbQuantiles, &QPushButton::clicked, this, &TObespForm::bbQuantilesClick);

    setWindowState(windowState() | Qt::WindowMaximized);
}

void TObespForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormActivate();
}

void TObespForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

bool TObespForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ScrollBox1->viewport() && event->type() == QEvent::Resize)
        FormResize();
    if (watched == ScrollBox1->viewport() && event->type() == QEvent::Wheel &&
        WheelZoom(*static_cast<QWheelEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool TObespForm::WheelZoom(const QWheelEvent& wheel)
{
    if (!(wheel.modifiers() & Qt::ControlModifier))
        return false;
    RunGuarded(this, [&] {
        const PageSize before = zoom_.Page();
        zoom_.Wheel(wheel.angleDelta().y());
        if (zoom_.Page() != before)
            ShowPage();
    });
    return true;
}

void TObespForm::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        switch (event->key()) {
        case Qt::Key_0:
            sbZoomFit->click();
            return;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            if (sbZoomIn->isEnabled())
                sbZoomInClick();
            return;
        case Qt::Key_Minus:
            if (sbZoomOut->isEnabled())
                sbZoomOutClick();
            return;
        default:
            break;
        }
    }
    QWidget::keyPressEvent(event);
}

void TObespForm::FormActivate()
{
    if (View().PlacementPending)
        PlacePage();
    View().PlacementPending = false;
    pbBlack->update();
    pbPage->update();
}

PageSize TObespForm::FitArea() const
{
    return ToPageSize(ScrollBox1->maximumViewportSize());
}

void TObespForm::FormResize()
{
    zoom_.Resize(ToPageSize(ScrollBox1->viewport()->size()), FitArea());
    ShowPage();
}

void TObespForm::ShowPage()
{
    const QSize page = ToQSize(zoom_.Page());
    pbPage->resize(page);
    pbBlack->resize(page);
    PlacePage();
    // A fitted page that grew or shrank with the window may have passed a
    // zoom level: the buttons follow it.
    ZoomButtons();
}

void TObespForm::sbZoomFitClick()
{
    RunGuarded(this, [&] {
        // Fitting is left by zooming in or out, to the nearest level; the
        // button itself only ever switches it on, so a second press never
        // throws the page back to a level far from what is on screen.
        zoom_.Fit(FitArea());
        ShowPage();
    });
}

void TObespForm::ShowZoomLevel(int level)
{
    zoom_.ShowLevel(level);
    ShowPage();
}

void TObespForm::PlacePage()
{
    // Placing the page may show or hide the scroll bars, which resizes the
    // visible area and asks for another placement: that one is left to run
    // after this.
    if (placing_)
        return;
    placing_ = true;
    const QSize client = ScrollBox1->viewport()->size();
    const QSize area = ToQSize(zoom_.Place(ToPageSize(client)));
    const PageView& view = View();
    pbPage->move(view.PageLeft, view.PageTop);
    pbBlack->move(view.PageLeft + kShadow, view.PageTop + kShadow);
    pageArea_->resize(area);
    placing_ = false;
    if (ScrollBox1->viewport()->size() != client)
        FormResize();
}

void TObespForm::ZoomButtons()
{
    sbZoomFit->setChecked(zoom_.Fitted());
    sbZoomOut->setEnabled(zoom_.CanZoomOut());
    sbZoomIn->setEnabled(zoom_.CanZoomIn());
}

void TObespForm::sbZoomOutClick()
{
    RunGuarded(this, [&] {
        zoom_.ZoomOut();
        ShowPage();
    });
}

void TObespForm::sbZoomInClick()
{
    RunGuarded(this, [&] {
        zoom_.ZoomIn();
        ShowPage();
    });
}

void TObespForm::bbParametersClick()
{
    RunGuarded(this, [&] {
        if (MakeParamDlg().exec() == QDialog::Accepted) {
            ++sheetEdition_;
            View().SheetReady = true;
            StartBand();
            RefreshQuantiles();
        } else if (!settings_.Analytic.BandPending()) {
            bandJob_->Drop(); // a refused OK took the curve off the sheet
            lbBand->hide();
        }
        paintFaultShown_ = false;
        FormActivate();
    });
}

TParamDlg& TObespForm::MakeParamDlg()
{
    if (!ParamDlg) {
        ParamDlg = new TParamDlg(settings_, this);
        ParamDlg->PageAnalytic->SetR1Source([this] { return r1Source_ ? r1Source_() : 0; });
    }
    return *ParamDlg;
}

void TObespForm::SetR1Source(std::function<int()> source)
{
    r1Source_ = std::move(source);
}

void TObespForm::StartBand()
{
    // The dialog may have computed the band already, to choose the scale.
    std::optional<BandRequest> request = MakeBandRequest(settings_);
    if (request && settings_.Analytic.BandPending())
        bandJob_->Start(std::move(*request));
    else
        bandJob_->Drop();
    lbBand->setVisible(bandJob_->Running());
}

void TObespForm::BandFinished(const BandOutcome& outcome)
{
    lbBand->hide();
    // An outcome for a curve that is no longer on the sheet is of no use.
    if (!settings_.Analytic.BandPending())
        return;
    if (outcome.band) {
        settings_.Analytic.Band = outcome.band;
        FormActivate();
        RefreshQuantiles();
    } else if (!outcome.refusal.empty()) {
        ShowError(this, QString::fromStdString(outcome.refusal));
    } else {
        ShowFault(this, QString::fromStdString(outcome.fault));
    }
}

void TObespForm::WaitForBand()
{
    if (!bandJob_->Running())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bandJob_->Wait();
    QApplication::restoreOverrideCursor();
}

void TObespForm::bbQuantilesClick()
{
    RunGuarded(this, [&] {
        const AnalyticSheet& sheet = settings_.Analytic;
        if (!View().SheetReady || !sheet.Fit) {
            ShowError(this, QStringLiteral("Выберите распределение на странице «Аналитическая кривая» "
                                           "параметров кривой!"));
            return;
        }
        WaitForBand();
        if (!QuantilesForm) {
            QuantilesForm = new TQuantilesForm(this);
            QuantilesForm->Freshness->AddSignature([this] { return QString::number(sheetEdition_); });
        }
        if (!WriteQuantiles())
            return;
        QuantilesForm->show();
        QuantilesForm->raise();
        QuantilesForm->activateWindow();
    });
}

bool TObespForm::WriteQuantiles()
{
    const AnalyticSheet& sheet = settings_.Analytic;
    const std::optional<dist::Band> band = BandAt(sheet, dist::StandardProbabilities());
    try {
        // What the quantile window re-estimates from: other probabilities, the other curve.
        dist::QuantileRequest source;
        for (int32_t i = 0; i < settings_.Values.Count(); ++i)
            source.values.push_back(settings_.Values.Get(i));
        source.options = sheet.Options;
        if (sheet.Options.method == dist::Method::GraphicAnalytic)
            source.smoothing = SmoothingPointsOf(settings_);
        QuantilesForm->ShowReport(source, *sheet.Fit, band ? &*band : nullptr, SystemDecimalSeparator());
    } catch (const dist::FitRefused& refused) {
        ShowError(this, QString::fromUtf8(refused.what()));
        return false;
    }
    return true;
}

void TObespForm::RefreshQuantiles()
{
    // An open report never shows the numbers of a curve no longer on the
    // sheet: it follows the new curve (its limits once they are known), and
    // goes when there is no curve.
    if (!QuantilesForm)
        return;
    // A report the new sheet could not replace is marked as the former one's.
    QuantilesForm->Freshness->Recheck();
    if (!QuantilesForm->isVisible())
        return;
    if (!settings_.Analytic.Fit)
        QuantilesForm->hide();
    else
        RunGuarded(this, [&] { WriteQuantiles(); });
}

void TObespForm::bbPrintClick()
{
    RunGuarded(this, [&] {
        WaitForBand();
        if (!PrintDlg)
            PrintDlg = new TPrintDlg(settings_, this);
        PrintDlg->exec();
    });
}

void TObespForm::bbSaveClick()
{
    RunGuarded(this, [&] {
        // The file holds the printed page, band and all.
        WaitForBand();
        if (!SaveSheetDlg)
            SaveSheetDlg = new TSaveSheetDlg(settings_, this);
        SaveSheetDlg->exec();
    });
}

void TObespForm::pbBlackPaint(QPainter& painter)
{
    // Only the right and bottom strips show from behind the page.
    PainterCanvas canvas(painter);
    canvas.SetBrushColor(kBlack);
    canvas.SetPenColor(kBlack);
    const int width = pbBlack->width();
    const int height = pbBlack->height();
    canvas.Rectangle(width - kShadow, 0, width, height);
    canvas.Rectangle(kShadow, height - kShadow, width - kShadow, height);
}

void TObespForm::pbPagePaint(QPainter& painter)
{
    const int width = pbPage->width();
    const int height = pbPage->height();
    PainterCanvas page(painter);
    page.SetBrushColor(kWhite);
    page.SetPenColor(kSilver);
    page.SetPenWidth(0);
    page.SetPenStyle(PenStyle::Solid);
    page.Rectangle(0, 0, width, height);
    if (!View().SheetReady)
        return;
    // The sheet in the screen's look: smoothed, light dots, no text too
    // small to read. Paper and exported files keep the plain canvas.
    PainterCanvas canvas(painter, ScreenCanvasOptions());
    SheetTarget target;
    target.toScreen = true;
    target.hUnit = HorizontalUnit(width);
    target.vUnit = VerticalUnit(height);
    target.pageWidth = width;
    target.pageHeight = height;
    target.screenPpi = parentWidget() ? parentWidget()->logicalDpiX() : logicalDpiX();
    target.separator = SystemDecimalSeparator();
    try {
        DrawCurveSheet(canvas, settings_, target);
    } catch (const std::exception& fault) {
        // A box cannot be shown from inside a paint: it is shown once the
        // paint is over, and only once until the settings change again.
        if (!paintFaultShown_) {
            paintFaultShown_ = true;
            const QString text = QString::fromUtf8(fault.what());
            QTimer::singleShot(0, this, [this, text] { ShowFault(this, text); });
        }
    }
}

} // namespace aqualen::ui
