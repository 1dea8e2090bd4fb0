#pragma once
// Key presses sent straight to a widget, as the keyboard would deliver them
// (the test programs do not link Qt's own test library).

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace aqualen::test {

inline void KeyClick(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

inline void KeyClicks(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        const int key = c.isDigit() ? Qt::Key_0 + c.digitValue() : c.toUpper().unicode();
        KeyClick(widget, key, Qt::NoModifier, QString(c));
    }
}

} // namespace aqualen::test
