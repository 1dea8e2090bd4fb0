#include "curve/ui/param_dlg.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QToolButton>
#include <array>

#include "curve/auto_scale.h"
#include "curve/count_text.h"
#include "curve/series_grid_cells.h"
#include "curve/sheet_update.h"
#include "curve/smoothing_fit.h"
#include "curve/ui/analytic_page.h"
#include "curve/ui/glyphs.h"
#include "curve/ui/grid_series_input.h"
#include "curve/ui/scale_choice.h"
#include "curve/ui/series_grid_model.h"
#include "curve/ui/series_grid_view.h"
#include "curve/ui/up_down.h"
#include "series/number_text.h"
#include "series/ui/application_setup.h"
#include "series/ui/guarded.h"
#include "series/ui/message_service.h"
#include "series/ui/pane_text.h"
#include "series/ui/pasted_series.h"
#include "series/ui/radio_group.h"
#include "series/ui/series_files.h"
#include "series/ui/take_series.h"

namespace aqualen::ui {

namespace {

QLabel* Caption(const QString& text, int x, int y, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->adjustSize();
    label->move(x, y);
    return label;
}

QLineEdit* Box(const QString& text, const QRect& geometry, QWidget* parent)
{
    auto* box = new QLineEdit(text, parent);
    box->setGeometry(geometry);
    return box;
}

QToolButton* FlatButton(const QRect& geometry, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(18, 18));
    button->setGeometry(geometry);
    return button;
}

} // namespace

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
    PageControl1->addTab(CreateParametersPage(), QStringLiteral("Параметры"));
    PageControl1->addTab(CreateScalePage(), QStringLiteral("Шкала"));
    PageControl1->addTab(CreateSeriesPage(), QStringLiteral("Ряд данных"));
    PageControl1->addTab(CreateCurvePage(), QStringLiteral("Кривая"));
    PageAnalytic = new AnalyticPage(PageControl1);
    PageControl1->addTab(PageAnalytic, QStringLiteral("Аналитическая кривая"));
    FitTabsToWidth(*PageControl1);
    PageControl1->setCurrentIndex(0);

    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setGeometry(420 - 2 * 83 - 8, 600 - 39 + 7, 75, 25);
    // Enter in an edit box moves on (keyPressEvent): only the OK button
    // itself, clicked or with the focus, commits.
    btnCansel = new QPushButton(QStringLiteral("Отмена"), this);
    btnCansel->setGeometry(420 - 83, 600 - 39 + 7, 75, 25);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCansel, &QPushButton::clicked, this, &QDialog::reject);

    edAdditionalPoint->setText(
        QString::fromStdString(FormatGeneral(CurveSettings{}.AdditionalStep, SystemDecimalSeparator())));
    GridCells->Cells().Set(0, 0, "№");
    GridCells->Cells().Set(1, 0, "P, %");
    GridCells->Cells().Set(2, 0, "Значения");
    StringGrid1->setColumnWidth(0, 40);
    StringGrid1->setColumnWidth(1, 60);
    StringGrid1->setColumnWidth(2, StringGrid1->viewport()->width() - 104);
    Edit2Change();
    StringGrid1->SetCurrentRow(1);
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

QWidget* TParamDlg::CreateParametersPage()
{
    auto* page = new QWidget;
    Caption(QStringLiteral("Радиус точек"), 16, 14, page);
    Edit1 = Box(QStringLiteral("3"), QRect(16, 32, 40, 21), page);
    UpDown1 = new UpDown(Edit1, 1, 20, 3, page);
    Caption(QStringLiteral("Название"), 16, 68, page);
    edNameKrOb = Box(QStringLiteral("Название кривой обеспеченности"), QRect(16, 86, 377, 21), page);
    Caption(QStringLiteral("Подпись оси значений"), 16, 122, page);
    edAxisName = Box(QString::fromUtf8(kDefaultAxisName), QRect(16, 140, 377, 21), page);
    RadioGroup1 = new RadioGroup(QStringLiteral("Сетка вероятности, %"),
                                 {QStringLiteral("от 0.1 до 99.9"), QStringLiteral("от 0.01 до 99.99")}, page);
    RadioGroup1->setGeometry(16, 180, 377, 72);
    RadioGroup1->SetItemIndex(0);
    cbLegend = new QCheckBox(QStringLiteral("Легенда"), page);
    cbLegend->setGeometry(16, 268, 377, 20);
    cbLegend->setChecked(CurveSettings{}.Legend);
    cbReturnPeriods = new QCheckBox(QStringLiteral("Ось периодов повторяемости «T, лет»"), page);
    cbReturnPeriods->setGeometry(16, 294, 377, 20);
    cbReturnPeriods->setChecked(CurveSettings{}.ReturnPeriodAxis);
    connect(Edit1, &QLineEdit::textChanged, this, &TParamDlg::Edit1Change);
    return page;
}

