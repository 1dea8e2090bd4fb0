#include "series/numeric_lists.h"

#include <utility>

namespace aqualen {

void TDoubleList::SortDescending()
{
    double* v = items_.Data();
    const int32_t n = Count();
    for (int32_t i = 0; i < n; ++i) {
        double current = v[i];
        for (int32_t j = i; j < n; ++j) {
            if (v[j] > current) {
                std::swap(v[i], v[j]);
                current = v[i];
            }
        }
    }
}

} // namespace aqualen
