// One series through the whole job and back from its work file: a table
// with years in the Cyrillic code page, the statistics, the series taken
// into correlation, homogeneity and the curve grid, the curve stored with
// its analytic band, the series brought to the long-term period, saved, and
// opened by a fresh main window, which shows every pane, year, choice,
// report, chart and the very same sheet.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QSpinBox>
#include <QTimer>
#include <cmath>

#include <gtest/gtest.h>

#include "analysis/ui/analysis_form.h"
#include "app/ui/about_form.h"
#include "correl/ui/correl_form.h"
#include "curve/ui/analytic_page.h"
#include "curve/ui/grid_series_input.h"
#include "curve/ui/obesp_form.h"
#include "curve/ui/paint_box.h"
#include "curve/ui/param_dlg.h"
#include "curve/ui/series_grid_model.h"
#include "distributions/ui/quantiles_form.h"
#include "extension/ui/extension_form.h"
#include "homog/ui/odn_form.h"
#include "series/ui/decimal_separator.h"
#include "series/ui/pane_file_commands.h"
#include "series/ui/radio_group.h"
#include "series/ui/report_freshness.h"
#include "series/ui/series_pane.h"
#include "series/ui/take_series.h"
#include "support/recording_file_dialogs.h"
#include "support/recording_messages.h"
#include "work/ui/work_session.h"
#include "work_test_support.h"

namespace aqualen::test {
namespace {

using ui::TMainForm;

// "Год;Расход" in the Windows Cyrillic code page, then 60 years of flows.
QByteArray RiverTable()
{
    QByteArray bytes("\xC3\xEE\xE4;\xD0\xE0\xF1\xF5\xEE\xE4\r\n");
    for (int i = 0; i < 60; ++i) {
        const double q = 120 + 35 * std::sin(i * 1.7) + (i % 7) * 4.5;
        bytes += QByteArray::number(1950 + i) + ';' + QByteArray::number(q, 'f', 1) + "\r\n";
    }
    return bytes;
}

QString Analogue(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QString::number(80 + 20 * std::cos(i * 1.3) + i % 5, 'f', 1)
                    .replace(QLatin1Char('.'), QLatin1Char(ui::SystemDecimalSeparator())) +
                '\n';
    return text;
}

class WorkRoundTrip : public ::testing::Test {
protected:
    ~WorkRoundTrip() override
    {
        for (TMainForm* form : {&first, &second})
            for (QWidget* window : form->findChildren<QWidget*>())
                if (window->isWindow())
                    window->hide();
    }

    // The parameters dialog opened modally, filled and confirmed.
    template <typename Fill> void RunParameters(ui::TObespForm& form, Fill fill)
    {
        form.MakeParamDlg();
        QTimer::singleShot(0, &form, [&form, fill] {
            fill(*form.ParamDlg);
            form.ParamDlg->btnOk->click();
            if (form.ParamDlg->isVisible())
                form.ParamDlg->reject();
        });
        form.bbParametersClick();
    }

    // The whole job in the first window.
    void DoTheJob()
    {
        const TempFile table(RiverTable(), QStringLiteral("Ока.txt"));
        files.openAnswer = table.Path();
        files.columnAnswer = ui::ColumnChoice{1, true};
        first.show();
        first.mnOpen->trigger();
        ASSERT_EQ(first.Ser1Memo->FirstYear(), 1950);
        first.RadioGroup1->SetItemIndex(1);
        first.mnStatHar->trigger();

        first.mnCorrel->trigger();
        ui::TCorrelForm& correl = *first.CorrelForm();
        ASSERT_TRUE(ui::TakeProvidedSeries(*correl.MemoSer1));
        correl.MemoSer2->setPlainText(Analogue(60));
        correl.btnRunClick();

        first.mnOdn->trigger();
        ui::TOdnForm& odn = *first.OdnForm();
        ASSERT_TRUE(ui::TakeProvidedSeries(*odn.MemoSer1));
        for (int i = 0; i < 25; ++i)
            odn.SpeedButton1Click();
        odn.RadioGroup1->SetItemIndex(1);
        odn.RadioGroup2->SetItemIndex(2);
        odn.btnRunClick();

        first.mnObesp->trigger();
        ui::TObespForm& curve = *first.ObespForm();
        RunParameters(curve, [](ui::TParamDlg& dialog) {
            ui::TakeMainSeries(dialog);
            dialog.CheckBoxCurve->setChecked(true);
            dialog.edMax->setText(QStringLiteral("200"));
            dialog.edMin->setText(QStringLiteral("50"));
            dialog.edMainPoint->setText(QStringLiteral("10"));
            dialog.edAdditionalPoint->setText(QStringLiteral("5"));
            dialog.PageAnalytic->rgDistribution->SetItemIndex(1);
            dialog.PageAnalytic->rgBand->SetItemIndex(2);
        });
        // The sheet opens fitted to the window; the user leaves it at the
        // largest zoom level.
        curve.ShowZoomLevel(2);
        curve.WaitForBand();
        curve.bbQuantilesClick();
        curve.QuantilesForm->btnCompare->click();

        auto& analysis = first.MakeAnalysisForm();
        analysis.show();
        ASSERT_TRUE(ui::TakeProvidedSeries(*analysis.SeriesMemo));
        analysis.LevelGroup->SetItemIndex(2);
        analysis.CurveGroup->SetItemIndex(0);
        analysis.R1Group->SetItemIndex(1);
        analysis.btnRunClick();
        correl.move(40, 50);

        extension::ui::TExtensionForm& extension = first.MakeExtensionForm();
        extension.show();
        ASSERT_TRUE(ui::TakeProvidedSeries(*extension.MemoSer1));
        extension.MemoSer2->SetSeries({Analogue(80), 1930, QStringLiteral("Угра")});
        extension.btnRunClick();
    }

