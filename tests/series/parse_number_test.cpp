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
