// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/contactrecord.h"
#include "core/document.h"
#include "core/todorecord.h"
#include "store/recordlistmodel.h"
#include "sync/collectionsync.h"
#include "sync/davclient.h"
#include "sync/syncsession.h"
#include "tests/support/fakes.h"
#include "tests/sync/radicaleserver.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTest>

namespace {

Record todo(const QString &subject)
{
    TodoRecord fields;
    fields.subject = subject;
    return {subject, fields.toTag()};
}

/// A plain HTTP request from another client; its status.
int request(const QByteArray &verb, const QUrl &url, const QByteArray &body = QByteArray())
{
    QNetworkAccessManager network;
    QNetworkRequest req(url);
    req.setRawHeader("Authorization", "Basic " + QByteArray(RadicaleServer::user).append(':').append(RadicaleServer::password).toBase64());
    req.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/calendar"));
    QNetworkReply *reply = network.sendCustomRequest(req, verb, body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    reply->deleteLater();
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

} // namespace

class TestRadicaleSync : public QObject
{
    Q_OBJECT
private slots:
    void syncsBothWaysWithARealServer()
    {
        RadicaleServer server;
        const QString problem = server.start();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QTemporaryDir data;
        FakeClock clock;
        FakeMessageBoxes messages;
        const Services services{&clock, nullptr, nullptr, &messages, nullptr, data.path(), data.path()};
        Document document(services);
        document.load();
        document.model(SectionId::Todos)->appendRecords({todo(QStringLiteral("Milk")), todo(QStringLiteral("Bread"))});
        ContactRecord ann;
        ann.firstName = QStringLiteral("Ann");
        ann.addresses = {QStringLiteral("ann@example.org")};
        document.model(SectionId::Contacts)->appendRecords({{QStringLiteral("Ann"), ann.toTag()}});

        SyncSession session(&document);
        session.setAccount({server.url(), QString::fromLatin1(RadicaleServer::user), {}, {}});
        session.setPassword(QString::fromLatin1(RadicaleServer::password));
        QSignalSpy finished(&session, &SyncSession::finished);
        // Asked twice while it runs: one more run follows, which finds nothing to do.
        session.syncNow();
        session.syncNow();
        QVERIFY(finished.wait(30000));
        SyncOutcome outcome = finished.takeFirst().first().value<SyncOutcome>();
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        QCOMPARE(outcome.summary, QStringLiteral("2 to-dos sent, 1 contact sent"));
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.takeFirst().first().value<SyncOutcome>().summary, QStringLiteral("Nothing changed"));
        const SyncAccount stored = SyncSession::storedAccount(data.path());
        QVERIFY(!stored.taskList.isEmpty() && !stored.addressBook.isEmpty());

        // Another client adds a to-do and removes one.
        const QByteArray item = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Elsewhere//EN\r\nBEGIN:VTODO\r\nUID:phone-1\r\n"
                                "DTSTAMP:20261201T000000Z\r\nSUMMARY:Call Bob\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
        QCOMPARE(request("PUT", stored.taskList.resolved(QUrl(QStringLiteral("phone-1.ics"))), item), 201);
        SyncState state(data.path());
        QVERIFY(state.open());
        const QString milk = state.collection(SectionId::Todos).items.value(
            TodoRecord::fromTag(document.model(SectionId::Todos)->records().first().tag).uid).href;
        QCOMPARE(request("DELETE", server.url(milk)), 200);

        session.syncNow();
        QVERIFY(finished.wait(30000));
        outcome = finished.takeFirst().first().value<SyncOutcome>();
        QCOMPARE(outcome.summary, QStringLiteral("1 to-do received, 1 to-do removed here"));
        QStringList captions;
        for (const Record &record : document.model(SectionId::Todos)->records())
            captions.append(record.caption);
        QCOMPARE(captions, QStringList({QStringLiteral("Bread"), QStringLiteral("Call Bob")}));
        // What arrived is the data file's only once it is saved.
        QCOMPARE(state.unkept(SectionId::Todos), QSet<QString>{QStringLiteral("phone-1")});
        QVERIFY(document.save());
        QVERIFY(state.unkept(SectionId::Todos).isEmpty());

        // Nothing changed: one request for each collection.
        DavClient client(stored.server, stored.user, QString::fromLatin1(RadicaleServer::password));
        client.setTaskList(stored.taskList);
        for (const SectionId section : {SectionId::Todos, SectionId::Contacts}) {
            CollectionSync sync(section, document.model(section), &client, &state,
                                section == SectionId::Todos ? stored.taskList : stored.addressBook);
            QEventLoop loop;
            sync.run([&loop](const DavFailure &) { loop.quit(); });
            loop.exec();
        }
        QCOMPARE(client.requests(), 2);
    }
};

QTEST_GUILESS_MAIN(TestRadicaleSync)
#include "tst_radicalesync.moc"
