// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/blockedclose.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

namespace {

quint32 atom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 1, uint16_t(strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const quint32 value = reply ? reply->atom : 0;
    free(reply);
    return value;
}

} // namespace

BlockedClose::BlockedClose(QObject *parent)
    : QObject(parent)
{
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return; // not on X11 (offscreen also answers, without a connection): nothing to catch
    m_protocols = atom(x11->connection(), "WM_PROTOCOLS");
    m_deleteWindow = atom(x11->connection(), "WM_DELETE_WINDOW");
    qApp->installNativeEventFilter(this);
}

BlockedClose::~BlockedClose()
{
    if (m_protocols)
        qApp->removeNativeEventFilter(this);
}

bool BlockedClose::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
        return false;
    const auto *client = static_cast<xcb_client_message_event_t *>(message);
    if (client->type != m_protocols || client->data.data32[0] != m_deleteWindow)
        return false;
    QWindow *modal = QGuiApplication::modalWindow();
    if (!modal || modal->winId() == client->window)
        return false; // not blocked: Qt delivers it as usual
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        if (window->handle() && window->winId() == client->window) {
            emit closeRequested();
            return true;
        }
    }
    return false;
}
