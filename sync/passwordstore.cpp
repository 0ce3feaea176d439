// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/passwordstore.h"

#include <QTimer>
#include <QUrl>

#include <qt6keychain/keychain.h>

namespace {

const QString kService = QStringLiteral("Quillet");

/// The keyring's refusal in plain words; none where there is simply no keyring.
QString problemOf(const QKeychain::Job &job)
{
    switch (job.error()) {
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented:
        return QString();
    case QKeychain::AccessDeniedByUser:
    case QKeychain::AccessDenied:
        return QStringLiteral("The keyring refused to keep the password.");
    default:
        return QStringLiteral("The keyring could not keep the password: %1").arg(job.errorString());
    }
}

/// A job that never writes anywhere but the keyring: QtKeychain's fallback would put the
/// password in a plain settings file.
template<typename Job>
Job *keyringJob(const QString &key, QObject *parent)
{
    auto *job = new Job(kService, parent);
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(key);
    return job;
}

} // namespace

PasswordStore::PasswordStore(QObject *parent)
    : QObject(parent)
{
}

PasswordStore::~PasswordStore() = default;

QString PasswordStore::keyFor(const QUrl &server, const QString &user)
{
    QUrl bare = server.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment);
    return user + QLatin1Char('@') + bare.toString();
}

QString PasswordStore::fromEnvironment()
{
    return qEnvironmentVariable("QUILLET_SYNC_PASSWORD");
}

void PasswordStore::fetch(const QString &key)
{
    const auto answerLater = [this, key](const QString &password, Source source) {
        QTimer::singleShot(0, this, [this, key, password, source] { emit found(key, password, source); });
    };
    if (const QString password = fromEnvironment(); !password.isEmpty())
        return answerLater(password, Source::Environment);
    if (const auto known = m_remembered.constFind(key); known != m_remembered.cend())
        return answerLater(*known, Source::Memory);
    if (!m_keyringUsable)
        return answerLater(QString(), Source::NoKeyring);
    readKeyring(key);
}

void PasswordStore::store(const QString &key, const QString &password)
{
    if (password.isEmpty())
        m_remembered.remove(key);
    else
        m_remembered.insert(key, password);
    if (!m_keyringUsable) {
        QTimer::singleShot(0, this, [this, key] { emit stored(key, false, QString()); });
        return;
    }
    writeKeyring(key, password);
}

void PasswordStore::readKeyring(const QString &key)
{
    auto *job = keyringJob<QKeychain::ReadPasswordJob>(key, this);
    connect(job, &QKeychain::Job::finished, this, [this, key, job] {
        if (job->error() == QKeychain::NoError) {
            m_remembered.insert(key, job->textData());
            emit found(key, job->textData(), Source::Keyring);
        } else if (job->error() == QKeychain::EntryNotFound) {
            emit found(key, QString(), Source::NotStored);
        } else {
            // Asked once: a keyring that is missing or refuses is not asked again this run.
            m_keyringUsable = false;
            emit found(key, QString(), Source::NoKeyring);
        }
    });
    job->start();
}

void PasswordStore::writeKeyring(const QString &key, const QString &password)
{
    const auto done = [this, key](QKeychain::Job *job) {
        if (job->error() == QKeychain::NoError || job->error() == QKeychain::EntryNotFound) {
            emit stored(key, true, QString());
            return;
        }
        m_keyringUsable = false;
        emit stored(key, false, problemOf(*job));
    };
    if (password.isEmpty()) {
        auto *job = keyringJob<QKeychain::DeletePasswordJob>(key, this);
        connect(job, &QKeychain::Job::finished, this, done);
        job->start();
        return;
    }
    auto *job = keyringJob<QKeychain::WritePasswordJob>(key, this);
    job->setTextData(password);
    connect(job, &QKeychain::Job::finished, this, done);
    job->start();
}
