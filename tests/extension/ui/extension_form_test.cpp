#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QLineSeries>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QStringList>
#include <cmath>

#include <gtest/gtest.h>

#include "app/ui/main_form.h"
#include "extension/extension_texts.h"
#include "extension/ui/extension_form.h"
#include "series/ui/decimal_separator.h"
#include "series/ui/series_pane.h"
#include "series/ui/take_series.h"
#include "support/recording_messages.h"

namespace aqualen::test {
namespace {

using extension::ui::TExtensionForm;
using ui::Answer;
using ui::PaneSeries;

// One decimal in the separator of the locale the test runs under.
QString Number(double value)
{
    QString text = QString::number(value, 'f', 1);
    text.replace(QLatin1Char('.'), QLatin1Char(ui::SystemDecimalSeparator()));
    return text;
}

// The analogue of year 1941 + i, a wavering record.
double Analogue(int i)
{
    return 100 + 40 * std::sin(i * 1.3) + (i * 37) % 11;
}

// The studied gauge follows the analogue, with some scatter.
double Studied(int i)
{
    return 0.8 * Analogue(i) + 12 + ((i * 13) % 7 - 3) * 0.9;
}

QString AnalogueText()
{
    QStringList lines;
    for (int i = 0; i < 70; ++i)
        lines << Number(Analogue(i));
    return lines.join('\n');
}

// Observed 1981-2000: the years 40..59 of the analogue.
QString StudiedText()
{
    QStringList lines;
    for (int i = 40; i < 60; ++i)
        lines << Number(Studied(i));
    return lines.join('\n');
}

QAction* MenuAction(QMenu* menu, const char* text)
{
    for (QAction* action : menu->actions())
        if (action->text() == QString::fromUtf8(text))
            return action;
    return nullptr;
}

TExtensionForm* OpenFromMenu(ui::TMainForm& main)
{
    QAction* item = MenuAction(main.N3, extension::kExtensionMenuText);
    if (!item)
        return nullptr;
    item->trigger();
    return main.findChild<TExtensionForm*>();
}

// The value of a report line "label:\tvalue".
QString Value(const QStringList& report, const QString& label)
{
    for (const QString& line : report)
        if (line.startsWith(label + QStringLiteral(":\t")))
            return line.mid(label.size() + 2);
    return QStringLiteral("(no line %1)").arg(label);
}

TEST(ExtensionFormTest, TwentyYearsBroughtToSeventyAndInTheMainWindow)
{
    RecordingMessages messages;
    ui::TMainForm main;
    main.Ser1Memo->SetSeries({StudiedText(), 1981, QStringLiteral("Река")});
    TExtensionForm* form = OpenFromMenu(main);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8(extension::kExtensionTitle));
    EXPECT_EQ(OpenFromMenu(main), form) << "the same window again";

    // The studied series with its years from the main window, the analogue typed.
    auto* take = form->MemoSer1->findChild<QAction*>(QStringLiteral("TakeSeries"));
    ASSERT_NE(take, nullptr);
    take->trigger();
    EXPECT_EQ(form->MemoSer1->FirstYear(), 1981);
    form->MemoSer2->SetSeries({AnalogueText(), 1941, QStringLiteral("Аналог")});
    EXPECT_FALSE(form->btnSend->isEnabled());
    form->btnRun->click();
    ASSERT_TRUE(messages.messages.empty()) << messages.messages[0].text.toStdString();

