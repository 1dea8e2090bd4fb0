#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLegend>
#include <QLineSeries>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>
#include <QValueAxis>
#include <vector>

#include <gtest/gtest.h>

#include "homog/ui/odn_form.h"
#include "series/ui/chart_height.h"
#include "series/ui/message_service.h"
#include "series/ui/pane_text.h"
#include "series/ui/radio_group.h"
#include "support/chart_checks.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

using ui::MessageKind;
using ui::TOdnForm;

// Text in the separator the window reads and writes with.
QString Sep(const char* text)
{
    QString s = QString::fromUtf8(text);
    s.replace(QLatin1Char('.'), QLatin1Char(ui::SystemDecimalSeparator()));
    return s;
}

QString Numbers(int count, int start, int step)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString::number(start + i * step);
    return lines.join(QLatin1Char('\n'));
}

// One value per line, in the window's separator.
QString Values(const std::vector<double>& values)
{
    QStringList lines;
    for (const double v : values)
        lines << QString::number(v, 'g', 17).replace(QLatin1Char('.'), QLatin1Char(ui::SystemDecimalSeparator()));
    return lines.join(QLatin1Char('\n'));
}

const char* kSpreadReport =
    "Длины рядов:\tN1 = 10\tN2 = 10\nF = 4\nFa = 4.03\nРяды однородны по критерию Фишера\t\"Да\"\n\n"
    "t = 2.437\nta = 2.101\nРяды не однородны по критерию Стьюдента\t\"Нет\"\n\n"
    "U = 78\nU1 = 24.072\tU2 = 75.928\nРяды не однородны по критерию Вилькоксона\t\"Нет\"";

class OdnFormTest : public ::testing::Test {
protected:
    void Enter(const QString& first, const QString& second)
    {
        form.MemoSer1->setPlainText(first);
        form.MemoSer2->setPlainText(second);
    }
    void RunSpreadExample()
    {
        Enter(Numbers(10, 1, 1), Numbers(10, 2, 2));
        form.btnRunClick();
        ASSERT_EQ(form.OutPutMemo->toPlainText(), Sep(kSpreadReport));
        ASSERT_TRUE(messages.messages.empty());
    }

    RecordingMessages messages;
    TOdnForm form{nullptr};
};

TEST_F(OdnFormTest, ControlsAsDesigned)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Проверка на однородность"));
    EXPECT_TRUE(form.isWindow());
    EXPECT_GE(form.width(), 620);
    EXPECT_GE(form.height(), 379);
    EXPECT_EQ(form.MemoSer1->toolTip(), QStringLiteral("Ряд 1"));
    EXPECT_EQ(form.MemoSer2->toolTip(), QStringLiteral("Ряд 2"));
    EXPECT_EQ(form.btnRun->text(), QStringLiteral("Рассчитать"));
    EXPECT_EQ(form.SpeedButton1->toolTip(), QStringLiteral("Передвинуть"));
    EXPECT_EQ(form.sbClear->toolTip(), QStringLiteral("Очистить все"));
    for (const QToolButton* glyph : {form.SpeedButton1, form.sbClear}) {
        const QIcon icon = glyph->icon();
        const QImage normal = icon.pixmap(16, 16, QIcon::Normal).toImage();
        const QImage disabled = icon.pixmap(16, 16, QIcon::Disabled).toImage();
        EXPECT_EQ(normal.size(), QSize(16, 16));
        EXPECT_NE(normal, disabled);
        EXPECT_EQ(normal.pixelColor(0, 15).alpha(), 0); // bottom-left is transparent
    }
    EXPECT_TRUE(form.OutPutMemo->font().bold());
    EXPECT_FALSE(form.Chart1->chart()->legend()->isVisible());
    EXPECT_TRUE(form.Chart1->chart()->title().isEmpty());
    EXPECT_EQ(form.Series1->color(), QColor(Qt::red));
    EXPECT_EQ(form.Series2->color(), QColor(Qt::green));
}

