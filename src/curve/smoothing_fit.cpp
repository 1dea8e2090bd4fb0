#include "curve/smoothing_fit.h"

#include <algorithm>
#include <array>
#include <vector>

#include "curve/probability_scale.h"
#include "distributions/analytic_curve.h"
#include "distributions/graphic_analytic.h"
#include "series/float_fault.h"
#include "series/numeric_routines.h"

namespace aqualen {

namespace {

using Matrix = std::array<std::array<long double, 3>, 3>;

int DistinctCount(std::vector<double> xs)
{
    std::sort(xs.begin(), xs.end());
    return static_cast<int>(std::unique(xs.begin(), xs.end()) - xs.begin());
}

// Inverts A by three rank-one steps without pivoting. Step k divides by the
// ratio of the k-th to the (k-1)-th leading principal minor, positive for
// points at three or more distinct x positions.
Matrix Invert(const Matrix& a)
{
    Matrix m = a;
    for (int i = 0; i < 3; ++i)
        m[i][i] -= 1;
    for (int k = 0; k < 3; ++k) {
        const long double p = m[k][k] + 1;
        Matrix n = m;
        n[k] = {0, 0, 0};
        n[k][k] = 1;
        const std::array<long double, 3> pivotRow = m[k];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                m[i][j] = n[i][j] - CheckedDivide(n[i][k] * pivotRow[j], p);
    }
    return m;
}

} // namespace

void FitSmoothingCurve(CurveSettings& settings)
{
    const int32_t count = settings.Probabilities.Count();
    std::vector<double> xs;
    std::vector<double> ys;
    xs.reserve(count);
    ys.reserve(count);
    for (int32_t i = 0; i < count; ++i) {
        xs.push_back(ProbabilityToX(settings.FineGrid, settings.Probabilities.Get(i)));
        ys.push_back(ValueToY(settings.ScaleMin, settings.ScaleMax, settings.Values.Get(i)));
    }
    // A parabola needs three distinct positions; with fewer the normal matrix
    // is singular. Refused before anything is changed.
    if (DistinctCount(xs) < 3)
        throw dist::FitRefused(dist::kThreeDistinctPointsText);

    settings.PointX.Clear();
    settings.PointY.Clear();
    for (int32_t i = 0; i < count; ++i) {
        settings.PointX.Add(xs[i]);
        settings.PointY.Add(ys[i]);
    }

    Matrix a{};
    std::array<long double, 3> b{};
    const int32_t n = settings.PointX.Count();
    for (int32_t i = 0; i < n; ++i) {
        const double x = settings.PointX.Get(i);
        const double y = settings.PointY.Get(i);
        a[0][0] += Power(x, 4);
        a[0][1] += Power(x, 3);
        a[0][2] += Power(x, 2);
        a[1][0] += Power(x, 3);
        a[1][1] += Power(x, 2);
        a[1][2] += Power(x, 1);
        a[2][0] += Power(x, 2);
        a[2][1] += Power(x, 1);
        a[2][2] = n;
        b[0] += static_cast<long double>(y) * Power(x, 2);
        b[1] += static_cast<long double>(y) * Power(x, 1);
        b[2] += y;
    }

    // A fault in the inversion leaves the earlier coefficients in place.
    const Matrix m = Invert(a);
    std::array<long double, 3> coefficients{};
    for (int row = 0; row < 3; ++row)
        for (int j = 0; j < 3; ++j)
            coefficients[row] += m[row][j] * b[j];
    settings.CurveA = coefficients[0];
    settings.CurveB = coefficients[1];
    settings.CurveC = coefficients[2];
}

} // namespace aqualen
