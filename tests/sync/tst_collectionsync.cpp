// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/contactrecord.h"
#include "core/recordedits.h"
#include "core/todorecord.h"
#include "store/recordlistmodel.h"
#include "sync/collectionsync.h"
#include "sync/syncitems.h"
#include "tests/sync/fakedavserver.h"

#include <QEventLoop>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

namespace {

const QUrl collection(QStringLiteral("http://127.0.0.1/user/tasks/"));

Record todo(const QString &subject, const QString &description = QString())
{
    TodoRecord fields;
    fields.subject = subject;
    fields.description = description;
    return {subject, fields.toTag()};
}

Record contact(const QString &name, const QString &title = QString())
{
    ContactRecord fields;
    fields.firstName = name;
    fields.title = title;
    fields.addresses = {name.toLower() + QStringLiteral("@example.org")};
    return {name, fields.toTag()};
}

/// One computer: its own records and its own sync state.
struct Device
{
    SectionId section = SectionId::Todos;
    QTemporaryDir folder;
    RecordListModel model;
    QUndoStack history;
    SyncCounts counts;
    DavFailure failure;
    /// What came from the server while this program runs; a restart forgets it.
    QSet<QString> arrived;
    /// What the data file holds.
    QList<Record> file;

    Record make(const QString &name, const QString &detail = QString()) const
    {
        return section == SectionId::Todos ? todo(name, detail) : contact(name, detail);
    }
    void add(const QString &name) { model.appendRecords({make(name)}); }
    int row(const QString &caption) const
    {
        for (int i = 0; i < model.count(); ++i) {
            if (model.caption(i) == caption)
                return i;
        }
        return -1;
    }
    /// Gives the record a new detail (a to-do's description, a contact's title), UID kept.
    void edit(const QString &caption, const QString &detail)
    {
        const int at = row(caption);
        const QString uid = syncitems::uidOf(section, model.records()[at]);
        model.setTag(at, syncitems::withUid(section, make(caption, detail), uid).tag);
    }
    QString detail(const QString &caption) const
    {
        const QString tag = model.tag(row(caption));
        return section == SectionId::Todos ? TodoRecord::fromTag(tag).description : ContactRecord::fromTag(tag).title;
    }
    QStringList captions() const
    {
        QStringList all;
        for (const Record &record : model.records())
            all.append(record.caption);
        all.sort();
        return all;
    }
    bool sync(DavServer &server)
    {
        SyncState state(folder.path());
        if (!state.open())
            return false;
        CollectionSync run(section, &model, &server, &state, collection);
        run.setArrivedEarlier(arrived);
        run.setHistory(&history);
        QEventLoop loop;
        run.run([this, &loop](const DavFailure &f) {
            failure = f;
            loop.quit();
        });
        loop.exec();
        counts = run.counts();
        arrived = run.arrived();
        return !failure.failed();
    }
    /// The data file holds the records now, as the session marks a save.
    bool save()
    {
        file = model.records();
        SyncState state(folder.path());
        QSet<QString> kept = arrived;
        for (const Record &record : model.records())
            kept.insert(syncitems::uidOf(section, record));
        return state.open() && state.markKept(section, kept);
    }
    /// Ends without a save and starts again with what the data file holds.
    void crash()
    {
        arrived.clear();
        clear();
        model.appendRecords(file);
    }
    void clear()
    {
        while (model.count() > 0)
            model.removeRecord(0);
    }
};

QString marked(const QString &caption)
{
    return caption + QLatin1Char(' ') + syncitems::conflictMark;
}

} // namespace

