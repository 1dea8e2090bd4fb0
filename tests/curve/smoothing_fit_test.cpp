#include <stdexcept>

#include <gtest/gtest.h>

#include "curve/probability_scale.h"
#include "curve/smoothing_fit.h"

namespace aqualen {
namespace {

CurveSettings Series(std::initializer_list<double> probabilities, std::initializer_list<double> values)
{
    CurveSettings s;
    for (const double p : probabilities)
        s.Probabilities.Add(p);
    for (const double v : values)
        s.Values.Add(v);
    return s;
}

double CurveAt(const CurveSettings& s, double x)
{
    return static_cast<double>(s.CurveA * x * x + s.CurveB * x + s.CurveC);
}

TEST(SmoothingFit, RecoversAnExactParabola)
{
    CurveSettings s = Series({10, 30, 50, 70, 90}, {});
    for (const double x : {7.24, 10.33, 12.47, 14.59, 17.7})
        s.Values.Add(0.05 * x * x - x + 12);
    FitSmoothingCurve(s);
    EXPECT_NEAR(static_cast<double>(s.CurveA), 0.05, 1e-8);
    EXPECT_NEAR(static_cast<double>(s.CurveB), -1, 1e-8);
    EXPECT_NEAR(static_cast<double>(s.CurveC), 12, 1e-8);
    ASSERT_EQ(s.PointX.Count(), 5);
    ASSERT_EQ(s.PointY.Count(), 5);
    EXPECT_EQ(s.PointX.Get(0), 7.24);
    EXPECT_EQ(s.PointX.Get(4), 17.7);
}

TEST(SmoothingFit, FiveRunoffValuesOnTheCoarseGrid)
{
    CurveSettings s = Series({16.7, 33.3, 50, 66.7, 83.3}, {15, 12, 10, 8, 5});
    FitSmoothingCurve(s);
    const double expectedX[] = {8.562, 10.7295, 12.47, 14.2005, 16.391};
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(s.PointX.Get(i), expectedX[i], 1e-12) << i;
    EXPECT_NEAR(static_cast<double>(s.CurveA), 0.000779, 5e-7);
    EXPECT_NEAR(static_cast<double>(s.CurveB), -1.27621, 5e-6);
    EXPECT_NEAR(static_cast<double>(s.CurveC), 25.7883, 5e-5);
    EXPECT_NEAR(CurveAt(s, expectedX[0]), 14.918, 5e-4);
    EXPECT_NEAR(CurveAt(s, expectedX[4]), 5.079, 5e-4);

    // The fine grid moves every x, and so the curve.
    CurveSettings fine = Series({16.7, 33.3, 50, 66.7, 83.3}, {15, 12, 10, 8, 5});
    fine.FineGrid = true;
    FitSmoothingCurve(fine);
    EXPECT_GT(std::abs(static_cast<double>(fine.CurveB - s.CurveB)), 1e-3);
}

TEST(SmoothingFit, ScaleEndsOnlyStretchTheCurveWithThePoints)
{
    CurveSettings a = Series({16.7, 33.3, 50, 66.7, 83.3}, {15, 12, 10, 8, 5});
    FitSmoothingCurve(a);
    CurveSettings b = Series({16.7, 33.3, 50, 66.7, 83.3}, {15, 12, 10, 8, 5});
    b.ScaleMin = 4;
    b.ScaleMax = 21;
    FitSmoothingCurve(b);
    // Moving both ends by 4 shifts every point 4 cm down; the curve follows.
    for (int i = 0; i < 5; ++i) {
        const double x = a.PointX.Get(i);
        EXPECT_NEAR(CurveAt(a, x) - a.PointY.Get(i), CurveAt(b, x) - b.PointY.Get(i), 1e-9);
    }
}

TEST(SmoothingFit, TooFewDistinctProbabilitiesAreRefusedWithoutChanges)
{
    CurveSettings s = Series({20, 20, 50, 50, 50}, {5, 4, 3, 2, 1});
    s.CurveA = 1;
    s.CurveB = 2;
    s.CurveC = 3;
    s.PointX.Add(42);
    try {
        FitSmoothingCurve(s);
        FAIL() << "no refusal";
    } catch (const dist::FitRefused& e) {
        const std::string text = e.what();
        EXPECT_EQ(text.back(), '!');
    }
    EXPECT_EQ(s.CurveA, 1);
    EXPECT_EQ(s.CurveB, 2);
    EXPECT_EQ(s.CurveC, 3);
    EXPECT_EQ(s.PointX.Count(), 1);
    EXPECT_EQ(s.PointY.Count(), 0);

    // Probabilities past both ends share the left end of the axis.
    CurveSettings ends = Series({0.05, 99.95, 50}, {3, 2, 1});
    EXPECT_THROW(FitSmoothingCurve(ends), dist::FitRefused);
    CurveSettings empty = Series({}, {});
    EXPECT_THROW(FitSmoothingCurve(empty), dist::FitRefused);
}

} // namespace
} // namespace aqualen
