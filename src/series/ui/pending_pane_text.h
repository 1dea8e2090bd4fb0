#pragma once
// The text of a series pane whose editor is not filled yet. Qt builds one
// text block per line, some 2.5 µs each, so a pane of 65,535 lines takes a
// sixth of a second to fill; a work opened with every window full would make
// the user wait for panes nobody looks at. A pane in a hidden window keeps
// its text here and fills its editor when it first shows.
//
// The text is held as the editor will hold it (every break a line feed), so
// that what the pane reads out is the same before and after the fill.

#include <QString>
#include <QStringView>
#include <optional>

namespace aqualen::ui {

// `text` as a text editor keeps it: a CR LF pair, a lone CR, a paragraph
// separator and the two frame marks each become one line feed (each starts
// a new block, which the pane reads back as a line feed).
QString EditorText(QStringView text);

class PendingPaneText {
public:
    // Keeps `text` instead of whatever was pending.
    void Keep(QStringView text);
    bool Pending() const { return text_.has_value(); }
    // The pending text, as EditorText gives it; only while Pending().
    const QString& Text() const { return *text_; }
    // Its lines as a series pane counts them (not the empty line after a
    // final break).
    int LineCount() const { return lines_; }
    // The text, nothing pending afterwards.
    QString Take();

private:
    std::optional<QString> text_;
    int lines_ = 0;
};

} // namespace aqualen::ui
