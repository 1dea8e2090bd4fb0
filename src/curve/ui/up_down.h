#pragma once
// A spin control attached to an edit box: two arrow buttons (and the arrow
// keys in the box) step a whole-number position within a range, without
// wrap-around, and write it into the box. The position follows the box's
// text whenever that text is a whole number, kept within the range.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace aqualen::ui {

class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit* buddy, int minimum, int maximum, int position, QWidget* parent);

    int Position() const { return position_; }
    void SetPosition(int position);
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }

signals:
    void PositionChanged(int position);

public slots:
    void StepUp();
    void StepDown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FollowText();
    void Step(int delta);

    QLineEdit* buddy_;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_;
    int maximum_;
    int position_;
};

} // namespace aqualen::ui
