#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "extension/year_series.h"

namespace aqualen::extension {
namespace {

TEST(YearSeries, PaneLinesReadAsConsecutiveYears)
{
    size_t bad = 99;
    const auto series = ReadYearSeries({"1,5", "2", "3"}, 1950, ',', bad);
    ASSERT_TRUE(series);
    EXPECT_EQ(series->Years(), (YearSpan{1950, 1952}));
    EXPECT_EQ(series->At(1951), 2);
    EXPECT_FALSE(ReadYearSeries({"1", "2.5", "3"}, 1950, ',', bad));
    EXPECT_EQ(bad, 1u);
}

TEST(YearSeries, YearColumnsAndTheirProblems)
{
    struct Case {
        const char* text;
        std::optional<int> firstYear;
        std::string problem; // empty when the years are consecutive
    };
    const std::vector<Case> cases{
        {"1950\t1\n1951\t2\n1952\t3\n", 1950, ""},
        {"Год;Расход\n1950;1\n1951;2\n", 1950, ""},
        {"1950 1\n1951 2\n1951 3\n", 1950, "Год 1951 повторяется (строка 3)!"},
        {"1950 1\n1951 2\n1953 3\n", 1950, "Пропущен год 1952 (строка 3)!"},
        {"1950 1\n1951 2\n1950 3\n", 1950, "Год 1950 повторяется (строка 3)!"},
        {"1952 1\n1951 2\n", 1952, "Год 1951 стоит после более позднего (строка 2)!"},
        {"1950 1\n1951.5 2\n", 1950, "Год не прочитан: «1951.5» (строка 2)!"},
        {"1950 1\n\n1952 2\n", 1950, "Год не прочитан: «» (строка 2)!"},
        {"0 1\n1 2\n", std::nullopt, "Год не прочитан: «0» (строка 1)!"},
    };
    for (const Case& c : cases) {
        const YearColumn column = ReadYearColumn(ReadSeriesTable(c.text), 0);
        EXPECT_EQ(column.firstYear, c.firstYear) << c.text;
        EXPECT_EQ(column.problem ? YearColumnProblemText(*column.problem) : "", c.problem) << c.text;
    }
}

} // namespace
} // namespace aqualen::extension
