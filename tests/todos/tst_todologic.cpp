// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/reminderedits.h"
#include "core/remindertext.h"
#include "core/todorecord.h"
#include "tests/support/localzone.h"
#include "todos/duetext.h"
#include "todos/percentsteps.h"
#include "todos/reminderwatcher.h"

#include <QTest>

#include <array>

class TestTodoLogic : public QObject
{
    Q_OBJECT
private slots:
    // Day and month names, and the reminder text, must not follow the user's language.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German)); }

    void percentSteps_data()
    {
        QTest::addColumn<int>("p");
        QTest::addColumn<int>("down");
        QTest::addColumn<int>("up");
        // Both ends of every row of the step table.
        for (const auto &[p, down, up] : std::initializer_list<std::array<int, 3>>{
                 {150, 75, 150}, {100, 75, 100}, {99, 50, 99}, {98, 50, 100}, {75, 50, 100},
                 {74, 25, 100}, {73, 25, 75}, {50, 25, 75}, {49, 0, 75}, {48, 0, 50},
                 {25, 0, 50}, {24, 24, 50}, {23, 23, 25}, {10, 10, 25}, {0, 0, 25}})
            QTest::addRow("%d", p) << p << down << up;
    }
    void percentSteps()
    {
        QFETCH(int, p);
        QTEST(percent::stepDown(p), "down");
        QTEST(percent::stepUp(p), "up");
    }

