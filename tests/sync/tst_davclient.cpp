// SPDX-License-Identifier: GPL-3.0-or-later
// The HTTP side of the sync against a server that answers what each case scripts: lists cut
// short, item paths that leave the collection, answers no one asked for, and where the password
// goes.
#include "sync/davclient.h"

#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

/// Answers each request on loopback with the next scripted multistatus body, and keeps what it
/// was sent.
class ScriptedServer : public QTcpServer
{
public:
    QList<QByteArray> answers;
    QList<QByteArray> requests;

    ScriptedServer()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
        });
    }
    QUrl url(const QString &path) const { return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path)); }

private:
    QHash<QTcpSocket *, QByteArray> m_pending;

    void read(QTcpSocket *socket)
    {
        QByteArray &request = m_pending[socket];
        request += socket->readAll();
        const qsizetype headerEnd = request.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        const qsizetype lengthAt = request.toLower().indexOf("content-length:");
        const int length = lengthAt < 0 ? 0 : request.mid(lengthAt + 15, request.indexOf("\r\n", lengthAt) - lengthAt - 15).trimmed().toInt();
        if (request.size() < headerEnd + 4 + length)
            return;
        requests.append(request);
        request.clear();
        const QByteArray body = answers.isEmpty() ? QByteArray() : answers.takeFirst();
        socket->write("HTTP/1.1 207 Multi-Status\r\nContent-Type: application/xml\r\nContent-Length: "
                      + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    }
};

QByteArray multistatus(const QByteArray &responses, const QByteArray &token = {})
{
    return "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">" + responses
        + (token.isEmpty() ? QByteArray() : "<d:sync-token>" + token + "</d:sync-token>") + "</d:multistatus>";
}

QByteArray item(const QByteArray &href, const QByteArray &etag, const QByteArray &data = {})
{
    return "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop><d:getetag>" + etag + "</d:getetag>"
        + (data.isEmpty() ? QByteArray() : "<c:calendar-data>" + data + "</c:calendar-data>")
        + "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
}

/// What an asynchronous call of the client hands to its callback, once the event loop brings it.
template<typename Answer, typename Call>
Answer awaited(Call call)
{
    Answer answer;
    QEventLoop loop;
    call([&](const Answer &got) {
        answer = got;
        loop.quit();
    });
    loop.exec();
    return answer;
}

QStringList hrefs(const QList<DavEntry> &entries)
{
    QStringList all;
    for (const DavEntry &entry : entries)
        all.append(entry.href);
    all.sort();
    return all;
}

} // namespace

class TestDavClient : public QObject
{
    Q_OBJECT
private slots:
    // A list the server cuts short is followed with the token it gave, to the end.
    void cutShortListIsFollowed()
    {
        ScriptedServer server;
        server.answers = {multistatus(item("/u/tasks/a.ics", "\"1\"")
                                          + "<d:response><d:href>/u/tasks/</d:href><d:status>HTTP/1.1 507 Insufficient "
                                            "Storage</d:status></d:response>",
                                      "t1"),
                          multistatus(item("/u/tasks/b.ics", "\"2\""), "t2")};
        const QUrl tasks = server.url(QStringLiteral("/u/tasks/"));
        DavClient client(server.url(QStringLiteral("/")), QStringLiteral("u"), QStringLiteral("p"));
        const auto listing = awaited<DavListing>([&](const auto &done) { client.listChanges(tasks, QString(), done); });
        QVERIFY(!listing.failure.failed());
        QVERIFY(listing.complete);
        QCOMPARE(hrefs(listing.present), QStringList({"/u/tasks/a.ics", "/u/tasks/b.ics"}));
        QCOMPARE(listing.token, QStringLiteral("t2"));
        QCOMPARE(server.requests.size(), 2);
        QVERIFY(server.requests[1].contains("t1"));
    }

    // Only the collection's own items, and only those asked for, are taken from an answer.
    void itemsOutsideTheCollectionAreIgnored()
    {
        ScriptedServer server;
        const QByteArray strays = item("/u/tasks/../other/x.ics", "\"1\"", "X") + item("/elsewhere/y.ics", "\"2\"", "X")
            + item("/u/tasks/deeper/z.ics", "\"3\"", "X") + item("/u/tasks/ok.ics", "\"4\"", "X");
        server.answers = {multistatus(strays, "t1"), multistatus(strays + item("/u/tasks/unasked.ics", "\"5\"", "X"))};
        const QUrl tasks = server.url(QStringLiteral("/u/tasks/"));
        DavClient client(server.url(QStringLiteral("/")), QStringLiteral("u"), QStringLiteral("p"));
        client.setTaskList(tasks);
        const auto listing = awaited<DavListing>([&](const auto &done) { client.listChanges(tasks, QString(), done); });
        QCOMPARE(hrefs(listing.present), QStringList({"/u/tasks/ok.ics"}));
        const auto fetched =
            awaited<DavFetched>([&](const auto &done) { client.fetch(tasks, {QStringLiteral("/u/tasks/ok.ics")}, done); });
        QCOMPARE(fetched.items.size(), 1);
        QCOMPARE(fetched.items.first().href, QStringLiteral("/u/tasks/ok.ics"));
    }

    // The password goes to the server the user named, never to another one.
    void passwordStaysWithItsServer()
    {
        ScriptedServer named;
        ScriptedServer other;
        DavClient client(named.url(QStringLiteral("/")), QStringLiteral("u"), QStringLiteral("p"));
        for (const ScriptedServer *server : {&named, &other})
            awaited<DavClient::Reply>([&](const auto &done) { client.send("PROPFIND", server->url(QStringLiteral("/")), {}, {}, done); });
        QVERIFY(named.requests.first().contains("Authorization: Basic"));
        QVERIFY(!other.requests.first().contains("Authorization"));
    }
};

QTEST_GUILESS_MAIN(TestDavClient)
#include "tst_davclient.moc"
