#pragma once
// What the edit boxes and check boxes under a widget show, taken when a
// dialog opens and put back when it is cancelled, so that a cancelled edit
// never waits unseen for the next OK. It covers every QLineEdit and every
// checkable button (check boxes, radio buttons) below the root, including
// controls added later, without a list to keep up to date.

#include <QPointer>
#include <QString>
#include <utility>
#include <vector>

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace aqualen::ui {

class ControlSnapshot {
public:
    ControlSnapshot() = default;
    explicit ControlSnapshot(const QWidget& root);

    // Puts the texts back, then the check states, each in the order of the
    // widget tree (so a box that switches others comes before them). The
    // controls' own change handlers run as if the user had made the change.
    void Restore() const;

private:
    std::vector<std::pair<QPointer<QLineEdit>, QString>> texts_;
    std::vector<std::pair<QPointer<QAbstractButton>, bool>> checks_;
};

} // namespace aqualen::ui
