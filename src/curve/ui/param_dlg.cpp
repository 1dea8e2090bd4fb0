#include "curve/ui/param_dlg.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>

#include "curve/auto_scale.h"
#include "curve/series_grid_cells.h"
#include "curve/sheet_update.h"
#include "curve/ui/analytic_page.h"
#include "curve/ui/glyphs.h"
#include "curve/ui/grid_series_input.h"
#include "curve/ui/scale_choice.h"
#include "curve/ui/series_grid_model.h"
#include "curve/ui/series_grid_view.h"
#include "series/number_text.h"
#include "series/ui/application_setup.h"
#include "series/ui/decimal_separator.h"
#include "series/ui/guarded.h"
#include "series/ui/message_service.h"
#include "series/ui/pasted_series.h"

namespace aqualen::ui {

TParamDlg::TParamDlg(CurveSettings& settings, QWidget* owner) : QDialog(owner), settings_(settings)
{
    FormCreate();
}

void TParamDlg::FormCreate()
{
    setWindowTitle(QStringLiteral("Параметры кривой обеспеченности"));
    setFont(QFont(WindowFamily(), 8));
    setFixedSize(420, 600);

    PageControl1 = new QTabWidget(this);
    PageControl1->setGeometry(0, 0, 420, 600 - 39);
    CreateActions();
    // These four pages are made on their own and then added: their captions
    // take their size (and the grid its header) from the application's font,
    // not the dialog's smaller one, as the layout was drawn.
    PageParameters = new ParametersPage(nullptr);
    PageControl1->addTab(PageParameters, QStringLiteral("Параметры"));
    PageScale = new ScalePage(nullptr);
    PageControl1->addTab(PageScale, QStringLiteral("Шкала"));
    PageSeries = new SeriesPage(Cut, Copy, Paste, nullptr);
    PageControl1->addTab(PageSeries, QStringLiteral("Ряд данных"));
    PageCurve = new CurvePage(nullptr);
    PageControl1->addTab(PageCurve, QStringLiteral("Кривая"));
    PageAnalytic = new AnalyticPage(PageControl1);
    PageControl1->addTab(PageAnalytic, QStringLiteral("Аналитическая кривая"));
    FitTabsToWidth(*PageControl1);
    PageControl1->setCurrentIndex(0);
    ParametersControls::operator=(*PageParameters);
    ScaleControls::operator=(*PageScale);
    SeriesControls::operator=(*PageSeries);
    CurveControls::operator=(*PageCurve);

    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setGeometry(420 - 2 * 83 - 8, 600 - 39 + 7, 75, 25);
    // Enter in an edit box moves on (keyPressEvent): only the OK button
    // itself, clicked or with the focus, commits.
    btnCansel = new QPushButton(QStringLiteral("Отмена"), this);
    btnCansel->setGeometry(420 - 83, 600 - 39 + 7, 75, 25);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCansel, &QPushButton::clicked, this, &QDialog::reject);

    PageSeries->SetUpGrid();
    connect(btnAutoScale, &QPushButton::clicked, this, &TParamDlg::btnAutoScaleClick);
    connect(btnTakeSeries, &QPushButton::clicked, this, [this] { RunGuarded(this, [&] { TakeMainSeries(*this); }); });
    connect(CheckBox1, &QCheckBox::toggled, this, &TParamDlg::CheckBox1Click);
    connect(StringGrid1, &SeriesGridView::ClipboardKey, this, &TParamDlg::ClipboardKey);
    connect(PageSeries, &SeriesPage::RowRefused, this, [this](int row) { PointAtGridRow(*this, row); });
    CheckBox1Click();
}

void TParamDlg::CreateActions()
{
    const auto make = [this](const QString& caption, const QString& hint, QKeySequence::StandardKey key, Glyph glyph) {
        auto* action = new QAction(GlyphIcon(glyph, 18), caption, this);
        action->setToolTip(hint);
        action->setStatusTip(hint);
        action->setShortcut(QKeySequence(key));
        // The shortcuts are the grid's alone (its cell editor hands them on,
        // see SeriesGridView): anywhere else Ctrl+C/V/X stay the focused edit
        // box's own.
        action->setShortcutContext(Qt::WidgetShortcut);
        return action;
    };
    Copy = make(QStringLiteral("Copy"), QStringLiteral("Копировать"), QKeySequence::Copy, Glyph::Copy);
    Paste = make(QStringLiteral("Paste"), QStringLiteral("Вставить"), QKeySequence::Paste, Glyph::Paste);
    Cut = make(QStringLiteral("Cut"), QStringLiteral("Вырезать"), QKeySequence::Cut, Glyph::Cut);
    connect(Copy, &QAction::triggered, this, &TParamDlg::CopyExecute);
    connect(Paste, &QAction::triggered, this, &TParamDlg::PasteExecute);
    connect(Cut, &QAction::triggered, this, &TParamDlg::CutExecute);
}

void TParamDlg::CheckBox1Click()
{
    const bool on = CheckBox1->isChecked();
    PageSeries->EnableTools(on);
    Cut->setEnabled(on);
    Copy->setEnabled(on);
    Paste->setEnabled(on);
    btnAutoScale->setEnabled(on);
    PageCurve->AllowCurve(on);
}

void TParamDlg::ClipboardKey(QKeySequence::StandardKey key)
{
    // The actions are off while the series option is off, and the keys
    // reach the grid only while its page is shown.
    if (!StringGrid1->isVisible())
        return;
    if (key == QKeySequence::Copy && Copy->isEnabled())
        CopyExecute();
    else if (key == QKeySequence::Cut && Cut->isEnabled())
        CutExecute();
    else if (key == QKeySequence::Paste && Paste->isEnabled())
        PasteExecute();
}

