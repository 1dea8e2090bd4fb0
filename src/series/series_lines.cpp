#include "series/series_lines.h"

#include <algorithm>

namespace aqualen {

SeriesLines SplitLines(std::string_view text)
{
    SeriesLines lines;
    // One allocation for a pane of a million lines, not a chain of moves.
    lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        size_t lineEnd = end;
        if (lineEnd > start && text[lineEnd - 1] == '\r')
            --lineEnd;
        lines.emplace_back(text.substr(start, lineEnd - start));
        start = end + 1;
    }
    return lines;
}

} // namespace aqualen
