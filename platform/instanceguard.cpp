// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/instanceguard.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QPointer>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <cstring>

#include <unistd.h>

Q_LOGGING_CATEGORY(lcInstance, "quillet.instance", QtWarningMsg)

namespace {

const QByteArray kShow = "show\n";
const QByteArray kShown = "shown\n";
// A request names a verb and a value such as a file's path; anything longer is not one of ours.
constexpr qint64 kLongestRequest = 64 * 1024;

// One name per user and data folder, so two folders run as two independent copies.
QString serverName(const QString &dataFile)
{
    const QFileInfo folder(QFileInfo(dataFile).absolutePath());
    const QString canonical = folder.canonicalFilePath();
    const QByteArray key = (canonical.isEmpty() ? folder.absoluteFilePath() : canonical).toUtf8()
                           + '\n' + QByteArray::number(getuid());
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16);
    QString folderOfSockets = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folderOfSockets.isEmpty())
        return QStringLiteral("quillet-") + QString::fromLatin1(hash);
    return folderOfSockets + QStringLiteral("/quillet-") + QString::fromLatin1(hash);
}

} // namespace

InstanceGuard::InstanceGuard(const QString &dataFile, QObject *parent)
    : QObject(parent)
    , m_lockPath(dataFile + QStringLiteral(".lock"))
    , m_serverName(serverName(dataFile))
    , m_lock(m_lockPath)
{
    // A running copy holds the lock for hours: only a dead owner makes it stale, never its age.
    m_lock.setStaleLockTime(0);
}

InstanceGuard::~InstanceGuard() = default;

InstanceGuard::Claim InstanceGuard::claim()
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        errno = 0;
        if (m_lock.tryLock(0)) {
            listen();
            return Claim::Ours;
        }
        const int number = errno;
        if (m_lock.error() != QLockFile::LockFailedError) {
            m_problem = QString::fromLocal8Bit(std::strerror(number != 0 ? number : EIO));
            return Claim::Unguarded;
        }
        // Something that is no file stands in its place: no copy can ever take it.
        const QFileInfo lockFile(m_lockPath);
        if (!lockFile.isFile() && (lockFile.exists() || lockFile.isSymLink())) {
            m_problem = lockFile.isDir() ? QStringLiteral("a folder of that name is in its place")
                                         : QStringLiteral("something that is not a file is in its place");
            return Claim::Unguarded;
        }
        qint64 pid = 0;
        QString host;
        QString application;
        if (!m_lock.getLockInfo(&pid, &host, &application)) {
            // Gone meanwhile, being written this very moment, or garbage: look once more, then
            // clear it. A copy that really holds it keeps it, as the removal respects its lock.
            QThread::msleep(100);
            if (QFileInfo::exists(m_lockPath) && !m_lock.getLockInfo(&pid, &host, &application))
                m_lock.removeStaleLockFile();
            continue;
        }
        if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
            m_holderHost = host;
            return Claim::HeldElsewhere;
        }
        return Claim::HeldHere;
    }
    return Claim::HeldHere;
}

bool InstanceGuard::connectToRunningCopy(QLocalSocket &socket)
{
    // The running copy may have taken the lock a moment ago and not listen yet.
    const QDeadlineTimer deadline(5000);
    for (;;) {
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(1000))
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
}

std::optional<QByteArray> InstanceGuard::askRunningCopy(const QByteArray &request)
{
    QLocalSocket socket;
    if (!connectToRunningCopy(socket))
        return std::nullopt;
    socket.write(request);
    if (!socket.waitForBytesWritten(1000))
        return std::nullopt;
    // The running copy closes the connection once it has answered; the work may take a while.
    QByteArray answer;
    while (socket.state() == QLocalSocket::ConnectedState && socket.waitForReadyRead(30000))
        answer += socket.readAll();
    answer += socket.readAll();
    if (socket.state() == QLocalSocket::ConnectedState || answer.isEmpty())
        return std::nullopt;
    return answer;
}

bool InstanceGuard::askRunningCopyToShow()
{
    QLocalSocket socket;
    if (!connectToRunningCopy(socket))
        return false;
    socket.write(kShow);
    if (!socket.waitForBytesWritten(1000))
        return false;
    QByteArray answer;
    while (!answer.contains('\n') && socket.waitForReadyRead(2000))
        answer += socket.readAll();
    return answer == kShown;
}

void InstanceGuard::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // This copy holds the lock, so a socket still there was left by one that crashed.
    QLocalServer::removeServer(m_serverName);
    if (!m_server->listen(m_serverName)) {
        qCWarning(lcInstance) << "A later start cannot reach this copy:" << m_server->errorString();
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        }
    });
}

void InstanceGuard::readRequest(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kLongestRequest)
            socket->abort();
        return;
    }
    const QByteArray request = socket->readLine();
    if (request != kShow) {
        if (!m_handler) {
            socket->abort();
            return;
        }
        // Nothing more is read from this asker: one request a connection.
        disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
        m_handler(request, [socket = QPointer<QLocalSocket>(socket)](const QByteArray &answer) {
            if (!socket)
                return;
            socket->write(answer);
            socket->disconnectFromServer();
        });
        return;
    }
    socket->write(kShown);
    socket->flush();
    qCInfo(lcInstance) << "Another start asked this copy to show itself";
    emit showRequested();
}
