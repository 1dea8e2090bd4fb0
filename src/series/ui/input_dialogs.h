#pragma once
// The one road by which windows ask the user for a whole number (a first
// year, the year or line to split a series at). The default shows Qt's input
// dialog; tests install their own answers so that nothing ever blocks.

#include <QString>
#include <optional>

class QWidget;

namespace aqualen::ui {

struct NumberQuestion {
    QString title;
    QString label;
    int proposed = 0;
    int minimum = 0;
    int maximum = 0;
};

class InputDialogs {
public:
    virtual ~InputDialogs() = default;
    // The number chosen, within the question's range; nothing when cancelled.
    virtual std::optional<int> AskNumber(QWidget* parent, const NumberQuestion& question) = 0;
};

// The dialogs in use; Qt's unless a test set others.
InputDialogs& Inputs();
// Installs dialogs (not owned); nullptr restores Qt's.
void SetInputDialogs(InputDialogs* dialogs);

} // namespace aqualen::ui
