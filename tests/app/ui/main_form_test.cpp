#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/ui/about_form.h"
#include "app/ui/main_form.h"
#include "correl/ui/correl_form.h"
#include "homog/ui/odn_form.h"
#include "series/ui/pane_text.h"
#include "series/ui/radio_group.h"
#include "support/recording_messages.h"

using aqualen::test::RecordingMessages;
using aqualen::ui::MessageKind;
using aqualen::ui::TMainForm;

namespace {

// The expected text in the separator of the locale the test runs under.
QString Localized(std::string text)
{
    const char separator = aqualen::ui::SystemDecimalSeparator();
    for (char& c : text)
        if (c == ',')
            c = separator;
    return QString::fromStdString(text);
}

QStringList OutputLines(const TMainForm& form)
{
    return form.OutPutMemo->toPlainText().split(QLatin1Char('\n'));
}

void RunStatistics(TMainForm& form, const QString& series, int r1Index)
{
    form.Ser1Memo->setPlainText(series);
    form.RadioGroup1->SetItemIndex(r1Index);
    form.mnStatHar->trigger();
}

const char* kFirstSeries = "100\n120\n80\n150\n110\n90\n140\n130\n100\n120\n";

} // namespace

TEST(MainForm, StatisticsReportOfTheFirstWorkedExample)
{
    RecordingMessages messages;
    TMainForm form;
    RunStatistics(form, kFirstSeries, 0);
    const QStringList expected = {
        Localized("Длина ряда:\t10"),
        Localized("Среднее значение:\t114,000"),
        Localized("СКО:\t22,211"),
        Localized("^Cv:\t0,195"),
        Localized("^Cs:\t0,128"),
        Localized("r(1):\t-0,479"),
        Localized("Cs/Cv: \t0,7"),
        "",
        Localized("----- При: Cs/Cv = 2; r(1) = 0 -----"),
        "",
        Localized("ai:\t0\t0,19\t0,99\t-0,88\t0,01\t1,54"),
        "",
        Localized("bi:\t0,03\t2\t0,92\t-5,09\t0,03\t8,1"),
        "",
        Localized("Cv:\t0,201"),
        Localized("Cs:\t0,296"),
        Localized("Cs/Cv: \t1,5"),
    };
    EXPECT_EQ(OutputLines(form), expected);
    EXPECT_TRUE(messages.messages.empty());

    // The same series with r(1) = 0.3 replaces the report.
    RunStatistics(form, kFirstSeries, 1);
    const QStringList second = OutputLines(form);
    ASSERT_EQ(second.size(), 17);
    EXPECT_EQ(second[8], Localized("----- При: Cs/Cv = 2; r(1) = 0,3 -----"));
    EXPECT_EQ(second[10], Localized("ai:\t0\t0,22\t0,99\t-0,41\t0,01\t1,51"));
    EXPECT_EQ(second[12], Localized("bi:\t0,03\t1,77\t0,93\t-3,45\t0,03\t8,03"));
    EXPECT_EQ(second.mid(14),
              QStringList({Localized("Cv:\t0,213"), Localized("Cs:\t0,295"), Localized("Cs/Cv: \t1,4")}));
}

TEST(MainForm, StatisticsReportOfTheSecondWorkedExample)
{
    RecordingMessages messages;
    TMainForm form;
    RunStatistics(form, "12\n15\n9\n30\n11\n14\n10\n8\n25\n13", 2);
    const QStringList lines = OutputLines(form);
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(lines.mid(0, 7),
              QStringList({Localized("Длина ряда:\t10"), Localized("Среднее значение:\t14,700"),
                           Localized("СКО:\t7,181"), Localized("^Cv:\t0,489"), Localized("^Cs:\t1,504"),
                           Localized("r(1):\t-0,428"), Localized("Cs/Cv: \t3,1")}));
    EXPECT_EQ(lines[8], Localized("----- При: Cs/Cv = 3; r(1) = 0,5 -----"));
    EXPECT_EQ(lines[10], Localized("ai:\t0\t1,75\t1\t-11,79\t-0,05\t21,13"));
    EXPECT_EQ(lines[12], Localized("bi:\t0,03\t1,63\t0,92\t-0,97\t0,03\t7,94"));
    EXPECT_EQ(lines.mid(14),
              QStringList({Localized("Cv:\t0,580"), Localized("Cs:\t3,294"), Localized("Cs/Cv: \t5,7")}));
}

