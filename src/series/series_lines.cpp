#include "series/series_lines.h"

#include <algorithm>

namespace aqualen {

SeriesLines SplitLines(std::string_view text)
{
    SeriesLines lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
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
