// FormatFixed and FormatGeneral against an oracle that works on the exact
// decimal expansion of each double with plain digit-string rounding.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "series/number_text.h"

namespace aqualen {
namespace {

// magnitude = 0.digits * 10^exponent, digits exact (no double has more than
// 767 significant digits, so 801 printed digits are the whole expansion).
struct Decimal {
    std::string digits;
    int exponent = 0;
};

Decimal ExactDecimal(double magnitude)
{
    static char buffer[1024];
    std::snprintf(buffer, sizeof buffer, "%.800e", magnitude);
    Decimal d;
    const char* p = buffer;
    for (; *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits += *p;
    d.exponent = std::atoi(p + 1) + 1;
    return d;
}

// Keeps the first `keep` digits, adding one when the next is 5 or more
// (halves away from zero). A carry out of the first digit lengthens the
// number by one digit and raises the exponent.
Decimal RoundAway(Decimal d, int keep)
{
    if (keep < 0)
        return {"", d.exponent};
    while (static_cast<int>(d.digits.size()) <= keep)
        d.digits += '0';
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (!up)
        return d;
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9')
        d.digits[static_cast<size_t>(i--)] = '0';
    if (i >= 0) {
        ++d.digits[static_cast<size_t>(i)];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        ++d.exponent;
    }
    return d;
}

std::string OracleFixed(double value, const Decimal& exact, int decimals, char separator)
{
    // N = |value| * 10^decimals after both roundings, as a digit string.
    std::string whole = "0";
    if (value != 0) {
        Decimal d18 = RoundAway(exact, 18);
        d18.digits.resize(18); // a carry leaves "1000..." of 19 digits
        const int keep = d18.exponent + decimals;
        const Decimal kept = RoundAway(d18, keep);
        if (!kept.digits.empty()) {
            whole = kept.digits;
            // Pad the digits the 18-digit value does not have.
            const int wanted = kept.exponent + decimals;
            while (static_cast<int>(whole.size()) < wanted)
                whole += '0';
        }
    }
    while (static_cast<int>(whole.size()) < decimals + 1)
        whole.insert(whole.begin(), '0');
    std::string text = whole.substr(0, whole.size() - static_cast<size_t>(decimals));
    if (decimals > 0)
        text += separator + whole.substr(whole.size() - static_cast<size_t>(decimals));
    if (value < 0 && whole.find_first_not_of('0') != std::string::npos)
        text.insert(text.begin(), '-');
    return text;
}

std::string OracleGeneral(double value, const Decimal& exact, char separator)
{
    if (value == 0)
        return "0";
    Decimal d = RoundAway(exact, 15);
    d.digits.resize(15);
    while (d.digits.back() == '0')
        d.digits.pop_back();
    const int e = d.exponent;
    const int length = static_cast<int>(d.digits.size());
    std::string text = value < 0 ? "-" : "";
    if (e >= -3 && e <= 15) {
        if (e <= 0)
            text += "0" + std::string(1, separator) + std::string(static_cast<size_t>(-e), '0') + d.digits;
        else if (length <= e)
            text += d.digits + std::string(static_cast<size_t>(e - length), '0');
        else
            text += d.digits.substr(0, static_cast<size_t>(e)) + separator + d.digits.substr(static_cast<size_t>(e));
    } else {
        text += d.digits.substr(0, 1);
        if (length > 1)
            text += separator + d.digits.substr(1);
        text += "E" + std::to_string(e - 1);
    }
    return text;
}

// Doubles of every magnitude: random bit patterns, random mantissas over
// 10^-25 .. 10^25, and short decimals ending in 5 (the rounding ties as
// written) with their neighbouring doubles.
std::vector<double> SampleDoubles()
{
    std::mt19937_64 random(20240611);
    std::vector<double> values;
    while (values.size() < 40000) {
        const std::uint64_t bits = random();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v))
            values.push_back(v);
    }
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> power(-25, 25);
    for (int i = 0; i < 40000; ++i) {
        const double v = mantissa(random) * std::pow(10.0, power(random));
        values.push_back(i % 2 ? -v : v);
    }
    std::uniform_int_distribution<long long> whole(0, 9999999);
    std::uniform_int_distribution<int> places(1, 9);
    for (int i = 0; i < 14000; ++i) {
        const double tie = (static_cast<double>(whole(random)) * 10 + 5) / std::pow(10.0, places(random));
        values.push_back(tie);
        values.push_back(-std::nextafter(tie, 0.0));
        values.push_back(std::nextafter(tie, 1e300));
    }
    return values;
}

TEST(FormatOracle, FixedAndGeneralMatchTheExactExpansion)
{
    const std::vector<double> values = SampleDoubles();
    ASSERT_GE(values.size(), 100000u);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> anyDecimals(0, 18);
    int failures = 0;
    for (const double v : values) {
        const Decimal exact = ExactDecimal(std::fabs(v));
        for (const char separator : {',', '.'}) {
            for (const int decimals : {0, 1, 3, anyDecimals(random)}) {
                const std::string expected = OracleFixed(v, exact, decimals, separator);
                const std::string actual = FormatFixed(v, decimals, separator);
                if (actual != expected && ++failures <= 20)
                    ADD_FAILURE() << "FormatFixed(0." << exact.digits.substr(0, 30) << "e" << exact.exponent << ", "
                                  << decimals << "): " << actual << " expected " << expected;
            }
            const std::string expected = OracleGeneral(v, exact, separator);
            const std::string actual = FormatGeneral(v, separator);
            if (actual != expected && ++failures <= 20)
                ADD_FAILURE() << "FormatGeneral(" << v << "): " << actual << " expected " << expected;
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST(FormatOracle, OracleAgreesWithHandWorkedValues)
{
    const auto fixed = [](double v, int decimals, char separator) {
        return OracleFixed(v, ExactDecimal(std::fabs(v)), decimals, separator);
    };
    const auto general = [](double v) { return OracleGeneral(v, ExactDecimal(std::fabs(v)), ','); };
    EXPECT_EQ(fixed(2.0005, 3, ','), "2,001");
    EXPECT_EQ(fixed(1.0005, 3, ','), "1,000");
    EXPECT_EQ(fixed(-0.0004, 3, ','), "0,000");
    EXPECT_EQ(fixed(999.9996, 3, '.'), "1000.000");
    EXPECT_EQ(general(0.00001), "1E-5");
    EXPECT_EQ(general(-12.5678), "-12,5678");
}

} // namespace
} // namespace aqualen
