#include <QApplication>
#include <QChartView>
#include <QDir>
#include <QImage>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QValueAxis>
#include <cstdio>
#include <random>

#include <gtest/gtest.h>

#include "homog/ui/odn_form.h"
#include "series/ui/pane_text.h"
#include "support/image_compare.h"

namespace aqualen::test {
namespace {

using ui::TOdnForm;

// A daily series with one decimal, and its points as the chart numbers them.
QString DailySeries(int count, unsigned seed, QList<QPointF>& points)
{
    std::mt19937 random(seed);
    std::lognormal_distribution<double> runoff(4.5, 0.3);
    QString text;
    for (int i = 0; i < count; ++i) {
        const QString value = QString::number(runoff(random), 'f', 1);
        points.append(QPointF(i, value.toDouble()));
        text += QString(value).replace(QLatin1Char('.'), QLatin1Char(ui::SystemDecimalSeparator())) + QLatin1Char('\n');
    }
    return text;
}

class OdnChartThinningTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.resize(800, 500);
        form.show();
        form.MemoSer1->setPlainText(DailySeries(20000, 1, points1));
        form.MemoSer2->setPlainText(DailySeries(15000, 2, points2));
        form.btnRunClick();
        QApplication::processEvents();
    }

    TOdnForm form{nullptr};
    QList<QPointF> points1;
    QList<QPointF> points2;
};

// Each line keeps its first and last point and its lowest and highest, in
// order, and far fewer points; the axes span the whole series.
TEST_F(OdnChartThinningTest, LinesKeepTheirEnvelopeAndTheAxesTheWholeSeries)
{
    const std::pair<const QLineSeries*, const QList<QPointF>*> lines[] = {{form.Series1, &points1},
                                                                          {form.Series2, &points2}};
    for (const auto& [series, all] : lines) {
        const QList<QPointF> shown = series->points();
        EXPECT_LT(shown.size(), all->size() / 2);
        ASSERT_FALSE(shown.isEmpty());
        EXPECT_EQ(shown.front(), all->front());
        EXPECT_EQ(shown.back(), all->back());
        for (qsizetype i = 0; i < shown.size(); ++i) {
            ASSERT_EQ(shown[i], (*all)[static_cast<qsizetype>(shown[i].x())]);
            if (i > 0) {
                ASSERT_LT(shown[i - 1].x(), shown[i].x());
            }
        }
        const auto byY = [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); };
        EXPECT_EQ(std::min_element(shown.begin(), shown.end(), byY)->y(),
                  std::min_element(all->begin(), all->end(), byY)->y());
        EXPECT_EQ(std::max_element(shown.begin(), shown.end(), byY)->y(),
                  std::max_element(all->begin(), all->end(), byY)->y());
    }
    const auto* axisX = qobject_cast<QValueAxis*>(form.Series1->attachedAxes().at(0));
    ASSERT_NE(axisX, nullptr);
    EXPECT_LE(axisX->min(), 0);
    EXPECT_GE(axisX->max(), 19999);
    EXPECT_LT(axisX->max(), 30000);
}

TEST_F(OdnChartThinningTest, PictureAsWithEveryPoint)
{
    const QImage thin = form.Chart1->grab().toImage();
    form.Series1->replace(points1);
    form.Series2->replace(points2);
    QApplication::processEvents();
    const QImage full = form.Chart1->grab().toImage();
    ASSERT_EQ(thin.size(), full.size());
    const int differing = DifferingPixels(thin, full);
    EXPECT_LT(differing, thin.width() * thin.height() / 200) << differing << " of " << thin.width() * thin.height();
    SaveComparison(thin, QStringLiteral("odn-chart-thinned.png"), full, QStringLiteral("odn-chart-every-point.png"),
                   differing);
}

} // namespace
} // namespace aqualen::test
