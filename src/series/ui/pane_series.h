#pragma once
// A series as a pane holds it: the pane's exact text (lines joined by line
// feeds, one number per line), the year of its first line when known (the
// following lines are the following years) and its name (a file's base name
// or a column's caption). The value that moves between panes, windows and
// work files.

#include <QString>
#include <optional>

namespace aqualen::ui {

struct PaneSeries {
    QString text;
    std::optional<int> firstYear;
    QString name;

    bool operator==(const PaneSeries&) const = default;
};

// First years a pane accepts.
inline constexpr int kMinFirstYear = 1;
inline constexpr int kMaxFirstYear = 9999;

// "<name>, <first>–<last>" for a series of `count` values, or what is known
// of it: the name alone without years, the years alone without a name.
QString SeriesTitle(const PaneSeries& series, int count);

} // namespace aqualen::ui

namespace aqualen::ui {
// Lines a series pane may hold: the calculations count a series in 16 bits.
inline constexpr int kMaxPaneLines = 65535;
} // namespace aqualen::ui
