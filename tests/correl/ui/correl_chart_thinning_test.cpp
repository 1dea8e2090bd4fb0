#include <QApplication>
#include <QChartView>
#include <QDir>
#include <QImage>
#include <QPlainTextEdit>
#include <QScatterSeries>
#include <QSet>
#include <cstdio>
#include <random>

#include <gtest/gtest.h>

#include "correl/correlation_report.h"
#include "correl/ui/correl_form.h"
#include "series/ui/pane_text.h"
#include "support/image_compare.h"

namespace aqualen::test {
namespace {

using ui::TCorrelForm;

// Daily-discharge-like pairs with one decimal, the analogue following loosely.
void LongPairs(int count, QString& studied, QString& analogue, QList<QPointF>& pairs)
{
    std::mt19937 random(11);
    std::lognormal_distribution<double> runoff(4.5, 0.3);
    std::normal_distribution<double> noise(0, 8);
    const QChar separator = QLatin1Char(ui::SystemDecimalSeparator());
    for (int i = 0; i < count; ++i) {
        const QString x = QString::number(runoff(random), 'f', 1);
        const QString y = QString::number(0.8 * x.toDouble() + 10 + noise(random), 'f', 1);
        pairs.append(QPointF(x.toDouble(), y.toDouble()));
        studied += QString(x).replace(QLatin1Char('.'), separator) + QLatin1Char('\n');
        analogue += QString(y).replace(QLatin1Char('.'), separator) + QLatin1Char('\n');
    }
}

QSet<QPair<double, double>> AsSet(const QList<QPointF>& points)
{
    QSet<QPair<double, double>> set;
    for (const QPointF& p : points)
        set.insert({p.x(), p.y()});
    return set;
}

class CorrelChartThinningTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LongPairs(20000, studied, analogue, pairs);
        form.resize(700, 420);
        form.show();
        form.MemoSer1->setPlainText(studied);
        form.MemoSer2->setPlainText(analogue);
        form.btnRunClick();
        QApplication::processEvents();
    }

    TCorrelForm form{nullptr};
    QString studied;
    QString analogue;
    QList<QPointF> pairs;
};

// The chart gets far fewer pairs, all of them real ones, the extremes among
// them; the report is the one of all pairs.
TEST_F(CorrelChartThinningTest, ChartHoldsFewerRealPairsReportHoldsAll)
{
    const QList<QPointF> shown = form.Series1->points();
    EXPECT_LT(shown.size(), pairs.size() / 2);
    EXPECT_GT(shown.size(), 100);
    const QSet<QPair<double, double>> all = AsSet(pairs);
    for (const QPointF& p : shown)
        ASSERT_TRUE(all.contains({p.x(), p.y()})) << p.x() << " " << p.y();
    const auto byX = [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); };
    const auto byY = [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); };
    EXPECT_EQ(std::max_element(shown.begin(), shown.end(), byX)->x(),
              std::max_element(pairs.begin(), pairs.end(), byX)->x());
    EXPECT_EQ(std::min_element(shown.begin(), shown.end(), byY)->y(),
              std::min_element(pairs.begin(), pairs.end(), byY)->y());

    const CorrelationOutcome whole =
        CorrelationReport(ui::PaneLines(*form.MemoSer1), ui::PaneLines(*form.MemoSer2), ui::SystemDecimalSeparator());
    QStringList expected;
    for (const std::string& line : whole.lines)
        expected << QString::fromStdString(line);
    EXPECT_EQ(form.OutPutMemo->toPlainText(), expected.join(QLatin1Char('\n')));
}

// A larger chart has finer cells: the pairs are thinned again for it, never
// fewer than before.
TEST_F(CorrelChartThinningTest, GrowingTheWindowThinsAgainForTheLargerChart)
{
    const qsizetype before = form.Series1->count();
    const QSize chartBefore = form.Chart1->size();
    form.resize(1200, 900);
    QApplication::processEvents();
    ASSERT_GT(form.Chart1->width(), chartBefore.width());
    EXPECT_GT(form.Series1->count(), before);
    EXPECT_LT(form.Series1->count(), pairs.size());
}

// The thinned chart looks as the chart of every pair: rendered both ways, the
// pictures differ in hardly any pixel (markers a fraction of a pixel apart).
TEST_F(CorrelChartThinningTest, PictureAsWithEveryPair)
{
    const QImage thin = form.Chart1->grab().toImage();
    form.Series1->replace(pairs);
    QApplication::processEvents();
    const QImage full = form.Chart1->grab().toImage();
    ASSERT_EQ(thin.size(), full.size());
    const int differing = DifferingPixels(thin, full);
    EXPECT_LT(differing, thin.width() * thin.height() / 200) << differing << " of " << thin.width() * thin.height();
    SaveComparison(thin, QStringLiteral("correl-chart-thinned.png"), full,
                   QStringLiteral("correl-chart-every-pair.png"), differing);
}

} // namespace
} // namespace aqualen::test