TEST_F(OdnFormTest, RadioGroupsHoldTheRowsAndLevels)
{
    EXPECT_EQ(form.RadioGroup1->title(), QStringLiteral("__   R    r(1) "));
    EXPECT_EQ(form.RadioGroup2->title(), QStringLiteral("Уровень значимости, %"));
    ASSERT_EQ(form.RadioGroup1->ItemCount(), 18);
    ASSERT_EQ(form.RadioGroup2->ItemCount(), 13);
    EXPECT_EQ(form.RadioGroup1->Item(0)->text(), QStringLiteral("0.0   0.7"));
    EXPECT_EQ(form.RadioGroup1->Item(17)->text(), QStringLiteral("0.95 0.0"));
    EXPECT_EQ(form.RadioGroup2->Item(7)->text(), QStringLiteral("50F,V; 40t"));
    EXPECT_EQ(form.RowIndex(), 7);
    EXPECT_EQ(form.LevelIndex(), 3);
    form.RadioGroup1->Item(0)->click();
    form.RadioGroup2->Item(12)->click();
    EXPECT_EQ(form.RowIndex(), 0);
    EXPECT_EQ(form.LevelIndex(), 12);
}

TEST_F(OdnFormTest, ReportAndChart)
{
    form.OutPutMemo->setPlainText(QStringLiteral("old report"));
    RunSpreadExample();
    ASSERT_EQ(form.Series1->count(), 10);
    ASSERT_EQ(form.Series2->count(), 10);
    EXPECT_EQ(form.Series1->at(0), QPointF(0, 1));
    EXPECT_EQ(form.Series2->at(9), QPointF(9, 20));

    // The chosen row and level reach the calculation; above level 7 the
    // Wilcoxon lines are left out.
    form.RadioGroup1->Item(0)->click();
    form.RadioGroup2->Item(8)->click();
    form.btnRunClick();
    const QStringList lines = form.OutPutMemo->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[2], Sep("Fa = 1.41"));
    EXPECT_EQ(lines[6], Sep("ta = 0.93"));
}

TEST_F(OdnFormTest, TooShortLeavesEverything)
{
    RunSpreadExample();
    Enter(Numbers(9, 1, 1), Numbers(9, 5, 1));
    form.btnRunClick();
    EXPECT_EQ(form.OutPutMemo->toPlainText(), Sep(kSpreadReport));
    EXPECT_EQ(form.Series1->count(), 10);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(OdnFormTest, UnreadableLineShowsTheErrorAndKeepsWhatWasRead)
{
    RunSpreadExample();
    Enter(Numbers(10, 1, 1), QStringLiteral("2\n4\nx\n8\n10\n12\n14\n16\n18\n20"));
    form.btnRunClick();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("Ряды введены не корректно!"));
    EXPECT_EQ(form.OutPutMemo->toPlainText(), QStringLiteral("Длины рядов:\tN1 = 10\tN2 = 10"));
    EXPECT_EQ(form.Series1->count(), 10);
    EXPECT_EQ(form.Series2->count(), 2);
}

TEST_F(OdnFormTest, FaultEndsTheCommandInTheGenericBox)
{
    Enter(QStringLiteral("3\n3\n3\n3\n3\n3\n3\n3\n3\n3"), Numbers(12, 1, 1));
    form.btnRunClick();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Fault);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("Floating point division by zero"));
    EXPECT_EQ(form.OutPutMemo->toPlainText(), QStringLiteral("Длины рядов:\tN1 = 10\tN2 = 12"));
    EXPECT_EQ(form.Series1->count(), 10);
    EXPECT_EQ(form.Series2->count(), 12);
}

TEST_F(OdnFormTest, MoveShiftsFirstLinesWhileMoreThanTenRemain)
{
    Enter(Numbers(12, 1, 1), QString());
    form.SpeedButton1->click();
    form.SpeedButton1->click();
    EXPECT_EQ(form.MemoSer2->toPlainText(), QStringLiteral("1\n2"));
    EXPECT_EQ(form.MemoSer1->toPlainText(), Numbers(10, 3, 1));
    form.SpeedButton1->click();
    EXPECT_EQ(form.MemoSer1->toPlainText(), Numbers(10, 3, 1));
    EXPECT_EQ(form.MemoSer2->toPlainText(), QStringLiteral("1\n2"));
    EXPECT_TRUE(form.OutPutMemo->toPlainText().isEmpty());
    EXPECT_EQ(form.Series1->count(), 0);
}

