#include "analysis/series_values.h"

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

} // namespace aqualen::analysis
