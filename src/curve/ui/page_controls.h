#pragma once
// Captions and edit boxes placed by hand at fixed pixel positions, as the
// pages of the curve parameters dialog lay them out.

#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace aqualen::ui {

// A caption sized to its text, its top left corner at (x, y).
QLabel* PlaceCaption(const QString& text, int x, int y, QWidget* parent);

// An edit box holding `text`, at `geometry`.
QLineEdit* PlaceBox(const QString& text, const QRect& geometry, QWidget* parent);

} // namespace aqualen::ui
