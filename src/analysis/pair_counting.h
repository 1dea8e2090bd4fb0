#pragma once
// Counting over all pairs of a series in O(n log n): the pair sums of the
// rank tests (Mann–Kendall, Pettitt, Sen) would otherwise be quadratic.

#include <cstdint>
#include <vector>

namespace aqualen::analysis {

// Pairs i < j with values[i] > values[j] (strictly), by merge sort.
std::int64_t CountInversions(std::vector<double> values);
// Pairs i < j with values[i] >= values[j].
std::int64_t CountWeakInversions(std::vector<double> values);

// Mid-ranks 1..n (tied values share the mean of their ranks).
std::vector<double> MidRanks(const std::vector<double>& values);

// Sizes of the groups of equal values (groups of one included).
std::vector<std::int64_t> TieGroups(std::vector<double> values);

} // namespace aqualen::analysis
