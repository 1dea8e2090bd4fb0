#pragma once
// The lines of a series pane. An empty last line that merely follows a final
// line break does not count; every other line counts, empty ones included.

#include <string>
#include <string_view>
#include <vector>

namespace aqualen {

using SeriesLines = std::vector<std::string>;

// Splits pane text at "\r\n" or "\n" and drops only the empty line after a
// final line break ("1\n2\n" has two lines, "1\n2\n\n" three, "" none).
SeriesLines SplitLines(std::string_view text);

} // namespace aqualen
