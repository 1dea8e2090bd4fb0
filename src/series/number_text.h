#pragma once
// Reading and writing numbers with a given decimal separator. No routine here
// looks at a global locale: the caller passes the separator.

#include <optional>
#include <string>
#include <string_view>

#include "series/numeric_lists.h"
#include "series/series_lines.h"

namespace aqualen {

// Spaces, an optional sign, digits with an optional separator and fraction (a
// lone separator reads as 0), an optional exponent, spaces. Anything else,
// and a value beyond the double range, is refused. Underflow reads as zero.
std::optional<double> ParseNumber(std::string_view text, char separator);

// Clears the list and adds line after line; at the first line that does not
// read it stops and returns false, keeping the values added so far.
bool ParseSeries(const SeriesLines& lines, TDoubleList& list, char separator);

// Fixed notation with exactly `decimals` digits after the separator (0..18):
// the value is taken to 18 significant digits, then rounded at the last
// decimal, halves away from zero. A negative value that rounds to zero has no
// sign.
std::string FormatFixed(double value, int decimals, char separator);

// Shortest text of at most 15 significant digits (halves away from zero);
// fixed notation for 0.0001 <= |value| < 1e15 and zero, otherwise d,ddE-x.
std::string FormatGeneral(double value, char separator);

} // namespace aqualen
