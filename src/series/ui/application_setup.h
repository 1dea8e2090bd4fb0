#pragma once
// What every program with windows sets up once, before its first window: the
// face the windows are laid out for, and Qt's own texts in Russian.

class QApplication;
class QCoreApplication;
class QString;

namespace aqualen::ui {

// The family the windows are laid out for. DejaVu Sans is installed with the
// program, so the windows look and measure the same on every machine; where
// it is missing, the system's sans serif stands in.
QString WindowFamily();

// Installs Qt's Russian translations into the application. A missing file
// leaves Qt's English texts and is not an error; returns whether they loaded.
bool InstallQtTranslations(QCoreApplication& app);

// Sets the windows' face and installs Qt's Russian translations (context
// menus, standard buttons, scroll-bar menus). A missing translation file
// leaves Qt's English texts and is not an error. Returns whether the
// translations were loaded.
bool SetUpApplication(QApplication& app);

} // namespace aqualen::ui
