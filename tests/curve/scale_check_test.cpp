#include <cmath>

#include <gtest/gtest.h>

#include "curve/scale_check.h"

namespace aqualen {
namespace {

TEST(ScaleCheck, AcceptsDrawableScales)
{
    EXPECT_FALSE(ScaleSettingsError(17, 0, 1, 0.2));
    EXPECT_FALSE(ScaleSettingsError(17, 0, 0.5, 0.1));
    EXPECT_FALSE(ScaleSettingsError(-5, -10, 1, 0.5));
    EXPECT_FALSE(ScaleSettingsError(1000, 0, 1, 1)); // exactly 1,000 divisions
}

TEST(ScaleCheck, RefusesWhatWouldDivideByZeroOrNeverEnd)
{
    const struct {
        double max, min, main, additional;
    } refused[] = {
        {17, 17, 1, 0.2},      {0, 17, 1, 0.2},  {17, 0, 0, 0.2},   {17, 0, -1, 0.2},
        {17, 0, 1, 0},         {17, 0, 1, -0.2}, {1001, 0, 1, 1},   {17, 0, 1, 0.001},
        {1e308, -1e308, 1, 1}, {NAN, 0, 1, 0.2}, {17, 0, NAN, 0.2},
    };
    for (const auto& r : refused) {
        const auto error = ScaleSettingsError(r.max, r.min, r.main, r.additional);
        ASSERT_TRUE(error) << r.max << " " << r.min << " " << r.main << " " << r.additional;
        EXPECT_EQ(error->back(), '!');
    }
}

} // namespace
} // namespace aqualen
