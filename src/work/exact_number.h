#pragma once
// Long doubles written as text and read back bit for bit: a work file keeps
// the smoothing curve's coefficients exactly, so the reopened sheet draws
// every pixel where it was. JSON numbers are doubles and would round them.

#include <optional>
#include <string>
#include <string_view>

namespace aqualen::work {

// Hexadecimal floating-point text ("0xc.ccccccccccccccdp-3"), exact for
// every finite value.
std::string ExactText(long double value);

// The value of such a text (or of any decimal one); nothing unless the whole
// text is one finite number.
std::optional<long double> ReadExactText(std::string_view text);

} // namespace aqualen::work
