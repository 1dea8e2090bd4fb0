#pragma once
// Key presses sent straight to a widget, as the keyboard would deliver them
// (the test programs do not link Qt's own test library).

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

// Exported by Qt GUI: offers a key to the shortcut map as the window system's
// keys are offered before they reach the focus widget (Qt's own test library
// goes the same way).
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

namespace aqualen::test {

inline void KeyClick(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

// A key as the keyboard delivers it to the focus widget of the active
// window, shortcuts first: what a user's Ctrl+V does.
inline void ShortcutKeyClick(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return;
    if (::qt_sendShortcutOverrideEvent(focus, 0, key, modifiers, QString(), false, 1))
        return;
    KeyClick(focus, key, modifiers);
}

inline void KeyClicks(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        const int key = c.isDigit() ? Qt::Key_0 + c.digitValue() : c.toUpper().unicode();
        KeyClick(widget, key, Qt::NoModifier, QString(c));
    }
}

} // namespace aqualen::test
