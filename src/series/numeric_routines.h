#pragma once
// Small numeric routines shared by all calculations.

#include <cstddef>
#include <cstdint>

#include "series/numeric_lists.h"

namespace aqualen {

// The fewest lines a series pane may hold for any report: two lines or fewer
// are too short to compute anything.
inline constexpr size_t kLeastSeriesLength = 3;

// From this many values on, the squared deviations of a standard deviation
// are divided by n, below it by n - 1 (the unbiased estimate matters only for
// short series; hydrological practice switches at 30).
inline constexpr int32_t kLargeSampleSize = 30;

// Standard deviation of n values about `mean`: each squared deviation (in
// extended precision) divided by n - 1 below kLargeSampleSize values and by
// n from it on, summed in line order in a double, and the root of the sum.
// Raises FloatFault (n = 1 below the threshold divides by zero).
double SampleDeviation(const double* values, int32_t n, double mean);
double SampleDeviation(const TDoubleList& values, double mean);

// Decimal rounding: multiplies (or divides) by 10 one step at a time, rounds
// to the nearest integer with halves to even, and scales back the same way.
// digits outside -15..15 return the value unchanged.
double RoundDigits(double value, int digits);

// exp(exponent * ln|base|); a zero base gives 1 for a zero exponent, else 0.
double Power(double base, double exponent);

// Mean of n doubles: the sum accumulated in a double in order, divided by n.
// The result is kept between the smallest and the largest value, which the
// rounding of the sum could otherwise cross for a series of equal values
// (ten times 0.1 sums to 0.9999999999999999), so such a series deviates from
// its mean by exactly zero. n = 0 is 0/0.
double SeriesMean(const double* values, int32_t n);

// Pearson correlation of the first n elements of two lists. A constant list
// is a floating-point fault (0/0).
double CorrelationCoefficient(const TDoubleList& x, const TDoubleList& y, int32_t n);

// The same over two runs of n doubles; the runs may overlap (a series and
// itself shifted by one, for r(1)).
double CorrelationCoefficient(const double* x, const double* y, int32_t n);

// Nearest integer, halves to even, as used for column keys and pixels.
// Raises FloatFault (invalid) when the value does not fit 64 bits.
int64_t RoundHalfEven(long double value);

} // namespace aqualen
