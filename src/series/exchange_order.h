#pragma once
// The order in which the exchange sort, largest first, leaves a list: which
// original element ends up at each place. Equal values come out in an order
// that depends on every exchange made before, and the Wilcoxon rank sum reads
// that order, so it is reproduced exactly here, in O(n log n) instead of the
// sort's O(n^2).

#include <cstddef>
#include <vector>

namespace aqualen {

// The exchange sort itself, as the lists have always sorted: for each place i
// in turn, every later value greater than the one at i is swapped into i.
// Equal values are never exchanged. Returns the original index of the element
// at each place. O(n^2); kept for lists that hold a NaN.
std::vector<size_t> ExchangeSortOrderByExchanges(const double* values, size_t count);

// The same result as ExchangeSortOrderByExchanges for every input, in
// O(n log n) when no value is a NaN (a NaN is compared with nothing, so such a
// list is sorted by the exchanges themselves).
std::vector<size_t> ExchangeSortOrder(const double* values, size_t count);

} // namespace aqualen
