// The parameters dialog as the user meets it: Enter in an edit box never
// closes it, a paste past the last row grows the grid, a dropped file fills
// the grid, and a refused cell becomes the current one.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <utility>

#include <gtest/gtest.h>

#include "curve/series_grid_cells.h"
#include "curve/ui/grid_series_input.h"
#include "curve/ui/param_dlg.h"
#include "curve/ui/series_grid_model.h"
#include "curve/ui/series_grid_view.h"
#include "key_input.h"
#include "series/number_text.h"
#include "series/ui/pane_series.h"
#include "series/ui/pane_text.h"
#include "series/ui/take_series.h"
#include "support/file_drop.h"
#include "support/recording_file_dialogs.h"
#include "support/recording_messages.h"

namespace aqualen::ui {
namespace {

using test::KeyClick;
using test::RecordingMessages;

QString Column(int count, int start)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString::number(start + i);
    return lines.join(QStringLiteral("\r\n"));
}

class ParamDlgInputTest : public ::testing::Test {
protected:
    ParamDlgInputTest() { dialog.CheckBox1->setChecked(true); }

    RecordingMessages messages;
    test::RecordingFileDialogs dialogs;
    CurveSettings settings;
    TParamDlg dialog{settings, nullptr};
};

TEST_F(ParamDlgInputTest, EnterInAnEditBoxMovesOnAndNeverCommits)
{
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    for (QLineEdit* box : {dialog.Edit1, dialog.edNameKrOb, dialog.edAxisName}) {
        SCOPED_TRACE(box->text().toStdString());
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_Return, Qt::NoModifier}, std::pair{Qt::Key_Enter, Qt::KeypadModifier}}) {
            box->setFocus();
            KeyClick(box, key, modifiers);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_NE(dialog.focusWidget(), box) << "Enter goes on to the next control";
        }
    }
    // Nor does Enter anywhere else but on a button.
    dialog.CheckBox1->setFocus();
    KeyClick(dialog.CheckBox1, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(settings.Title.empty()) << "nothing stored";

    // The OK button with the focus commits on Enter (no series to refuse).
    dialog.CheckBox1->setChecked(false);
    dialog.btnOk->setFocus();
    KeyClick(dialog.btnOk, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.Title, "Название кривой обеспеченности");
}

TEST_F(ParamDlgInputTest, APastePastTheLastRowShowsAndUsesEveryValue)
{
    QGuiApplication::clipboard()->setText(Column(40, 1) + QStringLiteral("\r\n"));
    dialog.StringGrid1->SetCurrentRow(1);
    dialog.PasteExecute();
    EXPECT_EQ(dialog.PointCount(), 40);
    EXPECT_TRUE(messages.messages.empty());
    dialog.btnOk->click();
    EXPECT_EQ(settings.Values.Count(), 40);
    EXPECT_EQ(settings.Values.Get(0), 40) << "sorted largest first";

    // A shorter paste leaves the count alone.
    QGuiApplication::clipboard()->setText(Column(3, 1));
    dialog.PasteExecute();
    EXPECT_EQ(dialog.PointCount(), 40);
}

TEST_F(ParamDlgInputTest, BeyondFiveHundredTheRestIsSaidNotTaken)
{
    QGuiApplication::clipboard()->setText(Column(520, 1));
    dialog.StringGrid1->SetCurrentRow(1);
    dialog.PasteExecute();
    EXPECT_EQ(dialog.PointCount(), 500);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(messages.messages[0].text,
              QStringLiteral("В таблице не более 500 точек: значения после 500-й строки не взяты!"));
}

TEST_F(ParamDlgInputTest, TheRefusedCellBecomesCurrent)
{
    dialog.show();
    QGuiApplication::clipboard()->setText(QStringLiteral("5\r\n6\r\n7\r\nx\r\n9\r\n1\r\n2\r\n3\r\n4\r\n5"));
    dialog.StringGrid1->SetCurrentRow(1);
    dialog.PasteExecute();
    dialog.PageControl1->setCurrentIndex(0);
    dialog.btnOk->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, QString::fromUtf8(kSeriesInputError));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.PageControl1->currentWidget(), dialog.StringGrid1->parentWidget());
    EXPECT_EQ(dialog.StringGrid1->CurrentRow(), 4);
}