void TParamDlg::CopyExecute()
{
    RunGuarded(this, [&] {
        StringGrid1->CommitEdit();
        const std::string text = CopyCells(GridCells->Cells(), StringGrid1->Selection());
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    });
}

void TParamDlg::CutExecute()
{
    RunGuarded(this, [&] {
        StringGrid1->CommitEdit();
        const std::string text = CutCells(GridCells->Cells(), StringGrid1->Selection());
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
        GridCells->CellsChanged();
    });
}

void TParamDlg::PasteExecute()
{
    RunGuarded(this, [&] {
        StringGrid1->CommitEdit();
        const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
        PasteIntoGrid(*PageSeries, clipboard ? PastedText(*clipboard) : QString());
    });
}

void TParamDlg::btnAutoScaleClick()
{
    RunGuarded(this, [&] {
        StringGrid1->CommitEdit();
        const char separator = SystemDecimalSeparator();
        // The boxes about to be filled need not read yet: the sheet is
        // built on a scale that does, on copies of the sheet and the grid.
        SheetInput input = ReadSheetInput(separator);
        const CurveSettings defaults;
        input.scaleTexts = {FormatGeneral(defaults.ScaleMax, separator), FormatGeneral(defaults.ScaleMin, separator),
                            FormatGeneral(defaults.MainStep, separator),
                            FormatGeneral(defaults.AdditionalStep, separator)};
        CurveSettings scratch;
        SeriesGridCells cells = GridCells->Cells();
        const SheetUpdate update = ApplySheetInput(scratch, cells, input, separator);
        if (!update.Stored()) {
            ShowRefusal(update);
            return;
        }
        const AutoScale chosen = ScaleWithBand(scratch);
        if (!chosen.scale) {
            ShowError(this, QString::fromStdString(chosen.refusal));
            return;
        }
        PageScale->ShowScale(*chosen.scale);
    });
}

void TParamDlg::keyPressEvent(QKeyEvent* event)
{
    // Enter in an edit box goes on to the next control, as Tab does; it
    // never presses the default button while the user is still typing. A
    // push button with the focus takes Enter itself before it gets here.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (qobject_cast<QLineEdit*>(focusWidget()))
        focusNextChild();
}

void TParamDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        TakeSnapshot();
}

void TParamDlg::TakeSnapshot()
{
    controls_ = ControlSnapshot(*this);
    PageSeries->KeepOpenedCells();
}

void TParamDlg::RestoreSnapshot()
{
    // An edit in progress goes with the rest of what was changed.
    StringGrid1->CommitEdit();
    controls_.Restore();
    CheckBox1Click();
    PageAnalytic->UpdateControls();
    PageSeries->RestoreOpenedCells();
}

void TParamDlg::done(int result)
{
    bool close = false;
    RunGuarded(this, [&] { close = FormCloseQuery(result); });
    if (!close)
        return;
    if (result != QDialog::Accepted)
        RestoreSnapshot();
    QDialog::done(result);
}

namespace {

// The sheet takes what the dialog stored (the window's view state is the
// window's own and not in it).
void CommitSheet(CurveSettings& sheet, CurveSettings stored)
{
    sheet = std::move(stored);
}

} // namespace

bool TParamDlg::FormCloseQuery(int result)
{
    if (result != QDialog::Accepted)
        return true;
    StringGrid1->CommitEdit();
    const char separator = SystemDecimalSeparator();
    // Everything is written, in its order, into a copy of the sheet, which
    // replaces the sheet only when every step succeeded: a refused OK leaves
    // the sheet as it was, so that a cancel after it leaves it untouched.
    CurveSettings sheet = CopyCurveSettings(settings_);
    const SheetInput input = ReadSheetInput(separator);
    const SheetUpdate update = ApplySheetInput(sheet, GridCells->Cells(), input, separator);
    GridCells->CellsChanged();
    if (!update.Stored()) {
        ShowRefusal(update);
        return false;
    }
    // A series entirely off the scale would leave an empty grid.
    if (input.seriesOn && !AnyPointWithinScale(sheet) &&
        AskYesNo(this, QString::fromUtf8(kOutOfScaleQuestion)) == Answer::Yes && !FitScaleToSheet(sheet))
        return false;
    CommitSheet(settings_, std::move(sheet));
    return true;
}

SheetInput TParamDlg::ReadSheetInput(char separator)
{
    SheetInput input;
    PageParameters->ReadInput(input);
    PageScale->ReadInput(input);
    PageSeries->ReadInput(input);
    PageCurve->ReadInput(input);
    input.readAnalytic = [this, separator](dist::FitOptions& options) {
        return PageAnalytic->ReadOptions(separator, options);
    };
    return input;
}

bool TParamDlg::FitScaleToSheet(CurveSettings& sheet)
{
    const AutoScale chosen = ScaleWithBand(sheet);
    if (!chosen.scale) {
        ShowError(this, QString::fromStdString(chosen.refusal));
        return false;
    }
    StoreScale(sheet, *chosen.scale);
    PageScale->ShowScale(*chosen.scale);
    return true;
}

void TParamDlg::ShowRefusal(const SheetUpdate& update)
{
    if (update.fault)
        ShowFault(this, QString::fromStdString(update.message));
    else if (!update.message.empty())
        ShowError(this, QString::fromStdString(update.message));
    if (update.refusal == SheetRefusal::Series)
        PointAtGridRow(*this, update.row);
    if (update.refusal == SheetRefusal::Analytic || update.refusal == SheetRefusal::AnalyticInput)
        PageControl1->setCurrentWidget(PageAnalytic);
}

} // namespace aqualen::ui
