#pragma once
// The wait cursor over a command that may keep the user waiting: one whose
// panes hold so many lines that reading, calculating and drawing them may
// take longer than a blink (about 200 ms on a slow machine).

#include <QCursor>
#include <initializer_list>
#include <vector>

class QPlainTextEdit;

namespace aqualen::ui {

// Lines in a command's panes from which it shows the wait cursor.
inline constexpr int kBusyLines = 100000;

// Shows the wait cursor from construction to destruction when the panes
// together hold at least kBusyLines lines; otherwise does nothing. Keep it
// around the work only, so that a message box shown afterwards has the
// ordinary cursor.
class BusyCursor {
public:
    explicit BusyCursor(std::initializer_list<const QPlainTextEdit*> panes);
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool shown_ = false;
};

// The wait cursor from construction to destruction, whatever the panes
// hold: for a calculation that is slow in itself (a bootstrap).
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Takes every override cursor away while it lives and puts them back after:
// for a message box shown while a command is busy.
class CursorPause {
public:
    CursorPause();
    ~CursorPause();
    CursorPause(const CursorPause&) = delete;
    CursorPause& operator=(const CursorPause&) = delete;

private:
    std::vector<QCursor> paused_;
};

} // namespace aqualen::ui
