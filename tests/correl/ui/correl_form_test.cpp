#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFrame>
#include <QLegend>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QSplitter>
#include <QToolButton>
#include <QValueAxis>
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "correl/ui/correl_form.h"
#include "series/ui/chart_height.h"
#include "series/ui/message_service.h"
#include "series/ui/pane_text.h"
#include "support/chart_checks.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

using ui::MessageKind;
using ui::TCorrelForm;

// Text in the separator the window reads and writes with.
QString Sep(const char* text)
{
    QString s = QString::fromUtf8(text);
    s.replace(QLatin1Char(','), QLatin1Char(ui::SystemDecimalSeparator()));
    return s;
}

// One value per line, in the window's separator.
QString Numbers(const std::vector<double>& values)
{
    QStringList lines;
    for (const double v : values)
        lines << QString::number(v, 'g', 17).replace(QLatin1Char('.'), QLatin1Char(ui::SystemDecimalSeparator()));
    return lines.join(QLatin1Char('\n'));
}

class CorrelFormTest : public ::testing::Test {
protected:
    void Enter(const char* studied, const char* analogue)
    {
        form.MemoSer1->setPlainText(QString::fromUtf8(studied));
        form.MemoSer2->setPlainText(QString::fromUtf8(analogue));
    }
    // Runs a first complete report so that later outcomes can be seen to
    // leave it alone.
    void RunFivePairs()
    {
        Enter("1\n2\n3\n4\n5", "2\n1\n4\n3\n5");
        form.btnRunClick();
        ASSERT_EQ(form.Series1->count(), 5);
        ASSERT_TRUE(messages.messages.empty());
    }

    RecordingMessages messages;
    TCorrelForm form{nullptr};
};

TEST_F(CorrelFormTest, ControlsAsDesigned)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Расчет коэффициента корреляции"));
    EXPECT_TRUE(form.isWindow());
    EXPECT_EQ(form.MemoSer1->toolTip(), QStringLiteral("Исследуемый ряд"));
    EXPECT_EQ(form.MemoSer2->toolTip(), QStringLiteral("Ряд аналог"));
    EXPECT_EQ(form.sbClear->toolTip(), QStringLiteral("Очистить все"));
    EXPECT_FALSE(form.sbClear->icon().isNull());
    EXPECT_EQ(form.btnRun->text(), QStringLiteral("Рассчитать"));
    EXPECT_TRUE(form.OutPutMemo->font().bold());
    EXPECT_FALSE(form.Chart1->chart()->legend()->isVisible());
    EXPECT_TRUE(form.Chart1->chart()->title().isEmpty());
    EXPECT_EQ(form.Series1->color(), QColor(Qt::red));
    EXPECT_EQ(form.Series1->markerShape(), QScatterSeries::MarkerShapeCircle);
    EXPECT_FALSE(form.Series1->pointLabelsVisible());
}

TEST_F(CorrelFormTest, ReportReplacesThePaneAndPlotsThePairs)
{
    form.OutPutMemo->setPlainText(QStringLiteral("old report"));
    Enter("1\n2\n3\n4\n5\n6\n", "6\n5\n4\n3\n2\n2\n");
    form.btnRunClick();
    EXPECT_TRUE(messages.messages.empty());
    const QString expected = Sep("Длина:\t6\nR:\t-0,982\n\nСр. Кв. Ошибка R:\t\t±0,016\n"
                                 "Ср. Кв. Ошибка R X 2:\t±0,032\nСр. Кв. Ошибка R X 3:\t±0,048\n"
                                 "Вероятная ошибка R:\t±0,011\n\nСКО коэффициента регрессии:\t0,017");
    EXPECT_EQ(form.OutPutMemo->toPlainText(), expected);
    ASSERT_EQ(form.Series1->count(), 6);
    // Studied values across, analogue values up, in line order.
    EXPECT_EQ(form.Series1->at(0), QPointF(1, 6));
    EXPECT_EQ(form.Series1->at(5), QPointF(6, 2));
}

TEST_F(CorrelFormTest, TooShortAndDifferentLengthsChangeNothing)
{
    RunFivePairs();
    const QString report = form.OutPutMemo->toPlainText();

    Enter("1\n2\n", "1\n2\n");
    form.btnRunClick();
    EXPECT_TRUE(messages.messages.empty());

    Enter("1\n2\n3", "1\n2\n3\n4");
    form.btnRunClick();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("Ряды разной длины!"));

    EXPECT_EQ(form.OutPutMemo->toPlainText(), report);
    EXPECT_EQ(form.Series1->count(), 5);
}

TEST_F(CorrelFormTest, UnreadableLineKeepsReportAndShowsPairsBeforeIt)
{
    RunFivePairs();
    const QString report = form.OutPutMemo->toPlainText();

    Enter("1\n2\n3\n4\n5\n6", "7\n8\n9\n10\nabc\n12");
    form.btnRunClick();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("Ряды введены не корректно!"));
    EXPECT_EQ(form.OutPutMemo->toPlainText(), report);
    ASSERT_EQ(form.Series1->count(), 4);
    EXPECT_EQ(form.Series1->at(3), QPointF(4, 10));

    // A bad first line empties the chart.
    Enter("x\n2\n3", "1\n2\n3");
    form.btnRunClick();
    EXPECT_EQ(form.Series1->count(), 0);
    EXPECT_EQ(form.OutPutMemo->toPlainText(), report);
}

