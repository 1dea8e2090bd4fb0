#include "series/numeric_lists.h"

#include <algorithm>
#include <vector>

#include "series/exchange_order.h"

namespace aqualen {

void TDoubleList::SortDescending()
{
    double* v = MutableData();
    // Equal values may still differ (-0 and 0): they are placed exactly as
    // the exchanges place them.
    const std::vector<size_t> order = ExchangeSortOrder(v, static_cast<size_t>(Count()));
    std::vector<double> sorted(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        sorted[i] = v[order[i]];
    std::copy(sorted.begin(), sorted.end(), v);
}

} // namespace aqualen