    const QStringList report = form->OutPutMemo->toPlainText().split('\n');
    EXPECT_EQ(report[0], QStringLiteral("Общий период:\t1981–2000\t20 лет"));
    EXPECT_EQ(report[1], QStringLiteral("Длинный период:\t1941–2010\t70 лет"));
    for (const char* label : {"Условие n ≥ 10", "Условие k/σk ≥ 2"})
        EXPECT_EQ(Value(report, QString::fromUtf8(label)), QStringLiteral("выполнено")) << label;
    // The regression is close to the 0.8 the gauge was made with.
    const double k = QString(Value(report, QStringLiteral("k"))).replace(ui::SystemDecimalSeparator(), '.').toDouble();
    EXPECT_NEAR(k, 0.8, 0.05);
    // Then an empty line and the restored table: 1941-1980 and 2001-2010.
    const qsizetype header = report.indexOf(QString::fromUtf8(extension::kRestoredHeader));
    ASSERT_GT(header, 0);
    EXPECT_TRUE(report[header - 1].isEmpty());
    ASSERT_EQ(report.size(), header + 1 + 50);
    EXPECT_TRUE(report[header + 1].startsWith(QStringLiteral("1941\t") + Number(Analogue(0)) + "00\t"));
    EXPECT_TRUE(report[header + 41].startsWith(QStringLiteral("2001\t")));

    // The chart: the common years, the line over every analogue value, the
    // restored years on it.
    EXPECT_EQ(form->CommonSeries->count(), 20);
    EXPECT_EQ(form->RestoredSeries->count(), 50);
    ASSERT_EQ(form->RegressionLine->count(), 2);
    const QPointF lineStart = form->RegressionLine->at(0);
    const QPointF lineEnd = form->RegressionLine->at(1);
    const double slope = (lineEnd.y() - lineStart.y()) / (lineEnd.x() - lineStart.x());
    for (const QPointF& p : form->RestoredSeries->points())
        EXPECT_NEAR(p.y(), lineStart.y() + slope * (p.x() - lineStart.x()), 1e-9);
    EXPECT_NEAR(slope, k, 0.0005);

    // Handed over: the main pane held a series, so the user is asked first.
    ASSERT_TRUE(form->btnSend->isEnabled());
    messages.answers = {Answer::Yes};
    form->btnSend->click();
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(messages.questions[0], QString::fromUtf8(ui::kReplaceMainSeriesText));
    EXPECT_EQ(main.Ser1Memo->FirstYear(), 1941);
    EXPECT_EQ(main.Ser1Memo->LineCount(), 70);
    EXPECT_EQ(main.Ser1Memo->Name(), QStringLiteral("Река, продленный"));
    const QStringList extended = main.Ser1Memo->Text().split('\n');
    EXPECT_EQ(extended.mid(40, 20), StudiedText().split('\n')) << "the observed years as typed";
    EXPECT_EQ(extended[0], report[header + 1].section('\t', 2));
    EXPECT_EQ(extended[69], report.last().section('\t', 2));

    // And the main window's statistics take the 70 years.
    main.mnStatHar->trigger();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(main.OutPutMemo->toPlainText().split('\n').value(0), QStringLiteral("Длина ряда:\t70"));
    // The mean of the observed and restored values is the long-term mean:
    // with a = mean_y - k mean_x over n years, their sum over N years is
    // N (mean_y + k (mean_x,N - mean_x)). Up to the restored values' rounding.
    const auto number = [](QString text) { return text.replace(ui::SystemDecimalSeparator(), '.').toDouble(); };
    const QString mainMean = main.OutPutMemo->toPlainText().split('\n').value(1);
    ASSERT_TRUE(mainMean.startsWith(QStringLiteral("Среднее значение:\t")));
    EXPECT_NEAR(number(mainMean.section('\t', 1)), number(Value(report, QStringLiteral("Среднее (N лет)"))), 0.0015);

