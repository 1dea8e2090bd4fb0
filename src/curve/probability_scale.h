#pragma once
// Probability paper geometry: the two scale tables, probability and value to
// sheet centimetres, and sheet centimetres to canvas pixels.

#include <cstdint>
#include <span>

#include "curve/curve_settings.h"

namespace aqualen {

struct ScaleEntry {
    double Probability; // percent, ascending
    double Position;    // cm from the left end of the probability axis
    int32_t Labelled;   // 1: solid labelled grid line, 0: dotted
};

std::span<const ScaleEntry> CoarseScale(); // 95 rows, 0.1..99.9 %
std::span<const ScaleEntry> FineScale();   // 113 rows, 0.01..99.99 %
std::span<const ScaleEntry> SelectedScale(const CurveSettings& settings);

double ProbabilityToX(const CurveSettings& settings, double probability);
double ValueToY(const CurveSettings& settings, double value);
// The inverse of ProbabilityToX along the axis (0 to its length), linear
// between the rows as ProbabilityToX is.
double XToProbability(const CurveSettings& settings, double x);

// Pixels per 10 cm of sheet, halves to even.
int32_t HorizontalUnit(int32_t canvasWidth);
int32_t VerticalUnit(int32_t canvasHeight);

int32_t SheetX(double x, int32_t hUnit);
int32_t SheetY(double y, int32_t vUnit);

} // namespace aqualen
