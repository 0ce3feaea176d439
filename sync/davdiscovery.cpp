// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/davdiscovery.h"

#include "sync/davxml.h"

namespace {

constexpr int kMostRedirects = 5;

} // namespace

DavDiscovery::DavDiscovery(DavClient *client, QObject *parent)
    : QObject(parent), m_client(client)
{
}

void DavDiscovery::run(std::function<void(const Found &)> done)
{
    m_done = std::move(done);
    m_found = Found();
    m_elsewhere = DavFailure();
    findPrincipal({m_client->resolved(QStringLiteral("/.well-known/caldav")), m_client->resolved(QStringLiteral("/.well-known/carddav")),
                   m_client->server()},
                  0);
}

void DavDiscovery::findPrincipal(const QList<QUrl> &candidates, int redirects)
{
    if (candidates.isEmpty()) {
        m_found.failure = m_lastFailure.passwordRefused ? m_lastFailure
            : m_elsewhere.failed()                      ? m_elsewhere
                                                        : DavFailure{m_lastFailure.failed() && !m_lastFailure.error.contains(QLatin1String("unexpected"))
                             ? m_lastFailure.error
                             : QStringLiteral("No task lists or address books were found there: is it the address of a "
                                              "CalDAV or CardDAV server?"),
                         false};
        return m_done(m_found);
    }
    const QUrl url = candidates.first();
    m_client->send("PROPFIND", url, davxml::principalQuery(), {{"Depth", "0"}}, [this, candidates, redirects](const DavClient::Reply &reply) {
        QList<QUrl> rest = candidates.mid(1);
        if (reply.status >= 300 && reply.status < 400 && reply.location.isValid() && redirects < kMostRedirects) {
            if (m_client->isOwnServer(reply.location)) {
                rest.prepend(reply.location);
                return findPrincipal(rest, redirects + 1);
            }
            // Somewhere else: the password stays here, and the user is told where to look.
            QUrl elsewhere = reply.location.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment);
            m_elsewhere = {QStringLiteral("The server sends Quillet on to %1: enter that address instead.")
                                 .arg(elsewhere.toString()),
                             false};
            return findPrincipal(rest, redirects);
        }
        if (reply.status == 207) {
            const davxml::Multistatus answer = davxml::parse(reply.body);
            for (const davxml::Response &response : answer.responses) {
                const QStringList hrefs = response.properties.value(davxml::dav("current-user-principal")).hrefs;
                if (!hrefs.isEmpty())
                    return findHomes(hrefs.first());
            }
        }
        m_lastFailure = reply.status == 207 ? DavFailure() : m_client->failureOf(reply);
        if (m_lastFailure.passwordRefused)
            rest.clear();
        findPrincipal(rest, redirects);
    });
}

void DavDiscovery::findHomes(const QString &principal)
{
    m_client->send("PROPFIND", m_client->resolved(principal), davxml::homeSetQuery(), {{"Depth", "0"}},
                   [this, principal](const DavClient::Reply &reply) {
                       if (reply.status != 207) {
                           m_found.failure = m_client->failureOf(reply);
                           return m_done(m_found);
                       }
                       const davxml::Multistatus answer = davxml::parse(reply.body);
                       for (const davxml::Response &response : answer.responses) {
                           const QStringList tasks = response.properties.value(davxml::caldav("calendar-home-set")).hrefs;
                           const QStringList cards = response.properties.value(davxml::carddav("addressbook-home-set")).hrefs;
                           if (!tasks.isEmpty() && m_found.taskHome.isEmpty())
                               m_found.taskHome = m_client->resolved(tasks.first());
                           if (!cards.isEmpty() && m_found.addressHome.isEmpty())
                               m_found.addressHome = m_client->resolved(cards.first());
                       }
                       // A server that names no home keeps the collections under the principal.
                       if (m_found.taskHome.isEmpty())
                           m_found.taskHome = m_client->resolved(principal);
                       if (m_found.addressHome.isEmpty())
                           m_found.addressHome = m_client->resolved(principal);
                       QList<QUrl> homes{m_found.taskHome};
                       if (m_found.addressHome != m_found.taskHome)
                           homes.append(m_found.addressHome);
                       listHomes(homes);
                   });
}

