#include <gtest/gtest.h>

#include "curve/probability_scale.h"

namespace aqualen {
namespace {

TEST(ProbabilityScale, TablesAscendAndAgreeWhereTheyOverlap)
{
    const auto coarse = CoarseScale();
    const auto fine = FineScale();
    ASSERT_EQ(coarse.size(), 95u);
    ASSERT_EQ(fine.size(), 113u);
    EXPECT_EQ(coarse.front().Position, 0);
    EXPECT_EQ(coarse.back().Position, 24.96);
    EXPECT_EQ(fine.front().Position, 0);
    EXPECT_EQ(fine.back().Position, 25.22);
    for (size_t i = 1; i < fine.size(); ++i) {
        EXPECT_LT(fine[i - 1].Probability, fine[i].Probability);
        EXPECT_LT(fine[i - 1].Position, fine[i].Position);
    }
    size_t j = 0;
    for (const ScaleEntry& c : coarse) {
        while (j < fine.size() && fine[j].Probability != c.Probability)
            ++j;
        ASSERT_LT(j, fine.size()) << c.Probability;
        EXPECT_EQ(fine[j].Labelled, c.Labelled) << c.Probability;
    }
    int coarseLabelled = 0;
    int fineLabelled = 0;
    for (const ScaleEntry& c : coarse)
        coarseLabelled += c.Labelled;
    for (const ScaleEntry& f : fine)
        fineLabelled += f.Labelled;
    EXPECT_EQ(coarseLabelled, 15);
    EXPECT_EQ(fineLabelled, 17);
}

TEST(ProbabilityScale, ProbabilityToXOnBothScales)
{
    const bool coarse = false;
    const bool fine = true;
    EXPECT_EQ(ProbabilityToX(coarse, 50), 12.47);
    EXPECT_EQ(ProbabilityToX(fine, 50), 12.59);
    EXPECT_EQ(ProbabilityToX(coarse, 1), 3.04);
    EXPECT_EQ(ProbabilityToX(fine, 1), 4.73);
    EXPECT_DOUBLE_EQ(ProbabilityToX(coarse, 0.15), 0.42);
    EXPECT_DOUBLE_EQ(ProbabilityToX(fine, 0.15), 2.55);
    EXPECT_DOUBLE_EQ(ProbabilityToX(coarse, 9.1), 7.033);
    EXPECT_EQ(ProbabilityToX(coarse, 99.9), 24.96);
    EXPECT_EQ(ProbabilityToX(fine, 99.95), 23.78);
    EXPECT_EQ(ProbabilityToX(coarse, 0.1), 0);
    EXPECT_EQ(ProbabilityToX(fine, 0.01), 0);
}

TEST(ProbabilityScale, ProbabilitiesOffEitherEndMapToTheLeftEnd)
{
    EXPECT_EQ(ProbabilityToX(false, 99.95), 0);
    EXPECT_EQ(ProbabilityToX(true, 99.999), 0);
    EXPECT_EQ(ProbabilityToX(false, 0.05), 0);
    EXPECT_EQ(ProbabilityToX(true, 0.005), 0);
    EXPECT_EQ(ProbabilityToX(false, -3), 0);
}

TEST(ProbabilityScale, ValueToYIsLinearAndUnclamped)
{
    EXPECT_EQ(ValueToY(0, 17, 7.3), 7.3);
    EXPECT_EQ(ValueToY(10, 44, 27), 8.5);
    EXPECT_EQ(ValueToY(10, 44, 50), 20);
    EXPECT_EQ(ValueToY(10, 44, 0), -5);
}

TEST(ProbabilityScale, SheetPixelsRoundEachTermHalvesToEven)
{
    EXPECT_EQ(SheetX(0, 100), 22);
    EXPECT_EQ(SheetX(24.96, 100), 272);
    EXPECT_EQ(SheetY(0, 100), 190);
    EXPECT_EQ(SheetY(17, 100), 20);
    // 0.22 * 116 = 25.52 and 0.1 * 24.96 * 116 = 289.536 round apart: 26 + 290.
    EXPECT_EQ(SheetX(24.96, 116), 316);
    EXPECT_EQ(SheetX(25.22, 116), 319);
    EXPECT_EQ(SheetX(-1.5, 116), 9);
    EXPECT_EQ(SheetY(17.8, 116), 14);
    EXPECT_EQ(HorizontalUnit(345), 116);
    EXPECT_EQ(VerticalUnit(244), 116);
    EXPECT_EQ(HorizontalUnit(690), 232);
    EXPECT_EQ(VerticalUnit(488), 232);
}

} // namespace
} // namespace aqualen
