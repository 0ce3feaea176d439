#include "todos/duetext.h"
#include "todos/percentsteps.h"
#include "todos/reminderedits.h"
#include "todos/remindertext.h"
#include "todos/reminderwatcher.h"
#include "todos/todorecord.h"

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

    void reminderTextRoundTrip_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("text");
        QTest::newRow("evening") << QDateTime(QDate(2026, 12, 5), QTime(21, 5)) << "12/5/2026 9:05:00 PM";
        QTest::newRow("midnight") << QDateTime(QDate(2026, 12, 5), QTime(0, 0)) << "12/5/2026";
        QTest::newRow("after midnight") << QDateTime(QDate(2027, 1, 1), QTime(0, 0, 1)) << "1/1/2027 12:00:01 AM";
        QTest::newRow("noon") << QDateTime(QDate(2027, 6, 30), QTime(12, 0)) << "6/30/2027 12:00:00 PM";
        QTest::newRow("leap day") << QDateTime(QDate(2028, 2, 29), QTime(9, 59, 59)) << "2/29/2028 9:59:59 AM";
    }
    void reminderTextRoundTrip()
    {
        QFETCH(QDateTime, moment);
        QFETCH(QString, text);
        QCOMPARE(remindertext::write(moment), text);
        QCOMPARE(remindertext::read(text), moment);
        QCOMPARE(remindertext::readStamp(text), std::optional<qint64>(remindertext::stamp(moment)));
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

    void recordTags()
    {
        TodoRecord record;
        record.subject = QStringLiteral("A¶B");
        record.reminder = QStringLiteral("12/5/2026 9:05:00 PM");
        QCOMPARE(TodoRecord::fromTag(record.toTag()), record);
        QVERIFY(todoDueStamp(record.toTag()).has_value()); // a typed "¶" splits no field

        // Missing fields and indices out of range read as the defaults.
        QCOMPARE(TodoRecord::fromTag(QString()), TodoRecord());
        const TodoRecord shortTag = TodoRecord::fromTag(QStringLiteral("Only¶4"));
        QCOMPARE(shortTag.subject, QStringLiteral("Only"));
        QCOMPARE(shortTag.status, 4);
        const TodoRecord badIndices = TodoRecord::fromTag(QStringLiteral("X¶7¶b¶0%¶¶¶¶¶C"));
        QCOMPARE(badIndices.status, 0);
        QCOMPARE(badIndices.priority, 1);

        // Stopping a reminder leaves every other field's exact text; snoozing needs a reminder.
        const QString stopped = reminderedits::withoutReminder(QStringLiteral("A¶x¶2¶7¶1/1/2027¶/a.wav¶0¶d"));
        QCOMPARE(stopped, QStringLiteral("A¶x¶2¶7¶¶¶¶d¶Reminder not set"));
        QVERIFY(!reminderedits::snoozed(stopped, QDateTime::currentDateTime(), 5));
        QVERIFY(!reminderedits::snoozed(QString(), QDateTime::currentDateTime(), 5));
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