#pragma once
// The program's start after its main window is made: the window where the
// last run left it, the recovery of a work a crashed run left unsaved, the
// work named on the command line, then the event loop.
//
// Three options are for the tests that run the program itself and are not
// listed by --help: --test-answer=yes|no|cancel answers every question and
// writes each box to standard output instead of showing it;
// --test-edit=TEXT puts TEXT into the series pane, as if typed, and writes
// the recovery copy at once ("autosaved" on standard output); --test-print
// writes the series pane and whether the work is unsaved, then ends.

#include <QString>
#include <QStringList>

class QApplication;
class QCommandLineParser;

namespace aqualen::ui {
class TMainForm;
}

namespace aqualen::work::ui {

// The program's arguments and options, for --help as well.
void AddStartOptions(QCommandLineParser& parser);

// Runs the program; the exit status.
int RunProgram(QApplication& app, aqualen::ui::TMainForm& form, const QStringList& arguments);

} // namespace aqualen::work::ui
