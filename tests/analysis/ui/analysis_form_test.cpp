#include <QApplication>
#include <QChart>
#include <QDir>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>

#include <gtest/gtest.h>

#include "analysis/analysis_messages.h"
#include "analysis/ui/analysis_form.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

QString StepSeries()
{
    QStringList lines;
    for (int i = 0; i < 30; ++i)
        lines << QString::number(100 + (i * 37) % 23 + (i >= 15 ? 40 : 0));
    return lines.join('\n');
}

TEST(AnalysisFormTest, ReportAndBothCharts)
{
    RecordingMessages messages;
    analysis::ui::TAnalysisForm form;
    form.SeriesMemo->setPlainText(StepSeries());
    form.FirstYear->setValue(1981);
    form.btnRun->click();
    EXPECT_TRUE(messages.messages.empty());
    const QStringList report = form.OutPutMemo->toPlainText().split('\n');
    ASSERT_EQ(report.size(), 11);
    EXPECT_EQ(report[0], QStringLiteral("Длина ряда:\t30"));
    EXPECT_TRUE(report[6].endsWith(QStringLiteral("сдвиг после: 1995"))) << report[6].toStdString();
    ASSERT_EQ(form.SeriesChart->series().size(), 2);
    ASSERT_EQ(form.CurveChart->series().size(), 2);
    const auto* curve = static_cast<QLineSeries*>(form.CurveChart->series()[0]);
    EXPECT_EQ(curve->count(), 30);
    EXPECT_EQ(curve->at(0).x(), 1981);
    EXPECT_NEAR(curve->at(29).y(), 0, 1e-9); // the deviations from the mean sum to zero

    if (const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS"); !dir.isEmpty()) {
        form.show();
        QApplication::processEvents();
        form.grab().save(QDir(dir).filePath("analysis_form.png"));
    }
}

TEST(AnalysisFormTest, ShortSeriesIsRefused)
{
    RecordingMessages messages;
    analysis::ui::TAnalysisForm form;
    form.SeriesMemo->setPlainText("1\n2\n3\n4");
    form.btnRun->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, QString::fromUtf8(analysis::kTrendLengthText));
    EXPECT_TRUE(form.OutPutMemo->toPlainText().isEmpty());
}

} // namespace
} // namespace aqualen::test
