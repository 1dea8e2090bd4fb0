#pragma once
// The texts every series window and aqualen-cli show about the series they
// were given, each under its own name and written once.

namespace aqualen {

// One series pane holds a line that does not read as a number.
inline constexpr const char* kSeriesInvalidText = "Ряд введен не корректно!";
// One of two series panes (correlation, homogeneity) holds such a line.
inline constexpr const char* kSeriesPairInvalidText = "Ряды введены не корректно!";
// Two series that must be paired line by line differ in length.
inline constexpr const char* kSeriesLengthsDifferText = "Ряды разной длины!";

} // namespace aqualen
