#include "curve/ui/series_page.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <utility>

#include "curve/curve_settings.h"
#include "curve/series_grid_cells.h"
#include "curve/sheet_update.h"
#include "curve/ui/glyphs.h"
#include "curve/ui/grid_series_input.h"
#include "curve/ui/page_controls.h"
#include "curve/ui/series_grid_model.h"
#include "curve/ui/series_grid_view.h"
#include "curve/ui/up_down.h"
#include "series/ui/decimal_separator.h"
#include "series/ui/guarded.h"
#include "series/ui/message_service.h"
#include "series/ui/radio_group.h"
#include "series/ui/series_files.h"
#include "series/ui/take_series.h"

namespace aqualen::ui {

namespace {

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

SeriesPage::SeriesPage(QAction* cut, QAction* copy, QAction* paste, QWidget* parent) : QWidget(parent)
{
    GridCells = new SeriesGridModel(this);
    StringGrid1 = new SeriesGridView(GridCells, this);
    StringGrid1->setGeometry(8, 8, 225, 441);
    AcceptFileDrops(*StringGrid1->viewport(),
                    [this](const QString& path) { RunGuarded(this, [&] { LoadFileIntoGrid(*this, path); }); });

    CheckBox1 = new QCheckBox(QStringLiteral("Ввести ряд"), this);
    CheckBox1->setGeometry(248, 8, 150, 20);
    PlaceCaption(QStringLiteral("Число точек"), 248, 40, this);
    Edit2 = PlaceBox(QStringLiteral("10"), QRect(248, 58, 50, 21), this);
    UpDown2 = new UpDown(Edit2, CurveSettings::kMinPoints, CurveSettings::kMaxPoints, 10, this);

    sbCut = FlatButton(QRect(248, 96, 27, 27), this);
    sbCopy = FlatButton(QRect(277, 96, 27, 27), this);
    sbPaste = FlatButton(QRect(306, 96, 27, 27), this);
    StringGrid1->addActions({cut, copy, paste});
    sbCut->setDefaultAction(cut);
    sbCopy->setDefaultAction(copy);
    sbPaste->setDefaultAction(paste);
    sbClear = FlatButton(QRect(248, 128, 27, 27), this);
    sbClear->setIcon(GlyphIcon(Glyph::Clear, 18));
    sbClear->setToolTip(QStringLiteral("Удалить ряд"));
    sbSorted = FlatButton(QRect(277, 128, 27, 27), this);
    sbSorted->setIcon(GlyphIcon(Glyph::Sort, 18));
    sbSorted->setToolTip(QStringLiteral("Сортировать ряд"));

    btnTakeSeries = new QPushButton(QString::fromUtf8(kTakeSeriesText), this);
    btnTakeSeries->setGeometry(248, 170, 156, 40);
    btnTakeSeries->setStyleSheet(QStringLiteral("text-align: left; padding: 2px 4px"));

    RadioGroupP = new RadioGroup(QStringLiteral("Формула расчёта обеспеченности:"),
                                 {QString::fromUtf8(PlottingFormulaText(PlottingFormula::Weibull)),
                                  QString::fromUtf8(PlottingFormulaText(PlottingFormula::Chegodayev))},
                                 this);
    RadioGroupP->setGeometry(8, 456, 396, 70);
    RadioGroupP->SetItemIndex(0);

    connect(Edit2, &QLineEdit::textChanged, this, &SeriesPage::Edit2Change);
    connect(RadioGroupP, &RadioGroup::Clicked, this, &SeriesPage::RadioGroupPClick);
    connect(sbClear, &QToolButton::clicked, this, &SeriesPage::sbClearClick);
    connect(sbSorted, &QToolButton::clicked, this, &SeriesPage::sbSortedClick);
    connect(StringGrid1, &SeriesGridView::KeyDown, this, &SeriesPage::StringGrid1KeyDown);
}

void SeriesPage::SetUpGrid()
{
    GridCells->Cells().Set(0, 0, "№");
    GridCells->Cells().Set(1, 0, "P, %");
    GridCells->Cells().Set(2, 0, "Значения");
    StringGrid1->setColumnWidth(0, 40);
    StringGrid1->setColumnWidth(1, 60);
    StringGrid1->setColumnWidth(2, StringGrid1->viewport()->width() - 104);
    Edit2Change();
    StringGrid1->SetCurrentRow(1);
}

int SeriesPage::PointCount() const
{
    return UpDown2->Position();
}

PlottingFormula SeriesPage::Formula() const
{
    return RadioGroupP->ItemIndex() == 1 ? PlottingFormula::Chegodayev : PlottingFormula::Weibull;
}

void SeriesPage::ReadInput(SheetInput& input) const
{
    input.seriesOn = CheckBox1->isChecked();
    input.pointCount = PointCount();
    input.formula = Formula();
}

void SeriesPage::EnableTools(bool on)
{
    StringGrid1->setEnabled(on);
    Edit2->setEnabled(on);
    UpDown2->setEnabled(on);
    sbClear->setEnabled(on);
    sbSorted->setEnabled(on);
}

void SeriesPage::ShowCells(SeriesGridCells cells)
{
    GridCells->Cells() = std::move(cells);
    GridCells->SetPointCount(PointCount());
    GridCells->CellsChanged();
}

void SeriesPage::KeepOpenedCells()
{
    openedCells_ = GridCells->Cells();
}

void SeriesPage::RestoreOpenedCells()
{
    ShowCells(openedCells_);
}

void SeriesPage::Edit2Change()
{
    RunGuarded(this, [&] {
        GridCells->SetPointCount(PointCount());
        RadioGroupPClick();
    });
}

void SeriesPage::RadioGroupPClick()
{
    RunGuarded(this, [&] {
        FillProbabilityColumn(GridCells->Cells(), PointCount(), Formula(), SystemDecimalSeparator());
        GridCells->CellsChanged();
    });
}

void SeriesPage::StringGrid1KeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return;
    const int row = StringGrid1->CurrentRow();
    if (row < PointCount())
        StringGrid1->SetCurrentRow(row + 1);
}

void SeriesPage::sbClearClick()
{
    RunGuarded(this, [&] {
        StringGrid1->CommitEdit();
        ClearValues(GridCells->Cells());
        GridCells->CellsChanged();
    });
}

void SeriesPage::sbSortedClick()
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
            emit RowRefused(scratch.Values.Count() + 1);
        }
    });
}

} // namespace aqualen::ui
