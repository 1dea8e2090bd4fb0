#pragma once
// The one road by which the work commands ask for a file name. The default
// shows Qt's file dialogs; tests install their own answers.

#include <QString>

class QWidget;

namespace aqualen::work::ui {

class WorkDialogs {
public:
    virtual ~WorkDialogs() = default;
    // An existing work file, starting in `folder`; empty when cancelled.
    virtual QString OpenWorkName(QWidget* parent, const QString& folder) = 0;
    // A work file to write, `suggested` offered first; empty when cancelled.
    virtual QString SaveWorkName(QWidget* parent, const QString& suggested) = 0;
};

WorkDialogs& WorkFileDialogs();
// Installs dialogs (not owned); nullptr restores Qt's.
void SetWorkDialogs(WorkDialogs* dialogs);

} // namespace aqualen::work::ui
