#pragma once
// A pane's lines read straight from its document's raw text, in one pass and
// without the whole text in UTF-8 first: a pasted million lines stay quick.

#include <QStringView>

#include "series/series_lines.h"

namespace aqualen::ui {

// The lines of a document's raw text: exactly SplitLines of the text with
// each paragraph separator (U+2029) turned into a line feed, each line in
// UTF-8 as QString::toStdString writes it.
SeriesLines LinesOfRawText(QStringView raw);

} // namespace aqualen::ui
