// Start-up: "--help" and "--version" answer on standard output without a
// window (and without a display); otherwise the main window (which makes the
// hidden about box), the work named on the command line, then the event loop
// until the main window closes; its windows go with it.

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>

#include "app/ui/main_form.h"
#include "series/ui/application_setup.h"
#include "work/ui/start_up.h"

namespace {

const char* kVersion = AQUALEN_VERSION;

// Answers "--help" and "--version" before any window exists (showHelp and
// showVersion end the process with status 0). Other arguments, such as Qt's
// own "-platform", are left to the application.
void AnswerCommandLine(int argc, char* argv[])
{
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("aqualen"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    aqualen::ui::InstallQtTranslations(core);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Aqualen: статистическая обработка гидрологических рядов — статистические "
                       "характеристики, корреляция с рядом-аналогом, однородность, кривые обеспеченности."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    aqualen::work::ui::AddStartOptions(parser);
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();
}

} // namespace

int main(int argc, char* argv[])
{
    AnswerCommandLine(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Aqualen"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    aqualen::ui::SetUpApplication(app);

    aqualen::ui::TMainForm mainForm;
    // Qt's own options are gone from the arguments by now.
    return aqualen::work::ui::RunProgram(app, mainForm, QApplication::arguments());
}
