#include "series/ui/chart_height.h"

#include <QSplitter>
#include <algorithm>

namespace aqualen::ui {

void SetChartHeight(QSplitter& splitter, int height)
{
    const int available = splitter.height() - splitter.handleWidth();
    const int chart = std::max(height, kMinChartHeight);
    splitter.setSizes({std::max(available - chart, 0), chart});
}

} // namespace aqualen::ui