TEST(MainForm, ShortOrUnreadableSeriesLeavesTheReport)
{
    RecordingMessages messages;
    TMainForm form;
    form.OutPutMemo->setPlainText("previous report");

    // Two lines (the break after the last one does not count): nothing at all.
    RunStatistics(form, "1\n2\n", 0);
    EXPECT_EQ(form.OutPutMemo->toPlainText(), "previous report");
    EXPECT_TRUE(messages.messages.empty());

    // An empty line after the final break makes the series unreadable.
    RunStatistics(form, "1\n2\n3\n\n", 0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.messages[0].caption, "Error");
    EXPECT_EQ(messages.messages[0].text, "Ряд введен не корректно!");
    EXPECT_EQ(form.OutPutMemo->toPlainText(), "previous report");
    EXPECT_EQ(form.MainSeries().Count(), 3);

    // A period where the locale writes a comma, or the other way round.
    const char other = aqualen::ui::SystemDecimalSeparator() == ',' ? '.' : ',';
    RunStatistics(form, QString("1\n2%13\n4").arg(QChar(other)), 0);
    EXPECT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(form.OutPutMemo->toPlainText(), "previous report");
}

TEST(MainForm, FaultsShowTheGenericBoxAndKeepTheLinesWritten)
{
    RecordingMessages messages;
    TMainForm form;

    RunStatistics(form, "0\n0\n0\n0", 0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Fault);
    EXPECT_EQ(messages.messages[0].caption, "Aqualen 1.2");
    EXPECT_EQ(messages.messages[0].text, "Invalid floating point operation");
    EXPECT_EQ(OutputLines(form).size(), 3);

    RunStatistics(form, "-1\n1\n-2\n2", 0);
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1].text, "Floating point division by zero");
    EXPECT_EQ(OutputLines(form).size(), 3);

    RunStatistics(form, "5\n5\n7", 0);
    ASSERT_EQ(messages.messages.size(), 3u);
    EXPECT_EQ(messages.messages[2].text, "Invalid floating point operation");
    EXPECT_EQ(OutputLines(form).size(), 5);

    RunStatistics(form, "1e308\n1e308\n1e308\n-1e308", 0);
    ASSERT_EQ(messages.messages.size(), 4u);
    EXPECT_EQ(messages.messages[3].kind, MessageKind::Fault);
}

TEST(MainForm, LongSeriesKeepTheirTrueLength)
{
    RecordingMessages messages;
    TMainForm form;
    QString text;
    const int n = 70000;
    for (int i = 0; i < n; ++i)
        text += QString::number(100 + (i * 37) % 61) + '\n';
    RunStatistics(form, text, 0);
    const QStringList lines = OutputLines(form);
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(lines[0], "Длина ряда:\t70000");
    EXPECT_TRUE(messages.messages.empty());
}