    void reminderTextRefused_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *text : {"", "2026-12-05 21:05:00", "01/5/2026 9:05:00 PM", "1/5/2026 09:05:00 PM",
                                 "1/5/26 9:05:00 PM", "1/5/2026 9:05 PM", "1/5/2026 21:05:00", "1/5/2026 9:05:00 pm",
                                 "1/5/2026 13:05:00 PM", "1/5/2026 9:60:00 PM", "2/29/2026", "13/1/2026",
                                 "12/5/2026 12:00:00 AM", " 12/5/2026", "12/5/2026 "})
            QTest::newRow(*text ? text : "empty") << QString::fromLatin1(text);
    }
    void reminderTextRefused()
    {
        QFETCH(QString, text);
        QVERIFY(!remindertext::read(text).isValid());
        QVERIFY(!remindertext::readStamp(text).has_value());
    }

    void snooze_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("minutes"); // 0: stop reminding
        QTest::addColumn<QString>("snoozed"); // null: nothing to snooze, the to-do stays as it is
        const auto at = [](int y, int mo, int d, int h, int mi, int s) { return QDateTime(QDate(y, mo, d), QTime(h, mi, s)); };
        const QString tag = QStringLiteral("A[u+00B6]¶x¶2¶7¶12/5/2026 9:00:00 PM¶/a.wav¶1¶d¶  09:00 PM");
        const QString rest = QStringLiteral("A[u+00B6]¶x¶2¶7¶%1¶/a.wav¶1¶d¶%2");
        QTest::newRow("empty tag") << "" << at(2026, 12, 5, 21, 30, 15) << 5 << QString();
        QTest::newRow("no reminder") << "A¶0¶1¶0%¶¶¶¶d¶Reminder not set" << at(2026, 12, 5, 21, 30, 15) << 5 << QString();
        QTest::newRow("no reminder field") << "A¶0¶1¶0%" << at(2026, 12, 5, 21, 30, 15) << 5 << QString();
        QTest::newRow("from now, not from when it was due") << tag << at(2026, 12, 5, 21, 30, 15) << 10
            << rest.arg("12/5/2026 9:40:15 PM", "12 05,2026 09:40 PM");
        QTest::newRow("to midnight") << tag << at(2026, 12, 5, 23, 55, 0) << 5 << rest.arg("12/6/2026", "12 06,2026 12:00 AM");
        QTest::newRow("across midnight") << tag << at(2026, 12, 5, 23, 58, 1) << 5 << rest.arg("12/6/2026 12:03:01 AM", "12 06,2026 12:03 AM");
        QTest::newRow("month end") << tag << at(2026, 4, 30, 23, 30, 0) << 60 << rest.arg("5/1/2026 12:30:00 AM", "05 01,2026 12:30 AM");
        QTest::newRow("year end") << tag << at(2026, 12, 31, 23, 50, 0) << 15 << rest.arg("1/1/2027 12:05:00 AM", "01 01,2027 12:05 AM");
        QTest::newRow("29 February") << tag << at(2028, 2, 28, 23, 59, 59) << 1 << rest.arg("2/29/2028 12:00:59 AM", "02 29,2028 12:00 AM");
        QTest::newRow("no 29 February") << tag << at(2027, 2, 28, 23, 59, 0) << 1 << rest.arg("3/1/2027", "03 01,2027 12:00 AM");
        QTest::newRow("noon") << tag << at(2026, 12, 5, 11, 55, 0) << 5 << rest.arg("12/5/2026 12:00:00 PM", "12 05,2026 12:00 PM");
        QTest::newRow("short tag filled up") << "B¶0¶1¶0%¶12/5/2026" << at(2026, 12, 5, 21, 0, 0) << 5
            << QStringLiteral("B¶0¶1¶0%¶12/5/2026 9:05:00 PM¶¶¶¶12 05,2026 09:05 PM");
        QTest::newRow("extra field kept") << tag + QStringLiteral("¶more") << at(2026, 12, 5, 21, 30, 15) << 10
            << rest.arg("12/5/2026 9:40:15 PM", "12 05,2026 09:40 PM") + QStringLiteral("¶more");
        QTest::newRow("stop reminding keeps every other field") << QStringLiteral("A¶x¶2¶7¶1/1/2027¶/a.wav¶0¶d")
            << QDateTime() << 0 << QStringLiteral("A¶x¶2¶7¶¶¶¶d¶Reminder not set");
        QTest::newRow("stop reminding, empty tag") << "" << QDateTime() << 0 << "";
        QTest::newRow("stop reminding ends a series, keeps the UID") << QStringLiteral("A¶x¶2¶7¶1/1/2027¶¶1¶d¶c¶FREQ=DAILY¶u")
            << QDateTime() << 0 << QStringLiteral("A¶x¶2¶7¶¶¶¶d¶Reminder not set¶¶u");
    }
    void snooze()
    {
        QFETCH(QString, tag);
        QFETCH(QDateTime, now);
        QFETCH(int, minutes);
        QFETCH(QString, snoozed);
        const auto result = minutes ? reminderedits::snoozed(tag, now, minutes) : reminderedits::withoutReminder(tag);
        QCOMPARE(result.value_or(QString()), snoozed);
        QCOMPARE(result.has_value(), !snoozed.isNull());
    }

    // The nights the clocks change, in zones set here: a snooze is minutes of real time, a
    // wall-clock reminder rings when the clock first shows it (or when it jumps past it).
    void clockChanges_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDateTime>("now"); // UTC; null when the text alone is read
        QTest::addColumn<int>("minutes"); // snoozed by, at now
        QTest::addColumn<QString>("text"); // written by the snooze, or read
        QTest::addColumn<QDateTime>("due"); // UTC
        const auto utc = [](int mo, int d, int h, int mi) { return QDateTime(QDate(2027, mo, d), QTime(h, mi), Qt::UTC); };
        const QByteArray york = "America/New_York";
        // New York goes back from 2:00 EDT to 1:00 EST on 7 Nov 2027 (6:00 UTC), forward on 14 Mar (7:00 UTC).
        QTest::newRow("1 hour at 01:30 EDT") << york << utc(11, 7, 5, 30) << 60 << "11/7/2027 1:30:00 AM" << utc(11, 7, 6, 30);
        QTest::newRow("20 minutes at 01:50 EDT") << york << utc(11, 7, 5, 50) << 20 << "11/7/2027 1:10:00 AM" << utc(11, 7, 6, 10);
        QTest::newRow("5 minutes at 01:50 EST") << york << utc(11, 7, 6, 50) << 5 << "11/7/2027 1:55:00 AM" << utc(11, 7, 6, 55);
        QTest::newRow("out of the repeated hour") << york << utc(11, 7, 6, 30) << 60 << "11/7/2027 2:30:00 AM" << utc(11, 7, 7, 30);
        QTest::newRow("1:30 AM set by hand: the first") << york << QDateTime() << 0 << "11/7/2027 1:30:00 AM" << utc(11, 7, 5, 30);
        QTest::newRow("spring: 1 hour at 01:30 EST") << york << utc(3, 14, 6, 30) << 60 << "3/14/2027 3:30:00 AM" << utc(3, 14, 7, 30);
        QTest::newRow("spring: 2:30 AM rings at the jump") << york << QDateTime() << 0 << "3/14/2027 2:30:00 AM" << utc(3, 14, 7, 0);
        QTest::newRow("a plain winter night") << york << QDateTime() << 0 << "12/5/2027 9:05:00 PM" << QDateTime(QDate(2027, 12, 6), QTime(2, 5), Qt::UTC);
        // Berlin goes back from 3:00 CEST to 2:00 CET on 31 Oct 2027 (1:00 UTC).
        QTest::newRow("Berlin: 1 hour at 02:30 CEST") << QByteArray("Europe/Berlin") << utc(10, 31, 0, 30) << 60 << "10/31/2027 2:30:00 AM" << utc(10, 31, 1, 30);
    }
    void clockChanges()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDateTime, now);
        QFETCH(int, minutes);
        QFETCH(QString, text);
        QFETCH(QDateTime, due);
        const LocalZone local(zone);
        if (now.isValid()) {
            const QString tag = QStringLiteral("A¶0¶1¶0%¶1/1/2027¶¶1¶¶c");
            const QStringList fields = reminderedits::snoozed(tag, now.toLocalTime(), minutes).value_or(QString()).split(QChar(0x00B6));
            QCOMPARE(fields.value(4), text);
            // The watcher compares stamps: not due a second before, due at the moment.
            QVERIFY(remindertext::instant(now.toLocalTime()) < remindertext::readInstant(text).value_or(0));
        } else { // a date and time written as they are named, as a repeating reminder's are
            const QDate date = QLocale::c().toDate(text.section(' ', 0, 0), "M/d/yyyy");
            const QTime time = QLocale::c().toTime(text.section(' ', 1), "h:mm:ss AP");
            QCOMPARE(remindertext::write(QDateTime(date, time, Qt::UTC)), text);
        }
        QCOMPARE(remindertext::readInstant(text), std::optional<qint64>(due.toSecsSinceEpoch()));
        const QDateTime read = remindertext::read(text);
        QCOMPARE(remindertext::write(read), text);
        if (read.isValid()) // a time the clocks skip reads back as named, which Qt holds invalid
            QCOMPARE(read.toUTC(), due);
    }

    // The watcher's one-pass look at the reminder agrees with the fields as everything else reads
    // them, and finds one only in a tag of nine fields, or ten or eleven with the repeat rule and
    // the UID.
    void todoFields_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("reminder"); // null: the watcher skips the to-do
        QTest::newRow("nine fields") << QStringLiteral("S¶0¶1¶0%¶12/5/2026¶¶¶d¶c") << "S" << "12/5/2026";
        QTest::newRow("separator typed in") << QStringLiteral("A[u+00B6]B¶0¶1¶0%¶R¶¶¶d¶c") << QStringLiteral("A¶B") << "R";
        QTest::newRow("escape in the reminder") << QStringLiteral("S¶0¶1¶0%¶[u+0031]2/5/2026¶¶¶d¶c") << "S" << "12/5/2026";
        QTest::newRow("no reminder") << QStringLiteral("S¶0¶1¶0%¶¶¶¶d¶c") << "S" << "";
        QTest::newRow("eight fields") << QStringLiteral("S¶0¶1¶0%¶12/5/2026¶¶¶d") << "S" << QString();
        QTest::newRow("ten fields") << QStringLiteral("S¶0¶1¶0%¶12/5/2026¶¶¶d¶c¶FREQ=DAILY") << "S" << "12/5/2026";
        QTest::newRow("eleven fields") << QStringLiteral("S¶0¶1¶0%¶12/5/2026¶¶¶d¶c¶¶uid") << "S" << "12/5/2026";
        QTest::newRow("twelve fields") << QStringLiteral("S¶0¶1¶0%¶12/5/2026¶¶¶d¶c¶¶uid¶x") << "S" << QString();
        QTest::newRow("empty tag") << "" << "" << QString();
    }
    void todoFields()
    {
        QFETCH(QString, tag);
        QFETCH(QString, reminder);
        const TodoFields fields = TodoFields::read(tag);
        QTEST(fields.text(todofield::Subject), "subject");
        QCOMPARE(TodoFields::reminderOf(tag).value_or(QString()), reminder);
        QCOMPARE(TodoFields::reminderOf(tag).has_value(), !reminder.isNull());
        if (!reminder.isNull())
            QCOMPARE(fields.text(todofield::Reminder), reminder);
    }

    void dueText_data()
    {
        QTest::addColumn<QDateTime>("due");
        QTest::addColumn<QString>("line");
        // Now is Saturday, Dec 5, 2026, 9:05:00 PM.
        const QDate today(2026, 12, 5);
        QTest::newRow("on time") << QDateTime(today, QTime(21, 5)) << "Due 9:05 PM";
        QTest::newRow("a minute late") << QDateTime(today, QTime(21, 4)) << "Due 9:04 PM";
        QTest::newRow("just over a minute") << QDateTime(today, QTime(21, 3, 59)) << "Due 9:03 PM (1 minute ago)";
        QTest::newRow("morning") << QDateTime(today, QTime(9, 0)) << "Due 9:00 AM (12 hours ago)";
        QTest::newRow("two hours") << QDateTime(today, QTime(19, 0)) << "Due 7:00 PM (2 hours ago)";
        QTest::newRow("59 minutes") << QDateTime(today, QTime(20, 5, 1)) << "Due 8:05 PM (59 minutes ago)";
        QTest::newRow("midnight") << QDateTime(today, QTime(0, 0)) << "Due 12:00 AM (21 hours ago)";
        QTest::newRow("yesterday") << QDateTime(today.addDays(-1), QTime(22, 0)) << "Due Fri, Dec 4, 10:00 PM (23 hours ago)";
        QTest::newRow("days") << QDateTime(QDate(2026, 11, 30), QTime(12, 30)) << "Due Mon, Nov 30, 12:30 PM (5 days ago)";
        QTest::newRow("last year") << QDateTime(QDate(2025, 12, 31), QTime(8, 0)) << "Due Wed, Dec 31, 2025, 8:00 AM (339 days ago)";
        QTest::newRow("tomorrow") << QDateTime(today.addDays(1), QTime(9, 0)) << "Due Sun, Dec 6, 9:00 AM";
    }
    void dueText()
    {
        QFETCH(QDateTime, due);
        QTEST(duetext::line(due, QDateTime(QDate(2026, 12, 5), QTime(21, 5))), "line");
    }

    void missedOrder_data()
    {
        QTest::addColumn<QList<std::optional<qint64>>>("stamps");
        QTest::addColumn<QList<int>>("rows");
        const qint64 now = 20261205210500;
        using Stamps = QList<std::optional<qint64>>;
        QTest::newRow("oldest first") << Stamps{now, now - 500, std::nullopt, now - 100} << QList<int>{1, 3, 0};
        QTest::newRow("same second: later row first") << Stamps{now - 1, now - 1, now - 2} << QList<int>{2, 1, 0};
        QTest::newRow("future and none left out") << Stamps{now + 1, std::nullopt} << QList<int>{};
    }
    void missedOrder()
    {
        QFETCH(QList<std::optional<qint64>>, stamps);
        QTEST(dueRowsOldestFirst(stamps, 20261205210500), "rows");
    }
};

QTEST_MAIN(TestTodoLogic)
#include "tst_todologic.moc"