TEST_F(ParamDlgInputTest, ADroppedFileFillsTheGrid)
{
    const test::TempFile file("Q\n1.5\n2.5\n3.5\n4.5\n5.5\n6.5\n7.5\n", QStringLiteral("q.txt"));
    dialogs.columnAnswer = ColumnChoice{0, true};
    dialog.GridCells->Cells().Set(SeriesGridCells::kValueColumn, 9, "old");
    EXPECT_TRUE(test::DropFile(dialog.StringGrid1->viewport(), file.Path()));
    EXPECT_EQ(dialog.PointCount(), 7);
    const std::string sep(1, SystemDecimalSeparator());
    EXPECT_EQ(dialog.GridCells->Cells().Get(SeriesGridCells::kValueColumn, 1), "1" + sep + "5");
    EXPECT_EQ(dialog.GridCells->Cells().Get(SeriesGridCells::kValueColumn, 7), "7" + sep + "5");
    EXPECT_EQ(dialog.GridCells->Cells().Get(SeriesGridCells::kValueColumn, 9), "") << "the old series goes";
}

// Not a check: with AQUALEN_SCREENSHOTS=dir set, saves the dialog after a
// refused cell, that cell current.
TEST_F(ParamDlgInputTest, ScreenshotAfterARefusedCell)
{
    const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS");
    if (dir.isEmpty())
        GTEST_SKIP() << "set AQUALEN_SCREENSHOTS to a folder to save screenshots";
    dialog.show();
    QGuiApplication::clipboard()->setText(Column(20, 100) + QStringLiteral("\r\n12.5.1\r\n") + Column(9, 80));
    dialog.StringGrid1->SetCurrentRow(1);
    dialog.PasteExecute();
    dialog.btnOk->click();
    QApplication::processEvents();
    dialog.grab().save(QDir(dir).filePath("param_dlg_unreadable.png"));
}

} // namespace
} // namespace aqualen::ui

namespace aqualen::ui {
namespace {

QString Values(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString::number(100 + i);
    return lines.join(QLatin1Char('\n'));
}

TEST(ParamDlgTakeSeries, TheMainWindowsSeriesFillsTheGrid)
{
    RecordingMessages messages;
    QWidget owner;
    PaneSeries provided{Values(12), 1950, QString::fromUtf8("Река")};
    ProvideSeries(owner, [&] { return provided; });
    CurveSettings settings;
    TParamDlg dialog(settings, &owner);
    dialog.GridCells->Cells().Set(2, 1, "9");

    ASSERT_TRUE(dialog.btnTakeSeries->isEnabled());
    ASSERT_TRUE(ProvidedSeries(dialog));
    TakeMainSeries(dialog);
    EXPECT_TRUE(dialog.CheckBox1->isChecked());
    EXPECT_EQ(dialog.PointCount(), 12);
    EXPECT_EQ(dialog.GridCells->Cells().Get(2, 1), "100");
    EXPECT_EQ(dialog.GridCells->Cells().Get(2, 12), "111");
    EXPECT_EQ(dialog.GridCells->Cells().Get(1, 12), FormatFixed(92.3, 1, SystemDecimalSeparator()));
    EXPECT_EQ(dialog.edNameKrOb->text(), QString::fromUtf8("Река, 1950–1961"));
    EXPECT_TRUE(messages.messages.empty());

    // Too short or too long: a message, and the grid keeps its series.
    for (const int count : {4, 501}) {
        provided = {Values(count), std::nullopt, {}};
        dialog.btnTakeSeries->click();
        EXPECT_EQ(dialog.PointCount(), 12) << count;
        EXPECT_EQ(dialog.GridCells->Cells().Get(2, 1), "100") << count;
    }
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);

    provided = {};
    dialog.btnTakeSeries->click();
    ASSERT_EQ(messages.messages.size(), 3u);
    EXPECT_EQ(messages.messages[2].text, QString::fromUtf8(kNoMainSeriesText));
}

} // namespace
} // namespace aqualen::ui
