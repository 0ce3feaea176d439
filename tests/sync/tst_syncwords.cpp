// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/syncsummary.h"
#include "sync/syncverbs.h"

#include <QTest>

class TestSyncWords : public QObject
{
    Q_OBJECT
private slots:
    void readAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("problem");
        QTest::newRow("user in the address") << "https://alice@dav.example.org/dav/" << "https://dav.example.org/dav/"
                                             << "alice" << "";
        QTest::newRow("mail address as user") << "https://alice%40example.org@dav.example.org/"
                                              << "https://dav.example.org/" << "alice@example.org" << "";
        QTest::newRow("no user") << "https://dav.example.org/" << "" << ""
                                 << "Put the user name in the address, as in https://alice@dav.example.org/";
        QTest::newRow("password in it") << "https://alice:pw@dav.example.org/" << "" << "alice"
                                        << "Leave the password out of the address: it would be kept in the shell's history.";
        QTest::newRow("not a server") << "ftp://alice@files.example.org/" << "" << ""
                                      << "\"ftp://alice@files.example.org/\" is not a server address: write it as "
                                         "https://user@dav.example.org/";
    }
    void readAddress()
    {
        QFETCH(QString, text);
        QFETCH(QString, problem);
        const syncverbs::AccountAddress read = syncverbs::readAddress(text);
        QCOMPARE(read.problem, problem);
        if (problem.isEmpty()) {
            QTEST(read.server.toString(), "server");
            QTEST(read.user, "user");
        }
    }

    void summary()
    {
        QCOMPARE(syncSummary({}, {}), QStringLiteral("Nothing changed"));
        SyncCounts todos;
        todos.received = 2;
        todos.removedHere = 1;
        todos.conflicts = 1;
        SyncCounts contacts;
        contacts.sent = 1;
        contacts.removedThere = 3;
        QCOMPARE(syncSummary(todos, contacts),
                 QStringLiteral("2 to-dos received, 1 to-do removed here, 1 contact sent, 3 contacts removed from the "
                                "server, 1 item changed on both sides (both versions kept)"));
    }
};

QTEST_GUILESS_MAIN(TestSyncWords)
#include "tst_syncwords.moc"
