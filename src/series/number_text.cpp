#include "series/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace aqualen {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// |value| = 0.digits * 10^exponent, digits rounded to a given count.
struct DecimalDigits {
    std::string digits;
    int exponent = 0;
};

// Whether the exact decimal expansion of |value| from significant digit
// `position` (0-based) on is at least one half of a unit of the digit before.
// Decided from 41 printed digits, and from the full expansion only when the
// printed tail is "5000..." (which an exact half and a rounded-up "4999..."
// both print as).
bool TailAtLeastHalf(double magnitude, const char* printed41, int position)
{
    if (printed41[position] != '5')
        return printed41[position] > '5';
    bool zerosAfter = true;
    for (int i = position + 1; i < 41; ++i)
        zerosAfter = zerosAfter && printed41[i] == '0';
    if (!zerosAfter)
        return true;
    // A double's exact expansion has at most 767 significant digits.
    static thread_local char full[1100];
    std::snprintf(full, sizeof full, "%.800e", magnitude);
    int digit = -1;
    for (const char* p = full; *p && *p != 'e'; ++p) {
        if (!IsDigit(*p))
            continue;
        if (++digit == position)
            return *p >= '5';
    }
    return false;
}

// Rounds |value| (finite, non-zero) to `count` significant digits, halves
// away from zero, judged on the exact binary value.
DecimalDigits RoundSignificant(double value, int count)
{
    const double magnitude = std::fabs(value);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.40e", magnitude);
    char digits[41];
    int n = 0;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (IsDigit(*p))
            digits[n++] = *p;
    DecimalDigits result;
    result.exponent = std::atoi(p + 1) + 1;
    result.digits.assign(digits, digits + count);
    if (TailAtLeastHalf(magnitude, digits, count)) {
        int i = count - 1;
        while (i >= 0 && result.digits[i] == '9')
            result.digits[i--] = '0';
        if (i >= 0) {
            ++result.digits[i];
        } else {
            result.digits.insert(result.digits.begin(), '1');
            result.digits.pop_back();
            ++result.exponent;
        }
    }
    return result;
}

// The number rewritten in the form std::from_chars reads; short texts, the
// usual case, are collected on the stack.
class NumberBuffer {
public:
    explicit NumberBuffer(size_t capacity)
    {
        if (capacity > sizeof small_) {
            large_.resize(capacity);
            data_ = large_.data();
        }
    }
    NumberBuffer(const NumberBuffer&) = delete;
    NumberBuffer& operator=(const NumberBuffer&) = delete;

    void Add(char c) { data_[size_++] = c; }
    void Add(std::string_view part)
    {
        if (part.empty()) // an empty view may have no data at all
            return;
        std::memcpy(data_ + size_, part.data(), part.size());
        size_ += part.size();
    }
    const char* Begin() const { return data_; }
    const char* End() const { return data_ + size_; }

private:
    char small_[96];
    std::string large_;
    char* data_ = small_;
    size_t size_ = 0;
};

std::string ExponentText(int exponent)
{
    return (exponent < 0 ? "-" : "") + std::to_string(std::abs(exponent));
}

} // namespace

