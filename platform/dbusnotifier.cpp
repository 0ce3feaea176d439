// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dbusnotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
} // namespace

DBusNotifier::DBusNotifier(std::function<QDBusConnection()> bus, QObject *parent)
    : Notifier(parent)
    , m_connect(std::move(bus))
{
}

QDBusConnection &DBusNotifier::bus()
{
    if (m_bus)
        return *m_bus;
    m_bus = m_connect();
    if (m_bus->isConnected()) {
        // No sender named: naming the service would make the bus look up its owner, and wait.
        m_bus->connect(QString(), kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                       SLOT(actionInvoked(uint, QString)));
        m_bus->connect(QString(), kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                       SLOT(notificationClosed(uint, uint)));
    }
    return *m_bus;
}

DBusNotifier::~DBusNotifier()
{
    for (const uint id : std::as_const(m_shown))
        closeOnServer(id);
}

int DBusNotifier::post(const QString &summary, const QString &body, Urgency urgency)
{
    const int notice = ++m_lastNotice;
    if (!bus().isConnected())
        return notice;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar(urgency))},
                            {QStringLiteral("desktop-entry"), QStringLiteral("quillet")}};
    call << QStringLiteral("Quillet") << uint(0) << QStringLiteral("quillet") << summary << body
         // One action: servers that draw buttons show it as "Show", the others on a click.
         << QStringList{QStringLiteral("default"), QStringLiteral("Show")}
         << hints << int(-1);
    m_awaited.insert(notice);
    auto *watcher = new QDBusPendingCallWatcher(bus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, notice](QDBusPendingCallWatcher *done) {
        done->deleteLater();
        const QDBusPendingReply<uint> reply = *done;
        const bool wanted = m_awaited.remove(notice);
        if (reply.isError())
            return; // no service, or it failed: the alarm window is there all the same
        if (wanted)
            m_shown.insert(notice, reply.value());
        else
            closeOnServer(reply.value()); // answered before the service replied
    });
    return notice;
}

void DBusNotifier::withdraw(int notice)
{
    m_awaited.remove(notice);
    const auto shown = m_shown.constFind(notice);
    if (shown == m_shown.cend())
        return;
    closeOnServer(*shown);
    m_shown.erase(shown);
}

void DBusNotifier::closeOnServer(uint id)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("CloseNotification"));
    call << id;
    bus().send(call);
}

void DBusNotifier::actionInvoked(uint id, const QString &action)
{
    if (action != QLatin1String("default"))
        return;
    if (const int notice = m_shown.key(id, 0))
        emit showRequested(notice);
}

void DBusNotifier::notificationClosed(uint id, uint)
{
    m_shown.remove(m_shown.key(id, 0));
}
