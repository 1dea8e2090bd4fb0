#include <cmath>

#include <gtest/gtest.h>

#include "distributions/analytic_curve.h"
#include "distributions/pearson3.h"

namespace aqualen::dist {
namespace {

// Values of the tabulated Pearson III ordinates (four decimals). The full
// grid is compared with SciPy by tools/dist_crosscheck under ctest.
TEST(PearsonPhi, MatchesTabulatedOrdinates)
{
    struct Case {
        double cs, p, phi;
    };
    const Case cases[] = {
        {1.0, 1, 3.0226},   {1.0, 50, -0.1640},  {0.0, 1, 2.3263},   {0.0, 50, 0.0},   {2.0, 1, 3.6052},
        {2.0, 99, -0.9899}, {-1.0, 99, -3.0226}, {-1.0, 50, 0.1640}, {0.5, 5, 1.7743}, {3.0, 0.1, 7.1524},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(PearsonPhi(c.p, c.cs), c.phi, 5e-5) << "Cs = " << c.cs << ", P = " << c.p;
}

// The gamma form gives way to its expansion about the normal for tiny Cs;
// the two must meet without a step.
TEST(PearsonPhi, ContinuousWhereTheNormalExpansionTakesOver)
{
    for (const double p : StandardProbabilities()) {
        for (const double sign : {1.0, -1.0}) {
            const double below = PearsonPhi(p, sign * kNearNormalSkew * (1 - 1e-9));
            const double above = PearsonPhi(p, sign * kNearNormalSkew * (1 + 1e-9));
            EXPECT_NEAR(below, above, 1e-10) << "P = " << p;
        }
    }
}

TEST(PearsonPhi, FallsWithExceedance)
{
    for (const double cs : {-3.0, -0.5, 0.0, 1e-6, 0.7, 4.0}) {
        const std::vector<double>& p = StandardProbabilities();
        for (size_t i = 1; i < p.size(); ++i)
            EXPECT_LT(PearsonPhi(p[i], cs), PearsonPhi(p[i - 1], cs)) << "Cs = " << cs << ", P = " << p[i];
    }
}

} // namespace
} // namespace aqualen::dist
