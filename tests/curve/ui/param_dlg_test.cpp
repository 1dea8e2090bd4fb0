// The parameters dialog driven offscreen: its controls, the series grid with
// the clipboard and the keyboard, and what OK and Cancel store.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include "curve/ui/param_dlg.h"
#include "curve/ui/series_grid_model.h"
#include "curve/ui/series_grid_view.h"
#include "curve/ui/up_down.h"
#include "key_input.h"
#include "series/number_text.h"
#include "series/ui/pane_text.h"
#include "series/ui/radio_group.h"
#include "support/recording_file_dialogs.h"
#include "support/recording_messages.h"

namespace aqualen::ui {
namespace {

using test::KeyClick;
using test::KeyClicks;
using test::RecordingMessages;

QString Local(const char* text)
{
    QString s = QString::fromUtf8(text);
    s.replace(QLatin1Char('.'), QLatin1Char(SystemDecimalSeparator()));
    return s;
}

class ParamDlgTest : public ::testing::Test {
protected:
    ParamDlgTest() { QGuiApplication::clipboard()->clear(); }

    std::string Cell(int column, int row) const { return dialog.GridCells->Cells().Get(column, row); }
    QString Shown(int row, int column) const { return dialog.GridCells->index(row - 1, column).data().toString(); }
    void TypeValues(int firstRow, const std::vector<const char*>& texts)
    {
        for (size_t i = 0; i < texts.size(); ++i)
            dialog.GridCells->setData(dialog.GridCells->index(firstRow - 1 + static_cast<int>(i), 2), Local(texts[i]),
                                      Qt::EditRole);
    }
    QWidget* Editor() const { return dialog.StringGrid1->indexWidget(dialog.StringGrid1->currentIndex()); }
    void SeriesOn() { dialog.CheckBox1->setChecked(true); }
    int Closes(int result)
    {
        dialog.show();
        dialog.done(result);
        return dialog.isVisible() ? -1 : dialog.result();
    }
    std::vector<QString> Texts() const
    {
        std::vector<QString> texts;
        for (const auto& m : messages.messages)
            texts.push_back(m.text);
        return texts;
    }

