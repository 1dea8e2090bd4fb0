#pragma once
// A pane's lines as the values the series checks take.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "series/series_lines.h"

namespace aqualen::analysis {

// The values of the lines, or nullopt at the first line that does not read.
std::optional<std::vector<double>> ReadValues(const SeriesLines& lines, char separator);
// The same, telling at which line (from 0) it stopped.
std::optional<std::vector<double>> ReadValues(const SeriesLines& lines, char separator, size_t& badLine);

// Why a series check cannot take the values: `lengthText` for fewer than
// `least` or more than `most` of them, kAllEqualText when all are equal;
// nullopt when it can.
std::optional<std::string> ValuesRefusal(const std::vector<double>& values, size_t least, size_t most,
                                         const char* lengthText);

} // namespace aqualen::analysis
