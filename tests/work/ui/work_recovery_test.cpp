// The recovery copy: written while the work is unsaved (at once on request,
// after each calculation), removed once it is saved or the program ends
// cleanly, offered at the next start when a run crashed or was killed.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/recording_messages.h"
#include "work/ui/work_file.h"
#include "work/ui/work_json.h"
#include "work/ui/work_recovery.h"
#include "work/ui/work_session.h"
#include "work_test_support.h"

namespace aqualen::test {
namespace {

using ui::Answer;
using ui::TMainForm;

class WorkRecoveryTest : public ::testing::Test {
protected:
    WorkRecoveryTest() { form.Work().StartRecovery(folder.path()); }

    QString Copy() const { return form.Work().Recovery()->CopyPath(); }

    // A copy a run that is gone left behind (no lock beside it).
    QString LeaveCopy(const QString& series, const QString& savedPath = QString()) const
    {
        work::ui::Work work;
        work.main.series.text = series;
        work.savedPath = savedPath;
        const QString path = QDir(folder.path()).filePath(QStringLiteral("gone.aqualen"));
        EXPECT_TRUE(work::ui::WriteWorkFile(path, work::ui::WorkToJson(work)).isEmpty());
        return path;
    }

    QTemporaryDir folder;
    RecordingMessages messages;
    RecordingWorkDialogs works;
    TMainForm form;
};

TEST_F(WorkRecoveryTest, TheCopyFollowsTheUnsavedWork)
{
    ASSERT_NE(form.Work().Recovery(), nullptr);
    form.Work().Autosave();
    EXPECT_FALSE(QFile::exists(Copy())) << "nothing unsaved, no copy";

    form.Ser1Memo->setPlainText(QStringLiteral("1\n2\n3"));
    form.Work().Autosave();
    ASSERT_TRUE(QFile::exists(Copy()));
    auto read = work::ui::ReadWorkFile(Copy());
    ASSERT_TRUE(std::holds_alternative<work::ui::Work>(read));
    EXPECT_EQ(std::get<work::ui::Work>(read).main.series.text, QStringLiteral("1\n2\n3"));

    // Saving the work makes the copy needless.
    works.saveAnswer = QDir(folder.path()).filePath(QStringLiteral("сохранена.aqualen"));
    ASSERT_TRUE(form.Work().SaveWork());
    EXPECT_FALSE(QFile::exists(Copy()));

    // A calculation writes it once the command is over.
    form.mnStatHar->trigger();
    EXPECT_FALSE(QFile::exists(Copy()));
    QCoreApplication::processEvents();
    ASSERT_TRUE(QFile::exists(Copy()));
    read = work::ui::ReadWorkFile(Copy());
    EXPECT_EQ(std::get<work::ui::Work>(read).savedPath, works.saveAnswer);

    // A clean exit removes it.
    messages.answers = {Answer::No};
    EXPECT_TRUE(form.Work().MayClose());
    EXPECT_FALSE(QFile::exists(Copy()));
}

TEST_F(WorkRecoveryTest, ALeftCopyIsOfferedAndRestoredUnsaved)
{
    const QString left = LeaveCopy(QStringLiteral("4\n5\n6"), QStringLiteral("/where/it/was/Ока.aqualen"));
    messages.answers = {Answer::Yes};
    EXPECT_TRUE(form.Work().OfferRecovery());
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(messages.questions[0], QStringLiteral("Восстановить несохраненную работу?"));
    EXPECT_EQ(form.Ser1Memo->Text(), QStringLiteral("4\n5\n6"));
    EXPECT_TRUE(form.Work().Modified());
    EXPECT_EQ(form.Work().Path(), QStringLiteral("/where/it/was/Ока.aqualen"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Aqualen 1.2 — Ока[*]"));
    EXPECT_FALSE(QFile::exists(left)) << "the old copy goes";
    EXPECT_TRUE(QFile::exists(Copy())) << "once this run keeps its own";
}

TEST_F(WorkRecoveryTest, NoDropsTheCopyCancelKeepsItForTheNextStart)
{
    const QString left = LeaveCopy(QStringLiteral("4"));
    messages.answers = {Answer::Cancel};
    EXPECT_FALSE(form.Work().OfferRecovery());
    EXPECT_TRUE(QFile::exists(left));
    EXPECT_TRUE(form.Ser1Memo->Text().isEmpty());
    messages.answers = {Answer::No};
    EXPECT_FALSE(form.Work().OfferRecovery());
    EXPECT_FALSE(QFile::exists(left));
    EXPECT_FALSE(form.Work().OfferRecovery());
    EXPECT_EQ(messages.questions.size(), 2u) << "nothing left, nothing asked";
}

TEST_F(WorkRecoveryTest, TheCopyOfARunStillRunningIsNotOffered)
{
    TMainForm running;
    running.Work().StartRecovery(folder.path());
    running.Ser1Memo->setPlainText(QStringLiteral("1"));
    running.Work().Autosave();
    ASSERT_TRUE(QFile::exists(running.Work().Recovery()->CopyPath()));
    EXPECT_TRUE(form.Work().Recovery()->LeftCopies().isEmpty());
    EXPECT_FALSE(form.Work().OfferRecovery());
    EXPECT_TRUE(messages.questions.empty());
}

TEST_F(WorkRecoveryTest, ADamagedCopyIsSaidAndDropped)
{
    const QString left = QDir(folder.path()).filePath(QStringLiteral("gone.aqualen"));
    QFile file(left);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"format\": \"aqualen-work\", \"vers");
    file.close();
    messages.answers = {Answer::Yes};
    EXPECT_FALSE(form.Work().OfferRecovery());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_TRUE(messages.messages[0].text.startsWith(QStringLiteral("Файл работы «gone.aqualen» поврежден")));
    EXPECT_FALSE(QFile::exists(left));
}

// The program itself, run offscreen with its own settings and state folders.
class ProgramRun {
public:
    explicit ProgramRun(const QTemporaryDir& home)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), QDir(home.path()).filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QDir(home.path()).filePath(QStringLiteral("config")));
        process.setProcessEnvironment(env);
    }
    ~ProgramRun()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    void Start(const QStringList& arguments) { process.start(QStringLiteral(AQUALEN_PATH), arguments); }
    // Standard output up to and including a line that starts with `prefix`.
    QString WaitForLine(const QString& prefix)
    {
        while (true) {
            while (process.canReadLine()) {
                const QString line = QString::fromUtf8(process.readLine()).trimmed();
                output << line;
                if (line.startsWith(prefix))
                    return line;
            }
            if (!process.waitForReadyRead(60000))
                return QString();
        }
    }
    QStringList RunToEnd(const QStringList& arguments)
    {
        Start(arguments);
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QProcess process;
    QStringList output;
};

TEST(WorkRecoveryProgram, AKilledRunsEditIsRestoredAtTheNextStart)
{
    const QTemporaryDir home;
    {
        ProgramRun killed(home);
        killed.Start({QStringLiteral("--test-edit=12,5\n9\n7,25")});
        ASSERT_EQ(killed.WaitForLine(QStringLiteral("autosaved")), QStringLiteral("autosaved"))
            << killed.process.readAllStandardError().toStdString();
        // Not a clean exit: the process ends at once, nothing of it runs.
        killed.process.kill();
        ASSERT_TRUE(killed.process.waitForFinished());
        EXPECT_EQ(killed.process.exitStatus(), QProcess::CrashExit);
    }
    ProgramRun next(home);
    const QStringList output = next.RunToEnd({QStringLiteral("--test-answer=yes"), QStringLiteral("--test-print")});
    EXPECT_EQ(output, QStringList({QStringLiteral("question: Восстановить несохраненную работу?"),
                                   QStringLiteral("series: 12,5\\n9\\n7,25"), QStringLiteral("modified: 1"),
                                   QStringLiteral("path: ")}));
}

TEST(WorkRecoveryProgram, TheCommandLineOpensAWork)
{
    const QTemporaryDir home;
    const QString path = QDir(home.path()).filePath(QStringLiteral("Ока.aqualen"));
    work::ui::Work work;
    work.main.series = {QStringLiteral("3\n4\n5"), 1990, QStringLiteral("Ока")};
    ASSERT_TRUE(work::ui::WriteWorkFile(path, work::ui::WorkToJson(work)).isEmpty());
    ProgramRun run(home);
    EXPECT_EQ(run.RunToEnd({QStringLiteral("--test-print"), path}),
              QStringList({QStringLiteral("series: 3\\n4\\n5"), QStringLiteral("modified: 0"),
                           QStringLiteral("path: ") + path}));

    // A file that is no work: the message, and an empty work.
    const QString bad = QDir(home.path()).filePath(QStringLiteral("ряд.txt"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("1\n2\n");
    file.close();
    ProgramRun refused(home);
    EXPECT_EQ(
        refused.RunToEnd({QStringLiteral("--test-answer=cancel"), QStringLiteral("--test-print"), bad}),
        QStringList({QStringLiteral("message: Файл «ряд.txt» не является файлом работы: в нем нет документа JSON!"),
                     QStringLiteral("series: "), QStringLiteral("modified: 0"), QStringLiteral("path: ")}));
}

} // namespace
} // namespace aqualen::test
