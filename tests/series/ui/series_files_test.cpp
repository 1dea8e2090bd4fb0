// Series files into panes and reports out, offscreen: the open road with and
// without the column dialog, drops, undo, the report file and its failures,
// and the line a refused series points at.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextBlock>

#include <gtest/gtest.h>

#include "series/series_file_import.h"
#include "series/ui/import_dialog.h"
#include "series/ui/line_pointer.h"
#include "series/ui/pane_text.h"
#include "series/ui/series_files.h"
#include "support/file_drop.h"
#include "support/recording_file_dialogs.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

// The pane text of these lines in the separator the test runs under.
QString Local(const char* text)
{
    QString s = QString::fromUtf8(text);
    s.replace(QLatin1Char(','), QLatin1Char(ui::SystemDecimalSeparator()));
    return s;
}

class SeriesFilesTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    RecordingFileDialogs dialogs;
    QPlainTextEdit pane;
};

TEST_F(SeriesFilesTest, OneColumnGoesStraightInAndUndoBringsTheOldTextBack)
{
    pane.setPlainText(QStringLiteral("typed"));
    const TempFile file("12.5\r\n7\r\n\r\n");
    dialogs.openAnswer = file.Path();
    EXPECT_EQ(ui::OpenSeriesFile(nullptr, pane), file.Path());
    EXPECT_EQ(pane.toPlainText(), Local("12,5\n7"));
    EXPECT_TRUE(dialogs.tablesShown.empty());
    EXPECT_TRUE(messages.messages.empty());
    pane.undo();
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("typed"));
}

TEST_F(SeriesFilesTest, ATableAsksForItsColumn)
{
    const TempFile file("Год;Сток\n1950;12,5\n1951;8,25\n", QStringLiteral("сток.csv"));
    dialogs.columnAnswer = ui::ColumnChoice{1, true};
    EXPECT_TRUE(ui::LoadSeriesFile(nullptr, pane, file.Path()));
    ASSERT_EQ(dialogs.tablesShown.size(), 1u);
    EXPECT_EQ(dialogs.tablesShown[0].columns, 2u);
    EXPECT_EQ(pane.toPlainText(), Local("12,5\n8,25"));

    // Cancelled: the pane keeps its text.
    dialogs.columnAnswer.reset();
    pane.setPlainText(QStringLiteral("kept"));
    EXPECT_FALSE(ui::LoadSeriesFile(nullptr, pane, file.Path()));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("kept"));
}

TEST_F(SeriesFilesTest, AnEmptyLastLineStaysALine)
{
    ui::ReplacePaneLines(pane, {"1", "2", ""});
    EXPECT_EQ(ui::PaneLines(pane), (SeriesLines{"1", "2", ""}));
    ui::ReplacePaneLines(pane, {""});
    EXPECT_EQ(ui::PaneLines(pane), (SeriesLines{""}));
    ui::ReplacePaneLines(pane, {});
    EXPECT_TRUE(ui::PaneLines(pane).empty());
}

TEST_F(SeriesFilesTest, MissingFileIsAnErrorAndTheTextStays)
{
    pane.setPlainText(QStringLiteral("kept"));
    EXPECT_FALSE(ui::LoadSeriesFile(nullptr, pane, QStringLiteral("/nonexistent/ряд.txt")));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, ui::MessageKind::Error);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("Не удалось прочитать файл «/nonexistent/ряд.txt»!"));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("kept"));
}

TEST_F(SeriesFilesTest, DroppedFileIsReadIntoThePane)
{
    const TempFile file("\xEF\xBB\xBF"
                        "3\n4\n5\n");
    ui::AcceptFileDrops(*pane.viewport(), [this](const QString& path) { ui::LoadSeriesFile(nullptr, pane, path); });
    EXPECT_TRUE(DropFile(pane.viewport(), file.Path()));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("3\n4\n5"));
}

