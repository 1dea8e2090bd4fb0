// Long doubles through their exact text, and the recent-works list.

#include <cfloat>
#include <clocale>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "work/exact_number.h"
#include "work/recent_works.h"
#include "work/work_format.h"

namespace aqualen::work {
namespace {

TEST(ExactNumber, EveryFiniteValueComesBackBitForBit)
{
    const long double cases[] = {0.0L,      -0.0L,    1.0L / 3.0L,   -2.718281828459045235360287L, 0.1L,    LDBL_MAX,
                                 -LDBL_MAX, LDBL_MIN, LDBL_TRUE_MIN, std::nextafter(1.0L, 2.0L),   1e-4000L};
    for (const long double value : cases) {
        const std::string text = ExactText(value);
        const std::optional<long double> back = ReadExactText(text);
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(*back, value) << text;
        EXPECT_EQ(std::signbit(*back), std::signbit(value)) << text;
    }
}

TEST(ExactNumber, ReadsOnlyOneWholeFiniteNumber)
{
    for (const char* text : {"", "abc", "1.5x", " 1", "inf", "nan", "1e99999", "0x1p+99999", "1,5"})
        EXPECT_FALSE(ReadExactText(text)) << text;
    EXPECT_EQ(ReadExactText("2.5"), 2.5L);
}

TEST(ExactNumber, TextIsTheSameUnderADecimalCommaLocale)
{
    const std::string before = ExactText(1.5L);
    if (!std::setlocale(LC_NUMERIC, "ru_RU.UTF-8"))
        GTEST_SKIP() << "no ru_RU.UTF-8 locale";
    const std::string text = ExactText(1.5L);
    const std::optional<long double> back = ReadExactText(before);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(text, before);
    EXPECT_EQ(back, 1.5L);
}

TEST(RecentWorks, LatestFirstEachOnceAtMostTheLimit)
{
    std::vector<std::string> list;
    for (int i = 0; i < kMaxRecentWorks + 3; ++i)
        list = WithRecentWork(list, "/w/" + std::to_string(i));
    ASSERT_EQ(list.size(), static_cast<size_t>(kMaxRecentWorks));
    EXPECT_EQ(list.front(), "/w/" + std::to_string(kMaxRecentWorks + 2));
    EXPECT_EQ(list.back(), "/w/3");

    list = WithRecentWork(list, "/w/5");
    EXPECT_EQ(list.front(), "/w/5");
    EXPECT_EQ(std::count(list.begin(), list.end(), "/w/5"), 1);
    EXPECT_EQ(list.size(), static_cast<size_t>(kMaxRecentWorks));

    list = WithoutRecentWork(list, "/w/5");
    EXPECT_EQ(std::count(list.begin(), list.end(), "/w/5"), 0);
    EXPECT_EQ(WithoutRecentWork({"", "/a", ""}, "/b"), std::vector<std::string>{"/a"});
}

} // namespace
} // namespace aqualen::work
