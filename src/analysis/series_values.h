#pragma once
// A pane's lines as the values the series checks take.

#include <cstddef>
#include <optional>
#include <vector>

#include "series/series_lines.h"

namespace aqualen::analysis {

// The values of the lines, or nullopt at the first line that does not read.
std::optional<std::vector<double>> ReadValues(const SeriesLines& lines, char separator);
// The same, telling at which line (from 0) it stopped.
std::optional<std::vector<double>> ReadValues(const SeriesLines& lines, char separator, size_t& badLine);

} // namespace aqualen::analysis
