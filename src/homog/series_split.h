#pragma once
// One series split in two for the homogeneity test: the parts compared are
// its first lines and the rest. Where the split goes is the user's choice;
// the one proposed is the change point of the trend tests (Pettitt's t*)
// where they take the series, else the middle.

#include <cstddef>
#include <optional>

#include "series/series_lines.h"

namespace aqualen {

// Lines of the first part a split may give: each part keeps at least the
// lines a calculation needs (kLeastSeriesLength) and at most `mostPerPart`.
struct SplitRange {
    size_t least = 0;
    size_t most = 0;
};

// Nothing when `lines` lines cannot make two such parts.
std::optional<SplitRange> SplitRangeOf(size_t lines, size_t mostPerPart);

// The lines of the first part proposed: Pettitt's change point when every
// line reads as a number with `separator` and the trend tests take the
// values (10 to 10,000 of them, not all equal), else half the lines
// (rounded down); always within `range`.
size_t ProposedSplit(const SeriesLines& lines, const SplitRange& range, char separator);

} // namespace aqualen
