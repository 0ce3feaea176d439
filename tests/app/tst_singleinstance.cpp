// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/singleinstance.h"
#include "core/document.h"
#include "tests/support/fakes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The pid written in the lock of dataFolder, or 0 when there is none that makes sense.
qint64 lockOwner(const QString &dataFolder)
{
    QLockFile lock(dataFolder + QStringLiteral("/savedfile.qlt.lock"));
    qint64 pid = 0;
    return lock.getLockInfo(&pid, nullptr, nullptr) ? pid : 0;
}

// The real program on dataFolder, telling on stderr when it brings itself to the front.
struct Copy
{
    Copy(const QString &dataFolder, const QStringList &extra = {})
    {
        process.start(QUILLET_EXECUTABLE, QStringList{"--data-dir", dataFolder} + extra);
    }
    ~Copy() { process.terminate(), process.waitForFinished(); } // ends cleanly, socket and all
    int timesRaised()
    {
        log += process.readAllStandardError();
        return int(log.count("\" to the front")); // the splash, or the main window once it is up
    }
    QProcess process;
    QByteArray log;
};

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("QT_LOGGING_RULES", "quillet.instance.info=true"); }

    void laterStartsRaiseTheRunningCopyAndEnd()
    {
        QTemporaryDir data;
        Copy first(data.path());
        QTRY_COMPARE_WITH_TIMEOUT(lockOwner(data.path()), first.process.processId(), 30000);

        // The login start just ends; a start by hand raises the running copy, then ends.
        for (const QStringList &arguments : {QStringList{"--minimized"}, QStringList{}}) {
            Copy later(data.path(), arguments);
            QVERIFY(later.process.waitForFinished(30000));
            QVERIFY(later.process.exitStatus() == QProcess::NormalExit && later.process.exitCode() == 0);
        }
        QTRY_COMPARE_WITH_TIMEOUT(first.timesRaised(), 1, 30000);
        QCOMPARE(lockOwner(data.path()), first.process.processId());
        QVERIFY(!QFile::exists(data.filePath("savedfile.qlt"))); // nobody saved: the first runs on

        // Work that only reads is done beside the running copy, which it leaves alone.
        QProcess check;
        check.start(QUILLET_EXECUTABLE, {"--data-dir", data.path(), "--check"});
        QVERIFY(check.waitForFinished(30000) && check.exitCode() == 0);
        QCOMPARE(check.readAllStandardOutput(), "Websites: 0\nE-mail contacts: 0\nNotes: 0\nTo-dos: 0\n");
        QCOMPARE(first.timesRaised(), 1);
        QCOMPARE(lockOwner(data.path()), first.process.processId());

        // A copy that crashed leaves its lock and socket behind; they do not block the next one,
        // which answers later starts in turn.
        first.process.kill();
        QVERIFY(first.process.waitForFinished());
        QVERIFY(QFile::exists(data.filePath("savedfile.qlt.lock")));
        Copy next(data.path());
        QTRY_COMPARE_WITH_TIMEOUT(lockOwner(data.path()), next.process.processId(), 30000);
        Copy later(data.path());
        QVERIFY(later.process.waitForFinished(30000));
        QTRY_COMPARE_WITH_TIMEOUT(next.timesRaised(), 1, 30000);
        // Ended, it saves and says all went well.
        next.process.terminate();
        QVERIFY(next.process.waitForFinished(30000));
        QVERIFY(next.process.exitStatus() == QProcess::NormalExit && next.process.exitCode() == 0);
        QVERIFY(QFile::exists(data.filePath("savedfile.qlt")));
    }

    void lockFoundAtStart_data()
    {
        QTest::addColumn<QByteArray>("lock");
        QTest::addColumn<QString>("told");
        QTest::newRow("none") << QByteArray() << "";
        QTest::newRow("garbage") << QByteArray("\x01\xff not a lock\n\n") << "";
        QTest::newRow("empty") << QByteArray("") << "";
        const QByteArray here = QSysInfo::machineHostName().toUtf8();
        QTest::newRow("dead owner") << "99999999\nquillet\n" + here + "\n" << "";
        QTest::newRow("another computer") << QByteArray("4242\nquillet\nfarbox\n")
                                          << "Quillet is already running on the computer \"farbox\"";
        // No copy could ever take it: this one must not run unguarded either.
        QTest::newRow("a folder in its place") << QByteArray("<folder>") << "Quillet cannot make its lock file";
    }
    void lockFoundAtStart()
    {
        QFETCH(QByteArray, lock);
        QFETCH(QString, told);
        QTemporaryDir data;
        const QString lockPath = data.filePath("savedfile.qlt.lock");
        QFile file(lockPath);
        if (lock == "<folder>") {
            QVERIFY(QDir(data.path()).mkdir("savedfile.qlt.lock"));
        } else if (!lock.isNull()) {
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(lock) == lock.size() && file.flush());
            // However old, a lock is stale only by its owner, never by its age.
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
            file.close();
        }
        FakeMessageBoxes messages;
        FakeClock clock;
        const Services services{&clock, nullptr, nullptr, &messages, nullptr, data.path(), data.path()};
        Document document(services);
        QCOMPARE(singleinstance::startHere(document, true, &messages), told.isEmpty());
        QCOMPARE(messages.shown.size(), told.isEmpty() ? 0 : 1);
        if (!told.isEmpty()) {
            QVERIFY(messages.shown[0].text.startsWith(told));
            QVERIFY(messages.shown[0].text.contains(lockPath));
            QVERIFY(lock == "<folder>" ? QFileInfo(lockPath).isDir() : file.open(QIODevice::ReadOnly));
            if (file.isOpen())
                QCOMPARE(file.readAll(), lock); // never taken over
        } else {
            QCOMPARE(lockOwner(data.path()), QCoreApplication::applicationPid());
        }
    }

    void folderTakingNoLockIsRefused()
    {
        FakeMessageBoxes messages;
        FakeClock clock;
        const Services services{&clock, nullptr, nullptr, &messages, nullptr, "/no/such/folder", "/no/such/folder"};
        Document document(services);
        QVERIFY(!singleinstance::startHere(document, false, &messages));
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY2(messages.shown[0].text.contains("(No such file or directory)"), qPrintable(messages.shown[0].text));
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
