#pragma once
// Placeholder until this window is built.

#include <QWidget>

namespace aqualen::ui {

class TObespForm : public QWidget {
    Q_OBJECT
public:
    explicit TObespForm(QWidget* owner);
};

} // namespace aqualen::ui
