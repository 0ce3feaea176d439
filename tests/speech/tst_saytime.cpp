// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech/saytime.h"
#include "tests/support/guitest.h"

class TestSayTime : public WindowTest
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
        const auto wave = [&](const QString &name) { return f->services.path("wave/" + name + ".WAV"); };
        f->clock.set(QDateTime(QDate(2026, 12, 5), start));
        f->sound.onPlayToEnd = [&](const QString &path) {
            if (path == wave(tickAfter))
                f->clock.advanceSecs(1);
        };
        sayCurrentTime(f->services);
        QStringList files;
        for (const QString &name : expected.split(' '))
            files.append("to end " + wave(name));
        QCOMPARE(f->sound.calls, files); // each said to the end, nothing else
    }

    void timersGoOnWithTheTimeTheyHadLeft()
    {
        // Each saying takes 15 s; the clock ticks every second, the quote changes every 20 s.
        f->clock.set(QDateTime(QDate(2026, 12, 5), QTime(21, 4, 50)));
        f->open();
        auto *quoteChange = f->find<QTimer>("tmrFadeOut");
        quoteChange->stop(); // the first quote is in
        f->sound.onPlayToEnd = [&](const QString &path) {
            if (path.endsWith("time.WAV"))
                f->clock.advanceSecs(15);
        };
        const QString before = f->find<QLabel>("lblTime")->text();
        for (bool changes : {false, true}) {
            f->clickPicture("butSay");
            QCoreApplication::processEvents(); // the timers' turn comes after the click
            QCoreApplication::processEvents();
            QVERIFY(f->find<QLabel>("lblTime")->text() != before); // due ticks run at once
            QCOMPARE(quoteChange->isActive(), changes); // 30 s on, the quote changes
        }
    }
};

QTEST_MAIN(TestSayTime)
#include "tst_saytime.moc"
