#include <cmath>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "series/float_fault.h"
#include "series/numeric_lists.h"
#include "series/numeric_routines.h"

namespace aqualen {
namespace {

TDoubleList ListOf(const std::vector<double>& values)
{
    TDoubleList list;
    for (const double v : values)
        list.Add(v);
    return list;
}

std::vector<double> ValuesOf(const TDoubleList& list)
{
    return std::vector<double>(list.Data(), list.Data() + list.Count());
}

TEST(TDoubleList, ForgivingAccessPastTheEnd)
{
    TDoubleList list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Get(0), -1.0);
    EXPECT_EQ(list.Add(7), 0);
    for (int i = 0; i < 4; ++i)
        list.Add(i);
    EXPECT_EQ(list.Add(8), 5);
    list.Put(list.Count(), 1);
    EXPECT_EQ(list.Count(), 6);
    list.Put(list.Count() - 1, 9);
    EXPECT_EQ(list.Get(5), 9.0);
    EXPECT_THROW(list.Get(-1), std::out_of_range);
    EXPECT_THROW(list.Put(-1, 0), std::out_of_range);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Add(3), 0);
}

TEST(TDoubleList, GrowsByFourThenSixteenThenAQuarter)
{
    TDoubleList list;
    std::vector<int> capacities;
    for (int i = 0; i < 200; ++i) {
        list.Add(i);
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118, 147, 183, 228}));
}

TEST(TDoubleList, SortDescendingByExchange)
{
    TDoubleList list = ListOf({3, 1, 2, 3});
    list.SortDescending();
    EXPECT_EQ(ValuesOf(list), (std::vector<double>{3, 3, 2, 1}));
    TDoubleList empty;
    empty.SortDescending();
    EXPECT_EQ(empty.Count(), 0);
    TDoubleList mixed = ListOf({-1, 5, 0.5, 5, -7});
    mixed.SortDescending();
    EXPECT_EQ(ValuesOf(mixed), (std::vector<double>{5, 5, 0.5, -1, -7}));
}

TEST(TIntList, SameForgivingRules)
{
    TIntList list;
    EXPECT_EQ(list.Get(0), -1);
    EXPECT_EQ(list.Add(2), 0);
    list.Put(1, 5);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Get(0), 2);
}

TEST(RoundDigits, HalvesToEvenOneDecimalStepAtATime)
{
    EXPECT_EQ(RoundDigits(0.12345, 3), 0.123);
    EXPECT_EQ(RoundDigits(3.5, 0), 4.0);
    EXPECT_EQ(RoundDigits(2.5, 0), 2.0);
    EXPECT_EQ(RoundDigits(-2.5, 0), -2.0);
    EXPECT_EQ(RoundDigits(1250, -2), 1200.0);
    EXPECT_EQ(RoundDigits(1350, -2), 1400.0);
    EXPECT_EQ(RoundDigits(0.1234567, 16), 0.1234567);
    EXPECT_EQ(RoundDigits(0.1234567, -16), 0.1234567);
    // Beyond 64 bits the value is already whole and stays as it is.
    EXPECT_EQ(RoundDigits(1e25, 3), 1e25);
}

TEST(Power, ZeroAndNegativeBases)
{
    EXPECT_EQ(Power(0, 0), 1.0);
    EXPECT_EQ(Power(0, -1), 0.0);
    EXPECT_DOUBLE_EQ(Power(-2, 2), 4.0);
    EXPECT_DOUBLE_EQ(Power(-2, 3), 8.0);
    EXPECT_DOUBLE_EQ(Power(9, 0.5), 3.0);
    EXPECT_THROW(Power(10, 400), FloatFault);
}

TEST(CorrelationCoefficient, PearsonOverAllNElements)
{
    EXPECT_DOUBLE_EQ(CorrelationCoefficient(ListOf({1, 2, 3}), ListOf({2, 4, 6}), 3), 1.0);
    EXPECT_DOUBLE_EQ(CorrelationCoefficient(ListOf({1, 2, 3}), ListOf({3, 2, 1}), 3), -1.0);
    // The 300th pair decides the sign: every element takes part.
    std::vector<double> x(300, 0.0), y(300, 0.0);
    x[299] = 1;
    y[299] = -1;
    EXPECT_DOUBLE_EQ(CorrelationCoefficient(ListOf(x), ListOf(y), 300), -1.0);
}

TEST(CorrelationCoefficient, ConstantListIsAnInvalidOperation)
{
    try {
        CorrelationCoefficient(ListOf({5, 5}), ListOf({1, 2}), 2);
        FAIL();
    } catch (const FloatFault& fault) {
        EXPECT_STREQ(fault.what(), "Invalid floating point operation");
    }
}

TEST(SeriesMean, StaysWithinTheRangeOfTheValues)
{
    // Ten times 0.1 sums to 0.9999999999999999: the plain quotient would lie
    // below every value and give a constant series a spread of rounding noise.
    const std::vector<double> tenths(10, 0.1);
    EXPECT_EQ(SeriesMean(tenths.data(), 10), 0.1);
    const std::vector<double> sevenths(7, 0.7);
    EXPECT_EQ(SeriesMean(sevenths.data(), 7), 0.7);
    const std::vector<double> ordinary{100, 120, 80, 150, 110, 90, 140, 130, 100, 120};
    EXPECT_EQ(SeriesMean(ordinary.data(), 10), 114.0);
    EXPECT_THROW(SeriesMean(nullptr, 0), FloatFault);

    // So a constant list correlates as 0/0, whatever its value.
    try {
        CorrelationCoefficient(ListOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), ListOf(tenths), 10);
        FAIL() << "a constant list must fault";
    } catch (const FloatFault& fault) {
        EXPECT_STREQ(fault.what(), "Invalid floating point operation");
    }
}

TEST(CheckedHelpers, FaultKinds)
{
    EXPECT_THROW(CheckedDivide(0, 0), FloatFault);
    try {
        CheckedDivide(1, 0);
        FAIL();
    } catch (const FloatFault& fault) {
        EXPECT_STREQ(fault.what(), "Floating point division by zero");
    }
    try {
        StoreDouble(1e300L * 1e300L);
        FAIL();
    } catch (const FloatFault& fault) {
        EXPECT_STREQ(fault.what(), "Floating point overflow");
    }
    EXPECT_THROW(CheckedSqrt(-1), FloatFault);
    EXPECT_EQ(StoreDouble(1e-320L), 1e-320);
}

} // namespace
} // namespace aqualen
