#include "series/ui/raw_pane_text.h"

#include <QString>
#include <algorithm>

namespace aqualen::ui {

namespace {

constexpr char16_t kParagraphSeparator = 0x2029;

bool IsLineFeed(char16_t c)
{
    return c == u'\n' || c == kParagraphSeparator;
}

bool IsBreak(char16_t c)
{
    return IsLineFeed(c) || c == u'\r';
}

} // namespace

SeriesLines LinesOfRawText(QStringView raw)
{
    const char16_t* text = raw.utf16();
    const qsizetype size = raw.size();
    SeriesLines lines;
    lines.reserve(static_cast<size_t>(std::count_if(text, text + size, IsBreak)) + 1);
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        bool ascii = true;
        for (; end < size && !IsBreak(text[end]); ++end)
            ascii = ascii && text[end] < 0x80;
        if (ascii) {
            std::string& line = lines.emplace_back(static_cast<size_t>(end - start), '\0');
            for (qsizetype k = start; k < end; ++k)
                line[static_cast<size_t>(k - start)] = static_cast<char>(text[k]);
        } else {
            lines.push_back(raw.sliced(start, end - start).toString().toStdString());
        }
        if (end == size)
            break;
        // CR followed by a line feed or a paragraph separator is one break.
        start = end + (text[end] == u'\r' && end + 1 < size && IsLineFeed(text[end + 1]) ? 2 : 1);
    }
    return lines;
}

} // namespace aqualen::ui
