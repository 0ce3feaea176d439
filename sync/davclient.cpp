// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/davclient.h"

#include "sync/davxml.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSet>

#include <memory>

namespace {

/// A server that does not answer within this is given up on; the next sync tries again.
constexpr int kTimeoutMs = 60000;
/// Items asked for at once in a multiget.
constexpr int kBatch = 100;
/// No answer of a task list or address book comes near this; a server that keeps sending is cut off.
constexpr qint64 kLargestAnswer = 256 * 1024 * 1024;
/// Pages of a change list a server cuts short (507) followed before giving up.
constexpr int kMostPages = 1000;

bool isSuccess(int status)
{
    return status >= 200 && status < 300;
}

/// An item the server names is one of the collection's own, directly inside it: a path that
/// climbs out of it ("..") or points elsewhere is never written to or removed.
bool insideCollection(const QString &href, const QUrl &collection)
{
    QString base = collection.path();
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return href.size() > base.size() && href.startsWith(base) && QDir::cleanPath(href) == href
        && !href.mid(base.size()).contains(QLatin1Char('/'));
}

bool isCollectionItself(const QString &href, const QUrl &collection)
{
    QString self = collection.path();
    if (self.endsWith(QLatin1Char('/')))
        self.chop(1);
    return href == self || href == self + QLatin1Char('/');
}

} // namespace

DavClient::DavClient(const QUrl &server, const QString &user, const QString &password, QObject *parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this)), m_server(server)
{
    m_server.setUserInfo(QString());
    if (!user.isEmpty())
        m_authorization = "Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64();
}

DavClient::~DavClient() = default;

bool DavClient::isOwnServer(const QUrl &url) const
{
    const auto port = [](const QUrl &of) { return of.port(of.scheme() == QLatin1String("https") ? 443 : 80); };
    return url.scheme() == m_server.scheme() && url.host().compare(m_server.host(), Qt::CaseInsensitive) == 0
        && port(url) == port(m_server);
}

QUrl DavClient::resolved(const QString &path) const
{
    QUrl url = m_server;
    url.setPath(path);
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

void DavClient::send(const QByteArray &verb, const QUrl &url, const QByteArray &body, const Headers &headers,
                     std::function<void(const Reply &)> done)
{
    ++m_requests;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(kTimeoutMs);
    // The password goes only to the server the user named, never to where a redirect points.
    if (!m_authorization.isEmpty() && isOwnServer(url))
        request.setRawHeader("Authorization", m_authorization);
    if (!body.isEmpty() && !body.startsWith("BEGIN:"))
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/xml; charset=utf-8"));
    for (const auto &[name, value] : headers)
        request.setRawHeader(name, value);
    QNetworkReply *reply = m_network->sendCustomRequest(request, verb, body);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received) {
        if (received > kLargestAnswer)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [reply, done = std::move(done)] {
        reply->deleteLater();
        Reply answer;
        answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        answer.body = reply->readAll();
        answer.etag = QString::fromUtf8(reply->rawHeader("ETag"));
        const QUrl location = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
        if (location.isValid())
            answer.location = reply->url().resolved(location);
        if (answer.status == 401 || reply->error() == QNetworkReply::AuthenticationRequiredError) {
            answer.status = 401;
            answer.failure = {QStringLiteral("The server did not accept the user name or password."), true};
        } else if (reply->error() == QNetworkReply::OperationCanceledError) {
            answer.status = 0;
            answer.body.clear();
            answer.failure = {QStringLiteral("The server at %1 sent far more than a task list or address book holds.")
                                  .arg(reply->url().host()),
                              false};
        } else if (answer.status == 0) {
            answer.failure = {QStringLiteral("The server at %1 could not be reached (%2).")
                                  .arg(reply->url().host(), reply->errorString()),
                              false};
        }
        done(answer);
    });
}

DavFailure DavClient::failureOf(const Reply &reply) const
{
    if (reply.failure.failed())
        return reply.failure;
    if (reply.status == 403)
        return {QStringLiteral("The server does not allow this account to use that task list or address book."), false};
    if (reply.status == 404)
        return {QStringLiteral("The task list or address book is no longer on the server."), false};
    if (reply.status >= 500)
        return {QStringLiteral("The server had a problem (error %1); the next sync tries again.").arg(reply.status), false};
    return {QStringLiteral("The server gave an unexpected answer (%1).").arg(reply.status), false};
}

void DavClient::listChanges(const QUrl &collection, const QString &token, std::function<void(const DavListing &)> done)
{
    if (m_noSyncReport)
        return listAll(collection, std::move(done));
    DavListing sofar;
    sofar.complete = token.isEmpty();
    listChangesFrom(collection, token, sofar, 0, std::move(done));
}

