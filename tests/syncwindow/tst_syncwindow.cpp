// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/syncoutcome.h"
#include "syncwindow/accountinput.h"
#include "syncwindow/syncstatetext.h"
#include "syncwindow/syncwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class TestSyncWindow : public QObject
{
    Q_OBJECT
private slots:
    void readsTheAccount_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("expected"); // "user at address", or the box to go back to
        QTest::newRow("plain") << " https://dav.example.org/ " << "alice" << "alice at https://dav.example.org/";
        QTest::newRow("no scheme") << "dav.example.org/dav" << "alice" << "alice at https://dav.example.org/dav";
        QTest::newRow("user in address") << "http://bob:pw@127.0.0.1:5232/" << "" << "bob at http://127.0.0.1:5232/";
        QTest::newRow("box wins over address") << "https://bob@dav.example.org/" << "ann" << "ann at https://dav.example.org/";
        QTest::newRow("empty") << "  " << "alice" << "server";
        QTest::newRow("other scheme") << "ftp://dav.example.org/" << "alice" << "server";
        QTest::newRow("no host") << "https://" << "alice" << "server";
        QTest::newRow("no user") << "https://dav.example.org/" << " " << "user";
    }
    void readsTheAccount()
    {
        QFETCH(QString, server);
        QFETCH(QString, user);
        QFETCH(QString, expected);
        const AccountInput input = AccountInput::read(server, user);
        QCOMPARE(input.isValid() ? input.account.user + " at " + input.account.server.toString() : input.problemBox,
                 expected);
        QVERIFY(!input.account.server.toString().contains("pw"));
    }

    void statesInPlainWords_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("daysAgo");
        QTest::addColumn<QString>("expected");
        QTest::newRow("today") << true << "" << 0 << "Last synced 10:42";
        QTest::newRow("another day") << true << "" << 2 << "Last synced Dec 5, 10:42";
        QTest::newRow("failed") << false << "The server could not be reached." << 0
                                << "Sync failed at 10:42: The server could not be reached.";
        QTest::newRow("failed, no words") << false << "" << 0
                                          << "Sync failed at 10:42: The server did not answer as expected.";
    }
    void statesInPlainWords()
    {
        QFETCH(bool, ok);
        QFETCH(QString, error);
        QFETCH(int, daysAgo);
        const QDateTime now(QDate(2026, 12, 7), QTime(18, 0));
        const SyncOutcome outcome{ok, {}, error, QDateTime(QDate(2026, 12, 7).addDays(-daysAgo), QTime(10, 42)), 0, false};
        QTEST(syncstatetext::afterSync(outcome, now), "expected");
        // How a conflict is told starts as tst_sync checks; it names the mark the copy gets.
        QVERIFY(syncstatetext::conflicts(3).contains("\"(changed on another device)\""));
    }

    void asksAndChooses()
    {
        SyncWindow window(nullptr);
        window.show();
        QApplication::setActiveWindow(&window);
        QSignalSpy wanted(&window, &SyncWindow::syncWanted);
        QSignalSpy chosen(&window, &SyncWindow::collectionsChosen);
        auto *server = window.findChild<QLineEdit *>("txtServer");

        // A mistake is said in the state line, with the cursor back in its box; nothing is sent.
        server->setText("ftp://x");
        QTest::mouseClick(window.findChild<QWidget *>("cmdSyncNow"), Qt::LeftButton);
        QVERIFY(wanted.isEmpty());
        QVERIFY(window.state().contains("is not a server address"));
        QVERIFY(server->hasFocus());

        server->setText("alice@dav.example.org");
        window.findChild<QLineEdit *>("txtPassword")->setText("pw");
        QTest::mouseClick(window.findChild<QWidget *>("cmdSyncNow"), Qt::LeftButton);
        QCOMPARE(wanted.size(), 1);
        QCOMPARE(wanted.at(0).at(0).value<SyncAccount>().user, QStringLiteral("alice"));
        QCOMPARE(wanted.at(0).at(1).toString(), QStringLiteral("pw"));
        QCOMPARE(server->text(), QStringLiteral("https://dav.example.org")); // as read

        // The server's lists are offered; choosing one says so; refilling keeps the choice.
        const QUrl work("https://dav.example.org/alice/work/");
        const QList<DavCollection> found{{QUrl("https://dav.example.org/alice/home/"), "Home", true},
                                         {work, "Work", true},
                                         {QUrl("https://dav.example.org/alice/people/"), "People", false}};
        window.showCollections(found);
        auto *taskLists = window.findChild<QComboBox *>("cboTaskList");
        QCOMPARE(taskLists->count(), 3);
        QCOMPARE(window.findChild<QComboBox *>("cboAddressBook")->count(), 2);
        QVERIFY(chosen.isEmpty());
        taskLists->setCurrentIndex(2);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).value<SyncAccount>().taskList, work);
        window.showCollections(found);
        QCOMPARE(taskLists->currentData().toUrl(), work);
        QCOMPARE(chosen.size(), 1);
    }
};

QTEST_MAIN(TestSyncWindow)
#include "tst_syncwindow.moc"