TEST_F(CorrelFormTest, ConstantSeriesFaultShowsAllPairsAndKeepsReport)
{
    RunFivePairs();
    const QString report = form.OutPutMemo->toPlainText();

    Enter("3\n3\n3\n3\n3\n3\n3", "1\n2\n3\n4\n5\n6\n7");
    form.btnRunClick();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Fault);
    EXPECT_EQ(messages.messages[0].caption, QStringLiteral("Aqualen 1.2"));
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("Invalid floating point operation"));
    EXPECT_EQ(form.Series1->count(), 7);
    EXPECT_EQ(form.OutPutMemo->toPlainText(), report);
}

TEST_F(CorrelFormTest, ClearEmptiesThePanesButNotTheChart)
{
    RunFivePairs();
    form.sbClear->click();
    EXPECT_TRUE(form.MemoSer1->toPlainText().isEmpty());
    EXPECT_TRUE(form.MemoSer2->toPlainText().isEmpty());
    EXPECT_TRUE(form.OutPutMemo->toPlainText().isEmpty());
    EXPECT_EQ(form.Series1->count(), 5);
}

TEST_F(CorrelFormTest, ChartTakesAThirdOfTheRightPanelAndNeverLessThanFifty)
{
    form.show();
    form.resize(640, 600);
    QApplication::processEvents();
    EXPECT_EQ(form.Chart1->height(), form.Panel2->height() / 3);

    // Neither the smallest window nor a drag of the splitter takes the chart
    // below fifty pixels.
    form.resize(640, 60);
    QApplication::processEvents();
    EXPECT_GE(form.Chart1->height(), aqualen::ui::kMinChartHeight);
    form.resize(640, 600);
    QApplication::processEvents();
    const int total = form.Splitter3->height() - form.Splitter3->handleWidth();
    form.Splitter3->setSizes({total - 10, 10});
    QApplication::processEvents();
    // The chart view may ask for a little more than fifty pixels for its
    // frame and axis labels: that depends on the font, so the bound is the
    // view's own smallest size, not a fixed number.
    EXPECT_GE(form.Chart1->height(), aqualen::ui::kMinChartHeight);
    EXPECT_LE(form.Chart1->height(),
              std::max(aqualen::ui::kMinChartHeight, form.Chart1->minimumSizeHint().height()) + 4);

    form.resize(640, 354);
    QApplication::processEvents();
    EXPECT_EQ(form.Chart1->height(), form.Panel2->height() / 3);
    form.hide();
}

// Values the panes accept, however far apart, give a chart the window can lay
// out: a finite range, a few ticks, every pair plotted.
TEST_F(CorrelFormTest, ExtremeValuesNeverFreezeTheChart)
{
    const struct {
        std::vector<double> studied, analogue;
        bool allShown; // false where a span exceeds the double range
    } cases[] = {
        {{0, 1.7e308, 0, 1.7e308}, {1, 2, 3, 4}, true},
        {{-8.5e307, 8.5e307, 0}, {8.5e307, -8.5e307, 1}, true},
        {{-1.79e308, 1.79e308, 0}, {1.79e308, -1.79e308, 2}, false},
        {{5, 5, 5}, {1, 2, 3}, true},
        {{1.79e308, 1.79e308, 1.79e308}, {-1.79e308, -1.79e308, -1.79e308}, true},
        {{1, 2, 3, 1e300}, {4, 3, 2, 1}, true},
    };
    form.show();
    int shown = 0;
    for (const auto& c : cases) {
        form.MemoSer1->setPlainText(Numbers(c.studied));
        form.MemoSer2->setPlainText(Numbers(c.analogue));
        form.btnRunClick();
        ASSERT_EQ(form.Series1->count(), static_cast<int>(c.studied.size()));
        const auto* x = qobject_cast<QValueAxis*>(form.Chart1->chart()->axes(Qt::Horizontal).value(0));
        const auto* y = qobject_cast<QValueAxis*>(form.Chart1->chart()->axes(Qt::Vertical).value(0));
        ASSERT_TRUE(x && y);
        ASSERT_TRUE(AxisIsSafe(*x, c.allShown ? c.studied : std::vector<double>{})) << c.studied[1];
        ASSERT_TRUE(AxisIsSafe(*y, c.allShown ? c.analogue : std::vector<double>{})) << c.analogue[1];
        // Drawing lays the chart out.
        QApplication::processEvents();
        const QPixmap shot = form.grab();
        EXPECT_FALSE(shot.isNull());
        // With AQUALEN_SCREENSHOTS=dir set, the charts are saved to look at.
        if (const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS"); !dir.isEmpty())
            shot.save(QDir(dir).filePath(QStringLiteral("correl_extreme_%1.png").arg(shown++)));
    }
    form.hide();
}

} // namespace
} // namespace aqualen::test
