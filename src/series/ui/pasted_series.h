#pragma once
// What a paste (or a dropped text) brings into a series: the clipboard's
// text, UTF-16 with its byte-order mark decoded as a file of it would be, and
// for a block of several columns (a year and a value, a spreadsheet's rows)
// the one column the user takes in the importer's column choice.

#include <QString>

#include "series/ui/series_files.h"

class QMimeData;
class QWidget;

namespace aqualen::ui {

// The plain text of the data: UTF-8, or UTF-16 where the bytes begin with
// its byte-order mark (Qt would read those as UTF-8 and garble them).
QString PastedText(const QMimeData& mime);

struct PastedSeries {
    enum class Kind {
        Text,      // one column: `text` goes in as it is
        Column,    // several columns: `column` is what the user took
        Cancelled, // several columns and the user cancelled: nothing goes in
    };
    Kind kind = Kind::Text;
    QString text;
    ImportedSeries column;
    // The pasted text ended in a line break (a spreadsheet's copy does).
    bool endsWithBreak = false;
};

// The series in `text`, asking for the column of a block of several.
PastedSeries TakePastedSeries(QWidget* parent, const QString& text);

} // namespace aqualen::ui
