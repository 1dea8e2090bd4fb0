// A pane and a series file read the same lines: the same bytes typed into the
// main window and given to aqualen-cli are accepted or refused alike and give
// the same report.

#include <QPlainTextEdit>
#include <QString>
#include <string>

#include <gtest/gtest.h>

#include "app/ui/main_form.h"
#include "series/ui/pane_text.h"
#include "series/ui/radio_group.h"
#include "support/cli_runner.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

TEST(SameLines, PaneAndCommandLineReadTheSameBytesAlike)
{
    enum class Outcome { Report, Refused, TooShort };
    const struct {
        const char* bytes;
        Outcome outcome;
    } cases[] = {
        {"100\n120\n80\n150\n", Outcome::Report},
        {"100\r\n120\r\n80\r\n150", Outcome::Report},
        {"100\r120\r80\r150\r", Outcome::Report},   // lone carriage returns
        {"100\r120\n80\r\n150\r", Outcome::Report}, // all three mixed
        {"  100  \n120\n80\n", Outcome::Report},    // blanks around a number
        {"\u00A0120\n100\n80\n", Outcome::Refused}, // a no-break space is no blank
        {"100\n120\u00A0\n80\n", Outcome::Refused},
        {"100\n120\n80\n\n", Outcome::Refused}, // an empty last line
        {"100\r120\r80\r\r", Outcome::Refused},
        {"100\t\n120\n80\n", Outcome::Refused},
        {"100\n\u2028120\n80\n", Outcome::Refused}, // a line separator is no line break
        {"1\r2\r", Outcome::TooShort},
        {"1\r\n\r\n", Outcome::TooShort},
    };
    const char separator = ui::SystemDecimalSeparator();
    for (const auto& c : cases) {
        RecordingMessages messages;
        ui::TMainForm form;
        form.OutPutMemo->setPlainText(QStringLiteral("earlier report"));
        form.Ser1Memo->setPlainText(QString::fromUtf8(c.bytes));
        form.RadioGroup1->SetItemIndex(1);
        form.mnStatHar->trigger();

        const std::string file = WriteScratchFile("same-lines.txt", c.bytes);
        const CliResult cli = RunCli(std::string("stats --r1 1 --decimal '") + separator + "' '" + file + "'");
        const std::string shown = c.bytes;
        switch (c.outcome) {
        case Outcome::Report:
            EXPECT_TRUE(messages.messages.empty()) << shown;
            EXPECT_EQ(cli.status, 0) << shown;
            EXPECT_EQ(form.OutPutMemo->toPlainText().toStdString() + "\n", cli.out) << shown;
            break;
        case Outcome::Refused:
            ASSERT_EQ(messages.messages.size(), 1u) << shown;
            EXPECT_EQ(messages.messages[0].text, QStringLiteral("Ряд введен не корректно!")) << shown;
            EXPECT_EQ(cli.status, 1) << shown;
            EXPECT_EQ(cli.err, "Ряд введен не корректно!\n") << shown;
            EXPECT_EQ(form.OutPutMemo->toPlainText(), QStringLiteral("earlier report")) << shown;
            break;
        case Outcome::TooShort:
            EXPECT_TRUE(messages.messages.empty()) << shown;
            EXPECT_EQ(cli.status, 3) << shown;
            EXPECT_EQ(form.OutPutMemo->toPlainText(), QStringLiteral("earlier report")) << shown;
            break;
        }
    }
}

} // namespace
} // namespace aqualen::test
