// SPDX-License-Identifier: GPL-3.0-or-later
// Runs on a private session bus (dbus-run-session), with a notification service of its own.
#include "platform/dbusnotifier.h"

#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

namespace {
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
} // namespace

/// The desktop's notification service, as far as Quillet uses it; it can hold its answers back.
class FakeNotificationService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList notified; // "app|summary|body|urgency|actions"
    QList<uint> closed;
    bool holdAnswers = false;
    QList<QDBusMessage> held;

public slots:
    uint Notify(const QString &app, uint, const QString &, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &hints, int, const QDBusMessage &message)
    {
        notified.append(QStringList{app, summary, body, QString::number(hints.value(QStringLiteral("urgency")).toInt()),
                                    actions.join(QLatin1Char(','))}
                            .join(QLatin1Char('|')));
        if (holdAnswers) {
            message.setDelayedReply(true);
            held.append(message);
        }
        return uint(100 + notified.size());
    }
    void CloseNotification(uint id) { closed.append(id); }
};

class TestDBusNotifier : public QObject
{
    Q_OBJECT
private slots:
    void postsShowsAndWithdraws()
    {
        QDBusConnection desktop = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("desktop"));
        QVERIFY2(desktop.isConnected(), "needs a session bus: run under dbus-run-session");
        DBusNotifier notifier(&QDBusConnection::sessionBus);
        QSignalSpy shown(&notifier, &Notifier::showRequested);

        // Nobody listens yet: nothing fails and nothing waits.
        notifier.withdraw(notifier.post(QStringLiteral("Nobody"), QString(), Notifier::Urgency::Low));

        FakeNotificationService service;
        QVERIFY(desktop.registerObject(kPath, &service, QDBusConnection::ExportAllSlots));
        QVERIFY(desktop.registerService(kInterface));
        const int boiler = notifier.post(QStringLiteral("Boiler"), QStringLiteral("Due 9:00 PM"), Notifier::Urgency::Critical);
        QTRY_COMPARE(service.notified, QStringList{"Quillet|Boiler|Due 9:00 PM|2|default,Show"});
        const auto invoke = [&desktop](uint id, const char *action) {
            QDBusMessage signal = QDBusMessage::createSignal(kPath, kInterface, QStringLiteral("ActionInvoked"));
            signal << id << QString::fromLatin1(action);
            desktop.send(signal);
        };
        invoke(999, "default"); // another program's notification
        invoke(101, "show"); // no action of ours
        invoke(101, "default");
        QTRY_COMPARE(shown.size(), 1);
        QCOMPARE(shown.first().first().toInt(), boiler);
        notifier.withdraw(boiler);
        QTRY_COMPARE(service.closed, QList<uint>{101});

        // A slow service: the alarm is answered before it gave its id, which is then taken back.
        service.holdAnswers = true;
        notifier.withdraw(notifier.post(QStringLiteral("Slow"), QString(), Notifier::Urgency::Normal));
        QTRY_COMPARE(service.held.size(), 1);
        desktop.send(service.held.takeFirst().createReply(uint(777)));
        QTRY_COMPARE(service.closed, (QList<uint>{101, 777}));
        // A service that answers with an error leaves nothing to take back.
        const int failed = notifier.post(QStringLiteral("Error"), QString(), Notifier::Urgency::Low);
        QTRY_COMPARE(service.held.size(), 1);
        desktop.send(service.held.takeFirst().createErrorReply(QDBusError::Failed, QStringLiteral("no")));
        invoke(103, "default");
        notifier.withdraw(failed);
        // The bus keeps each sender's order: once the next one shows, those came and went.
        service.holdAnswers = false;
        const int next = notifier.post(QStringLiteral("Next"), QString(), Notifier::Urgency::Low);
        QTRY_COMPARE(service.notified.size(), 4);
        invoke(104, "default");
        QTRY_COMPARE(shown.size(), 2);
        QCOMPARE(shown.last().first().toInt(), next);
        QCOMPARE(service.closed.size(), 2);
    }
};

QTEST_MAIN(TestDBusNotifier)
#include "tst_dbusnotifier.moc"
