#include "analysis/series_values.h"

#include <algorithm>

#include "analysis/analysis_messages.h"
#include "series/number_text.h"

namespace aqualen::analysis {

std::optional<std::vector<double>> ReadValues(const SeriesLines& lines, char separator)
{
    size_t badLine = 0;
    return ReadValues(lines, separator, badLine);
}

std::optional<std::vector<double>> ReadValues(const SeriesLines& lines, char separator, size_t& badLine)
{
    std::vector<double> values;
    values.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::optional<double> v = ParseNumber(lines[i], separator);
        if (!v) {
            badLine = i;
            return std::nullopt;
        }
        values.push_back(*v);
    }
    return values;
}

std::optional<std::string> ValuesRefusal(const std::vector<double>& values, size_t least, size_t most,
                                         const char* lengthText)
{
    if (values.size() < least || values.size() > most)
        return lengthText;
    if (std::all_of(values.begin(), values.end(), [&](double v) { return v == values.front(); }))
        return kAllEqualText;
    return std::nullopt;
}

} // namespace aqualen::analysis
