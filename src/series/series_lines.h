#pragma once
// The lines of a series pane. An empty last line that merely follows a final
// line break does not count; every other line counts, empty ones included.

#include <string>
#include <string_view>
#include <vector>

namespace aqualen {

using SeriesLines = std::vector<std::string>;

// Splits text at "\r\n", "\n" or a lone "\r" (as a pane breaks pasted
// text) and drops only the empty line after a final line break ("1\n2\n"
// has two lines, "1\n2\n\n" three, "1\r2\r" two, "" none). Every other
// character stays in its line.
SeriesLines SplitLines(std::string_view text);

} // namespace aqualen