void DavDiscovery::listHomes(QList<QUrl> homes)
{
    if (homes.isEmpty())
        return m_done(m_found);
    const QUrl home = homes.takeFirst();
    m_client->send("PROPFIND", home, davxml::collectionQuery(), {{"Depth", "1"}}, [this, homes, home](const DavClient::Reply &reply) {
        if (reply.status != 207) {
            m_found.failure = m_client->failureOf(reply);
            return m_done(m_found);
        }
        const davxml::Multistatus answer = davxml::parse(reply.body);
        for (const davxml::Response &response : answer.responses) {
            const davxml::Property type = response.properties.value(davxml::dav("resourcetype"));
            const QString name = response.properties.value(davxml::dav("displayname")).text.trimmed();
            const QUrl url = m_client->resolved(response.href);
            if (type.children.contains(davxml::caldav("calendar"))) {
                const QStringList kinds = response.properties.value(davxml::caldav("supported-calendar-component-set")).names;
                if (kinds.isEmpty() || kinds.contains(QLatin1String("VTODO"), Qt::CaseInsensitive))
                    m_found.collections.append({url, name, true});
            } else if (type.children.contains(davxml::carddav("addressbook"))) {
                m_found.collections.append({url, name, false});
            }
        }
        listHomes(homes);
    });
}

void DavDiscovery::create(bool tasks, const QUrl &home, const QString &name, const QByteArray &whole, Created done)
{
    QUrl url = home;
    QString path = home.path();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    url.setPath(path + (tasks ? QStringLiteral("quillet-tasks/") : QStringLiteral("quillet-contacts/")));
    if (whole.isEmpty())
        return makeEmpty(tasks, url, name, std::move(done));
    // Only where nothing is yet; whatever else answers, the collection is made the standard way.
    const QByteArray type = tasks ? "text/calendar; charset=utf-8" : "text/vcard; charset=utf-8";
    m_client->send("PUT", url, whole, {{"Content-Type", type}, {"If-None-Match", "*"}},
                   [this, tasks, url, name, done = std::move(done)](const DavClient::Reply &reply) {
                       if (reply.failure.passwordRefused)
                           return done(QUrl(), reply.failure, false);
                       if (reply.status == 201)
                           return checkUpload(tasks, url, name, done);
                       makeEmpty(tasks, url, name, done);
                   });
}

void DavDiscovery::checkUpload(bool tasks, const QUrl &url, const QString &name, Created done)
{
    // A server may have stored the upload as one plain file: then it goes, and a collection is
    // made in its place.
    m_client->send("PROPFIND", url, davxml::collectionQuery(), {{"Depth", "0"}},
                   [this, tasks, url, name, done = std::move(done)](const DavClient::Reply &reply) {
                       const davxml::Multistatus answer = davxml::parse(reply.body);
                       const QString kind = tasks ? davxml::caldav("calendar") : davxml::carddav("addressbook");
                       for (const davxml::Response &response : answer.responses) {
                           if (response.properties.value(davxml::dav("resourcetype")).children.contains(kind))
                               return done(url, {}, true);
                       }
                       m_client->send("DELETE", url, QByteArray(), {}, [this, tasks, url, name, done](const DavClient::Reply &) {
                           makeEmpty(tasks, url, name, done);
                       });
                   });
}

void DavDiscovery::makeEmpty(bool tasks, const QUrl &url, const QString &name, Created done)
{
    m_client->send(tasks ? "MKCALENDAR" : "MKCOL", url, tasks ? davxml::makeTaskList(name) : davxml::makeAddressBook(name), {},
                   [this, tasks, url, done = std::move(done)](const DavClient::Reply &reply) {
                       if (reply.status >= 200 && reply.status < 300)
                           done(url, {}, false);
                       else if (reply.status == 405)
                           confirmKind(tasks, url, done); // something is there: an earlier run's, or not
                       else
                           done(QUrl(), m_client->failureOf(reply), false);
                   });
}

void DavDiscovery::confirmKind(bool tasks, const QUrl &url, Created done)
{
    m_client->send("PROPFIND", url, davxml::collectionQuery(), {{"Depth", "0"}},
                   [tasks, url, done = std::move(done)](const DavClient::Reply &reply) {
                       const QString kind = tasks ? davxml::caldav("calendar") : davxml::carddav("addressbook");
                       for (const davxml::Response &response : davxml::parse(reply.body).responses) {
                           if (response.properties.value(davxml::dav("resourcetype")).children.contains(kind))
                               return done(url, {}, false);
                       }
                       done(QUrl(),
                            {QStringLiteral("The server holds something else where Quillet's %1 would go (%2).")
                                 .arg(tasks ? QStringLiteral("task list") : QStringLiteral("address book"), url.path()),
                             false},
                            false);
                   });
}
