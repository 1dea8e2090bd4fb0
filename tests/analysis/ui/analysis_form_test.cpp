#include <QApplication>
#include <QChart>
#include <QDir>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTextCursor>
#include <QValueAxis>

#include <gtest/gtest.h>

#include "analysis/analysis_messages.h"
#include "analysis/ui/analysis_form.h"
#include "series/messages.h"
#include "series/ui/radio_group.h"
#include "series/ui/series_pane.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

// Thirty values with a step of 40 after the fifteenth.
QString StepSeries(int count = 30)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString::number(100 + (i * 37) % 23 + (i >= count / 2 ? 40 : 0));
    return lines.join('\n');
}

QString AxisTitle(const QChart& chart)
{
    return chart.axes(Qt::Horizontal).value(0)->titleText();
}

TEST(AnalysisFormTest, TrendAndOutliersWithBothChartsAgainstYears)
{
    RecordingMessages messages;
    analysis::ui::TAnalysisForm form;
    form.SeriesMemo->setPlainText(StepSeries());
    form.SeriesMemo->SetFirstYear(1981);
    // A second run replaces the first one's lines and keeps the axes.
    for (int run = 0; run < 2; ++run)
        form.btnRun->click();
    EXPECT_TRUE(messages.messages.empty());
    const QStringList report = form.OutPutMemo->toPlainText().split('\n');
    ASSERT_EQ(report.size(), 11 + 1 + 15);
    EXPECT_EQ(report[0], QStringLiteral("Длина ряда:\t30"));
    EXPECT_TRUE(report[6].endsWith(QStringLiteral("сдвиг после: 1995"))) << report[6].toStdString();
    EXPECT_EQ(report[11], QString());
    EXPECT_TRUE(report[12].startsWith(QStringLiteral("Наибольшее значение:\t162"))) << report[12].toStdString();
    EXPECT_TRUE(report[13].startsWith(QStringLiteral("Диксон r10:\t"))) << report[13].toStdString();
    EXPECT_TRUE(report[20].startsWith(QStringLiteral("Наименьшее значение:\t"))) << report[20].toStdString();

    EXPECT_EQ(form.SeriesChart->axes().size(), 2);
    ASSERT_EQ(form.ShownValues().size(), 30);
    EXPECT_EQ(form.ShownValues().front(), QPointF(1981, 100));
    ASSERT_EQ(form.ShownTrend().size(), 2);
    EXPECT_EQ(form.ShownTrend().back().x(), 2010);
    EXPECT_GT(form.ShownTrend().back().y(), form.ShownTrend().front().y());
    ASSERT_EQ(form.ShownIntegral().size(), 30);
    EXPECT_EQ(form.ShownIntegral().front().x(), 1981);
    EXPECT_NEAR(form.ShownIntegral().back().y(), 0, 1e-9); // the deviations from the mean sum to zero
    EXPECT_EQ(AxisTitle(*form.SeriesChart), QStringLiteral("Год"));
    EXPECT_EQ(AxisTitle(*form.CurveChart), QStringLiteral("Год"));

    if (const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS"); !dir.isEmpty()) {
        form.show();
        QApplication::processEvents();
        form.grab().save(QDir(dir).filePath("analysis_form.png"));
    }
}

// Each check takes what it can: 5–9 values have outliers but no trend, and
// a curve without a shape for the series leaves its refusal in its place.
TEST(AnalysisFormTest, ARefusedCheckLeavesItsReasonInTheReport)
{
    RecordingMessages messages;
    analysis::ui::TAnalysisForm form;
    form.SeriesMemo->setPlainText(StepSeries(7));
    form.btnRun->click();
    EXPECT_TRUE(messages.messages.empty());
    QStringList report = form.OutPutMemo->toPlainText().split('\n');
    ASSERT_EQ(report.size(), 1 + 1 + 15);
    EXPECT_EQ(report[0], QString::fromUtf8(analysis::kTrendLengthText));
    EXPECT_TRUE(report[2].startsWith(QStringLiteral("Наибольшее значение:")));
    EXPECT_TRUE(form.ShownTrend().isEmpty());
    EXPECT_EQ(form.ShownValues().size(), 7);
    EXPECT_EQ(AxisTitle(*form.SeriesChart), QStringLiteral("Номер"));
}

TEST(AnalysisFormTest, SeriesNoCheckTakesIsRefusedInABox)
{
    RecordingMessages messages;
    analysis::ui::TAnalysisForm form;
    form.SeriesMemo->setPlainText("1\n2\n3\n4");
    form.btnRun->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              QString::fromUtf8(analysis::kTrendLengthText) + '\n' + QString::fromUtf8(analysis::kOutlierLengthText));
    EXPECT_TRUE(form.OutPutMemo->toPlainText().isEmpty());

    // Equal values: one reason, said once.
    messages.messages.clear();
    form.SeriesMemo->setPlainText(QStringLiteral("5\n").repeated(12));
    form.btnRun->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, QString::fromUtf8(analysis::kAllEqualText));

    // A line that is no number: the message, and the cursor on the line.
    messages.messages.clear();
    form.SeriesMemo->setPlainText(QStringLiteral("1\n2\n3\nx\n5\n6"));
    form.btnRun->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, QString::fromUtf8(kSeriesInvalidText));
    EXPECT_EQ(form.SeriesMemo->textCursor().blockNumber(), 3);
    EXPECT_TRUE(form.OutPutMemo->toPlainText().isEmpty());
}

} // namespace
} // namespace aqualen::test
