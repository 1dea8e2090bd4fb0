// Work files that are not works: each is refused with a message that says
// what is wrong, and the work open in the windows stays exactly as it was.
// A write that fails is an error box, never a saved work.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include <gtest/gtest.h>

#include "correl/ui/correl_form.h"
#include "series/ui/pane_series.h"
#include "support/recording_messages.h"
#include "work/ui/work_session.h"
#include "work/work_format.h"
#include "work_test_support.h"

namespace aqualen::test {
namespace {

using ui::TMainForm;

class WorkRefusal : public ::testing::Test {
protected:
    WorkRefusal()
    {
        // A work of some substance, saved once, then changed again.
        form.Ser1Memo->SetSeries({QStringLiteral("12\n15\n11\n19"), 1990, QStringLiteral("Ока")});
        form.mnStatHar->trigger();
        form.mnCorrel->trigger();
        form.CorrelForm()->MemoSer1->setPlainText(QStringLiteral("1\n2\n3"));
        works.saveAnswer = Path(QStringLiteral("ока.aqualen"));
        EXPECT_TRUE(form.Work().SaveWork());
        saved = ReadBytes(works.saveAnswer);
        form.Ser1Memo->appendPlainText(QStringLiteral("20"));
    }
    ~WorkRefusal() override
    {
        if (form.CorrelForm())
            form.CorrelForm()->hide();
    }

    QString Path(const QString& name) const { return QDir(folder.path()).filePath(name); }
    static QByteArray ReadBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return Path(name);
    }

    QTemporaryDir folder;
    RecordingMessages messages;
    RecordingWorkDialogs works;
    TMainForm form;
    QByteArray saved;
};

QByteArray Replaced(QByteArray bytes, const char* from, const QByteArray& to)
{
    EXPECT_TRUE(bytes.contains(from)) << from;
    return bytes.replace(from, to);
}

TEST_F(WorkRefusal, EachBadFileIsRefusedWithItsMessageAndTheWorkStays)
{
    QString longPane;
    for (int i = 0; i <= ui::kMaxPaneLines; ++i)
        longPane += QStringLiteral("1\\n");
    const struct {
        const char* what;
        QByteArray bytes;
        QString message;
    } cases[] = {
        {"not JSON", "Год;Расход\n1950;12.5\n",
         "Файл «плохо.aqualen» не является файлом работы: в нем нет документа JSON!"},
        {"truncated", saved.left(saved.size() / 2),
         QStringLiteral("Файл работы «плохо.aqualen» поврежден: документ JSON оборван или испорчен")},
        {"damaged", Replaced(saved, "\"r1\": 0", "\"r1\": 0 0"),
         QStringLiteral("Файл работы «плохо.aqualen» поврежден: документ JSON оборван или испорчен")},
        {"newer version", Replaced(saved, "\"version\": 1", "\"version\": 2"),
         "Файл работы «плохо.aqualen» записан более новой версией программы (формат 2, эта версия читает до 1)!"},
        {"another format", R"({"format": "табличка", "version": 1})",
         "Файл «плохо.aqualen» не является файлом работы Aqualen!"},
        {"a JSON array", "[1, 2, 3]", "Файл «плохо.aqualen» не является файлом работы Aqualen!"},
        {"a member of the wrong type", Replaced(saved, "\"r1\": 0", "\"r1\": \"0\""),
         "Файл работы «плохо.aqualen» поврежден: не того вида значение «windows.main.r1»!"},
        {"a choice out of range", Replaced(saved, "\"r1\": 0", "\"r1\": 7"),
         "Файл работы «плохо.aqualen» поврежден: недопустимое значение «windows.main.r1»!"},
        {"a member missing", Replaced(saved, "\"report\":", "\"отчет\":"),
         "Файл работы «плохо.aqualen» поврежден: нет значения «windows.main.report»!"},
        {"a pane over the line limit",
         Replaced(saved, "\"text\": \"1\\n2\\n3\"", "\"text\": \"" + longPane.toUtf8() + "\""),
         "Файл работы «плохо.aqualen» поврежден: больше 65535 строк в поле «windows.correlation.series1.text»!"},
    };
    const QByteArray before = ContentOf(form);
    for (const auto& c : cases) {
        messages.messages.clear();
        const QString path = Write(QStringLiteral("плохо.aqualen"), c.bytes);
        EXPECT_FALSE(form.Work().OpenWork(path)) << c.what;
        ASSERT_EQ(messages.messages.size(), 1u) << c.what;
        EXPECT_EQ(messages.messages[0].kind, ui::MessageKind::Error) << c.what;
        EXPECT_TRUE(messages.messages[0].text.startsWith(c.message))
            << c.what << ": " << messages.messages[0].text.toStdString();
        EXPECT_TRUE(messages.questions.empty()) << c.what << ": refused before anything is asked";
        EXPECT_EQ(ContentOf(form), before) << c.what;
        EXPECT_TRUE(form.Work().Modified()) << c.what;
        EXPECT_EQ(form.Work().Path(), works.saveAnswer) << c.what;
    }
}

TEST_F(WorkRefusal, AFileOverTheSizeLimitIsNotRead)
{
    QFile file(Path(QStringLiteral("огромный.aqualen")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{");
    ASSERT_TRUE(file.resize(work::kMaxWorkFileBytes + 1)); // sparse: nothing is written
    file.close();
    const QByteArray before = ContentOf(form);
    EXPECT_FALSE(form.Work().OpenWork(file.fileName()));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Файл «огромный.aqualen» больше 256 МБ и не может быть работой!");
    EXPECT_EQ(ContentOf(form), before);
}

TEST_F(WorkRefusal, AFileThatCannotBeReadIsSaidSo)
{
    EXPECT_FALSE(form.Work().OpenWork(Path(QStringLiteral("нет.aqualen"))));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Не удается прочитать файл «нет.aqualen»!");
}

TEST_F(WorkRefusal, AFailedWriteIsAnErrorAndTheWorkStaysUnsaved)
{
    // A folder that is a file: nothing can be written under it.
    const QString blocker = Write(QStringLiteral("файл"), "x");
    works.saveAnswer = QDir(blocker).filePath(QStringLiteral("работа.aqualen"));
    EXPECT_FALSE(form.Work().SaveWorkAs());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, ui::MessageKind::Error);
    EXPECT_TRUE(messages.messages[0].text.startsWith("Не удается записать работу в файл «работа.aqualen»: "))
        << messages.messages[0].text.toStdString();
    EXPECT_TRUE(form.Work().Modified());
    EXPECT_EQ(form.Work().Path(), Path(QStringLiteral("ока.aqualen")));
    EXPECT_EQ(ReadBytes(Path(QStringLiteral("ока.aqualen"))), saved) << "the old file stays";
}

} // namespace
} // namespace aqualen::test
