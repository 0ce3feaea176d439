// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/davserver.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

/// A CalDAV/CardDAV server over HTTP(S), every request asynchronous: the sync's server, and
/// the plain requests discovery makes. Each request carries the user's name and password
/// (Basic), so none is sent twice to be told it needs them.
class DavClient : public QObject, public DavServer
{
    Q_OBJECT
public:
    DavClient(const QUrl &server, const QString &user, const QString &password, QObject *parent = nullptr);
    ~DavClient() override;

    /// Collections fetched as to-dos; any other is an address book.
    void setTaskList(const QUrl &taskList) { m_taskList = taskList; }
    QUrl server() const { return m_server; }
    /// The url is on the server the user named (scheme, host and port): the password goes
    /// nowhere else.
    bool isOwnServer(const QUrl &url) const;
    /// Requests sent so far.
    int requests() const { return m_requests; }

    struct Reply
    {
        int status = 0;
        QByteArray body;
        QString etag;
        /// Where a redirect points, resolved.
        QUrl location;
        /// Set when no HTTP answer came (the network), or the password was refused.
        DavFailure failure;
    };
    using Headers = QList<QPair<QByteArray, QByteArray>>;
    void send(const QByteArray &verb, const QUrl &url, const QByteArray &body, const Headers &headers,
              std::function<void(const Reply &)> done);
    /// The server's address of a path it named.
    QUrl resolved(const QString &path) const;
    /// What an answer that is not the one wanted means, in plain words.
    DavFailure failureOf(const Reply &reply) const;

    void listChanges(const QUrl &collection, const QString &token,
                     std::function<void(const DavListing &)> done) override;
    void fetch(const QUrl &collection, const QStringList &hrefs, std::function<void(const DavFetched &)> done) override;
    void put(const QString &href, const QByteArray &data, const QString &ifMatch,
             std::function<void(const DavWritten &)> done) override;
    void remove(const QString &href, const QString &ifMatch, std::function<void(const DavWritten &)> done) override;

private:
    /// One page of a change list, added to sofar; a list the server cuts short (507) is followed
    /// to its end.
    void listChangesFrom(const QUrl &collection, const QString &token, const DavListing &sofar, int page,
                         std::function<void(const DavListing &)> done);
    void listAll(const QUrl &collection, std::function<void(const DavListing &)> done);
    DavWritten writtenOf(const Reply &reply) const;

    QNetworkAccessManager *m_network;
    QUrl m_server;
    QByteArray m_authorization;
    QUrl m_taskList;
    int m_requests = 0;
    /// The server answered that it has no sync-collection report: ETags are compared instead.
    bool m_noSyncReport = false;
};