// A second pane that ends in a line break gets the line in place of its
// trailing empty line, not after an empty line.
TEST_F(OdnFormTest, MoveAfterATrailingLineBreak)
{
    Enter(Numbers(11, 1, 1) + QStringLiteral("\n"), QStringLiteral("7\n8\n"));
    form.SpeedButton1Click();
    EXPECT_EQ(form.MemoSer2->toPlainText(), QStringLiteral("7\n8\n1"));
    EXPECT_EQ(form.MemoSer1->toPlainText(), Numbers(10, 2, 1) + QStringLiteral("\n"));
    form.SpeedButton1Click();
    EXPECT_EQ(form.MemoSer2->toPlainText(), QStringLiteral("7\n8\n1"));
}

TEST_F(OdnFormTest, ClearEmptiesPanesButNotChartOrChoices)
{
    RunSpreadExample();
    form.RadioGroup1->Item(3)->click();
    form.sbClear->click();
    EXPECT_TRUE(form.MemoSer1->toPlainText().isEmpty());
    EXPECT_TRUE(form.MemoSer2->toPlainText().isEmpty());
    EXPECT_TRUE(form.OutPutMemo->toPlainText().isEmpty());
    EXPECT_EQ(form.Series1->count(), 10);
    EXPECT_EQ(form.RowIndex(), 3);
    EXPECT_EQ(form.LevelIndex(), 3);
}

TEST_F(OdnFormTest, ChartTakesAThirdOfThePanelAndNeverBelowFifty)
{
    form.show();
    form.resize(900, 720);
    QApplication::processEvents();
    EXPECT_EQ(form.Chart1->height(), form.Panel2->height() / 3);

    form.resize(700, 300);
    QApplication::processEvents();
    EXPECT_GE(form.Chart1->height(), aqualen::ui::kMinChartHeight);
    form.hide();
}

// Values the panes accept, however far apart, give a chart the window can lay
// out: a finite range and a few ticks; the report and the fault box behave as
// for any other values.
TEST_F(OdnFormTest, ExtremeValuesNeverFreezeTheChart)
{
    auto withTen = [](std::vector<double> values) {
        for (int i = 1; values.size() < 10; ++i)
            values.push_back(i);
        return values;
    };
    const struct {
        std::vector<double> first, second;
        bool allShown; // false where the span exceeds the double range
    } cases[] = {
        {withTen({0, 1.7e308}), {1, 2, 3}, true},
        {withTen({-8.5e307, 8.5e307}), {1, 2, 3}, true},
        {withTen({-1.79e308, 1.79e308}), {1, 2, 3}, false},
        {std::vector<double>(10, 7), std::vector<double>(10, 7), true},
        {withTen({1e300}), withTen({}), true},
    };
    form.show();
    int shown = 0;
    for (const auto& c : cases) {
        Enter(Values(c.first), Values(c.second));
        form.btnRunClick();
        ASSERT_EQ(form.Series1->count(), static_cast<int>(c.first.size()));
        ASSERT_EQ(form.Series2->count(), static_cast<int>(c.second.size()));
        const auto* y = qobject_cast<QValueAxis*>(form.Chart1->chart()->axes(Qt::Vertical).value(0));
        ASSERT_TRUE(y);
        std::vector<double> all = c.first;
        all.insert(all.end(), c.second.begin(), c.second.end());
        ASSERT_TRUE(AxisIsSafe(*y, c.allShown ? all : std::vector<double>{})) << c.first[1];
        QApplication::processEvents();
        const QPixmap shot = form.grab();
        EXPECT_FALSE(shot.isNull());
        // With AQUALEN_SCREENSHOTS=dir set, the charts are saved to look at.
        if (const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS"); !dir.isEmpty())
            shot.save(QDir(dir).filePath(QStringLiteral("odn_extreme_%1.png").arg(shown++)));
    }
    form.hide();
}

} // namespace
} // namespace aqualen::test
