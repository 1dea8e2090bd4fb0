#pragma once
// Placeholder until this window is built.

#include <QWidget>

namespace aqualen::ui {

class TOdnForm : public QWidget {
    Q_OBJECT
public:
    explicit TOdnForm(QWidget* owner);
};

} // namespace aqualen::ui
