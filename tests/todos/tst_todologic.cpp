#include "todos/percentsteps.h"
#include "todos/reminderdates.h"
#include "todos/remindertext.h"
#include "todos/reminderwatcher.h"
#include "todos/todorecord.h"

#include <QTest>

using namespace reminderdates;

class TestTodoLogic : public QObject
{
    Q_OBJECT
private slots:
    void percentSteps_data()
    {
        QTest::addColumn<int>("p");
        QTest::addColumn<int>("down");
        QTest::addColumn<int>("up");
        // Both ends of every row of the step table.
        QTest::newRow("150") << 150 << 75 << 150;
        QTest::newRow("100") << 100 << 75 << 100;
        QTest::newRow("99") << 99 << 50 << 99;
        QTest::newRow("98") << 98 << 50 << 100;
        QTest::newRow("75") << 75 << 50 << 100;
        QTest::newRow("74") << 74 << 25 << 100;
        QTest::newRow("73") << 73 << 25 << 75;
        QTest::newRow("50") << 50 << 25 << 75;
        QTest::newRow("49") << 49 << 0 << 75;
        QTest::newRow("48") << 48 << 0 << 50;
        QTest::newRow("25") << 25 << 0 << 50;
        QTest::newRow("24") << 24 << 24 << 50;
        QTest::newRow("23") << 23 << 23 << 25;
        QTest::newRow("10") << 10 << 10 << 25;
        QTest::newRow("0") << 0 << 0 << 25;
    }
    void percentSteps()
    {
        QFETCH(int, p);
        QTEST(percent::stepDown(p), "down");
        QTEST(percent::stepUp(p), "up");
    }