    RecordingMessages messages;
    RecordingFileDialogs files;
    RecordingWorkDialogs works;
    TMainForm first;
    TMainForm second;
};

TEST_F(WorkRoundTrip, AFreshWindowShowsTheSavedWorkExactly)
{
    DoTheJob();
    ASSERT_TRUE(messages.messages.empty()) << messages.messages[0].text.toStdString();
    ASSERT_TRUE(first.ObespForm()->Settings().Analytic.Band);
    EXPECT_TRUE(first.Work().Modified());

    const QTemporaryDir folder;
    works.saveAnswer = QDir(folder.path()).filePath(QStringLiteral("Ока"));
    first.Work().mnSaveWork->trigger();
    const QString path = works.saveAnswer + QStringLiteral(".aqualen");
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_FALSE(first.Work().Modified());
    EXPECT_EQ(first.Work().Path(), path);
    // The work's name, then the series' (the chosen column's header).
    EXPECT_EQ(first.windowTitle(), QStringLiteral("Aqualen 1.2 — Ока[*] — Расход"));

    ASSERT_TRUE(second.Work().OpenWork(path));
    ui::TObespForm& curve = *second.ObespForm();
    curve.WaitForBand();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_FALSE(second.Work().Modified());

    // Every pane, year, name, choice, report, chart and the dialog's grid.
    EXPECT_EQ(ContentOf(second).toStdString(), ContentOf(first).toStdString());
    EXPECT_EQ(second.Ser1Memo->Series(), first.Ser1Memo->Series());
    EXPECT_EQ(second.Ser1Memo->GutterWidth(), first.Ser1Memo->GutterWidth());
    EXPECT_GT(second.Ser1Memo->GutterWidth(), 0);
    EXPECT_EQ(second.OdnForm()->MemoSer2->FirstYear(), first.OdnForm()->MemoSer2->FirstYear());
    EXPECT_EQ(second.OdnForm()->RowIndex(), 1);
    EXPECT_EQ(second.OdnForm()->LevelIndex(), 2);
    EXPECT_EQ(second.CorrelForm()->ShownPoints().size(), 60);
    EXPECT_EQ(second.CorrelForm()->geometry(), first.CorrelForm()->geometry());
    EXPECT_EQ(second.OutPutMemo->toPlainText(), first.OutPutMemo->toPlainText());
    analysis::ui::TAnalysisForm& analysis = second.MakeAnalysisForm();
    EXPECT_EQ(analysis.SeriesMemo->Series(), first.Ser1Memo->Series());
    EXPECT_EQ(analysis.LevelPercent(), 10);
    EXPECT_EQ(analysis.CurveGroup->ItemIndex(), 0);
    EXPECT_EQ(analysis.R1Group->ItemIndex(), 1);
    EXPECT_EQ(analysis.OutPutMemo->toPlainText(), first.MakeAnalysisForm().OutPutMemo->toPlainText());
    EXPECT_EQ(analysis.ShownIntegral(), first.MakeAnalysisForm().ShownIntegral());
    EXPECT_EQ(analysis.ShownTrend().size(), 2);
    EXPECT_FALSE(analysis.FileCommands->Freshness().Stale());
    // The reports belong to the series they came back with.
    EXPECT_FALSE(second.OutPutFreshness->Stale());
    second.Ser1Memo->appendPlainText(QStringLiteral("200"));
    EXPECT_TRUE(second.OutPutFreshness->Stale());
    second.Ser1Memo->undo();

    // The same sheet to the pixel, with the band computed again.
    const CurveSettings& before = first.ObespForm()->Settings();
    const CurveSettings& after = curve.Settings();
    ASSERT_TRUE(after.Analytic.Band);
    EXPECT_EQ(after.Analytic.Band->lowK, before.Analytic.Band->lowK);
    EXPECT_EQ(after.Analytic.Band->highK, before.Analytic.Band->highK);
    EXPECT_EQ(after.CurveA, before.CurveA);
    EXPECT_EQ(DrawingCalls(after), DrawingCalls(before));
    EXPECT_EQ(curve.View().ZoomLevel, 2);
    EXPECT_EQ(curve.pbPage->size(), first.ObespForm()->pbPage->size());
    ASSERT_NE(curve.QuantilesForm, nullptr);
    EXPECT_TRUE(curve.QuantilesForm->isVisible());
    EXPECT_EQ(curve.QuantilesForm->OutPutMemo->toPlainText(),
              first.ObespForm()->QuantilesForm->OutPutMemo->toPlainText());
    EXPECT_EQ(curve.ParamDlg->GridCells->rowCount(), first.ObespForm()->ParamDlg->GridCells->rowCount());
    EXPECT_TRUE(curve.QuantilesForm->btnCompare->isChecked());

    // The extension's report with its chart, and the extended series ready to hand over.
    extension::ui::TExtensionForm& extension = second.MakeExtensionForm();
    extension::ui::TExtensionForm& earlier = first.MakeExtensionForm();
    EXPECT_EQ(extension.OutPutMemo->toPlainText(), earlier.OutPutMemo->toPlainText());
    EXPECT_FALSE(extension.OutPutMemo->toPlainText().isEmpty());
    EXPECT_EQ(extension.ShownPoints(), earlier.ShownPoints());
    EXPECT_EQ(extension.ShownPoints().restored.size(), 20);
    EXPECT_EQ(extension.CommonSeries->points(), earlier.CommonSeries->points());
    EXPECT_EQ(extension.Extended(), earlier.Extended());
    EXPECT_TRUE(extension.btnSend->isEnabled());
    EXPECT_EQ(extension.windowTitle(), earlier.windowTitle());
    EXPECT_TRUE(extension.windowTitle().endsWith(QStringLiteral(" / Угра")));

    // What the user chooses in the quantile window is a change of the work.
    ASSERT_TRUE(second.Work().SaveWork());
    EXPECT_FALSE(second.Work().Modified());
    curve.QuantilesForm->btnCompare->click();
    EXPECT_TRUE(second.Work().Modified());

    // Which windows were open.
    for (QWidget* window : second.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (window->isWindow() && window != static_cast<QWidget*>(second.AboutForm())) {
            EXPECT_TRUE(window->isVisible()) << window->windowTitle().toStdString();
        }
    }
}

TEST_F(WorkRoundTrip, OpeningAWorkPutsBackOnlyItsWindows)
{
    const QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("пусто.aqualen"));
    first.Ser1Memo->setPlainText(QStringLiteral("1\n2\n3"));
    works.saveAnswer = path;
    ASSERT_TRUE(first.Work().SaveWork());