    RecordingMessages messages;
    CurveSettings settings;
    TParamDlg dialog{settings, nullptr};
};

TEST_F(ParamDlgTest, StartsWithItsInitialContents)
{
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Параметры кривой обеспеченности"));
    EXPECT_EQ(dialog.size(), QSize(420, 600));
    ASSERT_EQ(dialog.PageControl1->count(), 5);
    EXPECT_EQ(dialog.PageControl1->tabText(0), QString::fromUtf8("Параметры"));
    EXPECT_EQ(dialog.PageControl1->tabText(1), QString::fromUtf8("Шкала"));
    EXPECT_EQ(dialog.PageControl1->tabText(2), QString::fromUtf8("Ряд данных"));
    EXPECT_EQ(dialog.PageControl1->tabText(3), QString::fromUtf8("Кривая"));
    EXPECT_EQ(dialog.PageControl1->tabText(4), QString::fromUtf8("Аналитическая кривая"));
    EXPECT_EQ(dialog.PageControl1->currentIndex(), 0);
    EXPECT_EQ(dialog.Edit1->text(), "3");
    EXPECT_EQ(dialog.UpDown1->Position(), 3);
    EXPECT_EQ(dialog.edNameKrOb->text(), QString::fromUtf8("Название кривой обеспеченности"));
    EXPECT_EQ(dialog.edAxisName->text(), QString::fromUtf8("Q, м3/с"));
    EXPECT_EQ(dialog.RadioGroup1->ItemIndex(), 0);
    EXPECT_EQ(dialog.RadioGroup1->Item(1)->text(), QString::fromUtf8("от 0.01 до 99.99"));
    EXPECT_EQ(dialog.edMax->text(), "17");
    EXPECT_EQ(dialog.edMin->text(), "0");
    EXPECT_EQ(dialog.edMainPoint->text(), "1");
    EXPECT_EQ(dialog.edAdditionalPoint->text(), Local("0.2"));
    EXPECT_EQ(dialog.Edit2->text(), "10");
    EXPECT_EQ(dialog.GridCells->rowCount(), 10);
    EXPECT_EQ(dialog.GridCells->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString::fromUtf8("№"));
    EXPECT_EQ(dialog.GridCells->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "P, %");
    EXPECT_EQ(dialog.GridCells->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
              QString::fromUtf8("Значения"));
    EXPECT_EQ(Shown(10, 1), Local("90.9"));
    EXPECT_EQ(dialog.RadioGroupP->Item(1)->text(), "P = (m-0.3) / (n+0.4) * 100%");
    EXPECT_FALSE(dialog.CheckBox1->isChecked());
    EXPECT_FALSE(dialog.CheckBoxCurve->isChecked());
    EXPECT_EQ(dialog.cbLegend->text(), QString::fromUtf8("Легенда"));
    EXPECT_TRUE(dialog.cbLegend->isChecked());
    EXPECT_FALSE(dialog.cbReturnPeriods->isChecked());
    EXPECT_EQ(dialog.cbLegend->parentWidget(), dialog.RadioGroup1->parentWidget()); // on "Параметры"
    EXPECT_EQ(dialog.Copy->shortcut(), QKeySequence(QKeySequence::Copy));
    EXPECT_EQ(dialog.Cut->toolTip(), QString::fromUtf8("Вырезать"));
    EXPECT_EQ(dialog.sbSorted->toolTip(), QString::fromUtf8("Сортировать ряд"));
}

TEST_F(ParamDlgTest, TheSeriesOptionSwitchesItsToolsAndTheCurve)
{
    std::vector<QWidget*> tools{dialog.StringGrid1, dialog.Edit2,    dialog.UpDown2,
                                dialog.sbClear,     dialog.sbSorted, dialog.CheckBoxCurve};
    for (QWidget* tool : tools)
        EXPECT_FALSE(tool->isEnabled());
    EXPECT_FALSE(dialog.Paste->isEnabled());
    SeriesOn();
    for (QWidget* tool : tools)
        EXPECT_TRUE(tool->isEnabled());
    EXPECT_TRUE(dialog.Cut->isEnabled());
    dialog.CheckBoxCurve->setChecked(true);
    dialog.CheckBox1->setChecked(false);
    EXPECT_FALSE(dialog.CheckBoxCurve->isChecked());
    EXPECT_FALSE(dialog.CheckBoxCurve->isEnabled());
    EXPECT_FALSE(dialog.sbCopy->isEnabled());
}

TEST_F(ParamDlgTest, OnlyTheValueColumnIsEditableOrSelectable)
{
    const auto flags = [&](int column) { return dialog.GridCells->flags(dialog.GridCells->index(0, column)); };
    EXPECT_EQ(flags(0) & (Qt::ItemIsEditable | Qt::ItemIsSelectable), Qt::NoItemFlags);
    EXPECT_EQ(flags(1) & (Qt::ItemIsEditable | Qt::ItemIsSelectable), Qt::NoItemFlags);
    EXPECT_TRUE(flags(2) & Qt::ItemIsEditable);
    EXPECT_FALSE(dialog.GridCells->setData(dialog.GridCells->index(0, 1), "5", Qt::EditRole));
}

TEST_F(ParamDlgTest, RadiusBoxRules)
{
    dialog.Edit1->setText("25");
    EXPECT_EQ(dialog.Edit1->text(), "3");
    dialog.Edit1->setText("7");
    EXPECT_EQ(dialog.UpDown1->Position(), 7);
    dialog.Edit1->setText("7x");
    EXPECT_EQ(dialog.Edit1->text(), "7");
    dialog.Edit1->setText("x");
    EXPECT_EQ(dialog.Edit1->text(), "3");
    EXPECT_EQ(Texts(), (std::vector<QString>{QString::fromUtf8("Следует ввести число!"),
                                             QString::fromUtf8("Следует ввести число!")}));
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Plain);
    dialog.Edit1->setText("0"); // the box takes it, the radius stays at least 1
    EXPECT_EQ(dialog.Edit1->text(), "0");
    EXPECT_EQ(dialog.UpDown1->Position(), 1);
    dialog.UpDown1->StepUp();
    EXPECT_EQ(dialog.Edit1->text(), "2");
    dialog.Edit1->setText("20");
    dialog.UpDown1->StepUp(); // no wrap-around
    EXPECT_EQ(dialog.Edit1->text(), "20");
}

TEST_F(ParamDlgTest, PointCountAndFormulaRefillTheProbabilityColumn)
{
    SeriesOn();
    dialog.GridCells->Cells().Set(2, 11, "44"); // a hidden row, pasted earlier
    dialog.RadioGroupP->SetItemIndex(1);
    EXPECT_EQ(Shown(1, 1), Local("6.7"));
    EXPECT_EQ(Shown(10, 1), Local("93.3"));
    dialog.Edit2->setText("12");
    EXPECT_EQ(dialog.GridCells->rowCount(), 12);
    EXPECT_EQ(Shown(11, 2), "44");
    EXPECT_EQ(Shown(12, 2), "");
    EXPECT_EQ(Shown(12, 0), "12");
    dialog.Edit2->setText("5");
    dialog.RadioGroupP->SetItemIndex(0);
    EXPECT_EQ(dialog.GridCells->rowCount(), 5);
    EXPECT_EQ(Shown(5, 1), Local("83.3"));
    EXPECT_EQ(Cell(2, 11), "44");
    dialog.Edit2->setText("3"); // below the range: five points
    EXPECT_EQ(dialog.PointCount(), 5);
    dialog.UpDown2->StepDown();
    EXPECT_EQ(dialog.Edit2->text(), "5");
}

TEST_F(ParamDlgTest, EnterMovesDownAndStopsOnTheLastRow)
{
    SeriesOn();
    dialog.show();
    dialog.StringGrid1->setFocus();
    dialog.StringGrid1->SetCurrentRow(9);
    KeyClick(dialog.StringGrid1, Qt::Key_Return);
    EXPECT_EQ(dialog.StringGrid1->CurrentRow(), 10);
    KeyClick(dialog.StringGrid1, Qt::Key_Return);
    EXPECT_EQ(dialog.StringGrid1->CurrentRow(), 10);

    // Typing edits the cell; Enter keeps the text and moves on.
    dialog.StringGrid1->SetCurrentRow(2);
    KeyClicks(dialog.StringGrid1, "4");
    QWidget* editor = Editor();
    ASSERT_NE(editor, nullptr);
    KeyClicks(editor, "2");
    KeyClick(editor, Qt::Key_Return);
    EXPECT_EQ(Cell(2, 2), "42");
    EXPECT_EQ(dialog.StringGrid1->CurrentRow(), 3);
}

TEST_F(ParamDlgTest, CopyAndCutTheSelectedRuns)
{
    SeriesOn();
    TypeValues(2, {"5", "6", "7"});
    QItemSelectionModel* selection = dialog.StringGrid1->selectionModel();
    selection->select(QItemSelection(dialog.GridCells->index(1, 2), dialog.GridCells->index(3, 2)),
                      QItemSelectionModel::ClearAndSelect);
    dialog.Copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "5\r\n6\r\n7");
    QGuiApplication::clipboard()->clear();
    dialog.CutExecute();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "5\r\n6\r\n7");
    EXPECT_EQ(Shown(2, 2), "");
    EXPECT_EQ(Shown(4, 2), "");
}