QWidget* TParamDlg::CreateScalePage()
{
    auto* page = new QWidget;
    const std::array<QString, 4> captions{QStringLiteral("Максимум"), QStringLiteral("Минимум"),
                                          QStringLiteral("Основные деления"), QStringLiteral("Промежуточные деления")};
    // The additional step is written once the dialog is made, in the locale's notation.
    const CurveSettings defaults;
    const std::array<QString, 4> texts{QString::number(defaults.ScaleMax), QString::number(defaults.ScaleMin),
                                       QString::number(defaults.MainStep), QString()};
    std::array<QLineEdit*, 4> boxes{};
    for (size_t i = 0; i < boxes.size(); ++i) {
        const int top = 14 + static_cast<int>(i) * 54;
        Caption(captions[i], 16, top, page);
        boxes[i] = Box(texts[i], QRect(16, top + 18, 150, 21), page);
    }
    edMax = boxes[0];
    edMin = boxes[1];
    edMainPoint = boxes[2];
    edAdditionalPoint = boxes[3];
    btnAutoScale = new QPushButton(QStringLiteral("Подобрать по ряду"), page);
    btnAutoScale->setGeometry(16, 236, 150, 25);
    connect(btnAutoScale, &QPushButton::clicked, this, &TParamDlg::btnAutoScaleClick);
    return page;
}

QWidget* TParamDlg::CreateSeriesPage()
{
    auto* page = new QWidget;
    GridCells = new SeriesGridModel(this);
    StringGrid1 = new SeriesGridView(GridCells, page);
    StringGrid1->setGeometry(8, 8, 225, 441);
    AcceptFileDrops(*StringGrid1->viewport(),
                    [this](const QString& path) { RunGuarded(this, [&] { LoadFileIntoGrid(*this, path); }); });

    CheckBox1 = new QCheckBox(QStringLiteral("Ввести ряд"), page);
    CheckBox1->setGeometry(248, 8, 150, 20);
    Caption(QStringLiteral("Число точек"), 248, 40, page);
    Edit2 = Box(QStringLiteral("10"), QRect(248, 58, 50, 21), page);
    UpDown2 = new UpDown(Edit2, CurveSettings::kMinPoints, CurveSettings::kMaxPoints, 10, page);

    sbCut = FlatButton(QRect(248, 96, 27, 27), page);
    sbCopy = FlatButton(QRect(277, 96, 27, 27), page);
    sbPaste = FlatButton(QRect(306, 96, 27, 27), page);
    StringGrid1->addActions({Cut, Copy, Paste});
    sbCut->setDefaultAction(Cut);
    sbCopy->setDefaultAction(Copy);
    sbPaste->setDefaultAction(Paste);
    sbClear = FlatButton(QRect(248, 128, 27, 27), page);
    sbClear->setIcon(GlyphIcon(Glyph::Clear, 18));
    sbClear->setToolTip(QStringLiteral("Удалить ряд"));
    sbSorted = FlatButton(QRect(277, 128, 27, 27), page);
    sbSorted->setIcon(GlyphIcon(Glyph::Sort, 18));
    sbSorted->setToolTip(QStringLiteral("Сортировать ряд"));

    btnTakeSeries = new QPushButton(QString::fromUtf8(kTakeSeriesText), page);
    btnTakeSeries->setGeometry(248, 170, 156, 40);
    btnTakeSeries->setStyleSheet(QStringLiteral("text-align: left; padding: 2px 4px"));
    connect(btnTakeSeries, &QPushButton::clicked, this, [this] { RunGuarded(this, [&] { TakeMainSeries(*this); }); });

    RadioGroupP = new RadioGroup(QStringLiteral("Формула расчёта обеспеченности:"),
                                 {QString::fromUtf8(PlottingFormulaText(PlottingFormula::Weibull)),
                                  QString::fromUtf8(PlottingFormulaText(PlottingFormula::Chegodayev))},
                                 page);
    RadioGroupP->setGeometry(8, 456, 396, 70);
    RadioGroupP->SetItemIndex(0);

    connect(CheckBox1, &QCheckBox::toggled, this, &TParamDlg::CheckBox1Click);
    connect(Edit2, &QLineEdit::textChanged, this, &TParamDlg::Edit2Change);
    connect(RadioGroupP, &RadioGroup::Clicked, this, &TParamDlg::RadioGroupPClick);
    connect(sbClear, &QToolButton::clicked, this, &TParamDlg::sbClearClick);
    connect(sbSorted, &QToolButton::clicked, this, &TParamDlg::sbSortedClick);
    connect(StringGrid1, &SeriesGridView::KeyDown, this, &TParamDlg::StringGrid1KeyDown);
    connect(StringGrid1, &SeriesGridView::ClipboardKey, this, &TParamDlg::ClipboardKey);
    return page;
}

