// The quantile report window: its lines, the table on the clipboard, and
// saving the report, a failed write included.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "distributions/ui/quantiles_form.h"
#include "support/recording_file_dialogs.h"
#include "support/recording_messages.h"

namespace aqualen::ui {
namespace {

dist::Fit KritskyMenkelFit()
{
    dist::FitOptions options;
    options.distribution = dist::Distribution::KritskyMenkel;
    options.method = dist::Method::Given;
    options.givenMean = 250;
    options.givenCv = 0.3;
    options.givenCs = 0.9;
    return dist::FitCurve({}, options);
}

QStringList ToList(const std::vector<std::string>& lines)
{
    QStringList list;
    for (const std::string& line : lines)
        list << QString::fromStdString(line);
    return list;
}

class QuantilesFormTest : public ::testing::Test {
protected:
    ~QuantilesFormTest() override { form.hide(); }
    QStringList Shown() const { return form.OutPutMemo->toPlainText().split(QLatin1Char('\n')); }

    test::RecordingMessages messages;
    test::RecordingFileDialogs files;
    TQuantilesForm form{nullptr};
    const dist::Fit fit = KritskyMenkelFit();
};

TEST_F(QuantilesFormTest, ParametersThenTheTableWithOrWithoutLimits)
{
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Квантили"));
    form.ShowReport(fit, nullptr, ',');
    const QStringList parameters = ToList(dist::ParameterLines(fit, ','));
    const QStringList table = ToList(dist::QuantileTableLines(fit, nullptr, dist::StandardProbabilities(), ','));
    EXPECT_EQ(Shown(), parameters + QStringList{QString()} + table);
    EXPECT_EQ(table.size(), 24); // the header and 23 probabilities

    const dist::Band band{std::vector<double>(23, 0.5), std::vector<double>(23, 2.0), 80};
    form.ShowReport(fit, &band, '.');
    const QStringList limited = ToList(dist::QuantileTableLines(fit, &band, dist::StandardProbabilities(), '.'));
    EXPECT_EQ(Shown().mid(Shown().size() - 24), limited);
    EXPECT_EQ(limited[5].count(QLatin1Char('\t')), 4);
}

TEST_F(QuantilesFormTest, CopiesTheTable)
{
    form.ShowReport(fit, nullptr, ',');
    form.btnCopyClick();
    const QStringList table = ToList(dist::QuantileTableLines(fit, nullptr, dist::StandardProbabilities(), ','));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), table.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

TEST_F(QuantilesFormTest, SavesTheReportAsUtf8)
{
    QTemporaryDir dir;
    form.ShowReport(fit, nullptr, ',');
    files.saveAnswer = dir.filePath(QStringLiteral("квантили.txt"));
    form.btnSaveClick();
    EXPECT_TRUE(messages.messages.empty());
    ASSERT_EQ(files.suggestedNames.size(), 1u);
    QFile saved(files.saveAnswer);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), (form.OutPutMemo->toPlainText() + QLatin1Char('\n')).toUtf8());

    // Cancelled: nothing asked of the file system, nothing shown.
    files.saveAnswer.clear();
    form.btnSaveClick();
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(QuantilesFormTest, FailedWriteIsAnError)
{
    QTemporaryDir dir;
    form.ShowReport(fit, nullptr, ',');
    files.saveAnswer = dir.filePath(QStringLiteral("нет такой папки/квантили.txt"));
    form.btnSaveClick();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(messages.messages[0].text.startsWith(QString::fromUtf8("Не удалось записать файл «")));
    EXPECT_FALSE(QFile::exists(files.saveAnswer));
}

} // namespace
} // namespace aqualen::ui
