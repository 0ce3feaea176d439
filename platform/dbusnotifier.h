#pragma once

#include "platform/notifier.h"

#include <QDBusConnection>
#include <QHash>
#include <QSet>

/// Notifications through the freedesktop notification service on the session bus. Every call is
/// asynchronous: a missing, failing or slow service never holds the window.
class DBusNotifier final : public Notifier
{
    Q_OBJECT
public:
    explicit DBusNotifier(const QDBusConnection &bus, QObject *parent = nullptr);
    ~DBusNotifier() override;

    int post(const QString &summary, const QString &body, Urgency urgency) override;
    void withdraw(int notice) override;

private slots:
    // Slots by name: the bus connects signals only that way.
    void actionInvoked(uint id, const QString &action);
    void notificationClosed(uint id, uint reason);

private:
    void closeOnServer(uint id);

    QDBusConnection m_bus;
    int m_lastNotice = 0;
    /// Posted and still wanted, but the service has not yet said which id it gave.
    QSet<int> m_awaited;
    /// Shown notifications: our number and the service's id.
    QHash<int, uint> m_shown;
};
