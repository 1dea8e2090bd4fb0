// Series panes offscreen: the year gutter, the first-year commands, the exact
// text a pane gives and takes, and "Взять ряд из главного окна" through the
// owner's provider.

#include <QAction>
#include <QImage>
#include <QTextDocument>
#include <QWidget>

#include <gtest/gtest.h>

#include "series/series_lines.h"
#include "series/ui/pane_series.h"
#include "series/ui/pane_text.h"
#include "series/ui/series_files.h"
#include "series/ui/series_pane.h"
#include "series/ui/take_series.h"
#include "support/recording_file_dialogs.h"
#include "support/recording_inputs.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

using ui::PaneSeries;
using ui::SeriesPane;

class SeriesPaneTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    RecordingInputs inputs;
};

TEST_F(SeriesPaneTest, TextRoundTripsExactlyAndReadsAsBefore)
{
    // A no-break space, an empty line inside and an empty last line.
    const QString texts[] = {QString(), QStringLiteral("1"), QStringLiteral("1\n2\n3\n"), QStringLiteral("1\n\n3"),
                             QString::fromUtf8("\u00A0120\n5")};
    const std::vector<std::string> lines[] = {{}, {"1"}, {"1", "2", "3"}, {"1", "", "3"}, {"\u00A0120", "5"}};
    for (size_t i = 0; i < std::size(texts); ++i) {
        SeriesPane pane;
        pane.SetSeries({texts[i], 1950, QStringLiteral("Река")});
        EXPECT_EQ(pane.Text(), texts[i]) << i;
        EXPECT_EQ(ui::PaneLines(pane), lines[i]) << i;
        EXPECT_EQ(pane.LineCount(), static_cast<int>(lines[i].size())) << i;
        pane.undo();
        EXPECT_TRUE(pane.Text().isEmpty()) << i;
    }
}

// A series restored into a hidden pane waits for the pane to show: read
// before the fill it is what the editor gives after it, breaks of every kind
// included, and the fill leaves nothing to undo.
// The pane keeps the text it read last; every kind of edit must reach a
// reader at once, the listeners of the change among them.
TEST_F(SeriesPaneTest, EveryEditReachesTheTextAndTheLines)
{
    SeriesPane pane;
    QString heard;
    QObject::connect(&pane, &SeriesPane::SeriesChanged, [&] { heard = pane.Text(); });
    const auto expect = [&](const char* text) {
        EXPECT_EQ(pane.Text(), QString::fromUtf8(text));
        EXPECT_EQ(heard, QString::fromUtf8(text));
        EXPECT_EQ(ui::PaneLines(pane), SplitLines(text));
    };
    pane.setPlainText(QStringLiteral("1\n2"));
    expect("1\n2");
    pane.moveCursor(QTextCursor::End);
    pane.insertPlainText(QStringLiteral("5\n7"));
    expect("1\n25\n7");
    pane.undo();
    expect("1\n2");
    pane.redo();
    expect("1\n25\n7");
    QTextCursor cursor(pane.document());
    cursor.beginEditBlock();
    cursor.insertText(QStringLiteral("9\n"));
    cursor.insertText(QStringLiteral("8"));
    cursor.endEditBlock();
    expect("9\n81\n25\n7");
    pane.SetSeries({QStringLiteral("3"), 1950, QString()});
    expect("3");
    pane.clear();
    expect("");
}

