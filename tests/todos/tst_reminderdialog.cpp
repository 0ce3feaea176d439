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
        if (today.month() == 5) // the months from the next one on, back to this one
            QCOMPARE(items("cboMonth").join(' '), QStringLiteral("This month June July August September October November "
                                                                 "December January February March April May"));
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
        open(now.toLocalTime(), {stored, stored.isEmpty() ? QString() : "/s/bell.wav", flag, "x", ""});
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

    // The way it repeats: kept byte for byte unless chosen anew or moved to another day it names.
    void repeatChoice_data()
    {
        QTest::addColumn<QString>("stored"); // reminder|rule
        QTest::addColumn<QString>("steps"); // list:entry;...
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("written"); // reminder|rule|caption
        // Now is Saturday, 5 December 2026, 9:05:30 PM.
        QTest::newRow("never by default") << "|" << "cboFast:1 Minute Later" << "Never" << "12/5/2026 9:06:00 PM||  09:06 PM";
        QTest::newRow("every week on the day chosen") << "|" << "cboFast:10 Hours Later;cboRepeat:Every week" << "Never"
            << "12/6/2026 7:05:00 AM|FREQ=WEEKLY;BYDAY=SU|Every week, Sun 07:05 AM";
        QTest::newRow("a time passed today starts tomorrow") << "|" << "txtHour:08;cboRepeat:Every day" << "Never"
            << "12/6/2026 8:05:00 PM|FREQ=DAILY|Every day, 08:05 PM";
        QTest::newRow("the 31st waiting on the 30th stays") << "4/30/2027 9:00:00 AM|FREQ=MONTHLY;BYMONTHDAY=31" << ""
            << "Every month" << "4/30/2027 9:00:00 AM|FREQ=MONTHLY;BYMONTHDAY=31|Every month, 31st 09:00 AM";
        QTest::newRow("another day, another rule") << "4/30/2027 9:00:00 AM|FREQ=MONTHLY;BYMONTHDAY=31" << "cboDay:29"
            << "Every month" << "4/29/2027 9:00:00 AM|FREQ=MONTHLY;BYMONTHDAY=29|Every month, 29th 09:00 AM";
        QTest::newRow("custom shown and kept") << "12/8/2026 2:00:00 PM|FREQ=HOURLY;INTERVAL=4" << "" << "Custom"
            << "12/8/2026 2:00:00 PM|FREQ=HOURLY;INTERVAL=4|Custom, Dec 8, 2026 02:00 PM";
        QTest::newRow("custom chosen away") << "12/8/2026 2:00:00 PM|FREQ=HOURLY;INTERVAL=4" << "cboRepeat:Every day" << "Custom"
            << "12/8/2026 2:00:00 PM|FREQ=DAILY|Every day, 02:00 PM";
        QTest::newRow("no rule kept") << "12/8/2026 2:00:00 PM|hello" << "" << "Never" << "12/8/2026 2:00:00 PM|hello|December 8  02:00 PM";
        QTest::newRow("no rule, Never chosen") << "12/8/2026 2:00:00 PM|hello" << "cboRepeat:Never" << "Never"
            << "12/8/2026 2:00:00 PM||December 8  02:00 PM";
    }
    void repeatChoice()
    {
        QFETCH(QString, stored);
        QFETCH(QString, steps);
        open(QDateTime(QDate(2026, 12, 5), QTime(21, 5, 30)), {stored.section('|', 0, 0), "", "1", "x", stored.section('|', 1)});
        QComboBox *repeat = get("cboRepeat");
        QTEST(repeat->currentText(), "shown");
        const QStringList choices{"Never", "Every day", "Every weekday", "Every week", "Every month", "Every year"};
        const bool custom = repeat->currentText() == QLatin1String("Custom");
        QCOMPARE(items("cboRepeat"), custom ? choices + QStringList{"Custom"} : choices);
        QVERIFY(!custom || !(repeat->model()->flags(repeat->model()->index(6, 0)) & Qt::ItemIsEnabled));
        for (const QString &step : steps.split(';', Qt::SkipEmptyParts)) {
            if (step.startsWith(QLatin1String("txtHour:")))
                get<QLineEdit>("txtHour")->setText(step.section(':', 1));
            else
                QVERIFY(choose(get(qPrintable(step.section(':', 0, 0))), step.section(':', 1)));
        }
        ok();
        QVERIFY(f->messages.shown.isEmpty());
        const ReminderFields result = dialog->result();
        QTEST(QStringList({result.reminder, result.repeatRule, result.caption}).join('|'), "written");
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