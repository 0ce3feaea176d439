// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windowdrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {
const char *const kRole = "windowDragRole";
enum Role { Handle = 1, Panel, PointerArea };
} // namespace

WindowDrag::WindowDrag(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    addHandle(window);
}

void WindowDrag::addHandle(QWidget *handle)
{
    handle->setProperty(kRole, Handle);
    handle->installEventFilter(this);
}

void WindowDrag::addPanel(QWidget *panel)
{
    panel->setProperty(kRole, Panel);
    panel->installEventFilter(this);
}

void WindowDrag::addPointerArea(QWidget *widget)
{
    widget->setProperty(kRole, PointerArea);
    widget->installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseMove
        || type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick;
    if (!mouse)
        return false;
    const int role = watched->property(kRole).toInt();
    auto *mouseEvent = static_cast<QMouseEvent *>(event);
    if (role == Handle && type == QEvent::MouseButtonPress) {
        m_anchor = mouseEvent->position().toPoint();
        m_systemMoveStarted = false;
    } else if (role == Handle && type == QEvent::MouseMove) {
        dragTo(mouseEvent);
    } else if (type == QEvent::MouseMove) {
        emit pointerMoved();
    }
    // The window's own events go on to it; a handle's and a panel's must not reach the
    // background as a drag of their own.
    return watched != m_window && (role == Handle || role == Panel);
}

void WindowDrag::dragTo(QMouseEvent *event)
{
    if (event->buttons() == Qt::LeftButton && !m_systemMoveStarted) {
        // Let the window manager move the window where it can; else move it ourselves.
        if (m_window->windowHandle() && m_window->windowHandle()->startSystemMove())
            m_systemMoveStarted = true;
        else
            m_window->move(m_window->pos() + event->position().toPoint() - m_anchor);
    }
    emit pointerMoved();
}
