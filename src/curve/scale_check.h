#pragma once
// Sheet scale settings that would divide by zero or draw without end are
// refused before they are stored.

#include <optional>
#include <string>

namespace aqualen {

// A Russian message ending in "!" when the scale cannot be drawn (maximum not
// above minimum, a step zero or negative, more than 1,000 divisions), else
// nullopt.
std::optional<std::string> ScaleSettingsError(double scaleMax, double scaleMin, double mainStep, double additionalStep);

// How many main divisions the sheet draws above the bottom: the quotient of
// range and step in extended precision, truncated, except that a quotient
// short of a whole number only by the binary rounding of decimal texts
// (0,3 / 0,1 is 2.9999999999999997) counts as that number, so that the top
// division keeps its line and its label. Not finite when the range or the
// step cannot be divided.
long double MainDivisionCount(double scaleMax, double scaleMin, double mainStep);

} // namespace aqualen
