// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the built program and ends it the way logging out, a hang-up or Ctrl+C do.
#include "platform/ansitext.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

QByteArray dataFile(const QString &header, const QString &note, const QString &todo = {})
{
    const QByteArray end = "<end of section>\r\n";
    return ansi::encode(header + "\r\n") + end + end + ansi::encode(note + "\r\n") + end
        + (todo.isEmpty() ? QByteArray() : ansi::encode(todo + "\r\n")) + end;
}

} // namespace

class TestSession : public QObject
{
    Q_OBJECT
private slots:
    // Whatever ends the session, the program saves as its close button does and ends. An open
    // modal window ends as if cancelled: the start's Recover question stays undecided (its copy
    // is offered again next time), an alarm leaves its to-do as it was, and a box the closing
    // save shows is dismissed.
    void signalsEndLikeTheCloseButton_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("scene");
        QTest::addColumn<QStringList>("leftBeside"); // savedfile.qlt.* once it has ended
        QTest::newRow("SIGTERM") << int(SIGTERM) << "" << QStringList();
        QTest::newRow("SIGHUP") << int(SIGHUP) << "" << QStringList();
        QTest::newRow("SIGINT") << int(SIGINT) << "" << QStringList();
        QTest::newRow("SIGTERM while the Recover question is open")
            << int(SIGTERM) << "question" << QStringList{"savedfile.qlt.recovery"};
        QTest::newRow("SIGTERM while an alarm is open") << int(SIGTERM) << "alarm" << QStringList();
        QTest::newRow("SIGTERM with a save that fails")
            << int(SIGTERM) << "save fails" << QStringList{"savedfile.qlt.recovery"};
        QTest::newRow("SIGHUP with the file changed outside")
            << int(SIGHUP) << "changed outside" << QStringList{"savedfile.qlt.conflict-*"};
    }
    void signalsEndLikeTheCloseButton()
    {
        QFETCH(int, number);
        QFETCH(QString, scene);
        QFETCH(QStringList, leftBeside);
        // Due long ago: its alarm comes up at the first tick, a second after the start.
        const QString todo = scene == "alarm" ? QStringLiteral("Boiler¤Boiler¶0¶1¶0%¶1/1/2020 9:00:00 AM¶¶1¶¶c§") : QString();
        QTemporaryDir dir;
        const QString program = dir.filePath("quillet");
        QVERIFY(QFile::copy(QStringLiteral(QUILLET_EXECUTABLE), program));
        const QString note = QStringLiteral("Shopping¤Milk§");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_DATA_HOME", dir.filePath("data-home"));

        const auto write = [&dir](const char *name, const QByteArray &bytes) {
            QFile file(dir.filePath(name));
            return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
        };
        QProcess process;
        for (int attempt = 1; attempt <= 5; ++attempt) {
            if (scene == "save fails") // read as nothing, and never replaced
                QVERIFY(QDir(dir.path()).mkpath("savedfile.qlt"));
            else
                QVERIFY(write("savedfile.qlt", dataFile("an older header", note, todo)));
            if (scene == "question")
                QVERIFY(write("savedfile.qlt.recovery", dataFile("Quillet 1.0 - 1.0.9", QStringLiteral("Shopping¤Milk and eggs§"))));
            process.setProcessEnvironment(environment);
            process.start(program, {});
            QVERIFY(process.waitForStarted());
            // The program cannot say when it is listening; a signal that came too early ended it
            // the system's way, and the next attempt waits longer.
            QTest::qWait(400 * attempt + (todo.isEmpty() ? 0 : 1500));
            if (scene == "changed outside")
                QVERIFY(write("savedfile.qlt", dataFile("Quillet 1.0 - 1.0.9", QStringLiteral("Shopping¤Bread§"))));
            ::kill(pid_t(process.processId()), number);
            // Nobody answers a box here: a program that waits for one never ends.
            QVERIFY(process.waitForFinished(20000));
            if (process.exitStatus() == QProcess::NormalExit)
                break;
        }
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        if (scene != "save fails") {
            QFile saved(dir.filePath("savedfile.qlt"));
            QVERIFY(saved.open(QIODevice::ReadOnly) && saved.readAll() == dataFile("Quillet 1.0 - 1.0.9", note, todo));
        }
        QStringList beside = QDir(dir.path()).entryList({"savedfile.qlt.*"}, QDir::Files);
        beside.removeAll("savedfile.qlt.lock");
        // A change outside that came before the file was read is no conflict.
        if (scene == "changed outside" && beside.isEmpty())
            QSKIP("the change came before the program had read the file");
        QCOMPARE(beside.size(), leftBeside.size());
        for (int i = 0; i < beside.size(); ++i)
            QVERIFY2(QDir::match(leftBeside[i], beside[i]), qPrintable(beside[i]));
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
