#include "curve/ui/up_down.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "curve/count_text.h"

namespace aqualen::ui {

UpDown::UpDown(QLineEdit* buddy, int minimum, int maximum, int position, QWidget* parent)
    : QWidget(parent), buddy_(buddy), up_(new QToolButton(this)), down_(new QToolButton(this)), minimum_(minimum),
      maximum_(maximum), position_(std::clamp(position, minimum, maximum))
{
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up_, down_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        button->setIconSize(QSize(7, 7));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, &UpDown::StepUp);
    connect(down_, &QToolButton::clicked, this, &UpDown::StepDown);
    connect(buddy_, &QLineEdit::textChanged, this, &UpDown::FollowText);
    buddy_->installEventFilter(this);
    setGeometry(buddy_->x() + buddy_->width(), buddy_->y(), 16, buddy_->height());
}

void UpDown::SetPosition(int position)
{
    position_ = std::clamp(position, minimum_, maximum_);
    buddy_->setText(QString::number(position_));
    emit PositionChanged(position_);
}

void UpDown::StepUp()
{
    Step(1);
}
void UpDown::StepDown()
{
    Step(-1);
}

void UpDown::Step(int delta)
{
    // A box text that is out of range still steps from the kept position.
    const int next = std::clamp(position_ + delta, minimum_, maximum_);
    SetPosition(next);
}

void UpDown::FollowText()
{
    const auto value = ReadInteger(buddy_->text().toStdString());
    if (!value)
        return;
    const int next = std::clamp(*value, minimum_, maximum_);
    if (next != position_) {
        position_ = next;
        emit PositionChanged(position_);
    }
}

bool UpDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == buddy_ && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace aqualen::ui
