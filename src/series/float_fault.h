#pragma once
// Floating-point faults are errors, never silent values. The formulas call
// these checked helpers where a fault can occur; each raises FloatFault with
// the fault's own text, which the program shows in its generic error box.

#include <cmath>
#include <stdexcept>

namespace aqualen {

class FloatFault : public std::runtime_error {
public:
    enum class Kind { Invalid, DivisionByZero, Overflow };
    explicit FloatFault(Kind kind);
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

inline constexpr const char* kInvalidOperationText = "Invalid floating point operation";
inline constexpr const char* kDivisionByZeroText = "Floating point division by zero";
inline constexpr const char* kOverflowText = "Floating point overflow";

namespace detail {
// The slow paths: classify the fault and raise it (or, for an operand pair
// that turns out fine, return the value).
double StoreDoubleChecked(long double value);
long double CheckedDivideSlow(long double a, long double b);
} // namespace detail

// Rounds an extended intermediate to a double: NaN is an invalid operation,
// a magnitude beyond the double range an overflow.
inline double StoreDouble(long double value)
{
    const double stored = static_cast<double>(value);
    // Only non-finite results need a closer look; the common case stays
    // inline in the long loops.
    if (std::isfinite(stored)) [[likely]]
        return stored;
    return detail::StoreDoubleChecked(value);
}

// a / b: 0/0 (or any NaN operand) is invalid, x/0 a division by zero; the
// quotient is kept extended (use StoreDouble to store it).
inline long double CheckedDivide(long double a, long double b)
{
    if (b != 0 && std::isfinite(a) && std::isfinite(b)) [[likely]] {
        const long double q = a / b;
        if (std::isfinite(q)) [[likely]]
            return q;
    }
    return detail::CheckedDivideSlow(a, b);
}

// Square root of a negative value is invalid.
long double CheckedSqrt(long double value);

} // namespace aqualen
