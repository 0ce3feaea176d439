#include "speech/saytime.h"
#include "speech/spokentime.h"
#include "tests/support/mainwindowfixture.h"

#include <QTest>

namespace {

QStringList wave(const QString &names)
{
    QStringList files;
    for (const QString &name : names.split(' '))
        files.append(QStringLiteral("wave/%1.WAV").arg(name));
    return files;
}

} // namespace

class TestSayTime : public QObject
{
    Q_OBJECT
private slots:
    void files_data()
    {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("designator");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("9:00") << 9 << 0 << "AM" << wave("time 9 AM");
        QTest::newRow("12:15 noon") << 12 << 15 << "PM" << wave("time 12 15 pm");
        QTest::newRow("22:21") << 10 << 21 << "PM" << wave("time 10 20 1 pm");
        QTest::newRow("0:05") << 12 << 5 << "AM" << wave("time 12 5 AM");
        QTest::newRow("16:30") << 4 << 30 << "PM" << wave("time 4 30 pm");
        QTest::newRow("13 minutes") << 7 << 13 << "AM" << wave("time 7 13 AM");
        QTest::newRow("20 minutes") << 3 << 20 << "PM" << wave("time 3 20 pm");
        QTest::newRow("59 minutes") << 11 << 59 << "AM" << wave("time 11 50 9 AM");
        QTest::newRow("other designator") << 9 << 0 << "am" << wave("time 9");
    }

    void files()
    {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(QString, designator);
        QFETCH(QStringList, expected);
        QCOMPARE(spokentime::files(hour, minute, designator), expected);
    }

    void readsTheClockAtEachStep_data()
    {
        QTest::addColumn<QTime>("start");
        QTest::addColumn<QString>("tickAfter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("steady clock") << QTime(22, 21, 40) << "" << wave("time 10 20 1 pm");
        QTest::newRow("ten o'clock before the minutes") << QTime(9, 59, 59) << "9" << wave("time 9 AM");
        QTest::newRow("noon before the designator") << QTime(11, 59, 59) << "9" << wave("time 11 50 9 pm");
        QTest::newRow("one o'clock before the hour") << QTime(12, 59, 59) << "time" << wave("time 1 pm");
    }

    void readsTheClockAtEachStep()
    {
        QFETCH(QTime, start);
        QFETCH(QString, tickAfter);
        QFETCH(QStringList, expected);
        MainWindowFixture fixture;
        fixture.clock.set(QDateTime(QDate(2026, 12, 5), start));
        const QString trigger = fixture.services.path(QStringLiteral("wave/%1.WAV").arg(tickAfter));
        fixture.sound.onPlayToEnd = [&](const QString &path) {
            if (path == trigger)
                fixture.clock.advanceSecs(1);
        };
        SayTime(fixture.services);
        for (QString &file : expected)
            file = fixture.services.path(file);
        QCOMPARE(fixture.sound.paths(FakeSound::Call::PlayToEnd), expected);
        QCOMPARE(fixture.sound.calls.size(), expected.size());
    }
};

QTEST_MAIN(TestSayTime)
#include "tst_saytime.moc"
