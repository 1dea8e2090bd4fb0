// The homogeneity report against what it was tested on: either pane, the
// dependence row and the significance level.

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <functional>

#include <gtest/gtest.h>

#include "homog/ui/odn_form.h"
#include "series/ui/pane_file_commands.h"
#include "series/ui/radio_group.h"
#include "series/ui/report_freshness.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

using ui::TOdnForm;

QString Numbers(int count, int start, int step)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString::number(start + i * step);
    return lines.join(QLatin1Char('\n'));
}

TEST(OdnStaleReport, EachSourceOfTheVerdictsMarksTheReport)
{
    RecordingMessages messages;
    QWidget owner;
    TOdnForm form(&owner);
    form.show();
    ui::ReportFreshness& freshness = form.FileCommands->Freshness();
    struct Case {
        const char* change;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"series 1", [&] { form.MemoSer1->appendPlainText(QStringLiteral("3")); }},
        {"series 2", [&] { form.MemoSer2->setPlainText(Numbers(10, 3, 2)); }},
        {"the dependence row", [&] { form.RadioGroup1->SetItemIndex(3); }},
        {"the level", [&] { form.RadioGroup2->SetItemIndex(9); }},
        {"\"Передвинуть\"", [&] { form.SpeedButton1->click(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        form.MemoSer1->setPlainText(Numbers(12, 1, 1));
        form.MemoSer2->setPlainText(Numbers(10, 2, 2));
        form.RadioGroup1->SetItemIndex(7);
        form.RadioGroup2->SetItemIndex(3);
        form.btnRun->click();
        ASSERT_FALSE(freshness.Stale());
        c.act();
        EXPECT_TRUE(freshness.Stale());
        EXPECT_TRUE(freshness.Note()->isVisible());
        form.btnRun->click();
        EXPECT_FALSE(freshness.Stale());
    }
    EXPECT_TRUE(messages.messages.empty());
}

} // namespace
} // namespace aqualen::test
