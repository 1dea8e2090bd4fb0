#pragma once
// The rule of the small count boxes (point radius, number of copies): what a
// newly typed text means. No Qt here.

#include <optional>
#include <string_view>

namespace aqualen {

// A whole number: leading spaces, an optional sign, decimal digits, within
// the 32-bit range. Anything else is not an integer.
std::optional<int> ReadInteger(std::string_view text);

enum class CountTextVerdict {
    Valid,      // an integer within the box's range
    Reset,      // empty or out of range: the box goes back to its default
    NotInteger, // the user is told, and the last character is dropped
};

CountTextVerdict CheckCountText(std::string_view text, int low, int high);

} // namespace aqualen
