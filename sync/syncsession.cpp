// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/syncsession.h"

#include <QTimer>

struct SyncSession::Private
{
    Document *document = nullptr;
    SyncAccount account;
    QString password;
};

SyncSession::SyncSession(Document *document, QObject *parent)
    : QObject(parent), d(std::make_unique<Private>())
{
    d->document = document;
}

SyncSession::~SyncSession() = default;

void SyncSession::setAccount(const SyncAccount &account)
{
    d->account = account;
}

SyncAccount SyncSession::account() const
{
    return d->account;
}

void SyncSession::setPassword(const QString &password)
{
    d->password = password;
}

void SyncSession::syncNow()
{
    QTimer::singleShot(0, this, [this] {
        emit finished({false, QString(), QStringLiteral("Sync is not available yet."),
                       QDateTime::currentDateTimeUtc(), 0, false});
    });
}

void SyncSession::discover()
{
    QTimer::singleShot(0, this, [this] { emit discoveryFailed(QStringLiteral("Sync is not available yet."), false); });
}

bool SyncSession::isRunning() const
{
    return false;
}

SyncAccount SyncSession::storedAccount(const QString &)
{
    return {};
}

bool SyncSession::saveAccount(const QString &, const SyncAccount &)
{
    return false;
}

QDateTime SyncSession::lastSynced(const QString &)
{
    return {};
}
