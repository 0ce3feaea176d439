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
    // Whatever ends the session, the program saves as its close button does; an open modal
    // window (the start's own question, an alarm) ends as if cancelled and loses nothing.
    void signalsEndLikeTheCloseButton_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("questionOpen");
        QTest::addColumn<bool>("alarmOpen");
        QTest::newRow("SIGTERM") << int(SIGTERM) << false << false;
        QTest::newRow("SIGHUP") << int(SIGHUP) << false << false;
        QTest::newRow("SIGINT") << int(SIGINT) << false << false;
        QTest::newRow("SIGTERM while the Recover question is open") << int(SIGTERM) << true << false;
        QTest::newRow("SIGTERM while an alarm is open") << int(SIGTERM) << false << true;
    }
    void signalsEndLikeTheCloseButton()
    {
        QFETCH(int, number);
        QFETCH(bool, questionOpen);
        QFETCH(bool, alarmOpen);
        // Due long ago: its alarm comes up at the first tick, a second after the start.
        const QString todo = alarmOpen ? QStringLiteral("Boiler¤Boiler¶0¶1¶0%¶1/1/2020 9:00:00 AM¶¶1¶¶c§") : QString();
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
            QVERIFY(write("savedfile.qlt", dataFile("an older header", note, todo)));
            if (questionOpen)
                QVERIFY(write("savedfile.qlt.recovery", dataFile("Quillet 1.0 - 1.0.9", QStringLiteral("Shopping¤Milk and eggs§"))));
            process.setProcessEnvironment(environment);
            process.start(program, {});
            QVERIFY(process.waitForStarted());
            // The program cannot say when it is listening; a signal that came too early ended it
            // the system's way, and the next attempt waits longer.
            QTest::qWait(400 * attempt + (alarmOpen ? 1500 : 0));
            ::kill(pid_t(process.processId()), number);
            QVERIFY(process.waitForFinished(20000));
            if (process.exitStatus() == QProcess::NormalExit)
                break;
        }
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QFile saved(dir.filePath("savedfile.qlt"));
        QVERIFY(saved.open(QIODevice::ReadOnly) && saved.readAll() == dataFile("Quillet 1.0 - 1.0.9", note, todo));
        const QStringList keptAside = QDir(dir.path()).entryList({"savedfile.qlt.recovery*"});
        QCOMPARE(keptAside.size(), questionOpen ? 1 : 0);
        if (questionOpen)
            QVERIFY(keptAside[0].startsWith("savedfile.qlt.recovery-"));
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
