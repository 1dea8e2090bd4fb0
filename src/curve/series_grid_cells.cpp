#include "curve/series_grid_cells.h"

#include "series/float_fault.h"
#include "series/number_text.h"

namespace aqualen {

const std::string& SeriesGridCells::Get(int column, int row) const
{
    static const std::string empty;
    const auto found = cells_.find({row, column});
    return found == cells_.end() ? empty : found->second;
}

void SeriesGridCells::Set(int column, int row, std::string text)
{
    if (text.empty())
        cells_.erase({row, column});
    else
        cells_[{row, column}] = std::move(text);
}

void FillProbabilityColumn(SeriesGridCells& cells, int n, PlottingFormula formula, char separator)
{
    for (int m = 1; m <= n; ++m) {
        cells.Set(SeriesGridCells::kNumberColumn, m, std::to_string(m));
        // Integer numerator and denominator, divided in extended precision.
        const long double p = formula == PlottingFormula::Weibull
                                  ? static_cast<long double>(100 * m) / static_cast<long double>(n + 1)
                                  : (m - 0.3L) * 100 / (n + 0.4L);
        cells.Set(SeriesGridCells::kProbabilityColumn, m, FormatFixed(StoreDouble(p), 1, separator));
    }
}

bool ReadSeries(const SeriesGridCells& cells, int n, CurveSettings& settings, char separator)
{
    settings.Probabilities.Clear();
    settings.Values.Clear();
    for (int m = 1; m <= n; ++m) {
        const auto probability = ParseNumber(cells.Get(SeriesGridCells::kProbabilityColumn, m), separator);
        if (!probability)
            return false;
        settings.Probabilities.Add(*probability);
        const auto value = ParseNumber(cells.Get(SeriesGridCells::kValueColumn, m), separator);
        if (!value)
            return false;
        settings.Values.Add(*value);
    }
    return true;
}

bool SortSeries(SeriesGridCells& cells, int n, bool seriesOn, CurveSettings& settings, char separator)
{
    if (seriesOn) {
        if (!ReadSeries(cells, n, settings, separator))
            return false;
    } else {
        settings.Probabilities.Clear();
        settings.Values.Clear();
    }
    if (settings.Values.Count() >= 5) {
        settings.Values.SortDescending();
        for (int m = 1; m <= n; ++m)
            cells.Set(SeriesGridCells::kValueColumn, m, FormatGeneral(settings.Values.Get(m - 1), separator));
    }
    return true;
}

std::string CopyCells(const SeriesGridCells& cells, const CellRect& rect)
{
    std::string text;
    for (int row = rect.top; row <= rect.bottom; ++row) {
        for (int column = rect.left; column <= rect.right; ++column) {
            text += cells.Get(column, row);
            text += column == rect.right ? "\r\n" : "\t";
        }
    }
    if (text.size() >= 2)
        text.resize(text.size() - 2);
    return text;
}

std::string CutCells(SeriesGridCells& cells, const CellRect& rect)
{
    std::string text = CopyCells(cells, rect);
    for (int row = rect.top; row <= rect.bottom; ++row)
        for (int column = rect.left; column <= rect.right; ++column)
            cells.Set(column, row, {});
    return text;
}

int PasteCells(SeriesGridCells& cells, int startColumn, int startRow, std::string_view text)
{
    // Rows end in "\r\n" or, as text copied on this system does, in a lone
    // "\n"; a break after the last row starts no new row.
    if (text.ends_with("\r\n"))
        text.remove_suffix(2);
    else if (text.ends_with('\n'))
        text.remove_suffix(1);
    int column = startColumn;
    int row = startRow;
    std::string current;
    const auto flush = [&] {
        cells.Set(column, row, std::move(current));
        current.clear();
    };
    cells.Set(column, row, {});
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\t') {
            flush();
            ++column;
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            flush();
            ++row;
            column = startColumn;
            if (c == '\r')
                ++i;
        } else {
            current += c;
        }
    }
    flush();
    return row;
}

void ClearValues(SeriesGridCells& cells)
{
    for (int row = 1; row <= SeriesGridCells::kMaxPoints; ++row)
        cells.Set(SeriesGridCells::kValueColumn, row, {});
}

} // namespace aqualen
