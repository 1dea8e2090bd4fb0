#pragma once
// Placeholder until this window is built.

#include <QWidget>

namespace aqualen::ui {

class TCorrelForm : public QWidget {
    Q_OBJECT
public:
    explicit TCorrelForm(QWidget* owner);
};

} // namespace aqualen::ui
