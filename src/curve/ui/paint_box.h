#pragma once
// A plain widget whose painting is handed to its owner.

#include <QPainter>
#include <QWidget>
#include <functional>

namespace aqualen::ui {

class PaintBox : public QWidget {
    Q_OBJECT
public:
    using Painting = std::function<void(QPainter&)>;
    PaintBox(Painting painting, QWidget* parent) : QWidget(parent), painting_(std::move(painting)) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painting_(painter);
    }

private:
    Painting painting_;
};

} // namespace aqualen::ui
