// The extension report against the panes it was computed from: a changed
// first year of either series makes it out of date until computed again.

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <cmath>

#include <gtest/gtest.h>

#include "extension/ui/extension_form.h"
#include "series/ui/pane_file_commands.h"
#include "series/ui/report_freshness.h"
#include "series/ui/series_pane.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

QString Lines(int count, double (*value)(int))
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString::number(static_cast<int>(value(i)));
    return lines.join('\n');
}

double Analogue(int i)
{
    return 100 + 40 * std::sin(i * 1.3) + (i * 37) % 11;
}

double Studied(int i)
{
    return 0.8 * Analogue(i + 40) + 12 + ((i * 13) % 7 - 3);
}

TEST(ExtensionStaleReport, AnotherFirstYearMarksTheReport)
{
    RecordingMessages messages;
    extension::ui::TExtensionForm form;
    ui::ReportFreshness& freshness = form.FileCommands->Freshness();
    form.MemoSer1->SetSeries({Lines(20, Studied), 1981, {}});
    form.MemoSer2->SetSeries({Lines(70, Analogue), 1941, {}});
    form.btnRun->click();
    ASSERT_FALSE(form.OutPutMemo->toPlainText().isEmpty());
    ASSERT_FALSE(freshness.Stale());
    form.MemoSer2->SetFirstYear(1940);
    EXPECT_TRUE(freshness.Stale());
    form.btnRun->click();
    EXPECT_FALSE(freshness.Stale());
}

} // namespace
} // namespace aqualen::test
