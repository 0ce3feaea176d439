// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/todomodel.h"
#include "core/todorecord.h"
#include "exchange/exchangefile.h"
#include "exchange/exchangesummary.h"
#include "exchange/icalendartodos.h"
#include "exchange/mergeimport.h"
#include "tests/exchange/exchangetestsupport.h"
#include "tests/support/localzone.h"

#include <QTemporaryDir>
#include <QTimeZone>

#include <ctime>

namespace {

QByteArray calendar(const QByteArray &items)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Elsewhere//EN\r\n" + items + "END:VCALENDAR\r\n";
}

QByteArray todo(const QByteArray &lines)
{
    return "BEGIN:VTODO\r\nUID:u1\r\nDTSTAMP:20261201T000000Z\r\n" + lines + "END:VTODO\r\n";
}

/// A zone only this file defines: five hours behind UTC all year.
const QByteArray customZone = "BEGIN:VTIMEZONE\r\nTZID:Office Time\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
                              "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0500\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";

} // namespace

class TestICalendar : public QObject
{
    Q_OBJECT
private slots:
    // Local time is Tokyo's (no daylight saving), so every conversion to local time shows.
    void initTestCase()
    {
        qputenv("TZ", "Asia/Tokyo");
        tzset();
        QVERIFY(m_dir.isValid());
    }

