#pragma once
// The user's decimal separator, read once at the edge of the windows and of
// aqualen-cli and passed into every routine that reads or writes a number.
// Qt Core only: the command line links no widgets for it.

namespace aqualen::ui {

// The decimal separator of QLocale::system(); '.' if it is not one byte.
char SystemDecimalSeparator();

} // namespace aqualen::ui
