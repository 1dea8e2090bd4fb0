// "Разделить ряд ..." of the homogeneity window: the main window's series
// into Ряд 1 and Ряд 2 at the year (or line) the user confirms, the change
// point proposed; refusals change nothing; the chart counts by year where
// both series have their years.

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QLineSeries>
#include <QPixmap>
#include <QValueAxis>

#include <gtest/gtest.h>

#include "homog/ui/odn_form.h"
#include "series/ui/pane_series.h"
#include "series/ui/take_series.h"
#include "support/recording_inputs.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

using ui::PaneSeries;
using ui::TOdnForm;

// 30 values, 12 low then 18 high: Pettitt's change point is after the 12th.
QString Shifted()
{
    QStringList lines;
    for (int i = 0; i < 30; ++i)
        lines << QString::number((i < 12 ? 100 : 200) + i % 5);
    return lines.join(QLatin1Char('\n'));
}

QString Part(const QString& text, int from, int count)
{
    return text.split(QLatin1Char('\n')).mid(from, count).join(QLatin1Char('\n'));
}

class OdnSplitTest : public ::testing::Test {
protected:
    OdnSplitTest()
    {
        ui::ProvideSeries(owner, [this] { return main; });
    }

    RecordingMessages messages;
    RecordingInputs inputs;
    QWidget owner;
    PaneSeries main{Shifted(), 1950, QStringLiteral("Ока")};
    TOdnForm form{&owner};
};

TEST_F(OdnSplitTest, ByYearTheChangePointProposed)
{
    EXPECT_EQ(form.mnSplitSeries->text(), QStringLiteral("Разделить ряд ..."));
    EXPECT_TRUE(form.MemoSer1->actions().contains(form.mnSplitSeries));
    EXPECT_TRUE(form.MemoSer2->actions().contains(form.mnSplitSeries));
    inputs.answer = 1965;
    form.mnSplitSeries->trigger();
    ASSERT_EQ(inputs.questions.size(), 1u);
    const ui::NumberQuestion& asked = inputs.questions[0];
    EXPECT_EQ(asked.title, QStringLiteral("Разделить ряд"));
    EXPECT_EQ(asked.label, QStringLiteral("Первый год ряда 2:"));
    EXPECT_EQ(asked.proposed, 1962);
    EXPECT_EQ(asked.minimum, 1953);
    EXPECT_EQ(asked.maximum, 1977);
    EXPECT_EQ(form.MemoSer1->Series(), (PaneSeries{Part(main.text, 0, 15), 1950, QStringLiteral("Ока")}));
    EXPECT_EQ(form.MemoSer2->Series(), (PaneSeries{Part(main.text, 15, 15), 1965, QStringLiteral("Ока")}));
    EXPECT_TRUE(messages.messages.empty());

    // The chart counts by year; the parts follow each other.
    form.resize(700, 450);
    form.show();
    form.btnRunClick();
    ASSERT_EQ(form.Series1->count(), 15);
    EXPECT_EQ(form.Series1->at(0).x(), 1950);
    EXPECT_EQ(form.Series2->at(0).x(), 1965);
    EXPECT_EQ(form.Series2->at(14).x(), 1979);
    const auto* x = qobject_cast<QValueAxis*>(form.Chart1->chart()->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(x);
    EXPECT_LE(x->min(), 1950);
    EXPECT_GE(x->max(), 1979);
    EXPECT_GT(x->min(), 1900) << "the axis starts near the first year, not at 0";
    QApplication::processEvents();
    if (const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS"); !dir.isEmpty())
        form.grab().save(QDir(dir).filePath(QStringLiteral("odn_split_by_year.png")));

    // Each part came in as one edit.
    form.MemoSer2->undo();
    EXPECT_TRUE(form.MemoSer2->Text().isEmpty());
    form.hide();
}

TEST_F(OdnSplitTest, ByLineWithoutYearsAndTheChartByNumber)
{
    main = {QStringLiteral("1\n2\n3\n40\n50\n60\n70"), std::nullopt, {}};
    inputs.answer = 5;
    form.mnSplitSeries->trigger();
    ASSERT_EQ(inputs.questions.size(), 1u);
    EXPECT_EQ(inputs.questions[0].label, QStringLiteral("Первая строка ряда 2:"));
    EXPECT_EQ(inputs.questions[0].proposed, 4); // the middle: too short for the trend tests
    EXPECT_EQ(inputs.questions[0].minimum, 4);
    EXPECT_EQ(inputs.questions[0].maximum, 5);
    EXPECT_EQ(form.MemoSer1->Text(), QStringLiteral("1\n2\n3\n40"));
    EXPECT_EQ(form.MemoSer2->Text(), QStringLiteral("50\n60\n70"));
    EXPECT_FALSE(form.MemoSer2->FirstYear());

    // Without years the chart counts the values from 0, and so it does with
    // years on one pane only.
    form.MemoSer1->setPlainText(Part(Shifted(), 0, 12));
    form.MemoSer2->setPlainText(Part(Shifted(), 12, 12));
    form.resize(700, 450);
    form.show();
    for (const std::optional<int> year : {std::optional<int>(), std::optional<int>(1950)}) {
        form.MemoSer1->SetFirstYear(year);
        form.btnRunClick();
        ASSERT_EQ(form.Series1->count(), 12);
        ASSERT_EQ(form.Series2->count(), 12);
        EXPECT_EQ(form.Series1->at(0).x(), 0);
        EXPECT_EQ(form.Series2->at(11).x(), 11);
    }
    form.hide();
}

TEST_F(OdnSplitTest, RefusalsAndCancelLeaveThePanes)
{
    form.MemoSer1->setPlainText(QStringLiteral("kept 1"));
    form.MemoSer2->setPlainText(QStringLiteral("kept 2"));
    struct Case {
        const char* what;
        QString text;
        std::optional<int> answer;
        QString message; // empty: none
    };
    const Case cases[] = {
        {"cancelled", Shifted(), std::nullopt, {}},
        {"an answer outside the range", Shifted(), 1990, {}},
        {"no series", {}, 1960, QString::fromUtf8(ui::kNoMainSeriesText)},
        {"too short", QStringLiteral("1\n2\n3\n4\n5"), 3, QStringLiteral("Ряд слишком короток, чтобы его разделить!")},
    };
    for (const Case& c : cases) {
        main.text = c.text;
        inputs.answer = c.answer;
        messages.messages.clear();
        form.mnSplitSeries->trigger();
        EXPECT_EQ(form.MemoSer1->Text(), QStringLiteral("kept 1")) << c.what;
        EXPECT_EQ(form.MemoSer2->Text(), QStringLiteral("kept 2")) << c.what;
        if (c.message.isEmpty()) {
            EXPECT_TRUE(messages.messages.empty()) << c.what;
        } else {
            ASSERT_EQ(messages.messages.size(), 1u) << c.what;
            EXPECT_EQ(messages.messages[0].text, c.message) << c.what;
        }
    }
    // Without a main window the command has nothing to split.
    TOdnForm orphan(nullptr);
    orphan.mnSplitSeries->trigger();
    EXPECT_EQ(messages.messages.back().text, QString::fromUtf8(ui::kNoMainSeriesText));
}

} // namespace
} // namespace aqualen::test