TEST(MainForm, MenuCarriesEveryCommand)
{
    TMainForm form;
    // "[*]" is where the title shows that the work has unsaved changes.
    EXPECT_EQ(form.windowTitle(), "Aqualen 1.2[*]");
    const QList<QAction*> bar = form.menuBar()->actions();
    ASSERT_EQ(bar.size(), 4);
    EXPECT_EQ(bar[0]->text(), "Файл");
    EXPECT_EQ(bar[1]->text(), "Расчет");
    EXPECT_EQ(bar[2]->text(), "Графика");
    EXPECT_EQ(bar[3]->text(), "Справка");

    const QList<QAction*> file = form.N1->actions();
    ASSERT_EQ(file.size(), 10);
    EXPECT_EQ(file[0]->text(), "Открыть ряд ...");
    EXPECT_EQ(file[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(file[1]->text(), "Сохранить отчет ...");
    EXPECT_TRUE(file[1]->shortcut().isEmpty()) << "Ctrl+S saves the work";
    EXPECT_TRUE(file[2]->isSeparator());
    QStringList works;
    for (int i = 3; i < 8; ++i)
        works << file[i]->text();
    EXPECT_EQ(works, QStringList({"Новая работа", "Открыть работу ...", "Сохранить работу", "Сохранить работу как ...",
                                  "Последние работы"}));
    EXPECT_EQ(file[5]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(file[6]->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    EXPECT_NE(file[7]->menu(), nullptr);
    EXPECT_TRUE(file[8]->isSeparator());
    EXPECT_FALSE(form.N1->separatorsCollapsible()) << "the separator above the exit shows";
    EXPECT_EQ(file[9]->text(), "Выход");
    EXPECT_EQ(form.mnClose->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));

    QStringList calc;
    for (QAction* a : form.N3->actions())
        calc << a->text();
    EXPECT_EQ(calc, QStringList({"Статистические характеристики", "Корреляция ...", "Проверка на однородность ...",
                                 "Анализ ряда ...", "Приведение к многолетнему периоду ..."}));
    EXPECT_EQ(form.mnObesp->text(), "Кривая обеспеченности ...");
    EXPECT_EQ(form.mnAbout->text(), "О программе ...");
    EXPECT_EQ(form.RadioGroup1->ItemIndex(), 0);
    EXPECT_EQ(form.Ser1Memo->toolTip(), "Исследуемый ряд");
}

TEST(MainForm, ExitClosesTheMainWindow)
{
    TMainForm form;
    form.show();
    ASSERT_TRUE(form.isVisible());
    form.mnClose->trigger();
    EXPECT_FALSE(form.isVisible());
}

TEST(MainForm, MenuWindowsAreMadeOnceAndKeepTheirContent)
{
    RecordingMessages messages;
    TMainForm form;
    EXPECT_EQ(form.CorrelForm(), nullptr);
    EXPECT_EQ(form.OdnForm(), nullptr);
    EXPECT_EQ(form.ObespForm(), nullptr);

    form.mnCorrel->trigger();
    QWidget* first = form.CorrelForm();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->parentWidget(), &form);
    const auto panes = first->findChildren<QPlainTextEdit*>();
    ASSERT_FALSE(panes.isEmpty());
    panes.first()->setPlainText("1\n2\n3");
    first->close();
    EXPECT_FALSE(first->isVisible());

    form.mnCorrel->trigger();
    EXPECT_EQ(form.CorrelForm(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(panes.first()->toPlainText(), "1\n2\n3");

    form.mnOdn->trigger();
    QWidget* odn = form.OdnForm();
    form.mnOdn->trigger();
    EXPECT_EQ(form.OdnForm(), odn);

    // The statistics command works with the other windows open.
    RunStatistics(form, kFirstSeries, 0);
    EXPECT_EQ(OutputLines(form).size(), 17);
}

TEST(MainForm, AboutBoxIsMadeHiddenAndShownAgain)
{
    TMainForm form;
    aqualen::ui::TAboutForm* about = form.AboutForm();
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), "О Программе");
    EXPECT_EQ(about->Label1->text(), "Aqualen 1.2   ");
    EXPECT_EQ(about->Label5->text(), "Версия: 1.2.1");
    EXPECT_EQ(about->Label6->text(), "Последняя редакция: 15 сентября 2008 г.");
    EXPECT_EQ(about->Label7->text(), "Официальный сайт:");
    EXPECT_FALSE(about->Image1->pixmap().isNull());

    form.mnAbout->trigger();
    EXPECT_TRUE(about->isVisible());
    about->OkBtn->click();
    EXPECT_FALSE(about->isVisible());
    form.mnAbout->trigger();
    EXPECT_EQ(form.AboutForm(), about);
    EXPECT_TRUE(about->isVisible());

    QUrl opened;
    about->SetUrlOpener([&](const QUrl& url) { opened = url; });
    about->hrefLabelClick();
    EXPECT_EQ(opened, aqualen::ui::TAboutForm::SiteAddress());
    EXPECT_EQ(about->hrefLabel->text(), opened.toString());
}

// Not a check: with AQUALEN_SCREENSHOTS=dir set, saves pictures to look at.
TEST(MainForm, Screenshots)
{
    const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS");
    if (dir.isEmpty())
        GTEST_SKIP() << "set AQUALEN_SCREENSHOTS to a folder to save screenshots";
    RecordingMessages messages;
    TMainForm form;
    form.show();
    RunStatistics(form, kFirstSeries, 1);
    QApplication::processEvents();
    form.grab().save(QDir(dir).filePath("main_form.png"));
    form.mnAbout->trigger();
    QApplication::processEvents();
    form.AboutForm()->grab().save(QDir(dir).filePath("about_form.png"));

    // The other windows after a run on a 40-year runoff series and its analogue.
    QString studied;
    QString analogue;
    for (int i = 0; i < 40; ++i) {
        const double q = 120 + 35 * std::sin(i * 1.7) + (i % 7) * 4.5;
        studied += QString::number(q, 'f', 1).replace('.', aqualen::ui::SystemDecimalSeparator()) + '\n';
        analogue +=
            QString::number(q * 0.8 + 10 * std::cos(i), 'f', 1).replace('.', aqualen::ui::SystemDecimalSeparator()) +
            '\n';
    }
    form.mnCorrel->trigger();
    form.CorrelForm()->MemoSer1->setPlainText(studied);
    form.CorrelForm()->MemoSer2->setPlainText(analogue);
    form.CorrelForm()->btnRun->click();
    QApplication::processEvents();
    form.CorrelForm()->grab().save(QDir(dir).filePath("correl_form.png"));

    form.mnOdn->trigger();
    form.OdnForm()->MemoSer1->setPlainText(studied);
    form.OdnForm()->MemoSer2->setPlainText(analogue);
    form.OdnForm()->btnRun->click();
    QApplication::processEvents();
    form.OdnForm()->grab().save(QDir(dir).filePath("odn_form.png"));
}
