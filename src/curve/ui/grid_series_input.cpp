#include "curve/ui/grid_series_input.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "curve/series_grid_cells.h"
#include "curve/ui/param_dlg.h"
#include "curve/ui/series_grid_model.h"
#include "curve/ui/series_grid_view.h"
#include "curve/ui/series_page.h"
#include "curve/ui/up_down.h"
#include "series/series_lines.h"
#include "series/ui/message_service.h"
#include "series/ui/pasted_series.h"
#include "series/ui/series_files.h"
#include "series/ui/take_series.h"

namespace aqualen::ui {

namespace {

// The first of the empty value cells directly above `row`; `row` itself
// when the cell above holds a value.
int FirstEmptyRowAbove(const SeriesGridCells& cells, int row)
{
    int first = row;
    while (first > 1 && cells.Get(SeriesGridCells::kValueColumn, first - 1).empty())
        --first;
    return first;
}

// The rows PasteCells moves down by: its row breaks less one at the very end.
int PastedRowBreaks(std::string_view text)
{
    if (text.ends_with('\n'))
        text.remove_suffix(1);
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

QString EmptyRowsQuestion(int first, int start)
{
    const QString rows = first + 1 == start
                             ? QStringLiteral("Строка %1 над вставкой пуста").arg(first)
                             : QStringLiteral("Строки %1–%2 над вставкой пусты").arg(first).arg(start - 1);
    return QStringLiteral("%1, и ряд начнется с пропуска.\nВставить с %2-й строки?\n(«Нет» — вставить с %3-й строки.)")
        .arg(rows)
        .arg(first)
        .arg(start);
}

} // namespace

void PasteIntoGrid(SeriesPage& page, const QString& text)
{
    const PastedSeries pasted = TakePastedSeries(&page, text);
    if (pasted.kind == PastedSeries::Kind::Cancelled)
        return;
    std::string block;
    if (pasted.kind == PastedSeries::Kind::Column) {
        for (size_t i = 0; i < pasted.column.lines.size(); ++i)
            block += (i > 0 ? "\n" : "") + pasted.column.lines[i];
    } else {
        block = pasted.text.toStdString();
    }
    SeriesGridCells& cells = page.GridCells->Cells();
    int start = page.StringGrid1->CurrentRow();
    // A block that runs past the last row grows the table to hold it, and
    // the empty rows above it would silently become points of the series.
    const int first = FirstEmptyRowAbove(cells, start);
    if (first < start && start + PastedRowBreaks(block) > page.PointCount()) {
        switch (AskYesNoCancel(&page, EmptyRowsQuestion(first, start))) {
        case Answer::Yes:
            start = first;
            break;
        case Answer::No:
            break;
        case Answer::Cancel:
            return;
        }
    }
    const int lastRow = PasteCells(cells, SeriesGridCells::kValueColumn, start, block);
    page.GridCells->CellsChanged();
    page.StringGrid1->SetCurrentRow(start);
    CoverPastedRows(page, lastRow);
}

void CoverPastedRows(SeriesPage& page, int lastRow)
{
    constexpr int kMax = SeriesGridCells::kMaxPoints;
    if (lastRow > page.PointCount())
        page.UpDown2->SetPosition(std::min(lastRow, kMax));
    if (lastRow > kMax)
        ShowWarning(&page,
                    QStringLiteral("В таблице не более %1 точек: значения после %1-й строки не взяты!").arg(kMax));
}

void LoadFileIntoGrid(SeriesPage& page, const QString& path)
{
    const std::optional<SeriesLines> lines = ReadSeriesFileLines(&page, path);
    if (!lines)
        return;
    page.StringGrid1->CommitEdit();
    SeriesGridCells& cells = page.GridCells->Cells();
    ClearValues(cells);
    const int count = static_cast<int>(std::min<size_t>(lines->size(), SeriesGridCells::kMaxPoints));
    for (int row = 1; row <= count; ++row)
        cells.Set(SeriesGridCells::kValueColumn, row, (*lines)[static_cast<size_t>(row - 1)]);
    page.UpDown2->SetPosition(std::max(count, page.UpDown2->Minimum()));
    page.GridCells->CellsChanged();
    page.StringGrid1->SetCurrentRow(1);
    if (lines->size() > static_cast<size_t>(SeriesGridCells::kMaxPoints))
        CoverPastedRows(page, static_cast<int>(lines->size()));
}

void TakeMainSeries(TParamDlg& dialog)
{
    const std::optional<PaneSeries> series = ProvidedSeries(dialog);
    if (!series || series->text.isEmpty()) {
        ShowPlain(&dialog, QString::fromUtf8(kNoMainSeriesText));
        return;
    }
    const SeriesLines lines = SplitLines(series->text.toStdString());
    const int count = static_cast<int>(std::min<size_t>(lines.size(), SeriesGridCells::kMaxPoints + 1));
    if (count < dialog.UpDown2->Minimum() || count > dialog.UpDown2->Maximum()) {
        ShowError(&dialog, QStringLiteral("В таблице от %1 до %2 точек, а в ряду главного окна %3 значений!")
                               .arg(dialog.UpDown2->Minimum())
                               .arg(dialog.UpDown2->Maximum())
                               .arg(lines.size()));
        return;
    }
    dialog.StringGrid1->CommitEdit();
    dialog.CheckBox1->setChecked(true);
    SeriesGridCells& cells = dialog.GridCells->Cells();
    ClearValues(cells);
    for (int row = 1; row <= count; ++row)
        cells.Set(SeriesGridCells::kValueColumn, row, lines[static_cast<size_t>(row - 1)]);
    // Setting the count refills the row numbers and the P column.
    dialog.UpDown2->SetPosition(count);
    dialog.Edit2Change();
    dialog.StringGrid1->SetCurrentRow(1);
    if (const QString title = SeriesTitle(*series, count); !title.isEmpty())
        dialog.edNameKrOb->setText(title);
}

void PointAtGridRow(TParamDlg& dialog, int row)
{
    dialog.PageControl1->setCurrentWidget(dialog.StringGrid1->parentWidget());
    dialog.StringGrid1->SetCurrentRow(row);
    dialog.StringGrid1->scrollTo(dialog.StringGrid1->currentIndex());
    // Down to the row, but the row numbers stay in sight at the left.
    dialog.StringGrid1->horizontalScrollBar()->setValue(0);
    dialog.StringGrid1->setFocus(Qt::OtherFocusReason);
}

} // namespace aqualen::ui
