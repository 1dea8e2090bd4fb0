// Entry point of the UI test programs: one QApplication on the offscreen
// platform for all tests of the program.

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtGlobal>

#include <gtest/gtest.h>

#include "series/ui/application_setup.h"
#include "work/ui/work_settings.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nothing a test does reaches the user's own settings and folders.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const QTemporaryDir settings;
    aqualen::work::ui::UseSettingsFile(QDir(settings.path()).filePath(QStringLiteral("aqualen.ini")));
    // The same face and translations as the program, so that layouts and
    // Qt's own texts are what the user sees.
    aqualen::ui::SetUpApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
