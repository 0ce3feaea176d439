// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/remindertext.h"
#include "tests/support/localzone.h"
#include "todos/nextoccurrence.h"
#include "todos/repeatrule.h"
#include "todos/repeattext.h"

#include <QTest>

using Kind = RepeatRule::Kind;

class TestRepeatRule : public QObject
{
    Q_OBJECT
private slots:
    // Day and month names must not follow the user's language.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German)); }

    void ruleText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("weekday");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("monthDay");
        const auto row = [](const char *text, Kind kind, int weekday = 0, int month = 0, int day = 0) {
            QTest::newRow(*text ? text : "empty") << QString::fromLatin1(text) << kind << weekday << month << day;
        };
        row("", Kind::Never);
        row("FREQ=DAILY", Kind::Daily);
        row("FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR", Kind::Weekdays);
        row("FREQ=WEEKLY;BYDAY=TU", Kind::Weekly, 2);
        row("FREQ=WEEKLY;BYDAY=SU", Kind::Weekly, 7);
        row("FREQ=MONTHLY;BYMONTHDAY=31", Kind::Monthly, 0, 0, 31);
        row("FREQ=MONTHLY;BYMONTHDAY=1", Kind::Monthly, 0, 0, 1);
        row("FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29", Kind::Yearly, 0, 2, 29);
        row("FREQ=YEARLY;BYMONTH=12;BYMONTHDAY=31", Kind::Yearly, 0, 12, 31);
        row("FREQ=YEARLY;BYMONTHDAY=29;BYMONTH=2", Kind::Yearly, 0, 2, 29);
        // Rules the dialog cannot show, kept and rung by their own rule.
        row("FREQ=HOURLY", Kind::Custom);
        row("FREQ=DAILY;COUNT=3", Kind::Custom);
        row("FREQ=WEEKLY;INTERVAL=2;BYDAY=MO", Kind::Custom);
        row("FREQ=WEEKLY;BYDAY=MO,TU", Kind::Custom);
        row("freq=daily", Kind::Custom);
        row("FREQ=YEARLY", Kind::Custom);
        row("FREQ=MONTHLY;BYMONTHDAY=031", Kind::Custom);
        row("FREQ=MONTHLY;BYMONTHDAY=-1", Kind::Custom);
        row("FREQ=DAILY;UNTIL=20261231T235959Z", Kind::Custom);
        row("FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30", Kind::Custom);
        // No rule: kept as it is, and it rings once.
        row("hello", Kind::Invalid);
        row("RRULE:FREQ=DAILY", Kind::Invalid);
        row("FREQ=DAILY;FOO=BAR", Kind::Invalid);
        row("FREQ=DAILY;COUNT=0", Kind::Invalid);
        row("FREQ=WEEKLY;BYDAY=XX", Kind::Invalid);
        row("FREQ=MONTHLY;BYMONTHDAY=32", Kind::Invalid);
        row("FREQ=DAILY ", Kind::Invalid);
        QTest::newRow("NUL inside") << QStringLiteral("FREQ=DAILY%1;x").arg(QChar(0)) << Kind::Invalid << 0 << 0 << 0;
        QTest::newRow("not ASCII") << QStringLiteral("FREQ=DA\u0130LY") << Kind::Invalid << 0 << 0 << 0;
    }
    void ruleText()
    {
        QFETCH(QString, text);
        QFETCH(Kind, kind);
        const RepeatRule rule = RepeatRule::fromText(text);
        QCOMPARE(rule.kind(), kind);
        QCOMPARE(rule.text(), text);
        QCOMPARE(rule.repeats(), kind != Kind::Never && kind != Kind::Invalid);
        QTEST(rule.weekday(), "weekday");
        QTEST(rule.month(), "month");
        QTEST(rule.monthDay(), "monthDay");
    }

    void forKind_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        const auto at = [](int y, int mo, int d, int h, int mi) { return QDateTime(QDate(y, mo, d), QTime(h, mi)); };
        QTest::newRow("never") << Kind::Never << at(2026, 12, 8, 9, 0) << "" << "";
        QTest::newRow("day") << Kind::Daily << at(2026, 12, 8, 21, 5) << "FREQ=DAILY" << "Every day, 09:05 PM";
        QTest::newRow("weekday") << Kind::Weekdays << at(2026, 12, 8, 0, 0) << "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR" << "Every weekday, 12:00 AM";
        QTest::newRow("week on Monday") << Kind::Weekly << at(2026, 12, 7, 9, 0) << "FREQ=WEEKLY;BYDAY=MO" << "Every week, Mon 09:00 AM";
        QTest::newRow("week on Sunday") << Kind::Weekly << at(2026, 12, 13, 12, 30) << "FREQ=WEEKLY;BYDAY=SU" << "Every week, Sun 12:30 PM";
        QTest::newRow("month on the 31st") << Kind::Monthly << at(2026, 1, 31, 9, 0) << "FREQ=MONTHLY;BYMONTHDAY=31" << "Every month, 31st 09:00 AM";
        QTest::newRow("month on the 22nd") << Kind::Monthly << at(2026, 1, 22, 9, 0) << "FREQ=MONTHLY;BYMONTHDAY=22" << "Every month, 22nd 09:00 AM";
        QTest::newRow("month on the 13th") << Kind::Monthly << at(2026, 1, 13, 9, 0) << "FREQ=MONTHLY;BYMONTHDAY=13" << "Every month, 13th 09:00 AM";
        QTest::newRow("month on the 3rd") << Kind::Monthly << at(2026, 1, 3, 9, 0) << "FREQ=MONTHLY;BYMONTHDAY=3" << "Every month, 3rd 09:00 AM";
        QTest::newRow("year on 29 February") << Kind::Yearly << at(2028, 2, 29, 9, 0)
                                << "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29" << "Every year, Feb 29 09:00 AM";
        QTest::newRow("custom is only read") << Kind::Custom << at(2026, 12, 8, 9, 0) << "" << "";
        QTest::newRow("invalid is only read") << Kind::Invalid << at(2026, 12, 8, 9, 0) << "" << "";
        QTest::newRow("no moment") << Kind::Daily << QDateTime() << "" << "";
    }
    void forKind()
    {
        QFETCH(Kind, kind);
        QFETCH(QDateTime, start);
        QFETCH(QString, text);
        const RepeatRule rule = RepeatRule::forKind(kind, start);
        QCOMPARE(rule.text(), text);
        QCOMPARE(rule.kind(), text.isEmpty() ? Kind::Never : kind);
        QTEST(repeattext::caption(rule, start), "caption");
    }

    // Reminders go in and come out as the reminder field's text, as the to-do keeps them; after
    // and the moment it rings carry their UTC offset, which tells the two 01:30s of a night apart.
    void next_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("reminder"); // "": the series has ended; "?": not known within the bound
        QTest::addColumn<QString>("rings"); // "03:00-04:00"
        const auto row = [](const char *name, const char *zone, const char *rule, const char *start, const char *after,
                            const char *reminder, const char *rings = "") {
            QTest::newRow(name) << QByteArray(zone) << QString::fromLatin1(rule) << QString::fromLatin1(start)
                                << QString::fromLatin1(after) << QString::fromLatin1(reminder) << QString::fromLatin1(rings);
        };
        const char *ny = "America/New_York";
        const char *daily = "FREQ=DAILY";
        const char *weekdays = "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR";
        const char *month31 = "FREQ=MONTHLY;BYMONTHDAY=31";
        const char *feb29 = "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29";
        row("09:00 stays 09:00 as clocks go forward", ny, daily, "3/7/2026 9:00:00 AM", "2026-03-07T09:00:00-05:00", "3/8/2026 9:00:00 AM", "09:00-04:00");
        row("09:00 stays 09:00 as clocks go back", ny, daily, "10/31/2026 9:00:00 AM", "2026-10-31T09:00:00-04:00", "11/1/2026 9:00:00 AM", "09:00-05:00");
        row("a skipped time rings as the clocks reach it", ny, daily, "3/7/2026 2:30:00 AM", "2026-03-07T02:30:00-05:00",
            "3/8/2026 2:30:00 AM", "03:00-04:00");
        row("and the series keeps its time", ny, daily, "3/8/2026 2:30:00 AM", "2026-03-08T03:00:00-04:00", "3/9/2026 2:30:00 AM", "02:30-04:00");
        row("a repeated time rings at its first", ny, daily, "10/31/2026 1:30:00 AM", "2026-10-31T01:30:00-04:00", "11/1/2026 1:30:00 AM", "01:30-04:00");
        row("and not again at its second", ny, daily, "11/1/2026 1:30:00 AM", "2026-11-01T01:30:00-04:00", "11/2/2026 1:30:00 AM", "01:30-05:00");
        row("skipped in Berlin", "Europe/Berlin", daily, "3/28/2026 2:30:00 AM", "2026-03-28T02:30:00+01:00", "3/29/2026 2:30:00 AM", "03:00+02:00");
        row("repeated in Berlin", "Europe/Berlin", "FREQ=WEEKLY;BYDAY=SU", "10/18/2026 2:30:00 AM", "2026-10-18T02:30:00+02:00",
            "10/25/2026 2:30:00 AM", "02:30+02:00");
        row("midnight skipped in Santiago", "America/Santiago", daily, "9/5/2026 12:30:00 AM", "2026-09-05T00:30:00-04:00",
            "9/6/2026 12:30:00 AM", "01:00-03:00");
        row("late evening repeated in Santiago", "America/Santiago", daily, "4/3/2026 11:30:00 PM", "2026-04-03T23:30:00-03:00",
            "4/4/2026 11:30:00 PM", "23:30-03:00");
        row("weekday: Friday to Monday", ny, weekdays, "12/4/2026 9:00:00 AM", "2026-12-04T09:00:00-05:00", "12/7/2026 9:00:00 AM", "09:00-05:00");
        row("weekday: from a Sunday", ny, weekdays, "12/4/2026 9:00:00 AM", "2026-12-06T23:00:00-05:00", "12/7/2026 9:00:00 AM", "09:00-05:00");
        row("week: a week on", ny, "FREQ=WEEKLY;BYDAY=MO", "12/7/2026 9:00:00 AM", "2026-12-07T09:00:01-05:00", "12/14/2026 9:00:00 AM", "09:00-05:00");
        row("31st: February's last day", ny, month31, "1/31/2026 9:00:00 AM", "2026-01-31T09:00:00-05:00", "2/28/2026 9:00:00 AM", "09:00-05:00");
        row("31st: and the 31st after", ny, month31, "2/28/2026 9:00:00 AM", "2026-02-28T09:00:00-05:00", "3/31/2026 9:00:00 AM", "09:00-04:00");
        row("31st: April's last day", ny, month31, "3/31/2026 9:00:00 AM", "2026-03-31T09:00:00-04:00", "4/30/2026 9:00:00 AM", "09:00-04:00");
        row("31st: a leap February", ny, month31, "1/31/2028 9:00:00 AM", "2028-01-31T09:00:00-05:00", "2/29/2028 9:00:00 AM", "09:00-05:00");
        row("31st: into the next year", ny, month31, "12/31/2026 9:00:00 AM", "2026-12-31T09:00:00-05:00", "1/31/2027 9:00:00 AM", "09:00-05:00");
        row("29 February: a common year", ny, feb29, "2/29/2028 9:00:00 AM", "2028-02-29T09:00:00-05:00", "2/28/2029 9:00:00 AM", "09:00-05:00");
        row("29 February: back in a leap year", ny, feb29, "2/28/2031 9:00:00 AM", "2031-02-28T09:00:00-05:00", "2/29/2032 9:00:00 AM", "09:00-05:00");
        row("missed for a week: once, tomorrow", ny, daily, "12/1/2026 9:00:00 AM", "2026-12-08T10:00:00-05:00", "12/9/2026 9:00:00 AM", "09:00-05:00");
        row("missed for a week: once, today", ny, daily, "12/1/2026 9:00:00 AM", "2026-12-08T08:00:00-05:00", "12/8/2026 9:00:00 AM", "09:00-05:00");
        row("missed for months", ny, month31, "1/31/2025 9:00:00 AM", "2026-06-15T12:00:00-04:00", "6/30/2026 9:00:00 AM", "09:00-04:00");
        row("a start still to come is the first", ny, daily, "12/10/2026 9:00:00 AM", "2026-12-08T10:00:00-05:00", "12/10/2026 9:00:00 AM", "09:00-05:00");
        row("at midnight", ny, daily, "12/8/2026", "2026-12-08T00:00:00-05:00", "12/9/2026", "00:00-05:00");
        row("never repeats", ny, "", "12/8/2026 9:00:00 AM", "2026-12-08T09:00:00-05:00", "");
        row("no rule rings once", ny, "hello", "12/8/2026 9:00:00 AM", "2026-12-08T09:00:00-05:00", "");
        row("no reminder", ny, daily, "", "2026-12-08T09:00:00-05:00", "");
        // Custom rules, stepped through by libical.
        row("every 5 hours", ny, "FREQ=HOURLY;INTERVAL=5", "12/8/2026 9:30:00 AM", "2026-12-08T20:00:00-05:00", "12/9/2026 12:30:00 AM", "00:30-05:00");
        row("hourly over skipped hour", ny, "FREQ=HOURLY", "3/8/2026 12:30:00 AM", "2026-03-08T01:30:00-05:00", "3/8/2026 2:30:00 AM", "03:00-04:00");
        row("hourly after it", ny, "FREQ=HOURLY", "3/8/2026 12:30:00 AM", "2026-03-08T03:00:00-04:00", "3/8/2026 3:30:00 AM", "03:30-04:00");
        row("plain yearly keeps to leap years", ny, "FREQ=YEARLY", "2/29/2028 9:00:00 AM", "2028-02-29T09:00:00-05:00",
            "2/29/2032 9:00:00 AM", "09:00-05:00");
        row("last Friday", ny, "FREQ=MONTHLY;BYDAY=-1FR", "1/30/2026 6:00:00 PM", "2026-12-08T09:00:00-05:00", "12/25/2026 6:00:00 PM", "18:00-05:00");
        row("every minute for years", ny, "FREQ=MINUTELY", "1/1/2020", "2026-12-08T10:00:30-05:00", "12/8/2026 10:01:00 AM", "10:01-05:00");
        row("count: its last", ny, "FREQ=DAILY;COUNT=3", "12/1/2026 9:00:00 AM", "2026-12-02T10:00:00-05:00", "12/3/2026 9:00:00 AM", "09:00-05:00");
        row("count: ended", ny, "FREQ=DAILY;COUNT=3", "12/1/2026 9:00:00 AM", "2026-12-03T09:00:00-05:00", "");
        row("until: ended", ny, "FREQ=DAILY;UNTIL=20261205T090000", "12/1/2026 9:00:00 AM", "2026-12-05T09:00:00-05:00", "");
        row("never comes", ny, "FREQ=MONTHLY;BYMONTHDAY=31;BYMONTH=4", "12/1/2026 9:00:00 AM", "2026-12-05T09:00:00-05:00", "");
        row("cannot come", ny, "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30", "12/1/2026 9:00:00 AM", "2026-12-05T09:00:00-05:00", "");
        row("too many missed to count", ny, "FREQ=SECONDLY;COUNT=100000000", "12/1/2026", "2026-12-08T09:00:00-05:00", "?");
        row("too many missed, the count still running", ny, "FREQ=MINUTELY;COUNT=100000", "11/1/2026", "2026-12-08T09:00:00-05:00", "?");
    }
    void next()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QString, rule);
        QFETCH(QString, start);
        QFETCH(QString, after);
        QFETCH(QString, reminder);
        const LocalZone local(zone);
        bool gaveUp = true;
        const auto found = nextOccurrence(RepeatRule::fromText(rule), remindertext::read(start),
                                          QDateTime::fromString(after, Qt::ISODate), &gaveUp);
        QCOMPARE(gaveUp, reminder == QLatin1String("?"));
        QCOMPARE(found.has_value(), !reminder.isEmpty() && !gaveUp);
        if (!found)
            return;
        QCOMPARE(found->reminderText(), reminder);
        // Each rings on its own date: the time and the UTC offset tell the rest.
        QCOMPARE(found->moment.date(), found->date);
        const QString rings = found->moment.toOffsetFromUtc(found->moment.offsetFromUtc()).toString(Qt::ISODate);
        QTEST(rings.mid(11, 5) + rings.right(6), "rings");
    }

    void nextText_data()
    {
        QTest::addColumn<QDateTime>("next");
        QTest::addColumn<QString>("text");
        const QDate day(2026, 12, 8);
        QTest::newRow("tomorrow") << QDateTime(day, QTime(9, 0)) << "Next: Tue, Dec 8, 9:00 AM";
        QTest::newRow("later today") << QDateTime(day.addDays(-1), QTime(21, 0)) << "Next: 9:00 PM";
        QTest::newRow("next year") << QDateTime(QDate(2027, 1, 1), QTime(0, 5)) << "Next: Fri, Jan 1, 2027, 12:05 AM";
        QTest::newRow("series ended") << QDateTime() << "";
    }
    void nextText()
    {
        QFETCH(QDateTime, next);
        const QDateTime now(QDate(2026, 12, 7), QTime(9, 0, 5));
        const auto occurrence = next.isValid() ? std::optional(Occurrence{next.date(), next.time(), next}) : std::nullopt;
        QTEST(repeattext::next(occurrence, now), "text");
    }
};

QTEST_GUILESS_MAIN(TestRepeatRule)
#include "tst_repeatrule.moc"
