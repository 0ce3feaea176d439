// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

/// Notifications in the desktop's own notification area. Posting never waits for the desktop,
/// and without a notification service nothing happens and nothing fails.
class Notifier : public QObject
{
    Q_OBJECT
public:
    enum class Urgency { Low = 0, Normal = 1, Critical = 2 };

    using QObject::QObject;

    /// Posts a notification offering "Show"; the number it returns names it from then on.
    virtual int post(const QString &summary, const QString &body, Urgency urgency) = 0;
    /// Takes a notification back; one already gone is no matter.
    virtual void withdraw(int notice) = 0;

signals:
    /// The user chose "Show" on the notification (or clicked it).
    void showRequested(int notice);
};
