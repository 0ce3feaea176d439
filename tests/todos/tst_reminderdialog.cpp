// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/remindertext.h"
#include "tests/support/localzone.h"
#include "tests/todos/todostestsupport.h"
#include <QCheckBox>

namespace {

QStringList days(int from, int to)
{
    QStringList result;
    while (from <= to)
        result.append(QString::number(from++));
    return result;
}

const QString kPast = QStringLiteral("The reminder for this task is in the past, so no reminder will be set. Is it OK?");

} // namespace

class TestReminderDialog : public WindowTest
{
    Q_OBJECT

    std::optional<ReminderDialog> dialog;

    void open(const QDateTime &now, const ReminderFields &current = {})
    {
        f->clock.set(now);
        dialog.emplace(f->services, current, nullptr);
        dialog->show();
    }
    template <typename T = QComboBox> T *get(const char *name) const { return dialog->findChild<T *>(name); }
    QStringList items(const char *name) const { return captions(get(name)->view()); }
    void ok() const { get<QPushButton>("cmdOK")->click(); }

    void tearDown() override { dialog.reset(); f.reset(); }

private slots:
    void monthListInMay()
    {
        open(QDateTime(QDate(2026, 5, 14), QTime(10, 0)));
        QCOMPARE(items("cboMonth").join(' '), QStringLiteral("This month June July August September October November "
                                                             "December January February March April May"));
    }

