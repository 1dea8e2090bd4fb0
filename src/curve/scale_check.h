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

} // namespace aqualen
