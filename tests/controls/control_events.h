#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

// Mouse and wheel events at exact pixels, delivered straight to the widget.
inline void Press(QWidget* w, QPointF at, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent e(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void Move(QWidget* w, QPointF at, Qt::MouseButtons buttons = Qt::LeftButton)
{
    QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void Release(QWidget* w, QPointF at, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent e(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// What Qt delivers for a double click: press, release, press, double click, release.
inline void DoubleClick(QWidget* w, QPointF at)
{
    Press(w, at);
    Release(w, at);
    Press(w, at);
    QMouseEvent e(QEvent::MouseButtonDblClick, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
    Release(w, at);
}

inline void Wheel(QWidget* w, QPointF at, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                  Qt::MouseButtons buttons = Qt::NoButton)
{
    QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), buttons, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

inline void Key(QWidget* w, int key)
{
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
