// A cancelled parameters dialog discards what was changed in it: every
// control goes back to what it showed when it was opened, the sheet stays as
// it was, and the next OK does not bring the cancelled edits in. The grid's
// clipboard keys act only while the grid has the focus.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include <gtest/gtest.h>

#include "curve/ui/analytic_page.h"
#include "curve/ui/obesp_form.h"
#include "curve/ui/param_dlg.h"
#include "curve/ui/series_grid_model.h"
#include "curve/ui/series_grid_view.h"
#include "key_input.h"
#include "series/ui/pane_text.h"
#include "series/ui/radio_group.h"
#include "support/recording_messages.h"

namespace aqualen::ui {
namespace {

using test::RecordingMessages;
using test::ShortcutKeyClick;

// Everything the dialog shows that a user can change.
QStringList Shows(const TParamDlg& dialog)
{
    QStringList shown;
    for (const QLineEdit* box : dialog.findChildren<QLineEdit*>())
        shown << box->objectName() + "=" + box->text();
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (button->isCheckable())
            shown << button->text() + (button->isChecked() ? "+" : "-");
    for (int row = 1; row <= 12; ++row)
        for (int column = 0; column <= 3; ++column)
            shown << QString::fromStdString(dialog.GridCells->Cells().Get(column, row));
    shown << QString::number(dialog.GridCells->rowCount());
    return shown;
}

void TypeValue(TParamDlg& dialog, int row, const QString& text)
{
    dialog.GridCells->setData(dialog.GridCells->index(row - 1, 2), text, Qt::EditRole);
}

// Changes every edit box, check box and radio group of the dialog.
void ChangeEverything(TParamDlg& dialog)
{
    dialog.CheckBox1->setChecked(true);
    for (QLineEdit* box : dialog.findChildren<QLineEdit*>())
        box->setText(QStringLiteral("7"));
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (button->isCheckable())
            button->setChecked(!button->isChecked());
    for (RadioGroup* group : dialog.findChildren<RadioGroup*>())
        group->SetItemIndex(group->ItemCount() - 1);
    TypeValue(dialog, 3, QStringLiteral("1990"));
    dialog.GridCells->Cells().Set(3, 1, "9"); // a second pasted column, never shown
    dialog.StringGrid1->SetCurrentRow(2);
    dialog.sbSorted->click();
}

struct CloseWay {
    const char* name;
    std::function<void(TParamDlg&)> close;
};

const std::vector<CloseWay> kCancels{
    {"Отмена", [](TParamDlg& d) { d.btnCansel->click(); }},
    {"Esc", [](TParamDlg& d) { test::KeyClick(&d, Qt::Key_Escape); }},
    {"the close button", [](TParamDlg& d) { d.close(); }},
};

// Opens the dialog modally, runs `act` in it, then closes it with `close`.
int RunDialog(TParamDlg& dialog, const std::function<void(TParamDlg&)>& act,
              const std::function<void(TParamDlg&)>& close)
{
    QTimer::singleShot(0, &dialog, [&] {
        act(dialog);
        close(dialog);
        if (dialog.isVisible())
            dialog.reject();
    });
    return dialog.exec();
}

TEST(ParamDlgCancel, EveryControlGoesBackAndTheSheetStays)
{
    for (const CloseWay& way : kCancels) {
        SCOPED_TRACE(way.name);
        RecordingMessages messages;
        CurveSettings settings;
        TParamDlg dialog(settings, nullptr);
        const QStringList opened = Shows(dialog);
        EXPECT_EQ(RunDialog(dialog, ChangeEverything, way.close), QDialog::Rejected);
        EXPECT_EQ(Shows(dialog), opened);
        EXPECT_EQ(settings.Title, "");
        EXPECT_EQ(settings.Values.Count(), 0);
        EXPECT_EQ(settings.ScaleMax, 17);

        // Opened again after an OK: a cancel returns to what that OK stored.
        RunDialog(
            dialog, [](TParamDlg& d) { d.edNameKrOb->setText(QStringLiteral("Река")); },
            [](TParamDlg& d) { d.btnOk->click(); });
        const QStringList stored = Shows(dialog);
        EXPECT_EQ(RunDialog(dialog, ChangeEverything, way.close), QDialog::Rejected);
        EXPECT_EQ(Shows(dialog), stored);
        EXPECT_EQ(settings.Title, "Река");
    }
}

// The road of the report: a series on the sheet, then year-and-flow rows
// pasted over it and a new title, and Esc.
TEST(ParamDlgCancel, CancelledEditsNeverReachTheSheetThroughALaterOk)
{
    RecordingMessages messages;
    QWidget owner;
    TObespForm form(&owner);
    const auto parameters = [&](const std::function<void(TParamDlg&)>& act,
                                const std::function<void(TParamDlg&)>& close) {
        QTimer::singleShot(0, &form, [&] {
            act(*form.ParamDlg);
            close(*form.ParamDlg);
            if (form.ParamDlg->isVisible())
                form.ParamDlg->reject();
        });
        form.bbParametersClick();
    };
    const auto ok = [](TParamDlg& d) { d.btnOk->click(); };
    const auto esc = [](TParamDlg& d) { test::KeyClick(&d, Qt::Key_Escape); };

    parameters(
        [](TParamDlg& d) {
            d.CheckBox1->setChecked(true);
            d.edNameKrOb->setText(QStringLiteral("Река"));
            for (int row = 1; row <= 10; ++row)
                TypeValue(d, row, QString::number(100 + row));
        },
        ok);
    ASSERT_TRUE(form.View().SheetReady);
    ASSERT_EQ(form.Settings().Values.Count(), 10);
    const double top = form.Settings().Values.Get(0);

    parameters(
        [](TParamDlg& d) {
            d.PageControl1->setCurrentIndex(2);
            d.StringGrid1->SetCurrentRow(1);
            QGuiApplication::clipboard()->setText(QStringLiteral("1990\r\n1991\r\n1992"));
            d.PasteExecute();
            d.edNameKrOb->setText(QStringLiteral("Отменено"));
        },
        esc);
    EXPECT_EQ(form.Settings().Title, "Река");
    EXPECT_EQ(form.Settings().Values.Get(0), top);

    // Reopened: the edits are gone; an OK for any other reason keeps them out.
    QString shownTitle;
    std::string shownFirst;
    parameters(
        [&](TParamDlg& d) {
            shownTitle = d.edNameKrOb->text();
            shownFirst = d.GridCells->Cells().Get(2, 1);
            d.Edit1->setText(QStringLiteral("5"));
        },
        ok);
    EXPECT_EQ(shownTitle, QString::fromUtf8("Река"));
    EXPECT_EQ(shownFirst, "110");
    EXPECT_EQ(form.Settings().Title, "Река");
    EXPECT_EQ(form.Settings().Values.Get(0), top);
    EXPECT_EQ(form.Settings().Values.Get(9), 101);
    EXPECT_EQ(form.Settings().PointRadius, 5);
    EXPECT_TRUE(messages.messages.empty());
}

TEST(ParamDlgCancel, ARefusedOkThenACancelLeavesTheSheetAsItWas)
{
    RecordingMessages messages;
    CurveSettings settings;
    TParamDlg dialog(settings, nullptr);
    const QStringList opened = Shows(dialog);
    RunDialog(
        dialog,
        [](TParamDlg& d) {
            d.edNameKrOb->setText(QStringLiteral("T"));
            d.RadioGroup1->SetItemIndex(1);
            d.edMax->setText(QStringLiteral("abc"));
            d.btnOk->click(); // refused: the dialog stays open
        },
        [](TParamDlg& d) { d.btnCansel->click(); });
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(settings.Title, "");
    EXPECT_FALSE(settings.FineGrid);
    EXPECT_EQ(Shows(dialog), opened);
}

class ParamDlgClipboardTest : public ::testing::Test {
protected:
    ParamDlgClipboardTest()
    {
        dialog.CheckBox1->setChecked(true);
        TypeValue(dialog, 3, QStringLiteral("25"));
        dialog.PageControl1->setCurrentIndex(2);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        dialog.StringGrid1->setFocus();
        dialog.StringGrid1->SetCurrentRow(3);
        QGuiApplication::clipboard()->setText(QStringLiteral("77"));
    }
    ~ParamDlgClipboardTest() override { dialog.hide(); }

