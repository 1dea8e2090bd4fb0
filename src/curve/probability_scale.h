#pragma once
// Probability paper geometry: the two scale tables, probability and value to
// sheet centimetres, and sheet centimetres to canvas pixels.

#include <cstdint>
#include <span>

namespace aqualen {

struct ScaleEntry {
    double Probability; // percent, ascending
    double Position;    // cm from the left end of the probability axis
    int32_t Labelled;   // 1: solid labelled grid line, 0: dotted
};

std::span<const ScaleEntry> CoarseScale(); // 95 rows, 0.1..99.9 %
std::span<const ScaleEntry> FineScale();   // 113 rows, 0.01..99.99 %
// FineScale on the fine grid, else CoarseScale.
std::span<const ScaleEntry> SelectedScale(bool fineGrid);

double ProbabilityToX(bool fineGrid, double probability);
// The height of a value above the probability axis, by the value scale's
// ends; not clamped to the graph. Equal ends raise FloatFault.
double ValueToY(double scaleMin, double scaleMax, double value);
// The inverse of ProbabilityToX along the axis (0 to its length), linear
// between the rows as ProbabilityToX is.
double XToProbability(bool fineGrid, double x);

// Pixels per 10 cm of sheet, halves to even.
int32_t HorizontalUnit(int32_t canvasWidth);
int32_t VerticalUnit(int32_t canvasHeight);

int32_t SheetX(double x, int32_t hUnit);
int32_t SheetY(double y, int32_t vUnit);

} // namespace aqualen
