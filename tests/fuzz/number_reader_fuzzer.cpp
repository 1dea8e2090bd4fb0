// The number reader against the number grammar, written out again here as
// plainly as possible: blanks, a sign, digits with an optional separator and
// fraction (at least one digit or the separator), an optional exponent,
// blanks. The value must be the correctly rounded one (the C library's
// strtod of the same digits); beyond the double range the text is refused,
// below it the value may read as zero.
// Input: a choice byte (bit 0 the separator), then the text.

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "fuzz_checks.h"
#include "series/number_text.h"

using namespace aqualen;

namespace {

bool Digit(char c)
{
    return c >= '0' && c <= '9';
}

// The text in the C locale's form ("-12.5e3") when it follows the grammar.
std::optional<std::string> Grammar(std::string_view text, char separator)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::string plain;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        plain += text[i++];
    plain += '0';
    bool mantissa = false;
    while (i < text.size() && Digit(text[i])) {
        plain += text[i++];
        mantissa = true;
    }
    if (i < text.size() && text[i] == separator) {
        ++i;
        mantissa = true;
        plain += '.';
        while (i < text.size() && Digit(text[i]))
            plain += text[i++];
    }
    if (!mantissa)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        plain += text[i++];
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            plain += text[i++];
        if (i == text.size() || !Digit(text[i]))
            return std::nullopt;
        while (i < text.size() && Digit(text[i]))
            plain += text[i++];
    }
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i != text.size())
        return std::nullopt;
    return plain;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzz::Guarded([&] {
        fuzz::FuzzInput in(data, size);
        const char separator = (in.Byte() & 1) ? ',' : '.';
        const std::string_view text = in.Rest();
        const std::optional<double> read = ParseNumber(text, separator);
        const std::optional<std::string> plain = Grammar(text, separator);
        if (!plain) {
            fuzz::Expect(!read, "read a text outside the grammar", text);
            return;
        }
        errno = 0;
        const double expected = std::strtod(plain->c_str(), nullptr);
        if (std::isinf(expected)) {
            fuzz::Expect(!read, "read a value beyond the double range", text);
            return;
        }
        fuzz::Expect(read.has_value(), "refused a number of the grammar", text);
        if (std::abs(expected) >= DBL_MIN)
            fuzz::Expect(*read == expected, "not the correctly rounded value", text);
        else
            fuzz::Expect(*read == expected || *read == 0, "a tiny value neither exact nor zero", text);
    });
}
