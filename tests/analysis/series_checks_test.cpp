#include <gtest/gtest.h>

#include "analysis/analysis_messages.h"
#include "analysis/series_checks.h"

namespace aqualen::analysis {
namespace {

TEST(SeriesChecks, SenLinePassesThroughTheMediansWithTheSlope)
{
    // Odd n: the median value 3 at the middle time 3.
    EXPECT_DOUBLE_EQ(SenLineAt({5, 1, 3, 4, 2}, 0.5, 3), 3);
    EXPECT_DOUBLE_EQ(SenLineAt({5, 1, 3, 4, 2}, 0.5, 1), 2);
    // Even n: the mean of the two middle values, 2.5, at time 2.5.
    EXPECT_DOUBLE_EQ(SenLineAt({4, 1, 3, 2}, -1, 2.5), 2.5);
    EXPECT_DOUBLE_EQ(SenLineAt({4, 1, 3, 2}, -1, 4), 1);
}

TEST(SeriesChecks, EachCheckRunsWhereTheLengthAllows)
{
    SeriesCheckOptions options;
    options.distribution = dist::Distribution::PearsonIII;
    std::vector<double> seven{10, 12, 9, 15, 11, 30, 13};
    SeriesChecks checks = ComputeSeriesChecks(seven, options);
    EXPECT_FALSE(checks.trend);
    EXPECT_EQ(checks.trendRefusal, kTrendLengthText);
    ASSERT_TRUE(checks.outliers);
    EXPECT_EQ(checks.outliers->largest.value, 30);
    std::vector<std::string> lines = SeriesCheckLines(checks, options, ',');
    ASSERT_EQ(lines.size(), 1u + 1 + 15);
    EXPECT_EQ(lines[0], kTrendLengthText);
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Наибольшее значение:\t30,000");

    std::vector<double> long_(1001);
    for (size_t i = 0; i < long_.size(); ++i)
        long_[i] = 100 + static_cast<double>((i * 37) % 101);
    checks = ComputeSeriesChecks(long_, options);
    EXPECT_TRUE(checks.trend);
    EXPECT_FALSE(checks.outliers);
    lines = SeriesCheckLines(checks, options, ',');
    EXPECT_EQ(lines[0], "Длина ряда:\t1001");
    EXPECT_EQ(lines.back(), kOutlierLengthText);

    checks = ComputeSeriesChecks({1, 2, 3}, options);
    EXPECT_TRUE(checks.Nothing());
    EXPECT_EQ(checks.RefusalText(), std::string(kTrendLengthText) + "\n" + kOutlierLengthText);
    checks = ComputeSeriesChecks(std::vector<double>(12, 4.0), options);
    EXPECT_EQ(checks.RefusalText(), kAllEqualText);
}

} // namespace
} // namespace aqualen::analysis
