#include "work/exact_number.h"

#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace aqualen::work {

std::string ExactText(long double value)
{
    // "%La" is exact; it writes the C library locale's radix character,
    // which is put back to '.' so that the file reads the same everywhere.
    char buffer[64];
    const int size = std::snprintf(buffer, sizeof buffer, "%La", value);
    std::string text(buffer, static_cast<size_t>(size > 0 ? size : 0));
    const lconv* conventions = std::localeconv();
    if (conventions && conventions->decimal_point && conventions->decimal_point[0] != '.' &&
        conventions->decimal_point[0] != '\0')
        for (char& c : text)
            if (c == conventions->decimal_point[0])
                c = '.';
    return text;
}

std::optional<long double> ReadExactText(std::string_view text)
{
    // strtold would skip leading blanks: the whole text must be the number.
    if (text.empty() || text.size() > 64 || std::isspace(static_cast<unsigned char>(text.front())))
        return std::nullopt;
    std::string copy(text);
    const lconv* conventions = std::localeconv();
    if (conventions && conventions->decimal_point && conventions->decimal_point[0] != '.' &&
        conventions->decimal_point[0] != '\0')
        for (char& c : copy)
            if (c == '.')
                c = conventions->decimal_point[0];
    char* end = nullptr;
    const long double value = std::strtold(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace aqualen::work
