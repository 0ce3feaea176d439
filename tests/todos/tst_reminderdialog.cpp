#include "tests/todos/todostestsupport.h"

#include "todos/reminderdialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

QStringList days(int from, int to)
{
    QStringList result;
    for (int n = from; n <= to; ++n)
        result.append(QString::number(n));
    return result;
}

} // namespace

class TestReminderDialog : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<MainWindowFixture> f;
    std::unique_ptr<ReminderDialog> dialog;

    void open(const ReminderFields &current = {}, const QDateTime &now = {})
    {
        if (now.isValid())
            f->clock.set(now);
        dialog = std::make_unique<ReminderDialog>(f->services, current, nullptr);
        dialog->show();
    }
    template <typename T = QComboBox> T *get(const char *name) const { return dialog->findChild<T *>(name); }
    QStringList items(const char *name) const
    {
        QStringList result;
        for (int i = 0; i < get(name)->count(); ++i)
            result.append(get(name)->itemText(i));
        return result;
    }
    /// Year, month, day, hour, minute and half day as they stand.
    QStringList moment() const
    {
        return {get("cboYear")->currentText(), get("cboMonth")->currentText(), get("cboDay")->currentText(),
                get<QLineEdit>("txtHour")->text(), get<QLineEdit>("txtMin")->text(), get("cboAMPM")->currentText()};
    }
    void ok() const { get<QPushButton>("cmdOK")->click(); }

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup()
    {
        dialog.reset();
        f.reset();
    }

    void opensOnTheStoredReminder_data()
    {
        QTest::addColumn<QString>("reminder");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QStringList>("moment");
        QTest::newRow("later year") << "6/30/2028 9:05:00 PM" << "1" << QStringList{"2028", "June", "30", "09", "05", "PM"};
        QTest::newRow("this month") << "12/17/2026 7:45:00 AM" << "x"
                                    << QStringList{"This year", "December", "17", "07", "45", "AM"};
        QTest::newRow("midnight") << "1/2/2027" << "0" << QStringList{"2027", "January", "2", "12", "00", "AM"};
        QTest::newRow("none, now") << "" << "" << QStringList{"This year", "This month", "Today", "09", "05", "PM"};
    }
    void opensOnTheStoredReminder()
    {
        QFETCH(QString, reminder);
        QFETCH(QString, flag);
        open({reminder, reminder.isEmpty() ? QString() : "/sounds/bell.wav", flag, "x"},
             QDateTime(QDate(2026, 12, 5), QTime(21, 5, 42)));
        QTEST(moment(), "moment");
        QCOMPARE(get<QLineEdit>("txtSound")->text(),
                 reminder.isEmpty() ? f->services.path("alarm.wav") : QStringLiteral("/sounds/bell.wav"));
        QCOMPARE(get<QCheckBox>("chkReminder")->isChecked(), flag != "0");
        QCOMPARE(get<QLineEdit>("txtSound")->isEnabled(), flag != "0");
        QCOMPARE(get<QPushButton>("cmdRemind")->isEnabled(), flag != "0");
    }

    void monthListInMay()
    {
        open({}, QDateTime(QDate(2026, 5, 14), QTime(10, 0)));
        QCOMPARE(items("cboMonth"), QStringList({"This month", "June", "July", "August", "September", "October",
                                                 "November", "December", "January", "February", "March", "April",
                                                 "May"}));
    }

    void monthClick_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<QString>("day");
        const QStringList may14 = QStringList{"Today"} + days(15, 31) + days(1, 14);
        QTest::newRow("later month") << QDate(2026, 5, 14) << "July" << may14 << "15";
        QTest::newRow("earlier month") << QDate(2026, 5, 14) << "March" << may14 << "14";
        QTest::newRow("February, leap year") << QDate(2028, 1, 10) << "February" << QStringList{"Today"} + days(11, 28) + days(1, 10) << "11";
        QTest::newRow("April on the 31st") << QDate(2026, 3, 31) << "April" << QStringList{"Today"} + days(1, 30) << "1";
        QTest::newRow("February on the 31st") << QDate(2026, 1, 31) << "February" << QStringList{"Today"} + days(1, 28) << "1";
        QTest::newRow("back to this month") << QDate(2026, 1, 31) << "This month" << QStringList{"Today"} + days(1, 31) << "Today";
    }
    void monthClick()
    {
        QFETCH(QDate, today);
        QFETCH(QString, month);
        open({}, QDateTime(today, QTime(10, 0)));
        if (month == QLatin1String("This month"))
            QVERIFY(choose(get("cboMonth"), "February"));
        QVERIFY(choose(get("cboMonth"), month));
        QTEST(items("cboDay"), "days");
        QTEST(get("cboDay")->currentText(), "day");
    }

    void fastSelect_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QStringList>("moment");
        QTest::addColumn<QString>("reminder");
        QTest::addColumn<QString>("caption");
        const QDateTime evening(QDate(2026, 12, 5), QTime(21, 5, 30));
        QTest::newRow("1 minute") << evening << "1 Minute Later" << QStringList{"This year", "This month", "Today", "09", "06", "PM"}
                                  << "12/5/2026 9:06:00 PM" << "  09:06 PM";
        QTest::newRow("10 hours, next day") << evening << "10 Hours Later" << QStringList{"This year", "December", "6", "07", "05", "AM"}
                                            << "12/6/2026 7:05:00 AM" << "December 6  07:05 AM";
        QTest::newRow("5 hours, next year") << QDateTime(QDate(2026, 12, 31), QTime(22, 0)) << "5 Hours Later"
                                            << QStringList{"2027", "January", "1", "03", "00", "AM"}
                                            << "1/1/2027 3:00:00 AM" << "January 1, 2027  03:00 AM";
        QTest::newRow("to midnight") << QDateTime(QDate(2026, 3, 31), QTime(23, 0)) << "1 Hour Later"
                                     << QStringList{"This year", "April", "1", "12", "00", "AM"} << "4/1/2026" << "April 1  12:00 AM";
    }
    void fastSelect()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, choice);
        open({}, now);
        QVERIFY(choose(get("cboFast"), choice));
        QTEST(moment(), "moment");
        ok();
        QVERIFY(f->messages.shown.isEmpty());
        QVERIFY(dialog->written());
        QTEST(dialog->result().reminder, "reminder");
        QTEST(dialog->result().caption, "caption");
        QCOMPARE(dialog->result().sound, f->services.path("alarm.wav"));
        QCOMPARE(dialog->result().playFlag, QStringLiteral("1"));
    }

    void pastMomentAsks_data()
    {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::addColumn<bool>("asked");
        QTest::newRow("an hour ago") << QTime(21, 5) << "08" << "05" << true;
        QTest::newRow("this minute, first second") << QTime(21, 5, 0) << "09" << "05" << false;
        QTest::newRow("this minute, later second") << QTime(21, 5, 1) << "09" << "05" << true;
        QTest::newRow("next minute") << QTime(21, 5, 59) << "09" << "06" << false;
    }
    void pastMomentAsks()
    {
        QFETCH(QTime, now);
        QFETCH(bool, asked);
        open({}, QDateTime(QDate(2026, 12, 5), now));
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        get<QLineEdit>("txtHour")->setText(hour);
        get<QLineEdit>("txtMin")->setText(minute);
        f->messages.answers.enqueue(MessageBoxes::Answer::No);
        ok();
        QCOMPARE(f->messages.shown.size(), asked ? 1 : 0);
        QCOMPARE(dialog->written(), !asked);
        if (!asked)
            return;
        QCOMPARE(f->messages.shown.first().text,
                 QStringLiteral("The reminder for this task is in the past, so no reminder will be set. Is it OK?"));
        QCOMPARE(f->messages.shown.first().buttons, MessageBoxes::Buttons::YesNo);
        QVERIFY(dialog->isVisible()); // No: it stays for a correction
        ok(); // Yes: it closes and writes nothing
        QVERIFY(!dialog->isVisible());
        QVERIFY(!dialog->written());
        QCOMPARE(dialog->result(), ReminderFields());
    }

    void badTimeIsRefused_data()
    {
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::addColumn<QString>("message");
        QTest::newRow("hour 13") << "13" << "05" << "Hour must be a number between 1 to 12";
        QTest::newRow("no hour") << "" << "05" << "Hour must be a number between 1 to 12";
        QTest::newRow("minute 60") << "10" << "60" << "Minute must be a number between 0 to 59";
    }
    void badTimeIsRefused()
    {
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        open();
        QLineEdit *box = get<QLineEdit>(hour == "10" ? "txtMin" : "txtHour");
        QLineEdit *other = get<QLineEdit>(hour == "10" ? "txtHour" : "txtMin");
        get<QLineEdit>("txtHour")->setText(hour);
        get<QLineEdit>("txtMin")->setText(minute);
        ok();
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->written());
        QCOMPARE(f->messages.shown.size(), 1);
        QTEST(f->messages.shown.first().text, "message");
        // Leaving the box is refused the same way.
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        box->setFocus();
        other->setFocus();
        QCoreApplication::processEvents();
        QVERIFY(box->hasFocus());
        QCOMPARE(f->messages.shown.size(), 2);
    }

    void untickedSoundKeepsPath()
    {
        open({"", "/sounds/bell.wav", "1", ""});
        get<QCheckBox>("chkReminder")->click();
        QVERIFY(!get<QLineEdit>("txtSound")->isEnabled());
        QVERIFY(!get<QPushButton>("cmdBrowse")->isEnabled());
        QVERIFY(choose(get("cboFast"), "5 Minutes Later"));
        ok();
        QCOMPARE(dialog->result().playFlag, QStringLiteral("0"));
        QCOMPARE(dialog->result().sound, QStringLiteral("/sounds/bell.wav"));
    }

    void browseAndTestSound()
    {
        open();
        f->files.picks.enqueue(QStringLiteral("/sounds/ring.wav"));
        get<QPushButton>("cmdBrowse")->click();
        get<QPushButton>("cmdBrowse")->click(); // cancelled
        QCOMPARE(get<QLineEdit>("txtSound")->text(), QStringLiteral("/sounds/ring.wav"));
        get<QPushButton>("cmdRemind")->click();
        QCOMPARE(f->sound.paths(FakeSound::Call::Play), QStringList{"/sounds/ring.wav"});
        // OK stops the test sound.
        QVERIFY(choose(get("cboFast"), "1 Hour Later"));
        ok();
        QCOMPARE(f->sound.calls.last().kind, FakeSound::Call::Stop);
    }
};

QTEST_MAIN(TestReminderDialog)
#include "tst_reminderdialog.moc"