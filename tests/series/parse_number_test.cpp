#include <cmath>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "series/number_text.h"

using aqualen::ParseNumber;

TEST(ParseNumber, AcceptsTheSeriesSyntax)
{
    EXPECT_EQ(ParseNumber("12,5", ','), 12.5);
    EXPECT_EQ(ParseNumber("  -3 ", ','), -3.0);
    EXPECT_EQ(ParseNumber("1E3", ','), 1000.0);
    EXPECT_EQ(ParseNumber("1e3", ','), 1000.0);
    EXPECT_EQ(ParseNumber("+,5", ','), 0.5);
    EXPECT_EQ(ParseNumber(",", ','), 0.0);
    EXPECT_EQ(ParseNumber("12.5", '.'), 12.5);
}

TEST(ParseNumber, RefusesEverythingElse)
{
    for (const char* text : {"", "   ", "12.5", "1 000", "\t5", "abc", "1 2", "1E", "-", "E5", "1,2,3"})
        EXPECT_FALSE(ParseNumber(text, ',').has_value()) << '"' << text << '"';
    EXPECT_FALSE(ParseNumber("1e400", ',').has_value());
    EXPECT_EQ(ParseNumber("1e-400", ','), 0.0);
}

// Short decimals take a quicker road than long ones or those with an
// exponent; every road must give the correctly rounded value.
TEST(ParseNumber, ShortAndLongDecimalsReadCorrectlyRounded)
{
    std::mt19937 random(20240616);
    std::uniform_int_distribution<int> digitCount(1, 20);
    std::uniform_int_distribution<int> digit(0, 9);
    for (int trial = 0; trial < 20000; ++trial) {
        std::string digits(static_cast<size_t>(digitCount(random)), '0');
        for (char& c : digits)
            c = static_cast<char>('0' + digit(random));
        std::uniform_int_distribution<size_t> point(0, digits.size());
        const size_t at = point(random);
        const std::string sign = trial % 3 == 0 ? "-" : "";
        const std::string text = sign + digits.substr(0, at) + ',' + digits.substr(at);
        const std::string cText = sign + digits.substr(0, at) + '.' + digits.substr(at);
        const std::optional<double> value = ParseNumber(text, ',');
        ASSERT_TRUE(value.has_value()) << text;
        ASSERT_EQ(*value, std::strtod(cText.c_str(), nullptr)) << text;
        ASSERT_EQ(std::signbit(*value), !sign.empty()) << text;
    }
}