    std::string Row3() const { return dialog.GridCells->Cells().Get(2, 3); }

    RecordingMessages messages;
    CurveSettings settings;
    TParamDlg dialog{settings, nullptr};
};

TEST_F(ParamDlgClipboardTest, KeysOnAnotherPageLeaveTheGridAlone)
{
    dialog.PageControl1->setCurrentIndex(3); // "Кривая"
    dialog.CheckBoxCurve->setFocus();
    for (const Qt::Key key : {Qt::Key_V, Qt::Key_X, Qt::Key_C})
        ShortcutKeyClick(key, Qt::ControlModifier);
    EXPECT_EQ(Row3(), "25");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "77");
}

TEST_F(ParamDlgClipboardTest, KeysInAnEditBoxAreTheBoxsOwn)
{
    dialog.PageControl1->setCurrentIndex(0);
    dialog.edNameKrOb->setFocus();
    dialog.edNameKrOb->clear();
    ShortcutKeyClick(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(dialog.edNameKrOb->text(), "77");
    dialog.edNameKrOb->setText(QStringLiteral("Река"));
    dialog.edNameKrOb->selectAll();
    ShortcutKeyClick(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Река"));
    EXPECT_EQ(Row3(), "25");
}

TEST_F(ParamDlgClipboardTest, KeysInTheGridAndItsEditorAreTheGrids)
{
    ShortcutKeyClick(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Row3(), "77");
    ShortcutKeyClick(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Row3(), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "77");
    // In the cell editor the keys are still the grid's.
    test::KeyClicks(dialog.StringGrid1, QStringLiteral("4"));
    ASSERT_NE(QApplication::focusWidget(), dialog.StringGrid1);
    ShortcutKeyClick(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Row3(), "77");
}

} // namespace
} // namespace aqualen::ui
