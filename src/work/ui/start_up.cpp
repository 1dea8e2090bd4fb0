#include "work/ui/start_up.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <memory>

#include "app/ui/main_form.h"
#include "series/ui/message_service.h"
#include "series/ui/series_pane.h"
#include "work/ui/work_recovery.h"
#include "work/ui/work_session.h"
#include "work/ui/work_settings.h"

namespace aqualen::work::ui {

using aqualen::ui::Answer;

namespace {

const QCommandLineOption kTestAnswer(QStringLiteral("test-answer"), QString(), QStringLiteral("answer"));
const QCommandLineOption kTestEdit(QStringLiteral("test-edit"), QString(), QStringLiteral("text"));
const QCommandLineOption kTestPrint(QStringLiteral("test-print"));

void Print(const QString& line)
{
    QString text = line;
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    std::fputs((text + '\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

// The boxes of a program run by a test: written out, questions answered.
class PrintedMessages final : public aqualen::ui::MessageService {
public:
    explicit PrintedMessages(Answer answer) : answer_(answer) {}
    void Show(aqualen::ui::MessageKind, const QString&, const QString& text, QWidget*) override
    {
        Print(QStringLiteral("message: ") + text);
    }
    Answer Ask(const QString&, const QString& text, bool, QWidget*) override
    {
        Print(QStringLiteral("question: ") + text);
        return answer_;
    }

private:
    Answer answer_;
};

Answer ReadAnswer(const QString& text)
{
    if (text == QLatin1String("yes"))
        return Answer::Yes;
    if (text == QLatin1String("no"))
        return Answer::No;
    return Answer::Cancel;
}

} // namespace

void AddStartOptions(QCommandLineParser& parser)
{
    parser.addPositionalArgument(QStringLiteral("работа"),
                                 QStringLiteral("файл работы (.aqualen), открываемый при запуске"),
                                 QStringLiteral("[работа]"));
    for (QCommandLineOption option : {kTestAnswer, kTestEdit, kTestPrint}) {
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

int RunProgram(QApplication& app, aqualen::ui::TMainForm& form, const QStringList& arguments)
{
    QCommandLineParser parser;
    AddStartOptions(parser);
    parser.parse(arguments);

    std::unique_ptr<PrintedMessages> printed;
    if (parser.isSet(kTestAnswer)) {
        printed = std::make_unique<PrintedMessages>(ReadAnswer(parser.value(kTestAnswer)));
        aqualen::ui::SetMessageService(printed.get());
    }

    WorkSession& work = form.Work();
    const QByteArray geometry = MainWindowGeometry();
    if (!geometry.isEmpty())
        form.restoreGeometry(geometry);
    work.StartRecovery(WorkRecovery::DefaultFolder());
    form.show();
    work.OfferRecovery();
    if (!parser.positionalArguments().isEmpty())
        work.OpenWork(parser.positionalArguments().constFirst());

    if (parser.isSet(kTestEdit)) {
        form.Ser1Memo->SetSeries({parser.value(kTestEdit), std::nullopt, QString()});
        work.Autosave();
        Print(QStringLiteral("autosaved"));
    }
    int status = 0;
    if (parser.isSet(kTestPrint)) {
        Print(QStringLiteral("series: ") + form.Ser1Memo->Text());
        Print(QStringLiteral("modified: %1").arg(work.Modified() ? 1 : 0));
        Print(QStringLiteral("path: ") + work.Path());
    } else {
        status = app.exec();
    }
    aqualen::ui::SetMessageService(nullptr);
    return status;
}

} // namespace aqualen::work::ui
