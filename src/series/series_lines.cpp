#include "series/series_lines.h"

#include <algorithm>

namespace aqualen {

SeriesLines SplitLines(std::string_view text)
{
    const auto isBreak = [](char c) { return c == '\r' || c == '\n'; };
    SeriesLines lines;
    // One allocation for a million lines, not a chain of moves.
    lines.reserve(static_cast<size_t>(std::count_if(text.begin(), text.end(), isBreak)) + 1);
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = static_cast<size_t>(
            std::find_if(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(), isBreak) - text.begin());
        if (end == text.size()) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        // "\r\n" is one line break, a lone "\r" or "\n" another.
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

} // namespace aqualen
