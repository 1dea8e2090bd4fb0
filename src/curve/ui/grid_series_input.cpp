#include "curve/ui/grid_series_input.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <algorithm>
#include <optional>
#include <string>

#include "curve/series_grid_cells.h"
#include "curve/ui/param_dlg.h"
#include "curve/ui/series_grid_model.h"
#include "curve/ui/series_grid_view.h"
#include "curve/ui/up_down.h"
#include "series/series_lines.h"
#include "series/ui/message_service.h"
#include "series/ui/series_files.h"
#include "series/ui/take_series.h"

namespace aqualen::ui {

void CoverPastedRows(TParamDlg& dialog, int lastRow)
{
    constexpr int kMax = SeriesGridCells::kMaxPoints;
    if (lastRow > dialog.PointCount())
        dialog.UpDown2->SetPosition(std::min(lastRow, kMax));
    if (lastRow > kMax)
        ShowWarning(&dialog,
                    QStringLiteral("В таблице не более %1 точек: значения после %1-й строки не взяты!").arg(kMax));
}

void LoadFileIntoGrid(TParamDlg& dialog, const QString& path)
{
    const std::optional<SeriesLines> lines = ReadSeriesFileLines(&dialog, path);
    if (!lines)
        return;
    dialog.StringGrid1->CommitEdit();
    SeriesGridCells& cells = dialog.GridCells->Cells();
    ClearValues(cells);
    const int count = static_cast<int>(std::min<size_t>(lines->size(), SeriesGridCells::kMaxPoints));
    for (int row = 1; row <= count; ++row)
        cells.Set(SeriesGridCells::kValueColumn, row, (*lines)[static_cast<size_t>(row - 1)]);
    dialog.UpDown2->SetPosition(std::max(count, dialog.UpDown2->Minimum()));
    dialog.GridCells->CellsChanged();
    dialog.StringGrid1->SetCurrentRow(1);
    if (lines->size() > static_cast<size_t>(SeriesGridCells::kMaxPoints))
        CoverPastedRows(dialog, static_cast<int>(lines->size()));
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
