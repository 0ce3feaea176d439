// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QLoggingCategory>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QLocalServer;
class QLocalSocket;

Q_DECLARE_LOGGING_CATEGORY(lcInstance)

/// Keeps one running copy per data folder: a lock file beside the data file, and a local socket
/// through which a later start asks the running copy to show itself.
class InstanceGuard : public QObject
{
    Q_OBJECT
public:
    enum class Claim {
        Ours,          ///< this copy holds the lock and listens for later starts
        Unguarded,     ///< no lock can be made here (a folder in its place, a full disk...)
        HeldHere,      ///< another copy runs on this computer with the same data
        HeldElsewhere, ///< another computer holds the lock (shared or synced folder)
    };

    /// dataFile: the data file to guard; the lock is that path with ".lock" added.
    explicit InstanceGuard(const QString &dataFile, QObject *parent = nullptr);
    ~InstanceGuard() override;

    /// Takes the lock; a lock left by a crashed copy, or one that makes no sense, is cleared first.
    Claim claim();
    /// The computer named in the lock that another copy holds (after HeldElsewhere).
    QString holderHost() const { return m_holderHost; }
    /// Why no lock could be made (after Unguarded), in the system's words.
    QString problem() const { return m_problem; }
    QString lockPath() const { return m_lockPath; }

    /// Asks the running copy to bring its window to the front; false when it did not answer.
    bool askRunningCopyToShow();
    /// Hands one request line to the running copy and waits for its whole answer; nothing when
    /// it did not answer.
    std::optional<QByteArray> askRunningCopy(const QByteArray &request);

    /// Sends the whole answer to a request and closes the connection; it may be called later,
    /// once the work is done (nothing is sent when the asker has gone meanwhile).
    using Reply = std::function<void(const QByteArray &answer)>;
    /// Answers request lines from later starts (other than "show"), at once or later through
    /// reply; without one they are refused.
    using RequestHandler = std::function<void(const QByteArray &request, const Reply &reply)>;
    void setRequestHandler(RequestHandler handler) { m_handler = std::move(handler); }

signals:
    /// A later start asked this copy to show itself.
    void showRequested();

private:
    bool connectToRunningCopy(QLocalSocket &socket);
    void listen();
    void readRequest(QLocalSocket *socket);

    QString m_lockPath;
    QString m_serverName;
    QLockFile m_lock;
    QString m_holderHost;
    QString m_problem;
    QLocalServer *m_server = nullptr;
    RequestHandler m_handler;
};
