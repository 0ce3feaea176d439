// SPDX-License-Identifier: GPL-3.0-or-later
// The command line is answered before any window system is touched: on a terminal with no
// display, help, version and mistakes still get their text and status.
#include "app/startoptions.h"

#include <QProcess>
#include <QTest>

class TestStartOptions : public QObject
{
    Q_OBJECT
private slots:
    void withoutADisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("printed"); // a part of what it prints, on either stream
        QTest::newRow("version") << QStringList{"--version"} << 0 << "Quillet 1.0";
        QTest::newRow("help") << QStringList{"--help"} << 0 << "--data-dir <folder>";
        QTest::newRow("help-all") << QStringList{"--help-all"} << 0 << "--data-dir <folder>";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 1 << "Unknown option 'bogus'.\nTry 'quillet --help' for more information.";
        QTest::newRow("folder missing") << QStringList{"--data-dir"} << 1 << "Missing value after '--data-dir'.";
        QTest::newRow("window system's own options") << QStringList{"-platform", "offscreen", "-reverse", "--version"} << 0 << "Quillet 1.0";
        QTest::newRow("unknown among them") << QStringList{"-style", "fusion", "-bogus"} << 1 << "Unknown option 'bogus'.";
    }
    void withoutADisplay()
    {
        QFETCH(QStringList, arguments);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(QUILLET_EXECUTABLE), arguments);
        QVERIFY(program.waitForFinished(30000));
        const QString output = QString::fromLocal8Bit(program.readAllStandardOutput() + program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QTEST(program.exitCode(), "status");
        QFETCH(QString, printed);
        QVERIFY2(output.contains(printed), qPrintable(output));
    }

    void startsOnlyWithoutHelpOrMistake_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("answer");
        QTest::newRow("none") << QStringList{} << int(StartCheck::Start);
        QTest::newRow("minimised, a folder") << QStringList{"--minimized", "--data-dir", "/tmp/q"} << int(StartCheck::Start);
        QTest::newRow("short version") << QStringList{"-v"} << int(StartCheck::Version);
        QTest::newRow("short help") << QStringList{"-h"} << int(StartCheck::Help);
        QTest::newRow("help-all wins") << QStringList{"--help-all", "--version"} << int(StartCheck::HelpAll);
        QTest::newRow("letters are no options") << QStringList{"-mini"} << int(StartCheck::Mistake);
    }
    void startsOnlyWithoutHelpOrMistake()
    {
        QFETCH(QStringList, arguments);
        QTEST(int(checkStartOptions(QStringList{"quillet"} + arguments).answer), "answer");
    }
};

QTEST_GUILESS_MAIN(TestStartOptions)
#include "tst_startoptions.moc"
