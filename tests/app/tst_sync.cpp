// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/aboutdialog.h"
#include "app/syncschedule.h"
#include "app/syncsetup.h"
#include "sync/syncoutcome.h"
#include "sync/syncsession.h"
#include "syncwindow/syncwindow.h"
#include "tests/support/guitest.h"

#include <QSignalSpy>

class TestSync : public WindowTest
{
    Q_OBJECT
    static SyncOutcome outcome(int conflicts, bool passwordRefused = false)
    {
        return {!passwordRefused, {}, {}, QDateTime(QDate(2026, 12, 5), QTime(21, 4)), conflicts, passwordRefused};
    }

private slots:
    void schedulesOnlyWhenReady()
    {
        SyncSchedule schedule;
        QSignalSpy wanted(&schedule, &SyncSchedule::syncWanted);
        QSignalSpy conflicts(&schedule, &SyncSchedule::conflictsArrived);
        QSignalSpy passwordWanted(&schedule, &SyncSchedule::passwordWanted);
        schedule.documentSaved();
        QVERIFY(wanted.isEmpty() && !schedule.timer()->isActive());

        schedule.setReady(true); // at start
        schedule.documentSaved();
        QMetaObject::invokeMethod(schedule.timer(), "timeout"); // 15 minutes on
        QVERIFY(wanted.size() == 3 && schedule.timer()->isActive());

        schedule.syncFinished(outcome(2));
        schedule.syncFinished(outcome(0));
        schedule.syncFinished(outcome(1));
        QCOMPARE(conflicts.size(), 2);
        QCOMPARE(conflicts.at(0).at(0).toInt(), 2);

        // A refused password stops the schedule and is asked for once a run; the user may retry.
        schedule.syncFinished(outcome(0, true));
        QVERIFY(!schedule.isReady() && !schedule.timer()->isActive());
        schedule.documentSaved();
        QCOMPARE(wanted.size(), 3);
        schedule.userAsked();
        QCOMPARE(wanted.size(), 4);
        schedule.syncFinished(outcome(0, true));
        QCOMPARE(passwordWanted.size(), 1);
    }

    void nothingRunsWithoutAnAccount()
    {
        f->open();
        SyncSetup *sync = f->window->sync();
        QVERIFY(!sync->schedule()->isReady());
        f->press("butSave_keys");
        QVERIFY(!sync->session()->isRunning() && !sync->window());
        QCOMPARE(QDir(f->folder.path()).entryList(QDir::Files), QStringList{"savedfile.qlt"});
    }

    void opensFromTheWindowAndFromAbout()
    {
        f->open();
        QTest::keyClick(f->window, Qt::Key_F5);
        QVERIFY(f->window->sync()->window() && f->window->sync()->window()->isVisible());
        f->window->sync()->window()->close();

        QTimer::singleShot(0, f->window, [this] {
            auto *about = f->window->findChild<AboutDialog *>();
            QTest::mouseClick(about->findChild<QPushButton *>("cmdSync"), Qt::LeftButton);
        });
        f->press("butAbout_keys");
        QTRY_VERIFY(f->window->sync()->window() && f->window->sync()->window()->isVisible());
        QVERIFY(!f->window->findChild<AboutDialog *>());
    }

    void tellsOnceAndAsksOnce()
    {
        qunsetenv("QUILLET_SYNC_PASSWORD");
        f->open();
        SyncSetup *sync = f->window->sync();
        sync->passwords()->setKeyringUsable(false);
        sync->openWindow();
        SyncWindow *window = sync->window();
        // Nothing listens on port 1: the sync fails at once and says so, asking nothing.
        window->findChild<QLineEdit *>("txtServer")->setText("http://ann@127.0.0.1:1/");
        window->findChild<QLineEdit *>("txtPassword")->setText("pw");
        QSignalSpy finished(sync->session(), &SyncSession::finished);
        window->findChild<QPushButton *>("cmdSyncNow")->click();
        QVERIFY(finished.wait(20000));
        QVERIFY2(window->state().startsWith("Sync failed at "), qPrintable(window->state()));
        QVERIFY(f->messages.shown.isEmpty());

        // Conflicts of two syncs that end while the first message shows are told in one more.
        f->messages.onShow = [&](const FakeMessageBoxes::Shown &) {
            if (f->messages.shown.size() == 1)
                emit sync->session()->finished(outcome(1));
        };
        emit sync->session()->finished(outcome(2));
        emit sync->session()->finished(outcome(1));
        QTRY_COMPARE(f->messages.shown.size(), 2);
        QVERIFY(f->messages.shown.at(0).text.startsWith("3 records were changed"));
        QVERIFY(f->messages.shown.at(1).text.startsWith("A record was changed"));
        QCOMPARE(window->state(), QStringLiteral("Last synced 21:04"));

        // A refused password brings the window back once, with the cursor in the password box.
        window->close();
        QTRY_VERIFY(!sync->window());
        emit sync->session()->finished(outcome(0, true));
        QVERIFY(sync->window());
        QCOMPARE(sync->window()->focusWidget(), sync->window()->findChild<QLineEdit *>("txtPassword"));
        QVERIFY(sync->state().contains("refused"));
        sync->window()->close();
        QTRY_VERIFY(!sync->window());
        emit sync->session()->finished(outcome(0, true));
        QVERIFY(!sync->window());
    }
};

QTEST_MAIN(TestSync)
#include "tst_sync.moc"
