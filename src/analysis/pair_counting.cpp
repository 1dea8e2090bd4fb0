#include "analysis/pair_counting.h"

#include <algorithm>
#include <numeric>

namespace aqualen::analysis {

namespace {

// Bottom-up merge sort counting the pairs that the comparison puts out of
// order: a right element taken ahead of the remaining left ones forms a pair
// with each of them.
template <typename Before> std::int64_t MergeCount(std::vector<double>& a, Before takeRight)
{
    const size_t n = a.size();
    std::vector<double> buffer(n);
    std::int64_t count = 0;
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi) {
                if (takeRight(a[i], a[j])) {
                    count += static_cast<std::int64_t>(mid - i);
                    buffer[k++] = a[j++];
                } else {
                    buffer[k++] = a[i++];
                }
            }
            while (i < mid)
                buffer[k++] = a[i++];
            while (j < hi)
                buffer[k++] = a[j++];
        }
        a.swap(buffer);
    }
    return count;
}

} // namespace

std::int64_t CountInversions(std::vector<double> values)
{
    // Equal values stay in order, so only strictly smaller right values count.
    return MergeCount(values, [](double left, double right) { return right < left; });
}

std::int64_t CountWeakInversions(std::vector<double> values)
{
    // Ties taken from the right first, so that they count as well.
    return MergeCount(values, [](double left, double right) { return right <= left; });
}

std::vector<double> MidRanks(const std::vector<double>& values)
{
    const size_t n = values.size();
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return values[a] < values[b]; });
    std::vector<double> ranks(n);
    for (size_t i = 0; i < n;) {
        size_t j = i + 1;
        while (j < n && values[order[j]] == values[order[i]])
            ++j;
        const double rank = (static_cast<double>(i + 1) + static_cast<double>(j)) / 2;
        for (size_t m = i; m < j; ++m)
            ranks[order[m]] = rank;
        i = j;
    }
    return ranks;
}

std::vector<std::int64_t> TieGroups(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    std::vector<std::int64_t> groups;
    for (size_t i = 0; i < values.size();) {
        size_t j = i + 1;
        while (j < values.size() && values[j] == values[i])
            ++j;
        groups.push_back(static_cast<std::int64_t>(j - i));
        i = j;
    }
    return groups;
}

} // namespace aqualen::analysis
