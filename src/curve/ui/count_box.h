#pragma once
// A small count box (point radius, number of copies) after each edit: the
// rule of curve/count_text.h applied to the box itself.

class QLineEdit;
class QString;
class QWidget;

namespace aqualen::ui {

// The message when a count box holds something other than a whole number.
inline constexpr const char* kNotANumberText = "Следует ввести число!";

// Leaves a whole number within low..high as it is; puts `reset` back for an
// empty box or one out of range; tells the user (a message over `parent`)
// when the text is no whole number and drops its last character.
void CheckCountBox(QWidget* parent, QLineEdit& box, int low, int high, const QString& reset);

} // namespace aqualen::ui