QWidget* TParamDlg::CreateCurvePage()
{
    auto* page = new QWidget;
    CheckBoxCurve = new QCheckBox(QString::fromUtf8(kSmoothingCurveName), page);
    CheckBoxCurve->setGeometry(16, 16, 250, 20);
    return page;
}

int TParamDlg::PointCount() const
{
    return UpDown2->Position();
}

PlottingFormula TParamDlg::Formula() const
{
    return RadioGroupP->ItemIndex() == 1 ? PlottingFormula::Chegodayev : PlottingFormula::Weibull;
}

void TParamDlg::Edit1Change()
{
    RunGuarded(this, [&] {
        const QString text = Edit1->text();
        switch (CheckCountText(text.toStdString(), 0, 20)) {
        case CountTextVerdict::Valid:
            break;
        case CountTextVerdict::Reset:
            Edit1->setText(QStringLiteral("3"));
            break;
        case CountTextVerdict::NotInteger:
            ShowPlain(this, QStringLiteral("Следует ввести число!"));
            Edit1->setText(text.left(text.size() - 1));
            break;
        }
    });
}

void TParamDlg::Edit2Change()
{
    RunGuarded(this, [&] {
        GridCells->SetPointCount(PointCount());
        RadioGroupPClick();
    });
}

void TParamDlg::RadioGroupPClick()
{
    RunGuarded(this, [&] {
        FillProbabilityColumn(GridCells->Cells(), PointCount(), Formula(), SystemDecimalSeparator());
        GridCells->CellsChanged();
    });
}

void TParamDlg::CheckBox1Click()
{
    const bool on = CheckBox1->isChecked();
    StringGrid1->setEnabled(on);
    Edit2->setEnabled(on);
    UpDown2->setEnabled(on);
    Cut->setEnabled(on);
    Copy->setEnabled(on);
    Paste->setEnabled(on);
    sbClear->setEnabled(on);
    sbSorted->setEnabled(on);
    btnAutoScale->setEnabled(on);
    if (!on)
        CheckBoxCurve->setChecked(false);
    CheckBoxCurve->setEnabled(on);
}

void TParamDlg::StringGrid1KeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return;
    const int row = StringGrid1->CurrentRow();
    if (row < PointCount())
        StringGrid1->SetCurrentRow(row + 1);
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
        PasteIntoGrid(*this, clipboard ? PastedText(*clipboard) : QString());
    });
}

void TParamDlg::sbClearClick()
{
    RunGuarded(this, [&] {
        StringGrid1->CommitEdit();
        ClearValues(GridCells->Cells());
        GridCells->CellsChanged();
    });
}

void TParamDlg::sbSortedClick()
{
    RunGuarded(this, [&] {
        StringGrid1->CommitEdit();
        // The sort reorders the grid only: the sheet takes the series on OK,
        // and a cancel puts the grid back as it was, unsorted.
        CurveSettings scratch;
        const bool read =
            SortSeries(GridCells->Cells(), PointCount(), CheckBox1->isChecked(), scratch, SystemDecimalSeparator());
        GridCells->CellsChanged();
        if (!read) {
            ShowError(this, QString::fromUtf8(kSeriesInputError));
            PointAtGridRow(*this, scratch.Values.Count() + 1);
        }
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
        ShowScale(*chosen.scale);
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
    openedCells_ = GridCells->Cells();
}

void TParamDlg::RestoreSnapshot()
{
    // An edit in progress goes with the rest of what was changed.
    StringGrid1->CommitEdit();
    controls_.Restore();
    CheckBox1Click();
    PageAnalytic->UpdateControls();
    GridCells->Cells() = openedCells_;
    GridCells->SetPointCount(PointCount());
    GridCells->CellsChanged();
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
    input.fineGrid = RadioGroup1->ItemIndex() == 1;
    input.pointRadius = UpDown1->Position();
    input.title = edNameKrOb->text().toStdString();
    input.axisName = edAxisName->text().toStdString();
    input.legend = cbLegend->isChecked();
    input.returnPeriodAxis = cbReturnPeriods->isChecked();
    input.scaleTexts = {edMax->text().toStdString(), edMin->text().toStdString(), edMainPoint->text().toStdString(),
                        edAdditionalPoint->text().toStdString()};
    input.seriesOn = CheckBox1->isChecked();
    input.pointCount = PointCount();
    input.formula = Formula();
    input.smoothCurve = CheckBoxCurve->isChecked();
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
    ShowScale(*chosen.scale);
    return true;
}

void TParamDlg::ShowScale(const SheetScale& scale)
{
    const std::array<QString, 4> texts = ScaleTexts(scale, SystemDecimalSeparator());
    const std::array<QLineEdit*, 4> boxes{edMax, edMin, edMainPoint, edAdditionalPoint};
    for (size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(texts[i]);
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