    second.mnCorrel->trigger();
    second.CorrelForm()->MemoSer1->setPlainText(QStringLiteral("5\n6"));
    second.MakeExtensionForm();
    messages.answers = {ui::Answer::No};
    ASSERT_TRUE(second.Work().OpenWork(path));
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(second.CorrelForm(), nullptr) << "a window the work did not have is gone";
    EXPECT_EQ(second.findChild<extension::ui::TExtensionForm*>(), nullptr) << "so is the extension window";
    EXPECT_EQ(second.Ser1Memo->Text(), QStringLiteral("1\n2\n3"));
}

// A report no longer recomputed on opening: its text and chart as they were,
// and nothing to hand over until it is run again.
TEST_F(WorkRoundTrip, AnOutOfDateExtensionComesBackWithItsChart)
{
    extension::ui::TExtensionForm& extension = first.MakeExtensionForm();
    extension.show();
    extension.MemoSer1->SetSeries({Analogue(30), 1980, QStringLiteral("Ока")});
    extension.MemoSer2->SetSeries({Analogue(50), 1960, QString()});
    extension.btnRunClick();
    ASSERT_TRUE(messages.messages.empty()) << messages.messages[0].text.toStdString();
    const extension::ui::TExtensionForm::ChartPoints points = extension.ShownPoints();
    ASSERT_EQ(points.common.size(), 30);
    ASSERT_EQ(points.line.size(), 2);
    extension.MemoSer2->appendPlainText(QStringLiteral("99"));
    ASSERT_FALSE(extension.btnSend->isEnabled());

    const QTemporaryDir folder;
    works.saveAnswer = QDir(folder.path()).filePath(QStringLiteral("прежний.aqualen"));
    ASSERT_TRUE(first.Work().SaveWork());
    ASSERT_TRUE(second.Work().OpenWork(works.saveAnswer));
    extension::ui::TExtensionForm& opened = second.MakeExtensionForm();
    EXPECT_TRUE(opened.isVisible());
    EXPECT_EQ(opened.MemoSer2->Series(), extension.MemoSer2->Series());
    EXPECT_EQ(opened.OutPutMemo->toPlainText(), extension.OutPutMemo->toPlainText());
    EXPECT_EQ(opened.ShownPoints(), points);
    EXPECT_EQ(opened.RegressionLine->points(), extension.RegressionLine->points());
    EXPECT_FALSE(opened.btnSend->isEnabled());
    EXPECT_FALSE(opened.Extended());
    EXPECT_EQ(opened.windowTitle(), QString::fromUtf8("Приведение к многолетнему периоду — Ока / без имени"));
}

} // namespace
} // namespace aqualen::test
