#include "series/series_lines.h"

namespace aqualen {

SeriesLines SplitLines(std::string_view text)
{
    SeriesLines lines;
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
