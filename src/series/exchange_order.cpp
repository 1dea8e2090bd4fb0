#include "series/exchange_order.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace aqualen {

// How the exchange sort moves equal values (derivation):
//
// Pass i scans the rest of the list from place i. The values that are greater
// than everything before them (the running maxima r0 = i < r1 < ... < rk)
// each move one step along that chain: the value at r0 goes to r1, the one at
// r1 to r2, ..., and the largest, at rk, lands at place i and is done with.
// Each pass thus takes out the first occurrence of the largest value left.
//
// Fix one value v and look only at the elements not smaller than v: v's and
// greater ones, "H". Smaller elements never decide what these do, so this
// sub-list evolves by the same rule on its own. While H's remain, every pass
// takes one of them out:
//  - if the sub-list starts with an H, that H leaves (the v's stay put);
//  - if it starts with a v, that v is a running maximum and moves onto the
//    place of the first H after it, behind the v's in between; that H's place
//    is taken by the v and the sub-list's first place is gone.
// Either way one H symbol disappears, and the leading run of v's, if there
// is one, rotates by one (its first v goes to its end) and joins the next run.
// Once the H's are gone, the v's are the largest and leave in their order.
//
// So the v's come out as follows: start with an empty run; for each v in list
// order append it, then rotate the run by the number of greater elements
// between it and the next v (after the last v: all greater elements after
// it). Appending and rotating are kept as insertions into a list with a
// moving start, and the insertions are placed at the end by counting free
// places from the last one back, both with Fenwick trees.

namespace {

// Counts marked places; place indices from 0.
class FenwickCounts {
public:
    explicit FenwickCounts(size_t size) : tree_(size + 1, 0) {}

    // Every place marked once, in O(size).
    void MarkAll()
    {
        for (size_t i = 1; i < tree_.size(); ++i) {
            tree_[i] += 1;
            const size_t parent = i + (i & (~i + 1));
            if (parent < tree_.size())
                tree_[parent] += tree_[i];
        }
    }
    void Add(size_t place, int64_t delta)
    {
        for (size_t i = place + 1; i < tree_.size(); i += i & (~i + 1))
            tree_[i] += delta;
    }
    // Marks at places [0, end).
    int64_t Before(size_t end) const
    {
        int64_t sum = 0;
        for (size_t i = end; i > 0; i -= i & (~i + 1))
            sum += tree_[i];
        return sum;
    }
    // The place of the k-th mark, k from 1.
    size_t KthMark(int64_t k) const
    {
        size_t place = 0;
        size_t step = 1;
        while (step * 2 < tree_.size())
            step *= 2;
        for (; step > 0; step /= 2) {
            if (place + step < tree_.size() && tree_[place + step] < k) {
                place += step;
                k -= tree_[place];
            }
        }
        return place;
    }

private:
    std::vector<int64_t> tree_;
};

// The order in which the equal values at `places` (ascending) leave, given
// for each the number of greater values after it up to the next of them.
void OrderTies(const std::vector<size_t>& places, const std::vector<int64_t>& greaterAfter, std::vector<size_t>& order)
{
    const size_t count = places.size();
    // The run as a list with a start: appending inserts before the start.
    std::vector<size_t> insertAt(count);
    size_t start = 0;
    for (size_t size = 0; size < count; ++size) {
        if (size == 0 || start == 0) {
            insertAt[size] = size;
        } else {
            insertAt[size] = start;
            ++start;
        }
        start =
            static_cast<size_t>((static_cast<int64_t>(start) + greaterAfter[size]) % static_cast<int64_t>(size + 1));
    }
    // Later insertions push earlier ones on: place them from the last back,
    // each into the free place that has as many free ones before it as its
    // insertion index.
    std::vector<size_t> list(count);
    FenwickCounts free(count);
    free.MarkAll();
    for (size_t k = count; k-- > 0;) {
        const size_t place = free.KthMark(static_cast<int64_t>(insertAt[k]) + 1);
        list[place] = places[k];
        free.Add(place, -1);
    }
    for (size_t i = 0; i < count; ++i)
        order.push_back(list[(start + i) % count]);
}

} // namespace

std::vector<size_t> ExchangeSortOrderByExchanges(const double* values, size_t count)
{
    std::vector<double> v(values, values + count);
    std::vector<size_t> order(count);
    std::iota(order.begin(), order.end(), size_t{0});
    for (size_t i = 0; i < count; ++i) {
        double current = v[i];
        for (size_t j = i; j < count; ++j) {
            if (v[j] > current) {
                std::swap(v[i], v[j]);
                std::swap(order[i], order[j]);
                current = v[i];
            }
        }
    }
    return order;
}

std::vector<size_t> ExchangeSortOrder(const double* values, size_t count)
{
    if (std::any_of(values, values + count, [](double v) { return std::isnan(v); }))
        return ExchangeSortOrderByExchanges(values, count);

    // Largest first, equal values in list order; -0 and 0 are equal.
    std::vector<size_t> byValue(count);
    std::iota(byValue.begin(), byValue.end(), size_t{0});
    std::sort(byValue.begin(), byValue.end(),
              [values](size_t a, size_t b) { return values[a] > values[b] || (!(values[b] > values[a]) && a < b); });

    std::vector<size_t> order;
    order.reserve(count);
    FenwickCounts greater(count);
    std::vector<size_t> places;
    std::vector<int64_t> greaterAfter;
    int64_t greaterSoFar = 0;
    for (size_t first = 0; first < count;) {
        size_t last = first + 1;
        while (last < count && !(values[byValue[first]] > values[byValue[last]]))
            ++last;
        places.assign(byValue.begin() + static_cast<std::ptrdiff_t>(first),
                      byValue.begin() + static_cast<std::ptrdiff_t>(last));
        if (places.size() == 1) {
            order.push_back(places.front());
        } else {
            greaterAfter.resize(places.size());
            for (size_t j = 0; j + 1 < places.size(); ++j)
                greaterAfter[j] = greater.Before(places[j + 1]) - greater.Before(places[j]);
            greaterAfter.back() = greaterSoFar - greater.Before(places.back());
            OrderTies(places, greaterAfter, order);
        }
        for (const size_t place : places)
            greater.Add(place, 1);
        greaterSoFar += static_cast<int64_t>(places.size());
        first = last;
    }
    return order;
}

} // namespace aqualen
