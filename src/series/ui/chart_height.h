#pragma once
// The chart under a report pane: a splitter shares the height between the two,
// and the chart never gets less than 50 pixels.

class QSplitter;

namespace aqualen::ui {

inline constexpr int kMinChartHeight = 50;

// Gives the chart (the splitter's second widget) `height` pixels, at least
// kMinChartHeight, and the report the rest.
void SetChartHeight(QSplitter& splitter, int height);

} // namespace aqualen::ui
