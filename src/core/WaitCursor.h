// The hourglass cursor for a widget-free routine's lifetime, when a window system shows it.
#pragma once

#include <QCursor>
#include <QGuiApplication>

class WaitCursor {
public:
    WaitCursor() : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
    {
        if (shown_)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~WaitCursor()
    {
        if (shown_)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool shown_;
};
