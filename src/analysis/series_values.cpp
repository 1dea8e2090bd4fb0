#include "analysis/series_values.h"

#include "series/number_text.h"

namespace aqualen::analysis {

std::optional<std::vector<double>> ReadValues(const SeriesLines& lines, char separator)
{
    std::vector<double> values;
    values.reserve(lines.size());
    for (const std::string& line : lines) {
        const std::optional<double> v = ParseNumber(line, separator);
        if (!v)
            return std::nullopt;
        values.push_back(*v);
    }
    return values;
}

} // namespace aqualen::analysis
