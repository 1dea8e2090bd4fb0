#include "series/numeric_routines.h"

#include <algorithm>
#include <cmath>

#include "series/float_fault.h"

namespace aqualen {

double SampleDeviation(const double* values, int32_t n, double mean)
{
    const long double divisor = n < kLargeSampleSize ? static_cast<long double>(n) - 1 : n;
    double sum = 0;
    for (int32_t i = 0; i < n; ++i) {
        const long double deviation = static_cast<long double>(values[i]) - mean;
        sum = StoreDouble(sum + CheckedDivide(deviation * deviation, divisor));
    }
    return StoreDouble(CheckedSqrt(sum));
}

double SampleDeviation(const TDoubleList& values, double mean)
{
    return SampleDeviation(values.Data(), values.Count(), mean);
}

int64_t RoundHalfEven(long double value)
{
    if (std::isnan(value) || !(std::fabs(value) < 9223372036854775807.5L))
        throw FloatFault(FloatFault::Kind::Invalid);
    // nearbyint follows the default rounding mode: halves to even.
    return static_cast<int64_t>(std::nearbyintl(value));
}

double RoundDigits(double value, int digits)
{
    if (digits < -15 || digits > 15)
        return value;
    double scaled = value;
    for (int i = 0; i < digits; ++i)
        scaled = StoreDouble(static_cast<long double>(scaled) * 10);
    for (int i = 0; i < -digits; ++i)
        scaled = scaled / 10;
    // Every double of 2^52 and more is already whole, so nothing here needs
    // an integer type.
    double result = std::nearbyint(scaled);
    for (int i = 0; i < digits; ++i)
        result = result / 10;
    for (int i = 0; i < -digits; ++i)
        result = StoreDouble(static_cast<long double>(result) * 10);
    return result;
}

double Power(double base, double exponent)
{
    if (base == 0)
        return exponent == 0 ? 1.0 : 0.0;
    const long double power =
        std::exp(static_cast<long double>(exponent) * std::log(std::fabs(static_cast<long double>(base))));
    return StoreDouble(power);
}

double SeriesMean(const double* values, int32_t n)
{
    double sum = 0;
    double low = n > 0 ? values[0] : 0;
    double high = low;
    for (int32_t i = 0; i < n; ++i) {
        sum = StoreDouble(static_cast<long double>(sum) + values[i]);
        low = std::min(low, values[i]);
        high = std::max(high, values[i]);
    }
    const double mean = StoreDouble(CheckedDivide(sum, n));
    return std::clamp(mean, low, high);
}

double CorrelationCoefficient(const TDoubleList& x, const TDoubleList& y, int32_t n)
{
    return CorrelationCoefficient(x.Data(), y.Data(), n);
}

double CorrelationCoefficient(const double* xs, const double* ys, int32_t n)
{
    const double meanX = SeriesMean(xs, n);
    const double meanY = SeriesMean(ys, n);
    double sxy = 0;
    double sxx = 0;
    double syy = 0;
    for (int32_t i = 0; i < n; ++i) {
        const long double dx = static_cast<long double>(xs[i]) - meanX;
        const long double dy = static_cast<long double>(ys[i]) - meanY;
        sxy = StoreDouble(sxy + dx * dy);
        sxx = StoreDouble(sxx + dx * dx);
        syy = StoreDouble(syy + dy * dy);
    }
    const long double root = CheckedSqrt(static_cast<long double>(sxx) * syy);
    return StoreDouble(CheckedDivide(sxy, root));
}

} // namespace aqualen
