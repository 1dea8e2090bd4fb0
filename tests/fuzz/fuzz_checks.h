#pragma once
// What every fuzz harness shares: taking its input apart, and the checks that
// end a run with a finding. A finding prints why and aborts, so libFuzzer
// keeps the input that caused it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

namespace aqualen::fuzz {

// Bytes taken from the front: choice bytes first, then texts.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    uint8_t Byte()
    {
        if (rest_.empty())
            return 0;
        const auto b = static_cast<uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    // Text up to the next NUL (dropped), or the rest.
    std::string_view Text()
    {
        const size_t end = rest_.find('\0');
        const std::string_view text = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return text;
    }
    std::string_view Rest()
    {
        const std::string_view text = rest_;
        rest_ = {};
        return text;
    }

private:
    std::string_view rest_;
};

[[noreturn]] inline void Finding(const std::string& why, std::string_view detail = {})
{
    std::fprintf(stderr, "FINDING: %s: %.*s\n", why.c_str(), static_cast<int>(detail.size()), detail.data());
    std::abort();
}

inline void Expect(bool holds, const std::string& why, std::string_view detail = {})
{
    if (!holds)
        Finding(why, detail);
}

// A report never shows a non-finite value: "inf" or "nan" in any case.
inline void CheckReportLine(std::string_view line)
{
    std::string lower(line);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos)
        Finding("non-finite value in a report line", line);
}

// Runs one input; any exception that got this far is a finding (the
// harnesses catch the fault and refusal types they expect themselves).
template <class Body> int Guarded(Body&& body)
{
    try {
        body();
    } catch (const std::exception& e) {
        Finding("unexpected exception", e.what());
    } catch (...) {
        Finding("unexpected exception of an unknown type");
    }
    return 0;
}

} // namespace aqualen::fuzz
