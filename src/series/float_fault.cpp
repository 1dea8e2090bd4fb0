#include "series/float_fault.h"

#include <cfloat>
#include <cmath>

namespace aqualen {

namespace {
const char* TextOf(FloatFault::Kind kind)
{
    switch (kind) {
    case FloatFault::Kind::Invalid:
        return kInvalidOperationText;
    case FloatFault::Kind::DivisionByZero:
        return kDivisionByZeroText;
    case FloatFault::Kind::Overflow:
        return kOverflowText;
    }
    return kInvalidOperationText;
}
} // namespace

FloatFault::FloatFault(Kind kind) : std::runtime_error(TextOf(kind)), kind_(kind) {}

namespace detail {

double StoreDoubleChecked(long double value)
{
    if (std::isnan(value))
        throw FloatFault(FloatFault::Kind::Invalid);
    // Values that round up to the largest double still fit; only a result
    // that rounds to infinity overflows.
    const double stored = static_cast<double>(value);
    if (std::isinf(stored))
        throw FloatFault(FloatFault::Kind::Overflow);
    return stored;
}

long double CheckedDivideSlow(long double a, long double b)
{
    if (std::isnan(a) || std::isnan(b))
        throw FloatFault(FloatFault::Kind::Invalid);
    if (b == 0) {
        if (a == 0 || std::isinf(a))
            throw FloatFault(FloatFault::Kind::Invalid);
        throw FloatFault(FloatFault::Kind::DivisionByZero);
    }
    if (std::isinf(a) && std::isinf(b))
        throw FloatFault(FloatFault::Kind::Invalid);
    const long double q = a / b;
    if (std::isinf(q))
        throw FloatFault(FloatFault::Kind::Overflow);
    return q;
}

} // namespace detail

long double CheckedSqrt(long double value)
{
    if (std::isnan(value) || value < 0)
        throw FloatFault(FloatFault::Kind::Invalid);
    return std::sqrt(value);
}

} // namespace aqualen
