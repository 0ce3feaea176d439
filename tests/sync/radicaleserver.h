// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

/// Debian's Radicale on a free loopback port, with its own storage and one user, for as long
/// as this object lives.
class RadicaleServer
{
public:
    static constexpr const char *user = "alice";
    static constexpr const char *password = "s3cret";
    /// A second user with the same password, whose collections start empty too.
    static constexpr const char *otherUser = "bob";

    /// Empty when it runs; otherwise what went wrong.
    QString start()
    {
        if (!m_folder.isValid())
            return QStringLiteral("no temporary folder");
        QFile users(m_folder.filePath(QStringLiteral("users")));
        if (!users.open(QIODevice::WriteOnly) || users.write(QByteArray(user) + ':' + password + '\n' + otherUser + ':' + password + '\n') < 0)
            return QStringLiteral("cannot write the password file");
        users.close();
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost))
            return QStringLiteral("no free port");
        m_port = probe.serverPort();
        probe.close();
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral("-m"), QStringLiteral("radicale"), QStringLiteral("--config"), QString(),
                         QStringLiteral("--server-hosts"), QStringLiteral("127.0.0.1:%1").arg(m_port),
                         QStringLiteral("--storage-filesystem-folder"), m_folder.filePath(QStringLiteral("storage")),
                         QStringLiteral("--auth-type"), QStringLiteral("htpasswd"),
                         QStringLiteral("--auth-htpasswd-filename"), users.fileName(),
                         QStringLiteral("--auth-htpasswd-encryption"), QStringLiteral("plain")});
        if (!m_process.waitForStarted())
            return QStringLiteral("python3 cannot be started");
        // Ready once it accepts a connection.
        const QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired()) {
            if (m_process.state() != QProcess::Running)
                return QStringLiteral("Radicale ended: ") + QString::fromLocal8Bit(m_process.readAll());
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, m_port);
            if (socket.waitForConnected(200))
                return QString();
            m_process.waitForFinished(100);
        }
        return QStringLiteral("Radicale did not answer");
    }
    ~RadicaleServer()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
    /// An address on the server.
    QUrl url(const QString &path = QStringLiteral("/")) const
    {
        QUrl address;
        address.setScheme(QStringLiteral("http"));
        address.setHost(QStringLiteral("127.0.0.1"));
        address.setPort(m_port);
        address.setPath(path);
        return address;
    }

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    quint16 m_port = 0;
};
