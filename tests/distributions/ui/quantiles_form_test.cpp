// The quantile report window: its lines, the table on the clipboard, and
// saving the report, a failed write included.

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdlib>

#include <gtest/gtest.h>

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
    EXPECT_EQ(limited[5].count(QLatin1Char('\t')), 5);
}

// The probabilities typed in the window and the comparison of both curves,
// copied like the table; a list that does not read is refused and kept out.
TEST_F(QuantilesFormTest, EditedProbabilitiesAndComparison)
{
    dist::QuantileRequest source;
    source.values = {312, 254, 401, 198, 287, 365, 221, 276, 450, 189, 305, 268, 333, 242, 296, 520};
    source.options.distribution = dist::Distribution::PearsonIII;
    const dist::Fit p3 = dist::FitCurve(source.values, source.options);
    form.ShowReport(source, p3, nullptr, ',');
    form.edProbabilities->setText(QStringLiteral("1; 50"));
    form.edProbabilitiesEditingFinished();
    EXPECT_EQ(Shown().mid(Shown().size() - 3), ToList(dist::QuantileTableLines(p3, nullptr, {1, 50}, ',')));

    form.btnCompare->click();
    ASSERT_TRUE(form.btnCompare->isChecked());
    // Both curves with their criteria of fit; the copied table is still the table alone.
    source.goodnessOfFit = true;
    const std::vector<std::string> compared = dist::ComparisonLines(dist::CompareDistributions(source), {1, 50}, ',');
    EXPECT_EQ(Shown().filter(QString::fromUtf8("Критерии согласия (Крицкий–Менкель):")).size(), 1);
    EXPECT_EQ(Shown(), ToList(compared));
    form.btnCopyClick();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), ToList(compared).mid(compared.size() - 3).join('\n') + '\n');
    if (const char* folder = std::getenv("AQUALEN_SCREENSHOTS")) {
        form.show();
        form.grab().save(QString::fromUtf8(folder) + "/quantiles_comparison.png");
    }

    form.edProbabilities->setText(QStringLiteral("0; 50"));
    form.edProbabilitiesEditingFinished();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(Shown(), ToList(compared));
}

// With the series, the criteria of fit of the curve (and their p-values)
// come between the parameters and the table, always; without it, none.
TEST_F(QuantilesFormTest, CriteriaOfFitWithTheSeries)
{
    dist::QuantileRequest source;
    source.values = {312, 254, 401, 198, 287, 365, 221, 276, 450, 189, 305, 268, 333,
                     242, 296, 520, 231, 284, 259, 347, 301, 277, 365, 248, 290};
    source.options.distribution = dist::Distribution::PearsonIII;
    const dist::Fit p3 = dist::FitCurve(source.values, source.options);
    form.ShowReport(source, p3, nullptr, ',');

    source.goodnessOfFit = true;
    const dist::QuantileResult result = dist::RunQuantileRequest(source);
    dist::QuantileReport report;
    dist::BuildQuantileReport(result.fit, nullptr, dist::StandardProbabilities(), ',', report, &*result.goodness);
    EXPECT_EQ(Shown(), ToList(report.Lines()));
    EXPECT_EQ(report.goodness.size(), 5u); // the heading, D, ω², A², χ² over five classes
    if (const char* folder = std::getenv("AQUALEN_SCREENSHOTS")) {
        form.show();
        form.grab().save(QString::fromUtf8(folder) + "/quantiles_goodness.png");
    }

    // The copied table holds no line of the criteria.
    form.btnCopyClick();
    EXPECT_FALSE(QGuiApplication::clipboard()->text().contains(QString::fromUtf8("Колмогоров")));

    form.ShowReport(p3, nullptr, ',');
    EXPECT_FALSE(Shown().join('\n').contains(QString::fromUtf8("Критерии согласия")));
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
