// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/notifier.h"

#include <QDBusConnection>
#include <QHash>
#include <QSet>

#include <functional>
#include <optional>

/// Notifications through the freedesktop notification service on the session bus. Every call is
/// asynchronous: a missing, failing or slow service never holds the window. The bus is reached
/// at the first notification, so a start-up that shows none never pays for it.
class DBusNotifier final : public Notifier
{
    Q_OBJECT
public:
    explicit DBusNotifier(std::function<QDBusConnection()> bus, QObject *parent = nullptr);
    ~DBusNotifier() override;

    int post(const QString &summary, const QString &body, Urgency urgency) override;
    void withdraw(int notice) override;

private slots:
    // Slots by name: the bus connects signals only that way.
    void actionInvoked(uint id, const QString &action);
    void notificationClosed(uint id, uint reason);

private:
    void closeOnServer(uint id);
    /// The bus, connected and listening from the first call on.
    QDBusConnection &bus();

    std::function<QDBusConnection()> m_connect;
    std::optional<QDBusConnection> m_bus;
    int m_lastNotice = 0;
    /// Posted and still wanted, but the service has not yet said which id it gave.
    QSet<int> m_awaited;
    /// Shown notifications: our number and the service's id.
    QHash<int, uint> m_shown;
};
