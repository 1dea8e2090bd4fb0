// The report against what it was computed from: the series, its first
// year and the three choices.

#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <functional>

#include <gtest/gtest.h>

#include "analysis/ui/analysis_form.h"
#include "series/ui/pane_file_commands.h"
#include "series/ui/radio_group.h"
#include "series/ui/report_freshness.h"
#include "series/ui/series_pane.h"
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
        {"the first year", [&] { form.SeriesMemo->SetFirstYear(1990); }},
        {"the level", [&] { form.LevelGroup->SetItemIndex(0); }},
        {"the curve", [&] { form.CurveGroup->SetItemIndex(0); }},
        {"the r(1)", [&] { form.R1Group->SetItemIndex(2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        form.SeriesMemo->setPlainText(lines.join('\n'));
        form.SeriesMemo->SetFirstYear(1981);
        form.LevelGroup->SetItemIndex(1);
        form.CurveGroup->SetItemIndex(1);
        form.R1Group->SetItemIndex(0);
        form.btnRun->click();
        const ui::ReportFreshness& freshness = form.FileCommands->Freshness();
        ASSERT_FALSE(freshness.Stale());
        c.act();
        EXPECT_TRUE(freshness.Stale());
    }
    EXPECT_TRUE(messages.messages.empty());
}

} // namespace
} // namespace aqualen::test