TEST_F(SeriesFilesTest, ReportIsWrittenAsUtf8BesideTheSeries)
{
    EXPECT_EQ(ui::ReportFileName(QStringLiteral("/data/сток.csv")), QStringLiteral("/data/сток_отчет.txt"));
    EXPECT_EQ(ui::ReportFileName(QString()), QStringLiteral("отчет.txt"));

    const TempFile folder("");
    QPlainTextEdit report;
    report.setPlainText(QStringLiteral("Длина ряда\t10\nСреднее\t12,5"));
    dialogs.saveAnswer = QDir(folder.Folder()).filePath(QStringLiteral("отчет.txt"));
    EXPECT_TRUE(ui::SaveReport(nullptr, report, QStringLiteral("/data/сток.csv")));
    EXPECT_EQ(dialogs.suggestedNames, std::vector<QString>{QStringLiteral("/data/сток_отчет.txt")});
    QFile written(dialogs.saveAnswer);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()), QStringLiteral("Длина ряда\t10\nСреднее\t12,5\n"));
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SeriesFilesTest, AFailedWriteIsAnErrorNotASuccess)
{
    QPlainTextEdit report;
    report.setPlainText(QStringLiteral("R\t0,9"));
    dialogs.saveAnswer = QStringLiteral("/nonexistent/folder/отчет.txt");
    EXPECT_FALSE(ui::SaveReport(nullptr, report, QString()));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("Не удалось записать файл «/nonexistent/folder/отчет.txt»!"));

    // Cancelled: nothing written, nothing said.
    dialogs.saveAnswer.clear();
    EXPECT_FALSE(ui::SaveReport(nullptr, report, QString()));
    EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(SeriesFilesTest, PointAtLineSelectsItAndSaysItsNumber)
{
    pane.setPlainText(QStringLiteral("1\n2\n2.5x\n4"));
    QStatusBar status;
    ui::PointAtLine(pane, 2, &status);
    EXPECT_EQ(pane.textCursor().selectedText(), QStringLiteral("2.5x"));
    EXPECT_EQ(pane.textCursor().blockNumber(), 2);
    EXPECT_EQ(status.currentMessage(), QStringLiteral("Строка 3: не число"));
    pane.insertPlainText(QStringLiteral("3"));
    EXPECT_TRUE(status.currentMessage().isEmpty()) << "the first edit takes the note away";

    // An empty line: the cursor stands on it.
    pane.setPlainText(QStringLiteral("1\n\n3"));
    ui::PointAtLine(pane, 1);
    EXPECT_EQ(pane.textCursor().blockNumber(), 1);
    EXPECT_TRUE(pane.textCursor().selectedText().isEmpty());
}

TEST(ImportDialog, OffersTheValueColumnAndTheHeader)
{
    const SeriesTable table = ReadSeriesTable("Год\tСток\tУровень\n1950\t12.5\tx\n1951\t9\ty\n");
    ui::ImportDialog dialog(table, QStringLiteral("/data/сток.txt"), nullptr);
    EXPECT_EQ(dialog.cbColumn->count(), 3);
    EXPECT_EQ(dialog.cbColumn->itemText(1), QStringLiteral("Столбец 2: Сток"));
    EXPECT_EQ(dialog.Choice().column, 1u);
    EXPECT_TRUE(dialog.Choice().skipHeader);
    EXPECT_EQ(dialog.lbCount->text(), QStringLiteral("Строк в ряду: 2"));
    EXPECT_EQ(dialog.Preview->item(1, 1)->text(), QStringLiteral("12.5"));

    dialog.cbHeader->setChecked(false);
    dialog.Preview->cellClicked(2, 0);
    EXPECT_EQ(dialog.Choice().column, 0u);
    EXPECT_FALSE(dialog.Choice().skipHeader);
    EXPECT_EQ(dialog.lbCount->text(), QStringLiteral("Строк в ряду: 3"));
}

// Not a check: with AQUALEN_SCREENSHOTS=dir set, saves the dialog to look at.
TEST(ImportDialog, Screenshot)
{
    const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS");
    if (dir.isEmpty())
        GTEST_SKIP() << "set AQUALEN_SCREENSHOTS to a folder to save screenshots";
    std::string bytes = "Год;Сток, м3/с;Примечание\r\n";
    for (int year = 1950; year < 1990; ++year)
        bytes += std::to_string(year) + ";" + std::to_string(100 + (year * 37) % 90) + "," + std::to_string(year % 10) +
                 ";" + (year % 9 == 0 ? "маловодный" : "") + "\r\n";
    const SeriesTable table = ReadSeriesTable(bytes);
    ui::ImportDialog dialog(table, QStringLiteral("/home/user/Ока_Калуга_сток.csv"), nullptr);
    dialog.show();
    QApplication::processEvents();
    dialog.grab().save(QDir(dir).filePath("import_dialog.png"));
}

} // namespace
} // namespace aqualen::test