    if (const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS"); !dir.isEmpty()) {
        form->show();
        QApplication::processEvents();
        form->grab().save(QDir(dir).filePath("extension_form.png"));
        main.show();
        QApplication::processEvents();
        main.grab().save(QDir(dir).filePath("extension_main_form.png"));
    }
}

TEST(ExtensionFormTest, HandoverAsksOnlyBeforeReplacingAndKeepsOnCancel)
{
    RecordingMessages messages;
    ui::TMainForm main;
    TExtensionForm* form = OpenFromMenu(main);
    ASSERT_NE(form, nullptr);
    form->MemoSer1->SetSeries({StudiedText(), 1981, {}});
    form->MemoSer2->SetSeries({AnalogueText(), 1941, {}});
    form->btnRun->click();

    // An empty main pane takes the series without a question.
    form->btnSend->click();
    EXPECT_TRUE(messages.questions.empty());
    EXPECT_EQ(main.Ser1Memo->LineCount(), 70);
    EXPECT_EQ(main.Ser1Memo->Name(), QStringLiteral("Продленный ряд"));

    // Cancelled: the main pane stays as it was.
    main.Ser1Memo->SetSeries({QStringLiteral("1\n2\n3"), std::nullopt, {}});
    form->btnSend->click();
    EXPECT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(main.Ser1Memo->Text(), QStringLiteral("1\n2\n3"));

    // A pane changed after the calculation: nothing stale to hand over.
    form->MemoSer2->appendPlainText(QStringLiteral("120"));
    EXPECT_FALSE(form->btnSend->isEnabled());
    EXPECT_FALSE(form->Extended());
}

TEST(ExtensionFormTest, RefusedInputShowsItsMessage)
{
    struct Case {
        const char* what;
        PaneSeries studied;
        PaneSeries analogue;
        ui::MessageKind kind;
        const char* text;
    };
    const QString ten = QStringLiteral("2\n1\n4\n3\n6\n5\n8\n7\n10\n9");
    const std::vector<Case> cases{
        {"studied without years",
         {ten, std::nullopt, {}},
         {AnalogueText(), 1941, {}},
         ui::MessageKind::Error,
         extension::kStudiedNoYearText},
        {"analogue without years",
         {ten, 1950, {}},
         {AnalogueText(), std::nullopt, {}},
         ui::MessageKind::Error,
         extension::kAnalogueNoYearText},
        {"unreadable analogue",
         {ten, 1950, {}},
         {QStringLiteral("1\n2\nx\n4"), 1950, {}},
         ui::MessageKind::Error,
         extension::kAnalogueInvalidText},
        {"no common years",
         {ten, 1800, {}},
         {AnalogueText(), 1941, {}},
         ui::MessageKind::Warning,
         extension::kNoCommonYearsText},
        {"analogue shorter",
         {AnalogueText(), 1941, {}},
         {ten, 1950, {}},
         ui::MessageKind::Warning,
         extension::kAnalogueShorterText},
    };
    for (const Case& c : cases) {
        RecordingMessages messages;
        TExtensionForm form;
        form.MemoSer1->SetSeries(c.studied);
        form.MemoSer2->SetSeries(c.analogue);
        form.btnRun->click();
        ASSERT_EQ(messages.messages.size(), 1u) << c.what;
        EXPECT_EQ(messages.messages[0].kind, c.kind) << c.what;
        EXPECT_EQ(messages.messages[0].text, QString::fromUtf8(c.text)) << c.what;
        EXPECT_FALSE(form.btnSend->isEnabled()) << c.what;
    }

    // Nine common years report but are not handed over.
    RecordingMessages messages;
    ui::TMainForm main;
    TExtensionForm* form = OpenFromMenu(main);
    ASSERT_NE(form, nullptr);
    form->MemoSer1->SetSeries({QStringLiteral("2\n1\n4\n3\n6\n5\n8\n7\n10"), 1950, {}});
    form->MemoSer2->SetSeries({AnalogueText(), 1941, {}});
    form->btnRun->click();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_TRUE(form->OutPutMemo->toPlainText().contains(QString::fromUtf8(extension::kConditionsNotMetText)));
    form->btnSend->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, QString::fromUtf8(extension::kConditionsNotMetSendText));
    EXPECT_TRUE(main.Ser1Memo->Text().isEmpty());
}

} // namespace
} // namespace aqualen::test
