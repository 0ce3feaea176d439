// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

/// What went wrong with a request, in plain words; empty when it went well.
struct DavFailure
{
    QString error;
    /// The server refused the user name or password.
    bool passwordRefused = false;

    bool failed() const { return !error.isEmpty(); }
};

/// An item of a collection as a listing names it: its path on the server and its ETag.
struct DavEntry
{
    QString href;
    QString etag;
};

/// What changed in a collection since a sync token, or all it holds.
struct DavListing
{
    DavFailure failure;
    /// The items added or changed since the token, or every item when complete.
    QList<DavEntry> present;
    /// Items removed since the token (never set when complete).
    QStringList removed;
    /// present is the whole collection: whatever it lacks is gone.
    bool complete = true;
    /// To ask for the changes since now; empty when the server keeps none.
    QString token;
};

struct DavItem
{
    QString href;
    QString etag;
    QByteArray data;
};

struct DavFetched
{
    DavFailure failure;
    /// The items found; one that is gone is left out.
    QList<DavItem> items;
};

struct DavWritten
{
    DavFailure failure;
    /// The HTTP status: 2xx written, 412 the condition failed, 404 gone; 0 when no answer came.
    int status = 0;
    /// The item's new ETag; empty when the server did not say.
    QString etag;

    bool ok() const { return status >= 200 && status < 300; }
};

/// A CalDAV or CardDAV collection's items, asked for asynchronously: each call answers once,
/// through its callback, from the event loop and never before it returns.
class DavServer
{
public:
    virtual ~DavServer() = default;

    /// The changes since token; all items (complete) when token is empty or the server no longer
    /// knows it.
    virtual void listChanges(const QUrl &collection, const QString &token,
                             std::function<void(const DavListing &)> done) = 0;
    /// The items at hrefs, with their ETags.
    virtual void fetch(const QUrl &collection, const QStringList &hrefs,
                       std::function<void(const DavFetched &)> done) = 0;
    /// Writes the item only where it still has the ETag ifMatch, or, with ifMatch empty, only
    /// where there is no item yet.
    virtual void put(const QString &href, const QByteArray &data, const QString &ifMatch,
                     std::function<void(const DavWritten &)> done) = 0;
    /// Removes the item only where it still has the ETag ifMatch.
    virtual void remove(const QString &href, const QString &ifMatch, std::function<void(const DavWritten &)> done) = 0;
};
