// Pastes into the curve grid's value column: a block of several columns goes
// in as the column taken in the importer's choice (nothing when cancelled),
// and a paste that grows the table below empty value cells asks whether to
// start at the first of them instead of making them points.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>

#include <gtest/gtest.h>

#include "curve/ui/param_dlg.h"
#include "curve/ui/series_grid_model.h"
#include "curve/ui/series_grid_view.h"
#include "curve/ui/up_down.h"
#include "series/ui/decimal_separator.h"
#include "support/recording_file_dialogs.h"
#include "support/recording_messages.h"

namespace aqualen::ui {
namespace {

std::string Local(std::string text)
{
    for (char& c : text)
        if (c == ',')
            c = SystemDecimalSeparator();
    return text;
}

QString Values(int count, int first)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QString::number(first + i) + QStringLiteral("\r\n");
    return text;
}

class GridPasteTest : public ::testing::Test {
protected:
    GridPasteTest() { dialog.CheckBox1->setChecked(true); }
    std::string Value(int row) const { return dialog.GridCells->Cells().Get(SeriesGridCells::kValueColumn, row); }
    void Paste(const QString& text, int row)
    {
        QGuiApplication::clipboard()->setText(text);
        dialog.StringGrid1->SetCurrentRow(row);
        dialog.PasteExecute();
    }

    test::RecordingMessages messages;
    test::RecordingFileDialogs dialogs;
    CurveSettings settings;
    TParamDlg dialog{settings, nullptr};
};

TEST_F(GridPasteTest, YearsAndValuesGoInAsTheValueColumn)
{
    dialogs.columnAnswer = ColumnChoice{1, true};
    Paste(QStringLiteral("Год\tQ\r\n1990\t12.5\r\n1991\t9\r\n1992\t7,25\r\n"), 1);
    ASSERT_EQ(dialogs.tablesShown.size(), 1u);
    EXPECT_EQ(dialogs.tablesShown[0].columns, 2u);
    EXPECT_EQ(Value(1), Local("12,5"));
    EXPECT_EQ(Value(2), "9");
    EXPECT_EQ(Value(3), Local("7,25"));
    EXPECT_EQ(Value(4), "");                            // the row below the block is untouched
    EXPECT_EQ(dialog.GridCells->Cells().Get(3, 1), ""); // no year beyond the value column
}

TEST_F(GridPasteTest, ACancelledChoicePastesNothing)
{
    dialog.GridCells->setData(dialog.GridCells->index(0, 2), QStringLiteral("5"), Qt::EditRole);
    dialogs.columnAnswer.reset();
    Paste(QStringLiteral("1990\t12\r\n1991\t9\r\n"), 1);
    EXPECT_EQ(dialogs.tablesShown.size(), 1u);
    EXPECT_EQ(Value(1), "5");
    EXPECT_EQ(Value(2), "");
    EXPECT_EQ(dialog.PointCount(), 10);
}

TEST_F(GridPasteTest, APasteBelowEmptyRowsAsksWhereToStart)
{
    struct Case {
        const char* what;
        std::vector<Answer> answers;
        int firstValueRow; // 0: nothing pasted
        int points;
    };
    const Case cases[] = {
        {"from row 1", {Answer::Yes}, 1, 60},
        {"where the cursor is", {Answer::No}, 2, 61},
        {"cancelled", {Answer::Cancel}, 0, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TParamDlg fresh(settings, nullptr);
        fresh.CheckBox1->setChecked(true);
        messages.answers = c.answers;
        messages.questions.clear();
        QGuiApplication::clipboard()->setText(Values(60, 100));
        fresh.StringGrid1->SetCurrentRow(2);
        fresh.PasteExecute();
        ASSERT_EQ(messages.questions.size(), 1u);
        EXPECT_TRUE(messages.questions[0].startsWith(QStringLiteral("Строка 1 над вставкой пуста")));
        const SeriesGridCells& cells = fresh.GridCells->Cells();
        EXPECT_EQ(fresh.PointCount(), c.points);
        if (c.firstValueRow == 0) {
            EXPECT_EQ(cells.Get(SeriesGridCells::kValueColumn, 2), "");
            continue;
        }
        EXPECT_EQ(cells.Get(SeriesGridCells::kValueColumn, c.firstValueRow), "100");
        EXPECT_EQ(cells.Get(SeriesGridCells::kValueColumn, c.firstValueRow + 59), "159");
        EXPECT_EQ(fresh.StringGrid1->CurrentRow(), c.firstValueRow);
    }
}

TEST_F(GridPasteTest, APasteBelowValuesOrWithinTheRowsAsksNothing)
{
    Paste(Values(3, 1), 1);
    Paste(Values(3, 10), 4); // continues the series
    Paste(Values(2, 20), 2); // over values
    EXPECT_TRUE(messages.questions.empty());
    EXPECT_EQ(Value(1), "1");
    EXPECT_EQ(Value(2), "20");
    EXPECT_EQ(Value(3), "21");
    EXPECT_EQ(Value(4), "10");
    EXPECT_EQ(Value(6), "12");
    // Rows 4..6 emptied: a paste at row 6 that stays within the ten rows is
    // where the user put it; one past row 10 asks about rows 4 and 5.
    for (int row = 4; row <= 6; ++row)
        dialog.GridCells->Cells().Set(SeriesGridCells::kValueColumn, row, {});
    Paste(Values(5, 40), 6);
    EXPECT_TRUE(messages.questions.empty());
    EXPECT_EQ(Value(6), "40");
    messages.answers = {Answer::Yes};
    Paste(Values(6, 30), 6);
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_TRUE(messages.questions[0].startsWith(QStringLiteral("Строки 4–5 над вставкой пусты")));
    EXPECT_EQ(Value(4), "30");
    EXPECT_EQ(Value(9), "35");
    EXPECT_EQ(Value(10), "44"); // the rows below the block keep theirs
    EXPECT_EQ(dialog.PointCount(), 10);
}

} // namespace
} // namespace aqualen::ui
