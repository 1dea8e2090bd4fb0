// Start-up: the main window (which makes the hidden about box), then the
// event loop until the main window closes; its windows go with it.

#include <QApplication>

#include "app/ui/main_form.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Aqualen"));
    QApplication::setApplicationVersion(QStringLiteral("1.2.1"));

    aqualen::ui::TMainForm mainForm;
    mainForm.show();
    return app.exec();
}