class TestCollectionSync : public QObject
{
    Q_OBJECT
private slots:
    void firstSyncBothWays_data()
    {
        QTest::addColumn<SectionId>("section");
        QTest::newRow("to-dos") << SectionId::Todos;
        QTest::newRow("contacts") << SectionId::Contacts;
    }
    void firstSyncBothWays()
    {
        QFETCH(SectionId, section);
        FakeDavServer server;
        Device a, b;
        a.section = b.section = section;
        a.add(QStringLiteral("Milk"));
        a.add(QStringLiteral("Bread"));
        b.add(QStringLiteral("Tea"));
        QVERIFY(a.sync(server) && b.sync(server) && a.sync(server));
        QCOMPARE(a.captions(), QStringList({QStringLiteral("Bread"), QStringLiteral("Milk"), QStringLiteral("Tea")}));
        QCOMPARE(b.captions(), a.captions());
        QCOMPARE(server.items.size(), 3);
        // Nothing changed: one listing, nothing fetched or written.
        const int before = server.requests;
        QVERIFY(a.sync(server));
        QCOMPARE(server.requests - before, 1);
        QCOMPARE(a.counts.received + a.counts.sent + a.counts.removedHere + a.counts.removedThere, 0);
    }

    void changesTravelBothWays()
    {
        FakeDavServer server;
        Device a, b;
        for (const char *name : {"Milk", "Bread", "Tea"})
            a.add(QString::fromLatin1(name));
        QVERIFY(a.sync(server) && b.sync(server));
        a.edit(QStringLiteral("Milk"), QStringLiteral("two litres"));
        a.model.removeRecord(a.row(QStringLiteral("Bread")));
        b.add(QStringLiteral("Jam"));
        b.edit(QStringLiteral("Tea"), QStringLiteral("green"));
        QVERIFY(a.sync(server) && b.sync(server) && a.sync(server));
        QCOMPARE(a.captions(), QStringList({QStringLiteral("Jam"), QStringLiteral("Milk"), QStringLiteral("Tea")}));
        QCOMPARE(b.captions(), a.captions());
        QCOMPARE(b.detail(QStringLiteral("Milk")), QStringLiteral("two litres"));
        QCOMPARE(a.detail(QStringLiteral("Tea")), QStringLiteral("green"));
        QCOMPARE(server.items.size(), 3);
    }

    void conflictKeepsBothVersions_data()
    {
        QTest::addColumn<bool>("betweenListingAndWrite");
        QTest::newRow("changed on both devices") << false;
        QTest::newRow("written between A's listing and A's write") << true; // A's If-Match fails
    }
    void conflictKeepsBothVersions()
    {
        QFETCH(bool, betweenListingAndWrite);
        FakeDavServer server;
        Device a, b;
        a.add(QStringLiteral("Milk"));
        QVERIFY(a.sync(server) && b.sync(server));
        const Record theirs = syncitems::withUid(SectionId::Todos, todo(QStringLiteral("Milk"), QStringLiteral("there")),
                                                 syncitems::uidOf(SectionId::Todos, a.model.records().first()));
        a.edit(QStringLiteral("Milk"), QStringLiteral("here"));
        bool written = !betweenListingAndWrite;
        server.beforeWrite = [&server, &written, theirs](const QString &href) {
            if (!std::exchange(written, true))
                server.store(href, syncitems::itemText(SectionId::Todos, theirs, QDateTime::currentDateTimeUtc()));
        };
        if (!betweenListingAndWrite) {
            b.edit(QStringLiteral("Milk"), QStringLiteral("there"));
            QVERIFY(b.sync(server));
        }
        QVERIFY(a.sync(server));
        QCOMPARE(a.counts.conflicts, 1);
        QCOMPARE(a.captions(), QStringList({QStringLiteral("Milk"), marked(QStringLiteral("Milk"))}));
        QCOMPARE(a.detail(QStringLiteral("Milk")), QStringLiteral("here"));
        QCOMPARE(a.detail(marked(QStringLiteral("Milk"))), QStringLiteral("there"));
        QVERIFY(b.sync(server));
        QCOMPARE(b.captions(), a.captions());
        QCOMPARE(b.detail(QStringLiteral("Milk")), QStringLiteral("here"));
        QCOMPARE(server.items.size(), 2);
        // Settled: the next syncs find nothing to do.
        QVERIFY(a.sync(server) && b.sync(server));
        QCOMPARE(a.counts.conflicts + a.counts.sent + a.counts.received, 0);
    }

