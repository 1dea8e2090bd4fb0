#include "homog/series_split.h"

#include <algorithm>
#include <vector>

#include "analysis/trend_tests.h"
#include "series/float_fault.h"
#include "series/number_text.h"
#include "series/numeric_lists.h"
#include "series/numeric_routines.h"

namespace aqualen {

std::optional<SplitRange> SplitRangeOf(size_t lines, size_t mostPerPart)
{
    if (lines < 2 * kLeastSeriesLength || mostPerPart < kLeastSeriesLength)
        return std::nullopt;
    const SplitRange range{std::max(kLeastSeriesLength, lines - std::min(lines, mostPerPart)),
                           std::min(lines - kLeastSeriesLength, mostPerPart)};
    if (range.least > range.most)
        return std::nullopt;
    return range;
}

size_t ProposedSplit(const SeriesLines& lines, const SplitRange& range, char separator)
{
    size_t proposed = lines.size() / 2;
    TDoubleList list;
    if (ParseSeries(lines, list, separator)) {
        const std::vector<double> values(list.Data(), list.Data() + list.Count());
        if (!analysis::TrendRefusal(values)) {
            // Only a proposal, which the user confirms or changes: a series
            // the test faults on is offered its middle instead.
            try {
                proposed = static_cast<size_t>(analysis::ProposeChangePoint(values));
            } catch (const FloatFault&) {
            }
        }
    }
    return std::clamp(proposed, range.least, range.most);
}

} // namespace aqualen