TEST_F(ParamDlgTest, PasteFromTheCurrentCell)
{
    SeriesOn();
    TypeValues(1, {"1", "2", "3", "4", "5", "6", "7"});
    dialog.StringGrid1->SetCurrentRow(3);
    QGuiApplication::clipboard()->setText("30\r\n40\r\n50\r\n");
    dialog.PasteExecute();
    EXPECT_EQ(Shown(3, 2), "30");
    EXPECT_EQ(Shown(5, 2), "50");
    EXPECT_EQ(Shown(6, 2), "6"); // the value below the block stays
    EXPECT_EQ(dialog.StringGrid1->CurrentRow(), 3);

    // Two columns: the one taken in the column choice goes in (the other
    // columns of a block are in grid_paste_test.cpp).
    test::RecordingFileDialogs dialogs;
    dialogs.columnAnswer = ColumnChoice{1, false};
    dialog.StringGrid1->SetCurrentRow(1);
    QGuiApplication::clipboard()->setText("8\t9");
    dialog.PasteExecute();
    EXPECT_EQ(Shown(1, 2), "9");
    EXPECT_EQ(Cell(3, 1), "");

    QGuiApplication::clipboard()->clear();
    dialog.PasteExecute();
    EXPECT_EQ(Shown(1, 2), "");
    EXPECT_EQ(Shown(2, 2), "2");
}

