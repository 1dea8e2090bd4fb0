#pragma once
// Where a series stops reading: the windows put the cursor there after their
// message, so that the user sees which line to mend.

#include <cstddef>
#include <optional>

#include "series/series_lines.h"

namespace aqualen {

// The index of the first line that is not a number, or nothing when every
// line reads.
std::optional<size_t> FirstUnreadableLine(const SeriesLines& lines, char separator);

// The pane that two series read in step (line i of the first, then line i of
// the second) stop at, and the line there.
struct PairedStop {
    int pane = 0; // 0 the first series, 1 the second
    size_t line = 0;
};
std::optional<PairedStop> FirstUnreadablePair(const SeriesLines& first, const SeriesLines& second, char separator);

} // namespace aqualen
