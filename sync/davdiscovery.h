// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/davclient.h"
#include "sync/davcollection.h"

#include <QObject>

#include <functional>

/// Finds the user's task lists and address books from the server's address alone: the
/// well-known addresses, the user's principal, its calendar and address-book home sets.
class DavDiscovery : public QObject
{
    Q_OBJECT
public:
    struct Found
    {
        DavFailure failure;
        QList<DavCollection> collections;
        /// Where new task lists and address books go.
        QUrl taskHome;
        QUrl addressHome;
    };

    DavDiscovery(DavClient *client, QObject *parent = nullptr);
    void run(std::function<void(const Found &)> done);
    using Created = std::function<void(const QUrl &url, const DavFailure &failure, bool filled)>;
    /// Makes a collection named name in home; done gets its address, or the failure, and whether
    /// it holds the items of whole already. Where
    /// whole holds the items (a calendar, or cards), a server that takes a collection in one
    /// request gets them so, far quicker than item by item; any other gets an empty collection.
    void create(bool tasks, const QUrl &home, const QString &name, const QByteArray &whole, Created done);

private:
    void findPrincipal(const QList<QUrl> &candidates, int redirects);
    void findHomes(const QString &principal);
    void listHomes(QList<QUrl> homes);
    void makeEmpty(bool tasks, const QUrl &url, const QString &name, Created done);
    void checkUpload(bool tasks, const QUrl &url, const QString &name, Created done);
    /// What is at url is a collection of the kind wanted.
    void confirmKind(bool tasks, const QUrl &url, Created done);

    DavClient *m_client;
    std::function<void(const Found &)> m_done;
    Found m_found;
    /// A redirect to another server, not followed.
    DavFailure m_elsewhere;
    DavFailure m_lastFailure;
};