    void percentValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value"); // -1: refused
        QTest::addColumn<int>("stepStart");
        QTest::newRow("with sign") << "75%" << 75 << 75;
        QTest::newRow("bare") << "75" << 75 << 75;
        QTest::newRow("signs anywhere") << "%7%5" << 75 << 75;
        QTest::newRow("hundred") << "100%" << 100 << 100;
        QTest::newRow("zero") << "0%" << 0 << 0;
        QTest::newRow("over") << "150" << -1 << 150;
        QTest::newRow("empty") << "" << -1 << 0;
        QTest::newRow("sign only") << "%" << -1 << 0;
        QTest::newRow("letters") << "ab%" << -1 << 0;
        QTest::newRow("negative") << "-5%" << -1 << 0;
        QTest::newRow("blank inside") << "5 %" << -1 << 0;
    }
    void percentValue()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(percent::value(text).value_or(-1), value);
        QTEST(percent::stepStart(text), "stepStart");
    }

    void reminderTextRoundTrip_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("text");
        QTest::newRow("evening") << QDateTime(QDate(2026, 12, 5), QTime(21, 5, 0)) << "12/5/2026 9:05:00 PM";
        QTest::newRow("midnight") << QDateTime(QDate(2026, 12, 5), QTime(0, 0, 0)) << "12/5/2026";
        QTest::newRow("after midnight") << QDateTime(QDate(2027, 1, 1), QTime(0, 0, 1)) << "1/1/2027 12:00:01 AM";
        QTest::newRow("noon") << QDateTime(QDate(2027, 6, 30), QTime(12, 0, 0)) << "6/30/2027 12:00:00 PM";
        QTest::newRow("morning") << QDateTime(QDate(2028, 2, 29), QTime(9, 59, 59)) << "2/29/2028 9:59:59 AM";
    }
    void reminderTextRoundTrip()
    {
        QFETCH(QDateTime, moment);
        QFETCH(QString, text);
        QCOMPARE(remindertext::write(moment), text);
        QCOMPARE(remindertext::read(text), moment);
        QCOMPARE(remindertext::readStamp(text), std::optional<qint64>(remindertext::stamp(moment)));
    }

    void reminderTextWriteDropsMilliseconds()
    {
        const QDateTime moment(QDate(2026, 12, 5), QTime(21, 5, 7, 900));
        QCOMPARE(remindertext::write(moment), QStringLiteral("12/5/2026 9:05:07 PM"));
    }

    void reminderTextRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("other order") << "2026-12-05 21:05:00";
        QTest::newRow("leading zero month") << "01/5/2026 9:05:00 PM";
        QTest::newRow("leading zero hour") << "1/5/2026 09:05:00 PM";
        QTest::newRow("two-digit year") << "1/5/26 9:05:00 PM";
        QTest::newRow("no seconds") << "1/5/2026 9:05 PM";
        QTest::newRow("24-hour") << "1/5/2026 21:05:00";
        QTest::newRow("lower case") << "1/5/2026 9:05:00 pm";
        QTest::newRow("hour 13") << "1/5/2026 13:05:00 PM";
        QTest::newRow("minute 60") << "1/5/2026 9:60:00 PM";
        QTest::newRow("no such day") << "2/30/2026 9:05:00 PM";
        QTest::newRow("no leap day") << "2/29/2026";
        QTest::newRow("month 13") << "13/1/2026";
        QTest::newRow("midnight spelt out") << "12/5/2026 12:00:00 AM";
        QTest::newRow("trailing blank") << "12/5/2026 9:05:00 PM ";
        QTest::newRow("leading blank") << " 12/5/2026";
    }
    void reminderTextRefused()
    {
        QFETCH(QString, text);
        QVERIFY(!remindertext::read(text).isValid());
        QVERIFY(!remindertext::readStamp(text).has_value());
    }

    void recordFromTag_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("priority");
        QTest::addColumn<QString>("caption");
        QTest::newRow("empty") << "" << "" << 0 << 1 << "Reminder not set";
        QTest::newRow("short") << QStringLiteral("Only¶4") << "Only" << 4 << 1 << "Reminder not set";
        QTest::newRow("not indices") << QStringLiteral("X¶7¶b¶0%¶¶¶¶¶C") << "X" << 0 << 1 << "C";
    }
    void recordFromTag()
    {
        QFETCH(QString, tag);
        const TodoRecord record = TodoRecord::fromTag(tag);
        QTEST(record.subject, "subject");
        QTEST(record.status, "status");
        QTEST(record.priority, "priority");
        QTEST(record.reminderCaption, "caption");
    }

    void recordKeepsFieldSeparatorTypedByUser()
    {
        TodoRecord record;
        record.subject = QStringLiteral("A¶B");
        record.reminder = QStringLiteral("12/5/2026 9:05:00 PM");
        const QString tag = record.toTag();
        QCOMPARE(tag.count(QChar(0x00B6)), 8);
        QCOMPARE(TodoRecord::fromTag(tag), record);
        QVERIFY(todoDueStamp(tag).has_value()); // still nine fields to the watcher
    }

    void plainRecordTagIsTheFileForm()
    {
        TodoRecord record;
        record.subject = QStringLiteral("Call plumber");
        record.status = 1;
        record.priority = 2;
        record.percent = QStringLiteral("50%");
        record.description = QStringLiteral("Ask about the boiler");
        QCOMPARE(record.toTag(), QStringLiteral("Call plumber¶1¶2¶50%¶¶¶¶Ask about the boiler¶Reminder not set"));
    }

    void monthNames()
    {
        QCOMPARE(GetMonthName(13), QString());
        QCOMPARE(GetMonthNumber(u"May"), 5);
        QCOMPARE(GetMonthNumber(u"This month"), 0);
        QCOMPARE(GetMonthNumber(u"may"), 0);
        for (int month = 1; month <= 12; ++month)
            QCOMPARE(GetMonthNumber(GetMonthName(month)), month);
    }

    void caption_data()
    {
        QTest::addColumn<QStringList>("texts"); // year, month, day, hour, minute, half
        QTest::addColumn<QString>("caption");
        QTest::newRow("today") << QStringList{"This year", "This month", "Today", "09", "05", "PM"} << "  09:05 PM";
        QTest::newRow("later this month") << QStringList{"This year", "This month", "17", "09", "05", "PM"}
                                          << "This month 17  09:05 PM";
        QTest::newRow("named month") << QStringList{"This year", "March", "3", "11", "30", "AM"} << "March 3  11:30 AM";
        QTest::newRow("later year") << QStringList{"2028", "June", "30", "09", "05", "PM"} << "June 30, 2028  09:05 PM";
        QTest::newRow("typed time") << QStringList{"This year", "This month", "Today", "9", "5", "AM"} << "  9:5 AM";
    }
    void caption()
    {
        QFETCH(QStringList, texts);
        QTEST(reminderCaption({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]}), "caption");
    }
};

QTEST_MAIN(TestTodoLogic)
#include "tst_todologic.moc"
