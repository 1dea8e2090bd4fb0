// The series grid's window-free routines: the P column, the sort, and the
// clipboard texts in both directions.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "curve/count_text.h"
#include "curve/series_grid_cells.h"

namespace aqualen {
namespace {

constexpr int kValue = SeriesGridCells::kValueColumn;
constexpr int kP = SeriesGridCells::kProbabilityColumn;

std::vector<std::string> Column(const SeriesGridCells& cells, int column, int first, int last)
{
    std::vector<std::string> texts;
    for (int row = first; row <= last; ++row)
        texts.push_back(cells.Get(column, row));
    return texts;
}

void SetValues(SeriesGridCells& cells, int firstRow, const std::vector<std::string>& texts)
{
    for (size_t i = 0; i < texts.size(); ++i)
        cells.Set(kValue, firstRow + static_cast<int>(i), texts[i]);
}

TEST(FillProbabilityColumn, TenPointsBothFormulasWithTheSeparatorGiven)
{
    SeriesGridCells cells;
    FillProbabilityColumn(cells, 10, PlottingFormula::Weibull, ',');
    EXPECT_EQ(Column(cells, kP, 1, 10), (std::vector<std::string>{"9,1", "18,2", "27,3", "36,4", "45,5", "54,5", "63,6",
                                                                  "72,7", "81,8", "90,9"}));
    EXPECT_EQ(Column(cells, 0, 1, 10), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    FillProbabilityColumn(cells, 10, PlottingFormula::Chegodayev, '.');
    EXPECT_EQ(Column(cells, kP, 1, 10), (std::vector<std::string>{"6.7", "16.3", "26.0", "35.6", "45.2", "54.8", "64.4",
                                                                  "74.0", "83.7", "93.3"}));
}

TEST(FillProbabilityColumn, FivePointsLeaveLaterRowsAndValuesAlone)
{
    SeriesGridCells cells;
    FillProbabilityColumn(cells, 10, PlottingFormula::Weibull, ',');
    cells.Set(kValue, 2, "7");
    FillProbabilityColumn(cells, 5, PlottingFormula::Weibull, ',');
    EXPECT_EQ(Column(cells, kP, 1, 5), (std::vector<std::string>{"16,7", "33,3", "50,0", "66,7", "83,3"}));
    EXPECT_EQ(cells.Get(kP, 6), "54,5"); // hidden, not erased
    EXPECT_EQ(cells.Get(kValue, 2), "7");
}

TEST(FillProbabilityColumn, FiveHundredPointsEndBelowOneHundred)
{
    SeriesGridCells cells;
    FillProbabilityColumn(cells, 500, PlottingFormula::Weibull, '.');
    EXPECT_EQ(cells.Get(kP, 1), "0.2");
    EXPECT_EQ(cells.Get(kP, 500), "99.8");
    EXPECT_EQ(cells.Get(0, 500), "500");
}

TEST(SortSeries, SortsLargestFirstAndStoresTheLists)
{
    SeriesGridCells cells;
    CurveSettings settings;
    FillProbabilityColumn(cells, 5, PlottingFormula::Weibull, ',');
    SetValues(cells, 1, {"3", "1", "2", "3,0", "5"});
    ASSERT_TRUE(SortSeries(cells, 5, true, settings, ','));
    EXPECT_EQ(Column(cells, kValue, 1, 5), (std::vector<std::string>{"5", "3", "3", "2", "1"}));
    ASSERT_EQ(settings.Values.Count(), 5);
    EXPECT_EQ(settings.Values.Get(0), 5);
    EXPECT_EQ(settings.Values.Get(4), 1);
    ASSERT_EQ(settings.Probabilities.Count(), 5);
    EXPECT_DOUBLE_EQ(settings.Probabilities.Get(0), 16.7); // not reordered
    EXPECT_DOUBLE_EQ(settings.Probabilities.Get(4), 83.3);
}

TEST(SortSeries, StopsAtTheFirstBadCellKeepingWhatWasRead)
{
    SeriesGridCells cells;
    CurveSettings settings;
    FillProbabilityColumn(cells, 5, PlottingFormula::Weibull, ',');
    SetValues(cells, 1, {"3", "1", "", "4", "5"});
    EXPECT_FALSE(SortSeries(cells, 5, true, settings, ','));
    EXPECT_EQ(settings.Probabilities.Count(), 3); // the failing row's probability too
    EXPECT_EQ(settings.Values.Count(), 2);
    EXPECT_EQ(Column(cells, kValue, 1, 2), (std::vector<std::string>{"3", "1"})); // unsorted

    // A point typed with the other separator does not read either.
    SetValues(cells, 3, {"2.5"});
    EXPECT_FALSE(SortSeries(cells, 5, true, settings, ','));
}

TEST(SortSeries, WithTheSeriesOffEmptiesTheListsAndTouchesNoCell)
{
    SeriesGridCells cells;
    CurveSettings settings;
    settings.Values.Add(1);
    settings.Probabilities.Add(1);
    SetValues(cells, 1, {"1", "2", "3", "4", "5"});
    EXPECT_TRUE(SortSeries(cells, 5, false, settings, ','));
    EXPECT_EQ(settings.Values.Count(), 0);
    EXPECT_EQ(settings.Probabilities.Count(), 0);
    EXPECT_EQ(cells.Get(kValue, 1), "1");
}

TEST(CopyCells, JoinsRowsWithCrLfAndNoBreakAtTheEnd)
{
    SeriesGridCells cells;
    SetValues(cells, 2, {"5", "6", "7"});
    EXPECT_EQ(CopyCells(cells, {kValue, 2, kValue, 4}), "5\r\n6\r\n7");
    EXPECT_EQ(CopyCells(cells, {kValue, 3, kValue, 3}), "6");
    cells.Set(3, 2, "x");
    EXPECT_EQ(CopyCells(cells, {kValue, 2, 3, 3}), "5\tx\r\n6\t");

    EXPECT_EQ(CutCells(cells, {kValue, 2, kValue, 4}), "5\r\n6\r\n7");
    EXPECT_EQ(Column(cells, kValue, 2, 4), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(cells.Get(3, 2), "x"); // outside the rectangle
}

TEST(PasteCells, AColumnEndingInALineBreakLeavesTheCellBelowAlone)
{
    SeriesGridCells cells;
    SetValues(cells, 1, {"a", "b", "c", "d", "e", "f", "g"});
    EXPECT_EQ(PasteCells(cells, kValue, 3, "10\r\n11\r\n12\r\n"), 5) << "the last row reached";
    EXPECT_EQ(Column(cells, kValue, 1, 7), (std::vector<std::string>{"a", "b", "10", "11", "12", "f", "g"}));

    // Without the final break the same: the user's value below stays.
    PasteCells(cells, kValue, 1, "1\r\n2");
    EXPECT_EQ(Column(cells, kValue, 1, 3), (std::vector<std::string>{"1", "2", "10"}));

    // An empty line inside the text is a row of its own and empties it.
    PasteCells(cells, kValue, 1, "7\r\n\r\n9\r\n");
    EXPECT_EQ(Column(cells, kValue, 1, 4), (std::vector<std::string>{"7", "", "9", "11"}));
}

TEST(PasteCells, EmptyTextEmptiesTheStartCellOnly)
{
    SeriesGridCells cells;
    SetValues(cells, 1, {"1", "2"});
    PasteCells(cells, kValue, 1, "");
    EXPECT_EQ(cells.Get(kValue, 1), "");
    EXPECT_EQ(cells.Get(kValue, 2), "2");
    PasteCells(cells, kValue, 2, "\r\n");
    EXPECT_EQ(cells.Get(kValue, 2), "");
}

TEST(PasteCells, TabsGoToHiddenColumnsAndLineFeedsEndRows)
{
    SeriesGridCells cells;
    PasteCells(cells, kValue, 1, "4\t5\r\n6\t7");
    EXPECT_EQ(cells.Get(kValue, 1), "4");
    EXPECT_EQ(cells.Get(3, 1), "5");
    EXPECT_EQ(cells.Get(kValue, 2), "6");
    EXPECT_EQ(cells.Get(3, 2), "7");

    // Text copied on this system ends its rows in a lone line feed; a lone
    // carriage return stays inside the cell.
    SetValues(cells, 1, {"a", "b", "c", "d"});
    PasteCells(cells, kValue, 1, "1\n2\r3\n");
    EXPECT_EQ(Column(cells, kValue, 1, 3), (std::vector<std::string>{"1", "2\r3", "c"}));
}

TEST(PasteCells, RowsBeyondTheLastPointKeepTheirTexts)
{
    SeriesGridCells cells;
    EXPECT_EQ(PasteCells(cells, kValue, 499, "1\r\n2\r\n3"), 501);
    EXPECT_EQ(cells.Get(kValue, 501), "3");
    ClearValues(cells);
    EXPECT_EQ(cells.Get(kValue, 499), "");
    EXPECT_EQ(cells.Get(kValue, 501), "3"); // "Удалить ряд" stops at row 500
}

TEST(CountText, IntegersWithinTheRangeOnly)
{
    EXPECT_EQ(CheckCountText("5", 0, 20), CountTextVerdict::Valid);
    EXPECT_EQ(CheckCountText("0", 0, 20), CountTextVerdict::Valid);
    EXPECT_EQ(CheckCountText("-0", 0, 20), CountTextVerdict::Valid);
    EXPECT_EQ(CheckCountText("25", 0, 20), CountTextVerdict::Reset);
    EXPECT_EQ(CheckCountText("-1", 0, 20), CountTextVerdict::Reset);
    EXPECT_EQ(CheckCountText("", 0, 20), CountTextVerdict::Reset);
    EXPECT_EQ(CheckCountText("3x", 0, 20), CountTextVerdict::NotInteger);
    EXPECT_EQ(CheckCountText("-", 0, 20), CountTextVerdict::NotInteger);
    EXPECT_EQ(CheckCountText("1.5", 0, 20), CountTextVerdict::NotInteger);
    EXPECT_EQ(CheckCountText("99999999999", 0, 20), CountTextVerdict::NotInteger);
    EXPECT_EQ(ReadInteger(" 12"), 12);
    EXPECT_EQ(ReadInteger("2147483647"), 2147483647);
    EXPECT_EQ(ReadInteger("-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(ReadInteger("2147483648"));
    EXPECT_FALSE(ReadInteger("12 "));
}

} // namespace
} // namespace aqualen
