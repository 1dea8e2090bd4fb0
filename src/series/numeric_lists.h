#pragma once
// Growable value lists with forgiving access: reading at or past the end
// yields -1, writing there is ignored. A negative index is a caller error.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace aqualen {

namespace detail {

// The array both list classes derive from. Capacity grows by 4 up to 8, by
// 16 up to 64 and by a quarter beyond, so small series stay small.
template <typename T> class GrowableArray {
public:
    int32_t Add(T value)
    {
        if (count_ == capacity_)
            Grow();
        items_[count_] = value;
        return count_++;
    }
    T Get(int32_t index) const
    {
        CheckNotNegative(index);
        return index >= count_ ? T(-1) : items_[index];
    }
    void Put(int32_t index, T value)
    {
        CheckNotNegative(index);
        if (index < count_)
            items_[index] = value;
    }
    int32_t Count() const { return count_; }
    // Contiguous view of the Count() elements, for read-only loops.
    const T* Data() const { return items_.get(); }

protected:
    // A list class makes these public where it offers them.
    int32_t Capacity() const { return capacity_; }
    void Clear()
    {
        items_.reset();
        count_ = 0;
        capacity_ = 0;
    }
    T* MutableData() { return items_.get(); }

private:
    static void CheckNotNegative(int32_t index)
    {
        if (index < 0)
            throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    }
    void Grow()
    {
        int32_t delta = capacity_ > 64 ? capacity_ / 4 : (capacity_ > 8 ? 16 : 4);
        // Left uninitialised: places past the count are never read.
        std::unique_ptr<T[]> bigger(new T[static_cast<size_t>(capacity_) + delta]);
        for (int32_t i = 0; i < count_; ++i)
            bigger[i] = items_[i];
        items_ = std::move(bigger);
        capacity_ += delta;
    }

    std::unique_ptr<T[]> items_;
    int32_t count_ = 0;
    int32_t capacity_ = 0;
};

} // namespace detail

class TDoubleList : public detail::GrowableArray<double> {
public:
    using GrowableArray::Capacity;
    using GrowableArray::Clear;
    // Largest first, equal values in the order the exchange sort leaves
    // them (series/exchange_order.h).
    void SortDescending();
};

class TIntList : public detail::GrowableArray<int32_t> {};

} // namespace aqualen