    void deletionMeetsChange()
    {
        FakeDavServer server;
        Device a, b;
        a.add(QStringLiteral("Milk"));
        a.add(QStringLiteral("Tea"));
        QVERIFY(a.sync(server) && b.sync(server));
        // Changed here, deleted there: it goes back to the server, once.
        b.model.removeRecord(b.row(QStringLiteral("Milk")));
        a.edit(QStringLiteral("Milk"), QStringLiteral("kept"));
        // Deleted here, changed there: it comes back here.
        a.model.removeRecord(a.row(QStringLiteral("Tea")));
        b.edit(QStringLiteral("Tea"), QStringLiteral("kept too"));
        QVERIFY(b.sync(server));
        const int before = server.requests;
        QVERIFY(a.sync(server));
        QVERIFY(server.requests - before <= 3);
        QVERIFY(b.sync(server));
        for (Device *device : {&a, &b}) {
            QCOMPARE(device->captions(), QStringList({QStringLiteral("Milk"), QStringLiteral("Tea")}));
            QCOMPARE(device->detail(QStringLiteral("Milk")), QStringLiteral("kept"));
            QCOMPARE(device->detail(QStringLiteral("Tea")), QStringLiteral("kept too"));
        }
    }

    void removalOnTheServerKeepsTheHistoryRight()
    {
        FakeDavServer server;
        Device a, b;
        for (const char *name : {"Milk", "Bread", "Tea"})
            a.add(QString::fromLatin1(name));
        QVERIFY(a.sync(server) && b.sync(server));
        RecordEdits edits(&a.model, &a.history);
        QVERIFY(edits.change(2, QStringLiteral("Rename"), [&] {
            a.model.setCaption(2, QStringLiteral("Green tea"));
            return true;
        }));
        b.model.removeRecord(b.row(QStringLiteral("Milk")));
        QVERIFY(b.sync(server) && a.sync(server));
        QCOMPARE(a.captions(), QStringList({QStringLiteral("Bread"), QStringLiteral("Green tea")}));
        // Each undo takes back its own step on its own record.
        a.history.undo();
        QCOMPARE(a.model.caption(0), QStringLiteral("Milk"));
        a.history.undo();
        QCOMPARE(a.model.caption(2), QStringLiteral("Tea"));
        QCOMPARE(a.model.caption(1), QStringLiteral("Bread"));
    }

