#include "speech/saytime.h"
#include "tests/support/mainwindowfixture.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

class TestSayTime : public QObject
{
    Q_OBJECT
private slots:
    void files_data()
    {
        QTest::addColumn<QTime>("start");
        QTest::addColumn<QString>("tickAfter"); // the clock moves on a second once this file is said
        QTest::addColumn<QString>("expected");
        QTest::newRow("9:00") << QTime(9, 0) << "" << "time 9 AM";
        QTest::newRow("12:15 noon") << QTime(12, 15) << "" << "time 12 15 pm";
        QTest::newRow("22:21") << QTime(22, 21, 40) << "" << "time 10 20 1 pm";
        QTest::newRow("0:05") << QTime(0, 5) << "" << "time 12 5 AM";
        QTest::newRow("13 minutes") << QTime(7, 13) << "" << "time 7 13 AM";
        QTest::newRow("20 minutes") << QTime(15, 20) << "" << "time 3 20 pm";
        QTest::newRow("ten o'clock before the minutes") << QTime(9, 59, 59) << "9" << "time 9 AM";
        QTest::newRow("noon before the designator") << QTime(11, 59, 59) << "9" << "time 11 50 9 pm";
        QTest::newRow("one o'clock before the hour") << QTime(12, 59, 59) << "time" << "time 1 pm";
    }
    void files()
    {
        QFETCH(QTime, start);
        QFETCH(QString, tickAfter);
        QFETCH(QString, expected);
        MainWindowFixture fixture;
        const auto wave = [&](const QString &name) { return fixture.services.path("wave/" + name + ".WAV"); };
        fixture.clock.set(QDateTime(QDate(2026, 12, 5), start));
        fixture.sound.onPlayToEnd = [&](const QString &path) {
            if (path == wave(tickAfter))
                fixture.clock.advanceSecs(1);
        };
        sayCurrentTime(fixture.services);
        QStringList files;
        for (const QString &name : expected.split(' '))
            files.append(wave(name));
        QCOMPARE(fixture.sound.paths(FakeSound::Call::PlayToEnd), files);
        QCOMPARE(fixture.sound.calls.size(), files.size()); // each said to the end, nothing else
    }

    void timersGoOnWithTheTimeTheyHadLeft()
    {
        // Each saying takes 15 s; the clock ticks every second, the quote changes every 20 s.
        MainWindowFixture fixture;
        fixture.clock.set(QDateTime(QDate(2026, 12, 5), QTime(21, 4, 50)));
        fixture.open();
        auto *quoteChange = fixture.find<QTimer>("tmrFadeOut");
        quoteChange->stop(); // the first quote is in
        fixture.sound.onPlayToEnd = [&](const QString &path) {
            if (path.endsWith("time.WAV"))
                fixture.clock.advanceSecs(15);
        };
        const QString before = fixture.find<QLabel>("lblTime")->text();
        for (bool changes : {false, true}) {
            fixture.clickPicture("butSay");
            QCoreApplication::processEvents(); // the timers' turn comes after the click
            QCoreApplication::processEvents();
            QVERIFY(fixture.find<QLabel>("lblTime")->text() != before); // due ticks run at once
            QCOMPARE(quoteChange->isActive(), changes); // 30 s on, the quote changes
        }
    }
};

QTEST_MAIN(TestSayTime)
#include "tst_saytime.moc"