TEST_F(ParamDlgTest, ClipboardKeysWorkWhileACellIsEdited)
{
    SeriesOn();
    dialog.PageControl1->setCurrentIndex(2);
    dialog.show();
    dialog.StringGrid1->setFocus();
    dialog.StringGrid1->SetCurrentRow(4);
    QGuiApplication::clipboard()->setText("11\r\n12");
    KeyClicks(dialog.StringGrid1, "9");
    QWidget* editor = Editor();
    ASSERT_NE(editor, nullptr);
    KeyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Cell(2, 4), "11");
    EXPECT_EQ(Cell(2, 5), "12");

    KeyClick(dialog.StringGrid1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "11");
    KeyClick(dialog.StringGrid1, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Cell(2, 4), "");
}

TEST_F(ParamDlgTest, ClearEmptiesTheValuesOnly)
{
    SeriesOn();
    TypeValues(1, {"1", "2"});
    dialog.GridCells->Cells().Set(2, 500, "9");
    dialog.sbClear->click();
    EXPECT_EQ(Cell(2, 1), "");
    EXPECT_EQ(Cell(2, 500), "");
    EXPECT_EQ(Shown(1, 0), "1");
    EXPECT_EQ(Shown(1, 1), Local("9.1"));
}

TEST_F(ParamDlgTest, SortReordersTheGridOnlyAndACancelPutsItBack)
{
    SeriesOn();
    dialog.Edit2->setText("5");
    TypeValues(1, {"3", "1", "2", "3.0", "5"});
    dialog.show();
    dialog.sbSorted->click();
    EXPECT_EQ(Shown(1, 2), "5");
    EXPECT_EQ(Shown(4, 2), "2");
    EXPECT_EQ(Shown(5, 2), "1");
    EXPECT_EQ(settings.Values.Count(), 0); // the sheet takes the series on OK only
    dialog.done(QDialog::Rejected);
    EXPECT_EQ(Shown(1, 2), "3");
    EXPECT_EQ(Shown(4, 2), Local("3.0"));
    EXPECT_EQ(settings.Values.Count(), 0);
    EXPECT_TRUE(messages.messages.empty());

    TypeValues(2, {"x"});
    dialog.sbSortedClick();
    EXPECT_EQ(Texts(), std::vector<QString>{QString::fromUtf8("Ряд данных введен не корректно!")});
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(dialog.StringGrid1->CurrentRow(), 2);
}

TEST_F(ParamDlgTest, OkWithTheSeriesStoresEverythingAndFits)
{
    SeriesOn();
    dialog.Edit2->setText("5");
    TypeValues(1, {"8", "15", "5", "12", "10"});
    dialog.Edit1->setText("5");
    dialog.edNameKrOb->setText(QString::fromUtf8("Река"));
    dialog.edAxisName->setText("Q");
    dialog.RadioGroup1->SetItemIndex(1);
    dialog.edMax->setText("20");
    dialog.edMin->setText("2");
    dialog.edMainPoint->setText("2");
    dialog.edAdditionalPoint->setText(Local("0.5"));
    dialog.CheckBoxCurve->setChecked(true);
    dialog.cbLegend->setChecked(false);
    dialog.cbReturnPeriods->setChecked(true);
    EXPECT_EQ(Closes(QDialog::Accepted), QDialog::Accepted);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_TRUE(settings.FineGrid);
    EXPECT_FALSE(settings.Legend);
    EXPECT_TRUE(settings.ReturnPeriodAxis);
    EXPECT_EQ(settings.Formula, PlottingFormula::Weibull);
    EXPECT_EQ(settings.PointRadius, 5);
    EXPECT_EQ(settings.Title, "Река");
    EXPECT_EQ(settings.AxisName, "Q");
    EXPECT_EQ(settings.ScaleMax, 20);
    EXPECT_EQ(settings.ScaleMin, 2);
    EXPECT_EQ(settings.MainStep, 2);
    EXPECT_EQ(settings.AdditionalStep, 0.5);
    ASSERT_EQ(settings.Values.Count(), 5);
    EXPECT_EQ(settings.Values.Get(0), 15);
    EXPECT_EQ(settings.Values.Get(4), 5);
    EXPECT_DOUBLE_EQ(settings.Probabilities.Get(0), 16.7);
    EXPECT_DOUBLE_EQ(settings.Probabilities.Get(4), 83.3);
    EXPECT_TRUE(settings.SmoothCurve);
    EXPECT_EQ(settings.PointX.Count(), 5);
    EXPECT_NE(settings.CurveC, 0);
    EXPECT_EQ(Shown(1, 2), "15");
}

