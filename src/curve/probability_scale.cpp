#include "curve/probability_scale.h"

#include <array>
#include <cmath>
#include <optional>

#include "series/float_fault.h"
#include "series/numeric_routines.h"

namespace aqualen {

namespace {

// Positions in cm along the probability axis; they follow a normal
// probability scale to within 0.08 cm, but these tabulated values are the
// ones the paper is drawn with.
constexpr std::array<ScaleEntry, 95> kCoarse{{
    {0.1, 0, 1},      {0.2, 0.84, 0},   {0.3, 1.34, 0},   {0.4, 1.78, 0},   {0.5, 2.06, 0},   {0.6, 2.3, 0},
    {0.7, 2.52, 0},   {0.8, 2.72, 0},   {0.9, 2.9, 0},    {1, 3.04, 1},     {1.5, 3.66, 0},   {2, 4.18, 0},
    {2.5, 4.55, 0},   {3, 4.87, 0},     {3.5, 5.16, 0},   {4, 5.39, 0},     {4.5, 5.6, 0},    {5, 5.81, 1},
    {6, 6.16, 0},     {7, 6.49, 0},     {8, 6.77, 0},     {9, 7.01, 0},     {10, 7.24, 1},    {11, 7.54, 0},
    {12, 7.75, 0},    {13, 7.94, 0},    {14, 8.12, 0},    {15, 8.29, 0},    {16, 8.45, 0},    {17, 8.61, 0},
    {18, 8.76, 0},    {19, 8.91, 0},    {20, 9.05, 1},    {22, 9.34, 0},    {24, 9.59, 0},    {26, 9.84, 0},
    {28, 10.09, 0},   {30, 10.33, 1},   {32, 10.58, 0},   {34, 10.81, 0},   {36, 11.04, 0},   {38, 11.22, 0},
    {40, 11.4, 1},    {42, 11.65, 0},   {44, 11.87, 0},   {46, 12.08, 0},   {48, 12.28, 0},   {50, 12.47, 1},
    {52, 12.66, 0},   {54, 12.85, 0},   {56, 13.06, 0},   {58, 13.28, 0},   {60, 13.5, 1},    {62, 13.68, 0},
    {64, 13.9, 0},    {66, 14.12, 0},   {68, 14.35, 0},   {70, 14.59, 1},   {72, 14.83, 0},   {74, 15.08, 0},
    {76, 15.34, 0},   {78, 15.59, 0},   {80, 15.85, 1},   {81, 16.01, 0},   {82, 16.17, 0},   {83, 16.34, 0},
    {84, 16.51, 0},   {85, 16.68, 0},   {86, 16.86, 0},   {87, 17.05, 0},   {88, 17.26, 0},   {89, 17.47, 0},
    {90, 17.7, 1},    {91, 17.92, 0},   {92, 18.19, 0},   {93, 18.48, 0},   {94, 18.79, 0},   {95, 19.13, 1},
    {95.5, 19.37, 0}, {96, 19.62, 0},   {96.5, 19.87, 0}, {97, 20.14, 0},   {97.5, 20.48, 0}, {98, 20.86, 0},
    {98.5, 21.29, 0}, {99, 21.9, 1},    {99.1, 22.09, 0}, {99.2, 22.28, 0}, {99.3, 22.49, 0}, {99.4, 22.72, 0},
    {99.5, 22.98, 0}, {99.6, 23.27, 0}, {99.7, 23.66, 0}, {99.8, 24.17, 0}, {99.9, 24.96, 1},
}};

constexpr std::array<ScaleEntry, 113> kFine{{
    {0.01, 0, 1},      {0.02, 0.58, 0},   {0.03, 1.01, 0},   {0.04, 1.26, 0},   {0.05, 1.48, 0},   {0.06, 1.66, 0},
    {0.07, 1.82, 0},   {0.08, 1.96, 0},   {0.09, 2.08, 0},   {0.1, 2.2, 1},     {0.2, 2.9, 0},     {0.3, 3.32, 0},
    {0.4, 3.68, 0},    {0.5, 3.92, 0},    {0.6, 4.12, 0},    {0.7, 4.3, 0},     {0.8, 4.47, 0},    {0.9, 4.62, 0},
    {1, 4.73, 1},      {1.5, 5.25, 0},    {2, 5.68, 0},      {2.5, 5.99, 0},    {3, 6.26, 0},      {3.5, 6.5, 0},
    {4, 6.69, 0},      {4.5, 6.87, 0},    {5, 7.04, 1},      {6, 7.33, 0},      {7, 7.61, 0},      {8, 7.84, 0},
    {9, 8.04, 0},      {10, 8.23, 1},     {11, 8.48, 0},     {12, 8.66, 0},     {13, 8.82, 0},     {14, 8.96, 0},
    {15, 9.09, 0},     {16, 9.22, 0},     {17, 9.35, 0},     {18, 9.48, 0},     {19, 9.61, 0},     {20, 9.74, 1},
    {22, 9.98, 0},     {24, 10.19, 0},    {26, 10.4, 0},     {28, 10.61, 0},    {30, 10.81, 1},    {32, 11.02, 0},
    {34, 11.21, 0},    {36, 11.4, 0},     {38, 11.55, 0},    {40, 11.7, 1},     {42, 11.91, 0},    {44, 12.09, 0},
    {46, 12.26, 0},    {48, 12.43, 0},    {50, 12.59, 1},    {52, 12.75, 0},    {54, 12.91, 0},    {56, 13.09, 0},
    {58, 13.27, 0},    {60, 13.45, 1},    {62, 13.6, 0},     {64, 13.78, 0},    {66, 13.97, 0},    {68, 14.16, 0},
    {70, 14.36, 1},    {72, 14.56, 0},    {74, 14.77, 0},    {76, 14.98, 0},    {78, 15.19, 0},    {80, 15.41, 1},
    {81, 15.54, 0},    {82, 15.68, 0},    {83, 15.82, 0},    {84, 15.96, 0},    {85, 16.1, 0},     {86, 16.25, 0},
    {87, 16.41, 0},    {88, 16.58, 0},    {89, 16.76, 0},    {90, 16.95, 1},    {91, 17.13, 0},    {92, 17.36, 0},
    {93, 17.6, 0},     {94, 17.86, 0},    {95, 18.14, 1},    {95.5, 18.34, 0},  {96, 18.55, 0},    {96.5, 18.76, 0},
    {97, 18.98, 0},    {97.5, 19.27, 0},  {98, 19.58, 0},    {98.5, 19.94, 0},  {99, 20.45, 1},    {99.1, 20.61, 0},
    {99.2, 20.77, 0},  {99.3, 20.94, 0},  {99.4, 21.13, 0},  {99.5, 21.35, 0},  {99.6, 21.59, 0},  {99.7, 21.92, 0},
    {99.8, 22.34, 0},  {99.9, 23, 1},     {99.91, 23.13, 0}, {99.92, 23.27, 0}, {99.93, 23.42, 0}, {99.94, 23.59, 0},
    {99.95, 23.78, 0}, {99.96, 24.01, 0}, {99.97, 24.29, 0}, {99.98, 24.62, 0}, {99.99, 25.22, 1},
}};

// Rounds halves to even and keeps the result inside 32 bits, so that absurd
// coordinates draw off the page instead of faulting.
int32_t RoundPixel(long double value)
{
    constexpr long double kLimit = 1 << 30;
    if (std::isnan(value))
        return 0;
    if (value > kLimit)
        return static_cast<int32_t>(kLimit);
    if (value < -kLimit)
        return -static_cast<int32_t>(kLimit);
    return static_cast<int32_t>(RoundHalfEven(value));
}

// The value at `at` on the straight line from (from, fromValue) to
// (to, toValue): how both axes read between two rows of a scale.
double Between(double at, double from, double to, double fromValue, double toValue)
{
    const long double value = fromValue + (static_cast<long double>(at) - from) *
                                              (static_cast<long double>(toValue) - fromValue) /
                                              (static_cast<long double>(to) - from);
    return StoreDouble(value);
}

// The `to` column of the scale at `at` along the ascending `from` column:
// the row's own value where `at` meets a row, else between that row and the
// one before. Nothing below the first row or past the last (nor for NaN).
std::optional<double> ReadAcross(std::span<const ScaleEntry> scale, double at, double ScaleEntry::*from,
                                 double ScaleEntry::*to)
{
    for (size_t i = 0; i < scale.size(); ++i) {
        const ScaleEntry& row = scale[i];
        if (row.*from < at)
            continue;
        if (row.*from == at)
            return row.*to;
        if (i == 0)
            return std::nullopt;
        const ScaleEntry& previous = scale[i - 1];
        return Between(at, previous.*from, row.*from, previous.*to, row.*to);
    }
    return std::nullopt;
}

} // namespace

std::span<const ScaleEntry> CoarseScale()
{
    return kCoarse;
}

std::span<const ScaleEntry> FineScale()
{
    return kFine;
}

std::span<const ScaleEntry> SelectedScale(bool fineGrid)
{
    return fineGrid ? FineScale() : CoarseScale();
}

double ProbabilityToX(bool fineGrid, double probability)
{
    // Below the first row there is nothing to interpolate from: the left
    // end of the axis, like a probability past the last row.
    return ReadAcross(SelectedScale(fineGrid), probability, &ScaleEntry::Probability, &ScaleEntry::Position)
        .value_or(0);
}

double XToProbability(bool fineGrid, double x)
{
    const std::span<const ScaleEntry> scale = SelectedScale(fineGrid);
    if (!(x > scale.front().Position))
        return scale.front().Probability;
    return ReadAcross(scale, x, &ScaleEntry::Position, &ScaleEntry::Probability).value_or(scale.back().Probability);
}

double ValueToY(double scaleMin, double scaleMax, double value)
{
    const long double rise = (static_cast<long double>(value) - scaleMin) * 17;
    const long double range = static_cast<long double>(scaleMax) - scaleMin;
    return StoreDouble(CheckedDivide(rise, range));
}

int32_t HorizontalUnit(int32_t canvasWidth)
{
    return RoundPixel(canvasWidth / 2.97L);
}

int32_t VerticalUnit(int32_t canvasHeight)
{
    return RoundPixel(canvasHeight / 2.1L);
}

// The margin and the offset are rounded separately, then added.
int32_t SheetX(double x, int32_t hUnit)
{
    return RoundPixel(0.22L * hUnit) + RoundPixel(0.1L * x * hUnit);
}

int32_t SheetY(double y, int32_t vUnit)
{
    return RoundPixel(1.9L * vUnit) - RoundPixel(0.1L * y * vUnit);
}

} // namespace aqualen