    void choosingAMonthListsItsDays_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<QString>("day");
        const QStringList may14 = QStringList{"Today"} + days(15, 31) + days(1, 14);
        QTest::newRow("later month") << QDate(2026, 5, 14) << "July" << may14 << "15";
        QTest::newRow("earlier month") << QDate(2026, 5, 14) << "March" << may14 << "14";
        QTest::newRow("February, leap year") << QDate(2028, 1, 10) << "February" << QStringList{"Today"} + days(11, 29) + days(1, 10) << "11";
        QTest::newRow("February, then a leap year") << QDate(2026, 1, 10) << "February:2028" << QStringList{"Today"} + days(11, 29) + days(1, 10) << "11";
        QTest::newRow("April on the 31st") << QDate(2026, 3, 31) << "April" << QStringList{"Today"} + days(1, 30) << "1";
        QTest::newRow("February on the 31st") << QDate(2026, 1, 31) << "February" << QStringList{"Today"} + days(1, 28) << "1";
        const QStringList february2029 = QStringList{"Today"} + days(11, 28) + days(1, 10);
        QTest::newRow("29 February, then a common year") << QDate(2026, 1, 10) << "February:2028:29:2029" << february2029 << "28";
        QTest::newRow("a day both years have stays") << QDate(2026, 1, 10) << "February:2028:15:2029" << february2029 << "15";
        QTest::newRow("back to this month") << QDate(2026, 1, 31) << "This month" << QStringList{"Today"} + days(1, 31) << "Today";
    }
    void choosingAMonthListsItsDays()
    {
        QFETCH(QDate, today);
        QFETCH(QString, month);
        open(QDateTime(today, QTime(10, 0)));
        if (month == QLatin1String("This month"))
            QVERIFY(choose(get("cboMonth"), "February"));
        // month[:year[:day:year]]: the entries chosen one after another
        const QStringList steps = month.split(':');
        const char *const lists[] = {"cboMonth", "cboYear", "cboDay", "cboYear"};
        for (int step = 0; step < steps.size(); ++step)
            QVERIFY(choose(get(lists[step]), steps[step]));
        QTEST(items("cboDay"), "days");
        QTEST(get("cboDay")->currentText(), "day");
    }

    void okWritesTheMoment_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("stored"); // the to-do's reminder; its sound is then "/s/bell.wav"
        QTest::addColumn<QString>("flag"); // the to-do's play flag
        QTest::addColumn<QString>("choice"); // list:entry
        QTest::addColumn<QString>("reminder");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QByteArray>("zone"); // the local one, when given
        const QDateTime evening(QDate(2026, 12, 5), QTime(21, 5, 30));
        QTest::newRow("same day") << evening << "" << "" << "cboFast:1 Minute Later" << "12/5/2026 9:06:00 PM" << "  09:06 PM" << QByteArray();
        QTest::newRow("next day") << evening << "" << "" << "cboFast:10 Hours Later" << "12/6/2026 7:05:00 AM" << "December 6  07:05 AM" << QByteArray();
        QTest::newRow("next year") << QDateTime(QDate(2026, 12, 31), QTime(22, 0)) << "" << "" << "cboFast:5 Hours Later"
                                   << "1/1/2027 3:00:00 AM" << "January 1, 2027  03:00 AM" << QByteArray();
        QTest::newRow("later year chosen") << QDateTime(QDate(2026, 5, 14), QTime(10, 0)) << "" << "" << "cboYear:2027"
                                           << "5/14/2027 10:00:00 AM" << "May 14, 2027  10:00 AM" << QByteArray();
        QTest::newRow("stored 29 February") << evening << "2/29/2028 9:05:00 PM" << "1" << "" << "2/29/2028 9:05:00 PM"
                                            << "February 29, 2028  09:05 PM" << QByteArray();
        QTest::newRow("10 hours on from 28 February 2028") << QDateTime(QDate(2028, 2, 28), QTime(20, 0)) << "" << ""
                                                           << "cboFast:10 Hours Later" << "2/29/2028 6:00:00 AM"
                                                           << "February 29  06:00 AM" << QByteArray();
        QTest::newRow("stored, this month") << evening << "12/17/2026 7:45:00 AM" << "x" << "" << "12/17/2026 7:45:00 AM"
                                            << "December 17  07:45 AM" << QByteArray();
        QTest::newRow("stored midnight, silent") << evening << "1/2/2027" << "0" << "" << "1/2/2027" << "January 2, 2027  12:00 AM" << QByteArray();
        QTest::newRow("stored text does not convert") << QDateTime(QDate(2026, 12, 5), QTime(21, 5)) << "soon" << "1" << ""
                                                      << "12/5/2026 9:05:00 PM" << "  09:05 PM" << QByteArray();
        // 01:40 EDT on the night New York's clocks go back: half an hour later is 01:10 EST.
        QTest::newRow("across the clock change") << QDateTime(QDate(2027, 11, 7), QTime(5, 40), Qt::UTC) << "" << ""
            << "cboFast:30 Minutes Later" << "11/7/2027 1:10:00 AM" << "  01:10 AM" << QByteArray("America/New_York");
    }
    void okWritesTheMoment()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, stored);
        QFETCH(QString, flag);
        QFETCH(QString, choice);
        QFETCH(QByteArray, zone);
        std::optional<LocalZone> local;
        if (!zone.isEmpty())
            local.emplace(zone);
        open(now.toLocalTime(), {stored, stored.isEmpty() ? QString() : "/s/bell.wav", flag, "x"});
        if (!choice.isEmpty())
            QVERIFY(choose(get(qPrintable(choice.section(':', 0, 0))), choice.section(':', 1)));
        ok();
        QVERIFY(f->messages.shown.isEmpty());
        QVERIFY(dialog->written());
        QTEST(dialog->result().reminder, "reminder");
        if (!zone.isEmpty()) // the second 01:10 of the night, not the first
            QCOMPARE(remindertext::read(dialog->result().reminder).toUTC(), now.addSecs(30 * 60));
        QTEST(dialog->result().caption, "caption");
        QCOMPARE(dialog->result().sound, stored.isEmpty() ? f->services.path("alarm.wav") : QStringLiteral("/s/bell.wav"));
        QCOMPARE(dialog->result().playFlag, flag == "0" ? QStringLiteral("0") : QStringLiteral("1"));
    }

    void okChecksTheTime_data()
    {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<QString>("typed"); // hour:minute
        QTest::addColumn<QString>("message"); // empty: written
        QTest::newRow("an hour ago") << QTime(21, 5) << "08:05" << kPast;
        QTest::newRow("this minute, first second") << QTime(21, 5, 0) << "09:05" << "";
        QTest::newRow("this minute, later second") << QTime(21, 5, 1) << "09:05" << kPast;
        QTest::newRow("next minute") << QTime(21, 5, 59) << "09:06" << "";
        QTest::newRow("hour 13") << QTime(21, 5) << "13:05" << "Hour must be a number between 1 to 12";
        QTest::newRow("no hour") << QTime(21, 5) << ":05" << "Hour must be a number between 1 to 12";
        QTest::newRow("minute 60") << QTime(21, 5) << "10:60" << "Minute must be a number between 0 to 59";
    }
    void okChecksTheTime()
    {
        QFETCH(QTime, now);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        open(QDateTime(QDate(2026, 12, 5), now));
        get<QLineEdit>("txtHour")->setText(typed.section(':', 0, 0));
        get<QLineEdit>("txtMin")->setText(typed.section(':', 1));
        f->messages.answers.enqueue(MessageBoxes::Answer::No);
        ok();
        QCOMPARE(dialog->written(), message.isEmpty());
        QCOMPARE(f->messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (message.isEmpty())
            return;
        QVERIFY(dialog->isVisible()); // kept for a correction
        if (message == kPast) {
            ok(); // Yes: it closes and writes nothing
            QVERIFY(!dialog->isVisible() && !dialog->written());
            QCOMPARE(dialog->result(), ReminderFields());
            return;
        }
        // Leaving the box is refused too.
        QVERIFY(QTest::qWaitForWindowActive(&*dialog));
        QLineEdit *bad = get<QLineEdit>(message.startsWith("Hour") ? "txtHour" : "txtMin");
        get<QLineEdit>(message.startsWith("Hour") ? "txtMin" : "txtHour")->setFocus();
        QCoreApplication::processEvents();
        QVERIFY(bad->hasFocus());
        QCOMPARE(f->messages.texts(), QStringList(2, message));
        clickAt(get<QPushButton>("cmdCancel")); // Cancel closes at once, as Esc does
        QVERIFY(!dialog->isVisible() && !dialog->written());
        QCOMPARE(f->messages.shown.size(), 2);
    }

    void soundBoxes()
    {
        open(QDateTime(QDate(2026, 12, 5), QTime(21, 5)));
        f->files.picks.enqueue(QStringLiteral("/sounds/ring.wav"));
        get<QPushButton>("cmdBrowse")->click();
        get<QPushButton>("cmdBrowse")->click(); // cancelled
        get<QPushButton>("cmdRemind")->click();
        QCOMPARE(f->sound.calls.filter("play "), QStringList{"play /sounds/ring.wav"});
        // Unticked, the sound is kept but not played; OK stops the test sound.
        get<QCheckBox>("chkReminder")->click();
        QVERIFY(!get<QPushButton>("cmdBrowse")->isEnabled());
        QVERIFY(choose(get("cboFast"), "5 Minutes Later"));
        ok();
        QCOMPARE(f->sound.calls.last(), QStringLiteral("stop"));
        QCOMPARE(dialog->result().playFlag, QStringLiteral("0"));
        QCOMPARE(dialog->result().sound, QStringLiteral("/sounds/ring.wav"));
    }
};
QTEST_MAIN(TestReminderDialog)
#include "tst_reminderdialog.moc"