TEST_F(ParamDlgTest, OkWithTheSeriesOffStoresEmptyListsAndNoCurve)
{
    settings.Values.Add(1);
    settings.Probabilities.Add(1);
    settings.SmoothCurve = true;
    dialog.RadioGroupP->SetItemIndex(1); // the legend names the formula the P column was filled by
    EXPECT_EQ(Closes(QDialog::Accepted), QDialog::Accepted);
    EXPECT_EQ(settings.Values.Count(), 0);
    EXPECT_EQ(settings.Probabilities.Count(), 0);
    EXPECT_FALSE(settings.SmoothCurve);
    EXPECT_EQ(settings.Formula, PlottingFormula::Chegodayev);
}

TEST_F(ParamDlgTest, OkWithAnEmptyValueCellSaysSoOnceAndStaysOpen)
{
    SeriesOn();
    dialog.Edit2->setText("5");
    TypeValues(1, {"8", "15", "", "12", "10"});
    dialog.edNameKrOb->setText("T");
    EXPECT_EQ(Closes(QDialog::Accepted), -1);
    EXPECT_EQ(Texts(), std::vector<QString>{QString::fromUtf8("Ряд данных введен не корректно!")});
    // A refused OK leaves the sheet as it was.
    EXPECT_EQ(settings.Title, "");
    EXPECT_EQ(settings.Values.Count(), 0);
    EXPECT_EQ(Shown(1, 2), "8"); // nothing sorted
    dialog.hide();
}

TEST_F(ParamDlgTest, UnreadableScaleBoxStopsStoringThere)
{
    dialog.RadioGroup1->SetItemIndex(1);
    dialog.edAxisName->setText("A");
    dialog.edMax->setText("abc");
    EXPECT_EQ(Closes(QDialog::Accepted), -1);
    EXPECT_EQ(Texts(), std::vector<QString>{"'abc' is not a valid floating point value"});
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Fault);
    EXPECT_FALSE(settings.FineGrid); // a refused OK leaves the sheet as it was
    EXPECT_EQ(settings.AxisName, "");
    EXPECT_EQ(settings.ScaleMax, 17);
    dialog.hide();
}

TEST_F(ParamDlgTest, ScaleThatCannotBeDrawnIsRefusedBeforeItIsStored)
{
    dialog.edMax->setText("5");
    dialog.edMin->setText("5");
    EXPECT_EQ(Closes(QDialog::Accepted), -1);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(messages.messages[0].text.endsWith('!'));
    EXPECT_EQ(settings.ScaleMax, 17);
    EXPECT_EQ(settings.ScaleMin, 0);

    dialog.edMin->setText("0");
    dialog.edAdditionalPoint->setText("0");
    EXPECT_EQ(Closes(QDialog::Accepted), -1);
    EXPECT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(settings.ScaleMax, 17);
    dialog.hide();
}

TEST_F(ParamDlgTest, OkAndCancelButtonsCloseTheModalDialog)
{
    QTimer::singleShot(0, &dialog, [&] { dialog.btnOk->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    dialog.edMax->setText("9");
    QTimer::singleShot(0, &dialog, [&] { dialog.btnCansel->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(settings.ScaleMax, 17);
    dialog.PageControl1->setCurrentIndex(2);
    QTimer::singleShot(0, &dialog, [&] { dialog.close(); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(dialog.PageControl1->currentIndex(), 2); // opens on the page last shown
}

} // namespace
} // namespace aqualen::ui