    void import_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tag");
        const QString none = QStringLiteral("¶¶¶¶¶Reminder not set¶¶u1");
        QTest::newRow("folded, escaped, split inside a character")
            << calendar(todo("SUMMARY:Gr\xC3\r\n \xBC\xC3\x9F""e\\, Br\\;ot\r\n\t und \\\\ mehr\r\nDESCRIPTION:one\\ntwo\\Nthree\r\n"))
            << u"Grüße, Br;ot und \\ mehr"_qs << u"Grüße, Br;ot und \\ mehr¶0¶1¶0%¶¶¶¶one\r\ntwo\r\nthree¶Reminder not set¶¶u1"_qs;
        const std::initializer_list<std::pair<const char *, const char *>> priorities = {
            {"1", "2"}, {"4", "2"}, {"5", "1"}, {"0", "1"}, {"6", "0"}, {"9", "0"}, {"12", "0"}, {"-3", "1"}};
        for (const auto &[written, index] : priorities) {
            QTest::addRow("priority %s", written) << calendar(todo(QByteArray("SUMMARY:p\r\nPRIORITY:") + written + "\r\n"))
                << u"p"_qs << u"p¶0¶%1¶0%"_qs.arg(QLatin1String(index)) + none;
        }
        QTest::newRow("percent above 100") << calendar(todo("SUMMARY:p\r\nPERCENT-COMPLETE:150\r\n")) << u"p"_qs << u"p¶0¶1¶100%"_qs + none;
        QTest::newRow("percent below 0") << calendar(todo("SUMMARY:p\r\nPERCENT-COMPLETE:-5\r\n")) << u"p"_qs << u"p¶0¶1¶0%"_qs + none;
        const std::initializer_list<std::pair<const char *, const char *>> statuses = {
            {"STATUS:IN-PROCESS", "1"}, {"STATUS:COMPLETED\r\nCOMPLETED:20261201T000000Z", "2"},
            {"STATUS:NEEDS-ACTION\r\nX-QUILLET-STATUS:WAITING", "3"}, {"STATUS:NEEDS-ACTION\r\nX-QUILLET-STATUS:DEFERRED", "4"},
            {"STATUS:CANCELLED", "4"}, {"STATUS:NEEDS-ACTION", "0"}};
        for (const auto &[written, index] : statuses) {
            QTest::addRow("%s", written) << calendar(todo(QByteArray("SUMMARY:s\r\n") + written + "\r\n"))
                << u"s"_qs << u"s¶%1¶1¶0%"_qs.arg(QLatin1String(index)) + none;
        }
        QTest::newRow("absolute trigger in UTC, audio")
            << calendar(todo("SUMMARY:a\r\nBEGIN:VALARM\r\nACTION:AUDIO\r\nATTACH:file:///home/a/ring%20bell.wav\r\n"
                             "TRIGGER;VALUE=DATE-TIME:20261205T000000Z\r\nEND:VALARM\r\n"))
            << u"a"_qs << u"a¶0¶1¶0%¶12/5/2026 9:00:00 AM¶/home/a/ring bell.wav¶1¶¶12 05,2026 09:00 AM¶¶u1"_qs;
        QTest::newRow("relative to DTSTART in a system zone, summer time")
            << calendar(todo("SUMMARY:r\r\nDTSTART;TZID=Europe/Berlin:20260701T120000\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
                             "DESCRIPTION:r\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"))
            << u"r"_qs << u"r¶0¶1¶0%¶7/1/2026 6:45:00 PM¶¶0¶¶07 01,2026 06:45 PM¶¶u1"_qs;
        QTest::newRow("relative to DUE in the file's own zone")
            << calendar(customZone + todo("SUMMARY:r\r\nDUE;TZID=Office Time:20261205T080000\r\nBEGIN:VALARM\r\n"
                                          "ACTION:DISPLAY\r\nTRIGGER;RELATED=END:PT0S\r\nEND:VALARM\r\n"))
            << u"r"_qs << u"r¶0¶1¶0%¶12/5/2026 10:00:00 PM¶¶0¶¶12 05,2026 10:00 PM¶¶u1"_qs;
        QTest::newRow("zone defined after the item")
            << calendar(todo("SUMMARY:r\r\nDUE;TZID=Office Time:20261205T080000\r\nBEGIN:VALARM\r\n"
                             "ACTION:DISPLAY\r\nTRIGGER;RELATED=END:PT0S\r\nEND:VALARM\r\n") + customZone)
            << u"r"_qs << u"r¶0¶1¶0%¶12/5/2026 10:00:00 PM¶¶0¶¶12 05,2026 10:00 PM¶¶u1"_qs;
        QTest::newRow("relative to a date, no DTSTART: DUE")
            << calendar(todo("SUMMARY:d\r\nDUE;VALUE=DATE:20261205\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
                             "TRIGGER:-PT1H\r\nEND:VALARM\r\n"))
            << u"d"_qs << u"d¶0¶1¶0%¶12/4/2026 11:00:00 PM¶¶0¶¶12 04,2026 11:00 PM¶¶u1"_qs;
        QTest::newRow("what only Quillet writes comes back")
            << calendar(todo("SUMMARY:subject\r\nX-QUILLET-CAPTION:listed as\r\nRRULE:FREQ=WEEKLY;BYDAY=MO\r\n"
                             "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;VALUE=DATE-TIME:20261205T000000Z\r\n"
                             "X-QUILLET-SOUND:C:\\\\a\\,b.wav\r\nX-QUILLET-REMINDER-CAPTION:Dec 5  09:00 AM\r\nEND:VALARM\r\n"))
            << u"listed as"_qs << u"subject¶0¶1¶0%¶12/5/2026 9:00:00 AM¶C:\\a,b.wav¶0¶¶Dec 5  09:00 AM¶FREQ=WEEKLY;BYDAY=MO¶u1"_qs;
        QTest::newRow("Windows-1252 line, no summary")
            << calendar(todo("DESCRIPTION:caf\xE9\r\n")) << u"New To-Do"_qs << u"¶0¶1¶0%¶¶¶¶café¶Reminder not set¶¶u1"_qs;
    }
    void import()
    {
        QFETCH(QByteArray, file);
        const ImportResult result = icalendartodos::read(writeFile(m_dir.path(), u"in.ics"_qs, file));
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.records.size(), 1);
        QTEST(result.records[0].caption, "caption");
        QTEST(result.records[0].tag, "tag");
        QVERIFY(result.skipped.isEmpty());
    }

    // Events and the like are counted, alarms without a time too; an item without a UID gets
    // the same one at every import.
    void skippedAndCounted()
    {
        const QByteArray file = calendar("BEGIN:VEVENT\r\nUID:e1\r\nBEGIN:VALARM\r\nTRIGGER:-PT1M\r\nEND:VALARM\r\nEND:VEVENT\r\n"
                                         "BEGIN:VEVENT\r\nUID:e2\r\nEND:VEVENT\r\nBEGIN:VJOURNAL\r\nEND:VJOURNAL\r\n"
                                         "BEGIN:VTODO\r\nSUMMARY:no uid\r\nBEGIN:VALARM\r\nTRIGGER:-PT5M\r\nEND:VALARM\r\nEND:VTODO\r\n");
        const QString path = writeFile(m_dir.path(), u"mixed.ics"_qs, file);
        const ImportResult first = icalendartodos::read(path);
        QCOMPARE(first.records.size(), 1);
        QCOMPARE(first.skipped, (QMap<QString, int>{{u"VEVENT"_qs, 2}, {u"VJOURNAL"_qs, 1}, {u"VALARM"_qs, 1}}));
        QVERIFY(!TodoRecord::fromTag(first.records[0].tag).uid.isEmpty());
        QCOMPARE(icalendartodos::read(path).records, first.records);
        QCOMPARE(exchangesummary::imported(first, {1, 0, 0}, path),
                 u"Imported 1 to-do from mixed.ics (1 reminder that gives no time skipped, 2 events skipped, 1 journal entry skipped)"_qs);
    }

    // The exported file as parsers from elsewhere read it; then export, import into an empty
    // list and export again give the same file, and importing it again adds nothing.
    // A reminder's moment in UTC on the days the clocks change and on any other day.
    void triggersAcrossClockChanges()
    {
        const LocalZone newYork("America/New_York");
        const QList<std::pair<QString, QByteArray>> moments{{u"3/8/2026 1:30:00 AM"_qs, "20260308T063000Z"},
                                                          {u"3/8/2026 3:30:00 AM"_qs, "20260308T073000Z"},
                                                          {u"7/1/2026 9:00:00 AM"_qs, "20260701T130000Z"},
                                                          {u"11/1/2026 12:30:00 AM"_qs, "20261101T043000Z"},
                                                          {u"11/1/2026 2:30:00 AM"_qs, "20261101T073000Z"}};
        QList<Record> todos;
        for (const auto &[reminder, trigger] : moments)
            todos << Record{u"t"_qs, TodoRecord{u"t"_qs, 0, 1, u"0%"_qs, reminder, {}, u"0"_qs, {}, u"c"_qs, {}, {}}.toTag()};
        QByteArray text;
        icalendartodos::write(todos, {}, QDateTime::currentDateTimeUtc(), [&text](QByteArrayView piece) {
            text += piece;
            return true;
        });
        qsizetype at = 0;
        for (const auto &[reminder, trigger] : moments) {
            at = text.indexOf("TRIGGER;VALUE=DATE-TIME:", at);
            QVERIFY(at >= 0);
            QCOMPARE(text.mid(at + 24, 16), trigger);
            ++at;
        }
    }

    void exportAndRoundTrip()
    {
        QList<Record> todos;
        const QString tag = TodoRecord{u"Pay, rent; now"_qs, 3, 2, u"40%"_qs, u"12/5/2026 9:00:00 AM"_qs,
                                       u"/home/a/b,c;d.wav"_qs, u"1"_qs, u"line\r\nnext"_qs, u"Dec 5  09:00 AM"_qs,
                                       u"FREQ=MONTHLY;BYMONTHDAY=31"_qs, QString()}.toTag();
        todos << Record{u"Pay, rent; now"_qs, tag} << Record{u"Renamed"_qs, QString()} << Record{u"Renamed"_qs, QString()}
              << Record{u"Done"_qs, u"Done¶2¶0¶100%¶¶¶¶¶Reminder not set"_qs} << Record{u"Mine"_qs, u"x¶1¶1¶0%¶¶¶¶¶Reminder not set¶¶my-uid"_qs};
        const QDateTime now(QDate(2026, 12, 1), QTime(10, 0), QTimeZone::utc());
        const QString first = m_dir.filePath(u"out.ics"_qs);
        QVERIFY(exchange::exportRecords(SectionId::Todos, todos, first, now).ok());

        const QJsonDocument items = readForeign(u"ics"_qs, first);
        QCOMPARE(items.array().size(), 5);
        const QJsonObject pay = items.array()[0].toObject();
        QCOMPARE(pay[u"summary"_qs].toString(), u"Pay, rent; now"_qs);
        QCOMPARE(pay[u"status"_qs].toString(), u"NEEDS-ACTION"_qs);
        QCOMPARE(pay[u"x-quillet-status"_qs].toString(), u"WAITING"_qs);
        QCOMPARE(pay[u"priority"_qs].toInt(), 1);
        QCOMPARE(pay[u"percent-complete"_qs].toString(), u"40"_qs);
        QCOMPARE(pay[u"description"_qs].toString(), u"line\nnext"_qs);
        QCOMPARE(pay[u"trigger"_qs].toString(), u"2026-12-05T00:00:00+0000"_qs);
        QCOMPARE(pay[u"action"_qs].toString(), u"AUDIO"_qs);
        QCOMPARE(pay[u"attach"_qs].toString(), u"file:///home/a/b,c;d.wav"_qs);
        QCOMPARE(pay[u"sound"_qs].toString(), u"/home/a/b,c;d.wav"_qs);
        QCOMPARE(pay[u"rrule"_qs].toString(), u"FREQ=MONTHLY;BYMONTHDAY=31"_qs);
        QCOMPARE(items.array()[3].toObject()[u"status"_qs].toString(), u"COMPLETED"_qs);
        QCOMPARE(items.array()[4].toObject()[u"uid"_qs].toString(), u"my-uid"_qs);
        QSet<QString> uids;
        for (const QJsonValue &item : items.array()) {
            QVERIFY(item.toObject()[u"stamped"_qs].toBool());
            uids.insert(item.toObject()[u"uid"_qs].toString());
        }
        QCOMPARE(uids.size(), 5); // twins too

        // An unchanged record exported again, alone, gets the same UID, whatever the time; the
        // second of two twins too.
        const QString again = m_dir.filePath(u"again.ics"_qs);
        QVERIFY(exchange::exportRecords(SectionId::Todos, todos, again, now.addDays(3), {2}).ok());
        QCOMPARE(readForeign(u"ics"_qs, again).array(), QJsonArray{items.array()[2]});

        TodoModel model;
        const ImportResult imported = exchange::importFile(first);
        QCOMPARE(mergeimport::mergeInto(model, SectionId::Todos, imported.records), (mergeimport::Counts{5, 0, 0}));
        const QString second = m_dir.filePath(u"second.ics"_qs);
        QVERIFY(exchange::exportRecords(SectionId::Todos, model.records(), second, now).ok());
        QFile a(first), b(second);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(b.readAll(), a.readAll());
        QCOMPARE(mergeimport::mergeInto(model, SectionId::Todos, imported.records), (mergeimport::Counts{0, 0, 5}));

        // Into the list it came from: nothing added, the unchanged records not even touched.
        TodoModel origin;
        origin.setRecords(todos);
        QCOMPARE(mergeimport::mergeInto(origin, SectionId::Todos, imported.records), (mergeimport::Counts{0, 0, 5}));
        QCOMPARE(origin.records(), todos);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestICalendar)
#include "tst_icalendar.moc"
