#include "series/unreadable_line.h"

#include <algorithm>

#include "series/number_text.h"

namespace aqualen {

std::optional<size_t> FirstUnreadableLine(const SeriesLines& lines, char separator)
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (!ParseNumber(lines[i], separator))
            return i;
    return std::nullopt;
}

std::optional<PairedStop> FirstUnreadablePair(const SeriesLines& first, const SeriesLines& second, char separator)
{
    const size_t n = std::min(first.size(), second.size());
    for (size_t i = 0; i < n; ++i) {
        if (!ParseNumber(first[i], separator))
            return PairedStop{0, i};
        if (!ParseNumber(second[i], separator))
            return PairedStop{1, i};
    }
    return std::nullopt;
}

} // namespace aqualen
