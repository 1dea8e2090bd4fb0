// Entry point of the UI test programs: one QApplication on the offscreen
// platform for all tests of the program.

#include <QApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

#include "series/ui/application_setup.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The same face and translations as the program, so that layouts and
    // Qt's own texts are what the user sees.
    aqualen::ui::SetUpApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
