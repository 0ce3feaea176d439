// Starts the built program and ends it the way logging out, a hang-up or Ctrl+C do.
#include "platform/ansitext.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

QByteArray dataFile(const QString &header, const QString &note)
{
    const QByteArray end = "<end of section>\r\n";
    return ansi::encode(header + "\r\n") + end + end + ansi::encode(note + "\r\n") + end + end;
}

} // namespace

class TestSession : public QObject
{
    Q_OBJECT
private slots:
    // Whatever ends the session, the program saves as its close button does; an open modal
    // window (here the start's own question) ends as if cancelled and loses nothing.
    void signalsEndLikeTheCloseButton_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("questionOpen");
        QTest::newRow("SIGTERM") << int(SIGTERM) << false;
        QTest::newRow("SIGHUP") << int(SIGHUP) << false;
        QTest::newRow("SIGINT") << int(SIGINT) << false;
        QTest::newRow("SIGTERM while the Recover question is open") << int(SIGTERM) << true;
    }
    void signalsEndLikeTheCloseButton()
    {
        QFETCH(int, number);
        QFETCH(bool, questionOpen);
        QTemporaryDir dir;
        const QString program = dir.filePath("quillet");
        QVERIFY(QFile::copy(QStringLiteral(QUILLET_EXECUTABLE), program));
        const QString note = QStringLiteral("Shopping¤Milk§");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_DATA_HOME", dir.filePath("data-home"));

        QProcess process;
        for (int attempt = 1; attempt <= 5; ++attempt) {
            QFile::remove(dir.filePath("savedfile.qlt"));
            QFile file(dir.filePath("savedfile.qlt"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(dataFile("an older header", note));
            file.close();
            if (questionOpen) {
                QFile copy(dir.filePath("savedfile.qlt.recovery"));
                QVERIFY(copy.open(QIODevice::WriteOnly));
                copy.write(dataFile("Quillet 1.0 - 1.0.9", QStringLiteral("Shopping¤Milk and eggs§")));
            }
            process.setProcessEnvironment(environment);
            process.start(program, {});
            QVERIFY(process.waitForStarted());
            // The program cannot say when it is listening; a signal that came too early ended it
            // the system's way, and the next attempt waits longer.
            QTest::qWait(400 * attempt);
            ::kill(pid_t(process.processId()), number);
            QVERIFY(process.waitForFinished(20000));
            if (process.exitStatus() == QProcess::NormalExit)
                break;
        }
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QFile saved(dir.filePath("savedfile.qlt"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), dataFile("Quillet 1.0 - 1.0.9", note));
        const QStringList keptAside = QDir(dir.path()).entryList({"savedfile.qlt.recovery*"});
        QCOMPARE(keptAside.size(), questionOpen ? 1 : 0);
        if (questionOpen)
            QVERIFY(keptAside[0].startsWith("savedfile.qlt.recovery-"));
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