    // A change made here goes to the server with what other programs keep in the item.
    void whatOtherProgramsKeepStays_data()
    {
        QTest::addColumn<SectionId>("section");
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<QByteArrayList>("kept");
        QTest::addColumn<QByteArrayList>("gone");
        QTest::newRow("to-do") << SectionId::Todos
                               << QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VTODO\r\n"
                                             "UID:phone-1\r\nDTSTAMP:20261201T100000Z\r\nSUMMARY:Milk\r\n"
                                             "DESCRIPTION:old\r\nDUE;VALUE=DATE:20261224\r\nCATEGORIES:Shopping\r\n"
                                             "END:VTODO\r\nEND:VCALENDAR\r\n")
                               << QByteArrayList{"CATEGORIES:Shopping", "DUE;VALUE=DATE:20261224", "DESCRIPTION:two litres"}
                               << QByteArrayList{"DESCRIPTION:old"};
        QTest::newRow("card 3.0") << SectionId::Contacts
                                  << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:phone-2\r\nFN:Milk\r\nN:;Milk;;;\r\n"
                                                "TEL;TYPE=CELL:+1 555 0100\r\nPHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQ\r\n"
                                                " SkZJRg==\r\nitem1.EMAIL;TYPE=pref:old@example.org\r\n"
                                                "item1.X-ABLabel:work\r\nEND:VCARD\r\n")
                                  << QByteArrayList{"VERSION:3.0", "TEL;TYPE=CELL:+1 555 0100", "/9j/4AAQ\r\n SkZJRg==",
                                                    "TITLE:two litres", "EMAIL:milk@example.org"}
                                  << QByteArrayList{"VERSION:4.0", "old@example.org", "X-ABLabel"};
        QTest::newRow("card 2.1") << SectionId::Contacts
                                  << QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\nUID:phone-3\r\nFN:Milk\r\nN:;Milk;;;\r\n"
                                                "NOTE;ENCODING=QUOTED-PRINTABLE:one=0D=0A=\r\ntwo\r\nEND:VCARD\r\n")
                                  << QByteArrayList{"VERSION:2.1", "NOTE;ENCODING=QUOTED-PRINTABLE:one=0D=0A=\r\ntwo",
                                                    "TITLE:two litres"}
                                  << QByteArrayList{"VERSION:4.0"};
    }
    void whatOtherProgramsKeepStays()
    {
        QFETCH(SectionId, section);
        QFETCH(QByteArray, item);
        FakeDavServer server;
        const QString href = collection.path() + QStringLiteral("phone");
        server.store(href, item);
        Device a, b;
        a.section = b.section = section;
        QVERIFY(a.sync(server) && b.sync(server));
        a.edit(QStringLiteral("Milk"), QStringLiteral("two litres"));
        QVERIFY(a.sync(server));
        const QByteArray there = server.items[href].data;
        QFETCH(QByteArrayList, kept);
        for (const QByteArray &text : std::as_const(kept))
            QVERIFY2(there.contains(text), there.constData());
        QFETCH(QByteArrayList, gone);
        for (const QByteArray &text : std::as_const(gone))
            QVERIFY2(!there.contains(text), there.constData());
        // What it reads back as is what was sent: nothing more to do on either side.
        QVERIFY(a.sync(server));
        QCOMPARE(a.counts.sent + a.counts.received + a.counts.conflicts, 0);
        QVERIFY(b.sync(server));
        QCOMPARE(b.detail(QStringLiteral("Milk")), QStringLiteral("two litres"));
    }

    void lostEtagsAreComparedByContent()
    {
        FakeDavServer server;
        server.givesEtags = false;
        server.keepsTokens = false;
        Device a, b;
        a.add(QStringLiteral("Milk"));
        QVERIFY(a.sync(server));
        QVERIFY2(a.sync(server), qPrintable(a.failure.error));
        QCOMPARE(a.counts.sent + a.counts.received + a.counts.conflicts, 0);
        QVERIFY(b.sync(server));
        b.edit(QStringLiteral("Milk"), QStringLiteral("there"));
        QVERIFY(b.sync(server) && a.sync(server));
        QCOMPARE(a.captions(), QStringList{QStringLiteral("Milk")});
        QCOMPARE(a.detail(QStringLiteral("Milk")), QStringLiteral("there"));
        QCOMPARE(a.counts.conflicts, 0);
    }

    void receivedRecordsLeaveTheServerOnlyOnceSaved_data()
    {
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("conflict");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("removedThere");
        QTest::newRow("lost before a save: fetched again") << false << false << false << 0;
        QTest::newRow("conflict copy lost before a save") << false << true << false << 0;
        QTest::newRow("change lost before a save: both kept") << false << false << true << 0;
        QTest::newRow("saved, then removed: removed there") << true << false << false << 2;
    }
    void receivedRecordsLeaveTheServerOnlyOnceSaved()
    {
        QFETCH(bool, saved);
        QFETCH(bool, conflict);
        QFETCH(bool, changed);
        QFETCH(int, removedThere);
        FakeDavServer server;
        Device a, b;
        a.add(QStringLiteral("Milk"));
        a.add(QStringLiteral("Tea"));
        QVERIFY(a.sync(server));
        if (conflict) {
            QVERIFY(b.sync(server) && b.save());
            a.edit(QStringLiteral("Milk"), QStringLiteral("here"));
            b.edit(QStringLiteral("Milk"), QStringLiteral("there"));
            QVERIFY(a.sync(server));
        }
        if (changed) {
            QVERIFY(b.sync(server) && b.save());
            a.edit(QStringLiteral("Milk"), QStringLiteral("there"));
            QVERIFY(a.sync(server));
        }
        QVERIFY(b.sync(server));
        const int items = int(server.items.size()) + (changed ? 1 : 0);
        const QStringList received = changed ? QStringList{QStringLiteral("Milk"), marked(QStringLiteral("Milk")), QStringLiteral("Tea")} : b.captions();
        if (saved)
            QVERIFY(b.save());
        b.crash();
        if (saved)
            b.clear();
        QVERIFY(b.sync(server));
        QCOMPARE(b.counts.removedThere, removedThere);
        QCOMPARE(int(server.items.size()), items - removedThere);
        QCOMPARE(b.captions(), saved ? QStringList() : received);
        if (changed) // nothing typed on either device is lost
            QCOMPARE(b.detail(marked(QStringLiteral("Milk"))), QStringLiteral("there"));
        // Settled: nothing comes back or goes again.
        QVERIFY(b.sync(server));
        QCOMPARE(b.counts.received + b.counts.removedThere + b.counts.sent, 0);
    }

    void olderStateCountsItsItemsAsKept()
    {
        QTemporaryDir folder;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("older"));
            db.setDatabaseName(folder.filePath(SyncState::fileName()));
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY(query.exec(QStringLiteral("CREATE TABLE collections (section INTEGER PRIMARY KEY, url TEXT NOT NULL, token TEXT NOT NULL)")));
            QVERIFY(query.exec(QStringLiteral("CREATE TABLE items (section INTEGER NOT NULL, uid TEXT NOT NULL, href TEXT NOT NULL, "
                                              "etag TEXT NOT NULL, local TEXT NOT NULL, content TEXT NOT NULL, PRIMARY KEY (section, uid))")));
            QVERIFY(query.exec(QStringLiteral("INSERT INTO collections VALUES (3, '%1', '7')").arg(collection.toString())));
            QVERIFY(query.exec(QStringLiteral("INSERT INTO items VALUES (3, 'milk', 'milk.ics', 'e1', 'a', 'b')")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("older"));
        SyncState state(folder.path());
        QVERIFY(state.open());
        const CollectionState todos = state.collection(SectionId::Todos);
        QCOMPARE(todos.token, QStringLiteral("7"));
        QVERIFY(todos.items.value(QStringLiteral("milk")).kept);
        QVERIFY(state.unkept(SectionId::Todos).isEmpty());
    }

    void lostOrDamagedStateComparesByUid_data()
    {
        QTest::addColumn<QByteArray>("damage");
        QTest::newRow("lost") << QByteArray();
        QTest::newRow("damaged") << QByteArray("SQLite format 3\0 not really", 28);
    }
    void lostOrDamagedStateComparesByUid()
    {
        QFETCH(QByteArray, damage);
        FakeDavServer server;
        Device a, b;
        a.add(QStringLiteral("Milk"));
        a.add(QStringLiteral("Tea"));
        QVERIFY(a.sync(server) && b.sync(server));
        const QString stateFile = a.folder.filePath(SyncState::fileName());
        QVERIFY(QFile::remove(stateFile));
        if (!damage.isEmpty()) {
            QFile file(stateFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(damage);
        }
        a.add(QStringLiteral("Jam"));
        b.add(QStringLiteral("Rice"));
        QVERIFY(b.sync(server) && a.sync(server));
        const QStringList all{QStringLiteral("Jam"), QStringLiteral("Milk"), QStringLiteral("Rice"), QStringLiteral("Tea")};
        QCOMPARE(a.captions(), all);
        QCOMPARE(server.items.size(), 4);
        QCOMPARE(a.counts.conflicts + a.counts.removedHere + a.counts.removedThere, 0);
    }
};

QTEST_GUILESS_MAIN(TestCollectionSync)
#include "tst_collectionsync.moc"