TEST_F(SeriesPaneTest, ARestoredSeriesReadsTheSameBeforeAndAfterTheFill)
{
    const QString texts[] = {QString(),
                             QStringLiteral("1\r\n2\r3\n"),
                             QStringLiteral("1\r\r\n\n2\r"),
                             QString::fromUtf8("\u00A012\u20295\u2028 6"),
                             QString::fromUtf8("7\uFDD08\uFDD1"),
                             QStringLiteral("\n\n")};
    for (const QString& text : texts) {
        SeriesPane pane;
        pane.RestoreSeries({text, 1950, QStringLiteral("Река")});
        const PaneSeries waiting = pane.Series();
        const SeriesLines lines = ui::PaneLines(pane);
        const int count = pane.LineCount();
        const int gutter = pane.GutterWidth();
        EXPECT_TRUE(pane.QPlainTextEdit::document()->isEmpty()) << "waits while hidden";

        pane.show();
        const QString filled = pane.QPlainTextEdit::document()->toRawText();
        EXPECT_EQ(QString(filled).replace(QChar::ParagraphSeparator, QLatin1Char('\n')), waiting.text);
        EXPECT_EQ(pane.Series(), waiting);
        EXPECT_EQ(ui::PaneLines(pane), lines);
        EXPECT_EQ(pane.LineCount(), count);
        EXPECT_EQ(pane.GutterWidth(), gutter);
        EXPECT_FALSE(pane.QPlainTextEdit::document()->isUndoAvailable());

        // Restored into a shown pane, the editor is filled at once.
        pane.RestoreSeries({text, std::nullopt, QString()});
        EXPECT_EQ(pane.QPlainTextEdit::document()->toRawText(), filled);
        EXPECT_FALSE(pane.QPlainTextEdit::document()->isUndoAvailable());
    }
}

TEST_F(SeriesPaneTest, GutterOnlyWithYearsAndOneYearPerLine)
{
    SeriesPane pane;
    pane.resize(200, 300);
    pane.setPlainText(QStringLiteral("10\n20\n30\n"));
    EXPECT_EQ(pane.GutterWidth(), 0);
    EXPECT_FALSE(pane.YearOfLine(0));
    EXPECT_FALSE(pane.ClearYearsAction()->isEnabled());

    inputs.answer = 1961;
    pane.FirstYearAction()->trigger();
    ASSERT_EQ(inputs.questions.size(), 1u);
    EXPECT_EQ(pane.FirstYear(), 1961);
    EXPECT_GT(pane.GutterWidth(), 0);
    EXPECT_EQ(pane.YearOfLine(0), 1961);
    EXPECT_EQ(pane.YearOfLine(2), 1963);
    EXPECT_FALSE(pane.YearOfLine(3)) << "the empty line after the final break has no year";
    EXPECT_TRUE(pane.ClearYearsAction()->isEnabled());

    inputs.answer.reset(); // cancelled: the year stays
    pane.FirstYearAction()->trigger();
    EXPECT_EQ(pane.FirstYear(), 1961);

    pane.ClearYearsAction()->trigger();
    EXPECT_FALSE(pane.FirstYear());
    EXPECT_EQ(pane.GutterWidth(), 0);

    if (qEnvironmentVariableIsSet("AQUALEN_SCREENSHOTS")) {
        pane.SetFirstYear(1961);
        pane.show();
        pane.grab().save(QStringLiteral("series_pane_years.png"));
    }
}

TEST_F(SeriesPaneTest, OneChangeSignalPerSetSeries)
{
    SeriesPane pane;
    int changes = 0;
    QObject::connect(&pane, &SeriesPane::SeriesChanged, [&changes] { ++changes; });
    pane.SetSeries({QStringLiteral("1\n2\n3"), 2000, QStringLiteral("a")});
    EXPECT_EQ(changes, 1);
    pane.SetSeries({QStringLiteral("1\n2\n3"), 2001, QStringLiteral("a")});
    EXPECT_EQ(changes, 2);
}

TEST_F(SeriesPaneTest, TakeSeriesCopiesTheOwnersSeries)
{
    QWidget owner;
    const PaneSeries main{QStringLiteral("100\n120\n90"), 1990, QStringLiteral("Волга")};
    ui::ProvideSeries(owner, [&main] { return main; });
    QWidget window(&owner, Qt::Window);
    auto* pane = new SeriesPane(&window);
    QAction* take = ui::AddTakeSeriesAction(*pane);
    EXPECT_EQ(take->text(), QStringLiteral("Взять ряд из главного окна"));
    take->trigger();
    EXPECT_EQ(pane->Series(), main);
    EXPECT_TRUE(messages.messages.empty());
    pane->undo();
    EXPECT_TRUE(pane->Text().isEmpty());
}

