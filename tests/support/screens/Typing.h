// Typing any text (Japanese included) into a widget as key presses; QTest::keyClicks
// handles ASCII only.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

inline void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}
