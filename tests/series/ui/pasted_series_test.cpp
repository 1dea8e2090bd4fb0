// Pastes into a series pane: a block of several columns asks for its column
// (the importer's choice, with the file name left empty), a cancel pastes
// nothing, one column goes in as it is, and UTF-16 text with its mark reads.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>

#include <gtest/gtest.h>

#include "series/ui/decimal_separator.h"
#include "series/ui/import_dialog.h"
#include "series/ui/pasted_series.h"
#include "series/ui/series_pane.h"
#include "support/recording_file_dialogs.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

using ui::SeriesPane;

QString Local(const char* text)
{
    QString s = QString::fromUtf8(text);
    s.replace(QLatin1Char(','), QLatin1Char(ui::SystemDecimalSeparator()));
    return s;
}

void Clip(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

class PastedSeriesTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    RecordingFileDialogs dialogs;
    SeriesPane pane;
};

TEST_F(PastedSeriesTest, SeveralColumnsGoInAsTheColumnTaken)
{
    dialogs.columnAnswer = ui::ColumnChoice{1, true};
    Clip(QStringLiteral("Год\tРасход\n1950\t12.5\n1951\t9\n1952\t7,25\n"));
    pane.paste();
    ASSERT_EQ(dialogs.tablesShown.size(), 1u);
    EXPECT_EQ(dialogs.tablesShown[0].columns, 2u);
    // The years stay out of the values; a whole series keeps its years and caption.
    EXPECT_EQ(pane.Text(), Local("12,5\n9\n7,25\n"));
    EXPECT_EQ(pane.FirstYear(), 1950);
    EXPECT_EQ(pane.Name(), QStringLiteral("Расход"));

    // Into the middle of a series: the lines go in at the cursor, the pane's own years stay.
    pane.SetSeries({QStringLiteral("1\n2\n"), 1900, QStringLiteral("Ока")});
    QTextCursor cursor = pane.textCursor();
    cursor.setPosition(2); // the start of line 2
    pane.setTextCursor(cursor);
    Clip(QStringLiteral("1950;5\n1951;6\n"));
    dialogs.columnAnswer = ui::ColumnChoice{1, false};
    pane.paste();
    EXPECT_EQ(pane.Text(), QStringLiteral("1\n5\n6\n2\n"));
    EXPECT_EQ(pane.FirstYear(), 1900);
    EXPECT_EQ(pane.Name(), QStringLiteral("Ока"));
    // One edit: Undo takes the whole paste back.
    pane.undo();
    EXPECT_EQ(pane.Text(), QStringLiteral("1\n2\n"));
}

TEST_F(PastedSeriesTest, ACancelledChoicePastesNothing)
{
    pane.setPlainText(QStringLiteral("10\n20"));
    dialogs.columnAnswer.reset();
    Clip(QStringLiteral("1950\t12\n1951\t9"));
    pane.selectAll();
    pane.paste();
    EXPECT_EQ(dialogs.tablesShown.size(), 1u);
    EXPECT_EQ(pane.Text(), QStringLiteral("10\n20"));
}

TEST_F(PastedSeriesTest, OneColumnGoesInAsItIs)
{
    // A header line too: the run then points at it as at any line.
    Clip(QStringLiteral("Расход\n12\n 9 \n"));
    pane.paste();
    EXPECT_TRUE(dialogs.tablesShown.empty());
    EXPECT_EQ(pane.Text(), QStringLiteral("Расход\n12\n 9 \n"));
}

TEST_F(PastedSeriesTest, Utf16TextWithItsMarkIsDecoded)
{
    // A spreadsheet's "Unicode text": UTF-16 LE with a mark, tabs, CR LF.
    const QString text = QStringLiteral("Год\tСток\r\n1950\t3,5\r\n1951\t4\r\n");
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes += static_cast<char>(c.unicode() & 0xFF);
        bytes += static_cast<char>(c.unicode() >> 8);
    }
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/plain"), bytes);
    QGuiApplication::clipboard()->setMimeData(mime);
    dialogs.columnAnswer = ui::ColumnChoice{1, true};
    pane.paste();
    ASSERT_EQ(dialogs.tablesShown.size(), 1u);
    EXPECT_EQ(dialogs.tablesShown[0].rows[0], (std::vector<std::string>{"Год", "Сток"}));
    EXPECT_EQ(pane.Text(), Local("3,5\n4\n"));
    EXPECT_EQ(pane.Name(), QStringLiteral("Сток"));
}

TEST_F(PastedSeriesTest, TheChoiceOfAPasteProposesTheLastMostlyNumericColumn)
{
    // Year, flow, a remark: the flow, though a remark cell reads as a number.
    const SeriesTable table = ReadSeriesTable("1950;12;сухо\n1951;9;5\n1952;7;\n1953;8;влажно\n");
    ui::ImportDialog dialog(table, QString(), nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Вставить ряд"));
    EXPECT_EQ(dialog.cbColumn->currentIndex(), 1);
}

} // namespace
} // namespace aqualen::test
