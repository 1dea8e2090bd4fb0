#include "series/ui/application_setup.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace aqualen::ui {

QString WindowFamily()
{
    static const QString family = [] {
        const QString wanted = QStringLiteral("DejaVu Sans");
        if (QFontDatabase::hasFamily(wanted))
            return wanted;
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

bool InstallQtTranslations(QCoreApplication& app)
{
    // The whole interface is Russian, whatever the user's locale: Qt's own
    // texts follow it. The translator lives as long as the application.
    auto* translator = new QTranslator(&app);
    const bool loaded =
        translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
    return loaded;
}

bool SetUpApplication(QApplication& app)
{
    QFont face(WindowFamily());
    face.setPointSize(9);
    QApplication::setFont(face);
    return InstallQtTranslations(app);
}

} // namespace aqualen::ui