std::optional<double> ParseNumber(std::string_view text, char separator)
{
    size_t i = 0;
    const size_t size = text.size();
    while (i < size && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < size && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    const size_t intStart = i;
    while (i < size && IsDigit(text[i]))
        ++i;
    const size_t intEnd = i;
    bool hasMantissa = i > intStart;
    // Decimal magnitude of the mantissa: its integer digits, or minus the
    // zeros that open a fraction below 1. Out of range, it tells an overflow
    // (refused) from an underflow (zero).
    long long magnitude = 0;
    for (size_t k = intStart; k < i; ++k)
        if (magnitude > 0 || text[k] != '0')
            ++magnitude;
    const bool hasSeparator = i < size && text[i] == separator;
    size_t fracStart = i;
    size_t fracEnd = i;
    if (hasSeparator) {
        ++i;
        hasMantissa = true;
        fracStart = i;
        while (i < size && IsDigit(text[i]))
            ++i;
        fracEnd = i;
        if (magnitude == 0)
            for (size_t k = fracStart; k < i && text[k] == '0'; ++k)
                --magnitude;
    }
    if (!hasMantissa)
        return std::nullopt;

    long long exponentEstimate = 0;
    const bool hasExponent = i < size && (text[i] == 'E' || text[i] == 'e');
    std::string_view exponentSign;
    size_t expStart = i;
    if (hasExponent) {
        ++i;
        if (i < size && (text[i] == '+' || text[i] == '-'))
            exponentSign = text.substr(i++, 1);
        expStart = i;
        while (i < size && IsDigit(text[i]))
            ++i;
        if (i == expStart)
            return std::nullopt;
        for (size_t k = expStart; k < i && exponentEstimate < 100000; ++k)
            exponentEstimate = exponentEstimate * 10 + (text[k] - '0');
        if (exponentSign == "-")
            exponentEstimate = -exponentEstimate;
    }
    const size_t expEnd = i;
    while (i < size && text[i] == ' ')
        ++i;
    if (i != size)
        return std::nullopt;

    // Up to 15 digits and no exponent, the usual reading: the digits as a
    // whole number below 2^53 over a power of ten up to 10^15 are both exact
    // doubles, and the one division rounds correctly, as from_chars does.
    const size_t intDigits = intEnd - intStart;
    const size_t fracDigits = fracEnd - fracStart;
    if (!hasExponent && intDigits + fracDigits <= 15) {
        static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        uint64_t digits = 0;
        for (size_t k = intStart; k < intEnd; ++k)
            digits = digits * 10 + static_cast<uint64_t>(text[k] - '0');
        for (size_t k = fracStart; k < fracEnd; ++k)
            digits = digits * 10 + static_cast<uint64_t>(text[k] - '0');
        const double value = static_cast<double>(digits) / kPowersOfTen[fracDigits];
        return negative ? -value : value;
    }

    // "0" before the digits and after the fraction, so that ",5" and "5,"
    // read too: at most two characters more than the text.
    NumberBuffer normal(text.size() + 2);
    normal.Add('0');
    normal.Add(text.substr(intStart, intDigits));
    if (hasSeparator) {
        normal.Add('.');
        normal.Add(text.substr(fracStart, fracDigits));
        normal.Add('0');
    }
    if (hasExponent) {
        normal.Add('e');
        normal.Add(exponentSign);
        normal.Add(text.substr(expStart, expEnd - expStart));
    }

    double value = 0;
    const auto [end, error] = std::from_chars(normal.Begin(), normal.End(), value);
    if (end != normal.End())
        return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Too large is refused; too small reads as zero.
        if (magnitude + exponentEstimate > 0)
            return std::nullopt;
        value = 0;
    } else if (error != std::errc()) {
        return std::nullopt;
    }
    if (std::isinf(value))
        return std::nullopt;
    return negative ? -value : value;
}

bool ParseSeries(const SeriesLines& lines, TDoubleList& list, char separator)
{
    list.Clear();
    for (const std::string& line : lines) {
        const std::optional<double> value = ParseNumber(line, separator);
        if (!value)
            return false;
        list.Add(*value);
    }
    return true;
}

std::string FormatFixed(double value, int decimals, char separator)
{
    if (decimals < 0)
        decimals = 0;
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";

    std::string kept; // significant digits left after rounding at the decimal
    int exponent = 0; // |rounded| = 0.kept * 10^exponent
    if (value != 0) {
        const DecimalDigits d18 = RoundSignificant(value, 18);
        exponent = d18.exponent;
        const int keep = d18.exponent + decimals;
        if (keep >= 18) {
            kept = d18.digits;
        } else if (keep >= 0) {
            kept = d18.digits.substr(0, keep);
            if (d18.digits[keep] >= '5') {
                int i = keep - 1;
                while (i >= 0 && kept[i] == '9')
                    kept[i--] = '0';
                if (i >= 0) {
                    ++kept[i];
                } else {
                    kept.insert(kept.begin(), '1');
                    ++exponent;
                }
            }
        }
    }
    auto digitAt = [&](int position) {
        return position >= 0 && position < static_cast<int>(kept.size()) ? kept[position] : '0';
    };
    std::string text;
    if (exponent > 0) {
        for (int p = 0; p < exponent; ++p)
            text += digitAt(p);
    } else {
        text = "0";
    }
    if (decimals > 0) {
        text += separator;
        for (int j = 0; j < decimals; ++j)
            text += digitAt(exponent + j);
    }
    const bool nonZero = text.find_first_of("123456789") != std::string::npos;
    if (value < 0 && nonZero)
        text.insert(text.begin(), '-');
    return text;
}

std::string FormatGeneral(double value, char separator)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    DecimalDigits d = RoundSignificant(value, 15);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    const int length = static_cast<int>(d.digits.size());
    std::string text = value < 0 ? "-" : "";
    if (d.exponent >= -3 && d.exponent <= 15) {
        if (d.exponent <= 0) {
            text += '0';
            text += separator;
            text.append(static_cast<size_t>(-d.exponent), '0');
            text += d.digits;
        } else {
            for (int p = 0; p < d.exponent; ++p)
                text += p < length ? d.digits[p] : '0';
            if (length > d.exponent) {
                text += separator;
                text.append(d.digits, static_cast<size_t>(d.exponent));
            }
        }
    } else {
        text += d.digits[0];
        if (length > 1) {
            text += separator;
            text.append(d.digits, 1);
        }
        text += 'E';
        text += ExponentText(d.exponent - 1);
    }
    return text;
}

} // namespace aqualen