TEST_F(SeriesPaneTest, TakeSeriesRefusesNothingAndTooLong)
{
    SeriesPane orphan;
    ui::AddTakeSeriesAction(orphan)->trigger();
    EXPECT_TRUE(orphan.Text().isEmpty());
    ASSERT_EQ(messages.messages.size(), 1u);

    QWidget owner;
    QString longText;
    for (int i = 0; i <= ui::kMaxPaneLines; ++i)
        longText += QStringLiteral("1\n");
    longText.chop(1);
    ui::ProvideSeries(owner, [&longText] { return PaneSeries{longText, {}, {}}; });
    auto* pane = new SeriesPane(&owner);
    pane->setPlainText(QStringLiteral("5"));
    ui::AddTakeSeriesAction(*pane)->trigger();
    EXPECT_EQ(pane->Text(), QStringLiteral("5")) << "nothing changed";
    EXPECT_EQ(messages.messages.size(), 2u);
}

TEST_F(SeriesPaneTest, YearColumnSetsTheFirstYearAndTheCaptionTheName)
{
    RecordingFileDialogs files;
    files.columnAnswer = ui::ColumnChoice{1, true};
    // "Год;Расход" in the Windows Cyrillic code page.
    const TempFile table(QByteArray("\xC3\xEE\xE4;\xD0\xE0\xF1\xF5\xEE\xE4\r\n1950;12\r\n1951;7\r\n1952;9\r\n"),
                         QStringLiteral("Ока.csv"));
    SeriesPane pane;
    ASSERT_TRUE(ui::LoadSeriesFile(nullptr, pane, table.Path()));
    EXPECT_EQ(pane.Series(), (PaneSeries{QStringLiteral("12\n7\n9"), 1950, QStringLiteral("Расход")}));
    EXPECT_TRUE(messages.questions.empty());

    files.columnAnswer = ui::ColumnChoice{1, false}; // no header: the file names the series
    const TempFile plain(QByteArray("1950;12\n1951;7\n"), QStringLiteral("Ока.csv"));
    ASSERT_TRUE(ui::LoadSeriesFile(nullptr, pane, plain.Path()));
    EXPECT_EQ(pane.Series(), (PaneSeries{QStringLiteral("12\n7"), 1950, QStringLiteral("Ока")}));
}

TEST_F(SeriesPaneTest, BrokenYearColumnIsNamedAndTakenWithoutYearsOrCancelled)
{
    RecordingFileDialogs files;
    files.columnAnswer = ui::ColumnChoice{1, true};
    const TempFile table(QByteArray("Year;Q\n1950;12\n1952;7\n1952;9\n"));
    SeriesPane pane;
    pane.SetSeries({QStringLiteral("5"), 1900, QStringLiteral("old")});

    ASSERT_FALSE(ui::LoadSeriesFile(nullptr, pane, table.Path())) << "cancelled";
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_TRUE(messages.questions[0].contains(QStringLiteral("пропущены 1951")))
        << messages.questions[0].toStdString();
    EXPECT_TRUE(messages.questions[0].contains(QStringLiteral("повторены 1952")));
    EXPECT_EQ(pane.Series(), (PaneSeries{QStringLiteral("5"), 1900, QStringLiteral("old")}));

    messages.answers = {ui::Answer::Yes};
    ASSERT_TRUE(ui::LoadSeriesFile(nullptr, pane, table.Path()));
    EXPECT_EQ(pane.Series(), (PaneSeries{QStringLiteral("12\n7\n9"), std::nullopt, QStringLiteral("Q")}));
}

TEST(SeriesTitleTest, NameAndYears)
{
    struct Case {
        PaneSeries series;
        int count;
        const char* title;
    };
    const Case cases[] = {
        {{{}, 1950, QStringLiteral("Ока")}, 60, "Ока, 1950–2009"},
        {{{}, {}, QStringLiteral("Ока")}, 60, "Ока"},
        {{{}, 1950, {}}, 60, "1950–2009"},
        {{{}, 1950, QStringLiteral("Ока")}, 1, "Ока, 1950"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ui::SeriesTitle(c.series, c.count), QString::fromUtf8(c.title));
}

} // namespace
} // namespace aqualen::test
