#include "curve/count_text.h"

#include <cstdint>

namespace aqualen {

std::optional<int> ReadInteger(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > int64_t{INT32_MAX} + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        return std::nullopt;
    return static_cast<int>(value);
}

CountTextVerdict CheckCountText(std::string_view text, int low, int high)
{
    if (text.empty())
        return CountTextVerdict::Reset;
    const auto value = ReadInteger(text);
    if (!value)
        return CountTextVerdict::NotInteger;
    return *value < low || *value > high ? CountTextVerdict::Reset : CountTextVerdict::Valid;
}

} // namespace aqualen
