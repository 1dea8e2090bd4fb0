#include <string>

#include <gtest/gtest.h>

#include "series/number_text.h"
#include "series/series_lines.h"

namespace aqualen {
namespace {

TEST(FormatFixed, RoundsHalvesAwayFromZeroOnEighteenDigits)
{
    // The double nearest 2.0005 lies just above it, the one nearest 1.0005
    // just below.
    EXPECT_EQ(FormatFixed(2.0005, 3, ','), "2,001");
    EXPECT_EQ(FormatFixed(1.0005, 3, ','), "1,000");
    EXPECT_EQ(FormatFixed(0.125, 2, ','), "0,13");
    EXPECT_EQ(FormatFixed(2.5, 0, ','), "3");
    EXPECT_EQ(FormatFixed(-2.5, 0, ','), "-3");
    // 123.80349999999999966 is 123.803500000000000 at 18 digits, which then
    // rounds up; 0.1499999999999999944 stays below the half.
    EXPECT_EQ(FormatFixed(123.8035, 3, ','), "123,804");
    EXPECT_EQ(FormatFixed(0.680145, 5, '.'), "0.68015");
    EXPECT_EQ(FormatFixed(0.15, 1, '.'), "0.1");
    EXPECT_EQ(FormatFixed(999.9996, 3, '.'), "1000.000");
}

TEST(FormatFixed, NegativeValuesThatRoundToZeroHaveNoSign)
{
    EXPECT_EQ(FormatFixed(-0.0004, 3, ','), "0,000");
    EXPECT_EQ(FormatFixed(-0.0006, 3, ','), "-0,001");
    EXPECT_EQ(FormatFixed(-0.0, 1, ','), "0,0");
    EXPECT_EQ(FormatFixed(0, 0, ','), "0");
}

TEST(FormatGeneral, FixedBetweenTenToMinusFourAndTenToFifteen)
{
    EXPECT_EQ(FormatGeneral(0.3, ','), "0,3");
    EXPECT_EQ(FormatGeneral(2.0, ','), "2");
    EXPECT_EQ(FormatGeneral(0.19, ','), "0,19");
    EXPECT_EQ(FormatGeneral(-29.71, ','), "-29,71");
    EXPECT_EQ(FormatGeneral(0.0001, ','), "0,0001");
    EXPECT_EQ(FormatGeneral(0, ','), "0");
    EXPECT_EQ(FormatGeneral(-12.5678, '.'), "-12.5678");
    EXPECT_EQ(FormatGeneral(999999999999999.0, ','), "999999999999999");
}

TEST(FormatGeneral, ExponentOutsideThatRange)
{
    EXPECT_EQ(FormatGeneral(0.00001, ','), "1E-5");
    EXPECT_EQ(FormatGeneral(1e17, ','), "1E17");
    EXPECT_EQ(FormatGeneral(1.5e15, ','), "1,5E15");
    EXPECT_EQ(FormatGeneral(-2.5e-7, '.'), "-2.5E-7");
    // Rounding to 15 digits carries into the next power of ten.
    EXPECT_EQ(FormatGeneral(999999999999999.9, ','), "1E15");
    EXPECT_EQ(FormatGeneral(0.00009999999999999999, ','), "0,0001");
}

TEST(ParseNumber, ReadsWithTheGivenSeparatorOnly)
{
    EXPECT_EQ(ParseNumber("  -3 ", ','), -3.0);
    EXPECT_EQ(ParseNumber("5.", '.'), 5.0);
    EXPECT_EQ(ParseNumber("-,5e-1", ','), -0.05);
    EXPECT_EQ(ParseNumber("1E+2", ','), 100.0);
    EXPECT_FALSE(ParseNumber("1,5", '.').has_value());
    EXPECT_FALSE(ParseNumber("1 000", '.').has_value());
    EXPECT_FALSE(ParseNumber("5\t", ',').has_value());
    EXPECT_FALSE(ParseNumber("+-5", ',').has_value());
    EXPECT_FALSE(ParseNumber("0x10", ',').has_value());
    EXPECT_FALSE(ParseNumber("inf", ',').has_value());
    EXPECT_FALSE(ParseNumber("1e5.5", '.').has_value());
}

TEST(ParseNumber, EdgesOfTheDoubleRange)
{
    EXPECT_EQ(ParseNumber("1,7976931348623157e308", ','), 1.7976931348623157e308);
    EXPECT_FALSE(ParseNumber("1,8e308", ',').has_value());
    EXPECT_FALSE(ParseNumber("1e99999999999999999999", ',').has_value());
    // Subnormal values keep their value; only what lies below them is 0.
    EXPECT_EQ(ParseNumber("1e-310", ','), 1e-310);
    EXPECT_EQ(ParseNumber("1e-99999999999999999999", ','), 0.0);
    // Leading zeros of a fraction count towards the underflow.
    EXPECT_EQ(ParseNumber("0," + std::string(400, '0') + "1e5", ','), 0.0);
    EXPECT_FALSE(ParseNumber("0,001e312", ',').has_value());
}

TEST(SplitLines, CountsLinesAsASeriesPane)
{
    EXPECT_EQ(SplitLines("1\n2\n3\n"), (SeriesLines{"1", "2", "3"}));
    EXPECT_EQ(SplitLines("1\n2\n3\n\n"), (SeriesLines{"1", "2", "3", ""}));
    EXPECT_EQ(SplitLines("1\r\n2\r\n3"), (SeriesLines{"1", "2", "3"}));
    EXPECT_EQ(SplitLines(""), SeriesLines{});
    EXPECT_EQ(SplitLines("\n"), SeriesLines{""});
    EXPECT_EQ(SplitLines("\n\n5"), (SeriesLines{"", "", "5"}));
    // A lone carriage return ends a line too, as in a pane.
    EXPECT_EQ(SplitLines("1\r2\r3\r"), (SeriesLines{"1", "2", "3"}));
    EXPECT_EQ(SplitLines("1\r\r\n2\n\r3"), (SeriesLines{"1", "", "2", "", "3"}));
    EXPECT_EQ(SplitLines("\r"), SeriesLines{""});
}

TEST(ParseSeries, StopsAtTheFirstBadLineKeepingWhatWasRead)
{
    TDoubleList list;
    list.Add(99);
    EXPECT_FALSE(ParseSeries(SplitLines("1\n2\n3\n\n"), list, ','));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Get(2), 3.0);

    EXPECT_TRUE(ParseSeries(SplitLines("1,5\n-2\n"), list, ','));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(0), 1.5);
}

TEST(ParseSeries, ReadsMoreThanSixteenBitsOfLines)
{
    std::string text;
    for (int i = 0; i < 70001; ++i)
        text += std::to_string(i % 10) + "\n";
    TDoubleList list;
    ASSERT_TRUE(ParseSeries(SplitLines(text), list, ','));
    EXPECT_EQ(list.Count(), 70001);
    EXPECT_EQ(list.Get(70000), 0.0);
    EXPECT_EQ(list.Get(69999), 9.0);
}

} // namespace
} // namespace aqualen
