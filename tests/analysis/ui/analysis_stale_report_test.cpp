// The trend report against what it was computed from: the series, its
// first year and the significance level.

#include <QAbstractButton>
#include <QButtonGroup>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>
#include <functional>

#include <gtest/gtest.h>

#include "analysis/ui/analysis_form.h"
#include "series/ui/report_freshness.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

TEST(AnalysisStaleReport, EachSourceMarksTheReport)
{
    RecordingMessages messages;
    analysis::ui::TAnalysisForm form;
    QStringList lines;
    for (int i = 0; i < 30; ++i)
        lines << QString::number(100 + (i * 37) % 23 + (i >= 15 ? 40 : 0));
    struct Case {
        const char* change;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"a value", [&] { form.SeriesMemo->appendPlainText(QStringLiteral("120")); }},
        {"the first year", [&] { form.FirstYear->setValue(1990); }},
        {"the level", [&] { form.LevelGroup->buttons().first()->click(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        form.SeriesMemo->setPlainText(lines.join('\n'));
        form.FirstYear->setValue(1981);
        form.LevelGroup->button(5)->setChecked(true);
        form.btnRun->click();
        ASSERT_FALSE(form.Freshness->Stale());
        c.act();
        EXPECT_TRUE(form.Freshness->Stale());
    }
    EXPECT_TRUE(messages.messages.empty());
}

} // namespace
} // namespace aqualen::test