void DavClient::listChangesFrom(const QUrl &collection, const QString &token, const DavListing &sofar, int page,
                                std::function<void(const DavListing &)> done)
{
    send("REPORT", collection, davxml::syncCollection(token), {{"Depth", "0"}},
         [this, collection, token, sofar, page, done = std::move(done)](const Reply &reply) {
             if (reply.failure.failed())
                 return done({reply.failure, {}, {}, true, {}});
             if (page == 0 && !token.isEmpty()
                 && (reply.status == 403 || reply.status == 409 || reply.status == 400 || reply.status == 412)) {
                 // The server no longer knows the token: start over from everything.
                 return listChanges(collection, QString(), done);
             }
             if (reply.status != 207) {
                 if (page > 0 || reply.status == 404 || reply.status >= 500)
                     return done({failureOf(reply), {}, {}, true, {}});
                 m_noSyncReport = true;
                 return listAll(collection, done);
             }
             const davxml::Multistatus answer = davxml::parse(reply.body);
             if (!answer.ok)
                 return done({{QStringLiteral("The server's list of changes could not be read."), false}, {}, {}, true, {}});
             DavListing listing = sofar;
             listing.token = answer.syncToken;
             bool cutShort = false;
             QList<DavEntry> present;
             QStringList removed;
             QSet<QString> named;
             for (const davxml::Response &item : answer.responses) {
                 if (isCollectionItself(item.href, collection)) {
                     // The list is cut short: the rest comes with the token it gave.
                     cutShort = cutShort || item.status == 507;
                     continue;
                 }
                 if (!insideCollection(item.href, collection))
                     continue;
                 named.insert(item.href);
                 if (item.status == 404) {
                     if (!listing.complete)
                         removed.append(item.href);
                 } else {
                     present.append({item.href, item.properties.value(davxml::dav("getetag")).text});
                 }
             }
             // A later page says the last word on an item an earlier one named.
             if (page > 0) {
                 listing.present.removeIf([&named](const DavEntry &entry) { return named.contains(entry.href); });
                 listing.removed.removeIf([&named](const QString &href) { return named.contains(href); });
             }
             listing.present += present;
             listing.removed += removed;
             if (cutShort) {
                 if (answer.syncToken.isEmpty() || answer.syncToken == token || page + 1 >= kMostPages)
                     return done({{QStringLiteral("The server's list of changes stopped short; the next sync tries again."), false},
                                  {}, {}, true, {}});
                 return listChangesFrom(collection, answer.syncToken, listing, page + 1, done);
             }
             done(listing);
         });
}

void DavClient::listAll(const QUrl &collection, std::function<void(const DavListing &)> done)
{
    send("PROPFIND", collection, davxml::etagQuery(), {{"Depth", "1"}}, [this, collection, done = std::move(done)](const Reply &reply) {
        if (reply.status != 207)
            return done({failureOf(reply), {}, {}, true, {}});
        const davxml::Multistatus answer = davxml::parse(reply.body);
        if (!answer.ok)
            return done({{QStringLiteral("The server's list of items could not be read."), false}, {}, {}, true, {}});
        DavListing listing;
        for (const davxml::Response &item : answer.responses) {
            if (!insideCollection(item.href, collection))
                continue;
            listing.present.append({item.href, item.properties.value(davxml::dav("getetag")).text});
        }
        done(listing);
    });
}

void DavClient::fetch(const QUrl &collection, const QStringList &hrefs, std::function<void(const DavFetched &)> done)
{
    const bool tasks = collection == m_taskList;
    struct Gathering
    {
        DavFetched fetched;
        int waiting = 0;
        std::function<void(const DavFetched &)> done;
    };
    auto gathering = std::make_shared<Gathering>();
    gathering->done = std::move(done);
    gathering->waiting = int((hrefs.size() + kBatch - 1) / kBatch);
    const QString data = tasks ? davxml::caldav("calendar-data") : davxml::carddav("address-data");
    for (qsizetype start = 0; start < hrefs.size(); start += kBatch) {
        const QStringList batch = hrefs.mid(start, kBatch);
        send("REPORT", collection, davxml::multiget(tasks, batch), {{"Depth", "1"}},
             [this, gathering, data, batch](const Reply &reply) {
                 DavFetched &fetched = gathering->fetched;
                 if (reply.status != 207 && !fetched.failure.failed())
                     fetched.failure = failureOf(reply);
                 const davxml::Multistatus answer = davxml::parse(reply.body);
                 for (const davxml::Response &item : answer.responses) {
                     const auto found = item.properties.constFind(data);
                     // Only what was asked for: an answer cannot slip in an item of its choosing.
                     if (found != item.properties.constEnd() && (item.status == 0 || isSuccess(item.status))
                         && batch.contains(item.href)) {
                         fetched.items.append({item.href, item.properties.value(davxml::dav("getetag")).text,
                                               found->text.toUtf8()});
                     }
                 }
                 if (--gathering->waiting == 0)
                     gathering->done(fetched);
             });
    }
}

DavWritten DavClient::writtenOf(const Reply &reply) const
{
    DavWritten written;
    written.status = reply.status;
    written.etag = reply.etag;
    if (!isSuccess(reply.status) && reply.status != 412 && reply.status != 404)
        written.failure = failureOf(reply);
    return written;
}

void DavClient::put(const QString &href, const QByteArray &data, const QString &ifMatch,
                    std::function<void(const DavWritten &)> done)
{
    Headers headers{{"Content-Type", data.startsWith("BEGIN:VCARD") ? "text/vcard; charset=utf-8"
                                                                     : "text/calendar; charset=utf-8"}};
    if (ifMatch.isEmpty())
        headers.append(qMakePair(QByteArray("If-None-Match"), QByteArray("*")));
    else
        headers.append(qMakePair(QByteArray("If-Match"), ifMatch.toUtf8()));
    send("PUT", resolved(href), data, headers, [this, done = std::move(done)](const Reply &reply) { done(writtenOf(reply)); });
}

void DavClient::remove(const QString &href, const QString &ifMatch, std::function<void(const DavWritten &)> done)
{
    Headers headers;
    if (!ifMatch.isEmpty())
        headers.append(qMakePair(QByteArray("If-Match"), ifMatch.toUtf8()));
    send("DELETE", resolved(href), QByteArray(), headers, [this, done = std::move(done)](const Reply &reply) { done(writtenOf(reply)); });
}
