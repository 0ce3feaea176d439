#include "tests/todos/todostestsupport.h"

#include "todos/reminderdialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

class TestReminderDialog : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<MainWindowFixture> f;
    std::unique_ptr<ReminderDialog> dialog;

    void open(const ReminderFields &current = {})
    {
        dialog = std::make_unique<ReminderDialog>(f->services, current, nullptr);
    }
    QComboBox *combo(const QString &name) const { return dialog->findChild<QComboBox *>(name); }
    QLineEdit *box(const QString &name) const { return dialog->findChild<QLineEdit *>(name); }
    QPushButton *button(const QString &name) const { return dialog->findChild<QPushButton *>(name); }
    QStringList items(const QString &name) const
    {
        QStringList result;
        for (int i = 0; i < combo(name)->count(); ++i)
            result.append(combo(name)->itemText(i));
        return result;
    }
    /// Year, month and day as the lists stand.
    QStringList date() const
    {
        return {combo("cboYear")->currentText(), combo("cboMonth")->currentText(),
                combo("cboDay")->currentText()};
    }
    QStringList time() const
    {
        return {box("txtHour")->text(), box("txtMin")->text(), combo("cboAMPM")->currentText()};
    }
    static QStringList numbers(int from, int to)
    {
        QStringList result;
        for (int n = from; n <= to; ++n)
            result.append(QString::number(n));
        return result;
    }

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup()
    {
        dialog.reset();
        f.reset();
    }

    void opensOnNowWithoutReminder()
    {
        f->clock.set(QDateTime(QDate(2026, 12, 5), QTime(21, 5, 42)));
        open();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Reminder"));
        QCOMPARE(date(), QStringList({"This year", "This month", "Today"}));
        QCOMPARE(time(), QStringList({"09", "05", "PM"}));
        QCOMPARE(box("txtSound")->text(), f->services.path("alarm.wav"));
        QVERIFY(dialog->findChild<QCheckBox *>("chkReminder")->isChecked());
        QVERIFY(box("txtSound")->isEnabled());
        const QStringList years = items("cboYear");
        QCOMPARE(years.size(), 21);
        QCOMPARE(years.mid(0, 2), QStringList({"This year", "2027"}));
        QCOMPARE(years.last(), QStringLiteral("2046"));
        QCOMPARE(items("cboDay"), QStringList{"Today"} + numbers(6, 31) + numbers(1, 5));
    }

    void opensOnTheStoredReminder_data()
    {
        QTest::addColumn<QString>("reminder");
        QTest::addColumn<QStringList>("date");
        QTest::addColumn<QStringList>("time");
        QTest::newRow("later year") << "6/30/2028 9:05:00 PM" << QStringList{"2028", "June", "30"}
                                    << QStringList{"09", "05", "PM"};
        QTest::newRow("this month") << "12/17/2026 7:45:00 AM" << QStringList{"This year", "December", "17"}
                                    << QStringList{"07", "45", "AM"};
        QTest::newRow("midnight") << "1/2/2027" << QStringList{"2027", "January", "2"}
                                  << QStringList{"12", "00", "AM"};
        QTest::newRow("does not convert") << "soon" << QStringList{"This year", "This month", "Today"}
                                          << QStringList{"09", "05", "PM"};
    }
    void opensOnTheStoredReminder()
    {
        QFETCH(QString, reminder);
        open({reminder, "/sounds/bell.wav", "1", "x"});
        QTEST(date(), "date");
        QTEST(time(), "time");
        QCOMPARE(box("txtSound")->text(), QStringLiteral("/sounds/bell.wav"));
    }

    void playFlag_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("never set") << "" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("other") << "x" << true;
    }
    void playFlag()
    {
        QFETCH(QString, flag);
        QFETCH(bool, ticked);
        open({"", "", flag, ""});
        QCOMPARE(dialog->findChild<QCheckBox *>("chkReminder")->isChecked(), ticked);
        QCOMPARE(box("txtSound")->isEnabled(), ticked);
        QCOMPARE(button("cmdRemind")->isEnabled(), ticked);
        QCOMPARE(button("cmdBrowse")->isEnabled(), ticked);
    }

    void monthListInMay()
    {
        f->clock.set(QDateTime(QDate(2026, 5, 14), QTime(10, 0)));
        open();
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
        QTest::newRow("later month") << QDate(2026, 5, 14) << "July" << QStringList{"Today"} + numbers(15, 31) + numbers(1, 14) << "15";
        QTest::newRow("earlier month") << QDate(2026, 5, 14) << "March" << QStringList{"Today"} + numbers(15, 31) + numbers(1, 14) << "14";
        QTest::newRow("this month by name") << QDate(2026, 5, 14) << "May" << QStringList{"Today"} + numbers(15, 31) + numbers(1, 14) << "14";
        QTest::newRow("February, leap year") << QDate(2028, 1, 10) << "February" << QStringList{"Today"} + numbers(11, 28) + numbers(1, 10) << "11";
        QTest::newRow("last day of June") << QDate(2026, 5, 30) << "June" << QStringList{"Today"} + numbers(1, 30) << "1";
        QTest::newRow("April on the 31st") << QDate(2026, 3, 31) << "April" << QStringList{"Today"} + numbers(1, 30) << "1";
        QTest::newRow("February on the 31st") << QDate(2026, 1, 31) << "February" << QStringList{"Today"} + numbers(1, 28) << "1";
        QTest::newRow("back to this month") << QDate(2026, 1, 31) << "This month" << QStringList{"Today"} + numbers(1, 31) << "Today";
    }
    void monthClick()
    {
        QFETCH(QDate, today);
        QFETCH(QString, month);
        f->clock.set(QDateTime(today, QTime(10, 0)));
        open();
        if (month == QLatin1String("This month"))
            QVERIFY(choose(combo("cboMonth"), "February"));
        QVERIFY(choose(combo("cboMonth"), month));
        QTEST(items("cboDay"), "days");
        QTEST(combo("cboDay")->currentText(), "day");
    }

    void laterYearMakesMonthAndDayExplicit()
    {
        f->clock.set(QDateTime(QDate(2026, 5, 14), QTime(10, 0)));
        open();
        QVERIFY(choose(combo("cboYear"), "2027"));
        QCOMPARE(date(), QStringList({"2027", "May", "14"}));
        QVERIFY(button("cmdOK")->isEnabled());
        button("cmdOK")->click();
        QVERIFY(dialog->written());
        QCOMPARE(dialog->result().reminder, QStringLiteral("5/14/2027 10:00:00 AM"));
        QCOMPARE(dialog->result().caption, QStringLiteral("May 14, 2027  10:00 AM"));
    }

    void fastSelect_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QStringList>("date");
        QTest::addColumn<QStringList>("time");
        QTest::addColumn<QString>("reminder");
        QTest::addColumn<QString>("caption");
        const QDateTime evening(QDate(2026, 12, 5), QTime(21, 5, 30));
        QTest::newRow("1 minute") << evening << "1 Minute Later" << QStringList{"This year", "This month", "Today"}
                                  << QStringList{"09", "06", "PM"} << "12/5/2026 9:06:00 PM" << "  09:06 PM";
        QTest::newRow("2 hours") << evening << "2 Hours Later" << QStringList{"This year", "This month", "Today"}
                                 << QStringList{"11", "05", "PM"} << "12/5/2026 11:05:00 PM" << "  11:05 PM";
        QTest::newRow("10 hours, next day") << evening << "10 Hours Later"
                                            << QStringList{"This year", "December", "6"}
                                            << QStringList{"07", "05", "AM"} << "12/6/2026 7:05:00 AM"
                                            << "December 6  07:05 AM";
        QTest::newRow("5 hours, next year") << QDateTime(QDate(2026, 12, 31), QTime(22, 0)) << "5 Hours Later"
                                            << QStringList{"2027", "January", "1"} << QStringList{"03", "00", "AM"}
                                            << "1/1/2027 3:00:00 AM" << "January 1, 2027  03:00 AM";
        QTest::newRow("to midnight") << QDateTime(QDate(2026, 3, 31), QTime(23, 0)) << "1 Hour Later"
                                     << QStringList{"This year", "April", "1"} << QStringList{"12", "00", "AM"}
                                     << "4/1/2026" << "April 1  12:00 AM";
    }
    void fastSelect()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, choice);
        f->clock.set(now);
        open();
        QVERIFY(choose(combo("cboFast"), choice));
        QTEST(date(), "date");
        QTEST(time(), "time");
        button("cmdOK")->click();
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
        f->clock.set(QDateTime(QDate(2026, 12, 5), now));
        open();
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        box("txtHour")->setText(hour);
        box("txtMin")->setText(minute);
        f->messages.answers.enqueue(MessageBoxes::Answer::No);
        dialog->show();
        button("cmdOK")->click();
        QCOMPARE(f->messages.shown.size(), asked ? 1 : 0);
        if (!asked) {
            QVERIFY(dialog->written());
            return;
        }
        const FakeMessageBoxes::Shown &question = f->messages.shown.first();
        QCOMPARE(question.text,
                 QStringLiteral("The reminder for this task is in the past, so no reminder will be set. Is it OK?"));
        QCOMPARE(question.title, QString());
        QCOMPARE(question.buttons, MessageBoxes::Buttons::YesNo);
        QCOMPARE(question.icon, MessageBoxes::Icon::Exclamation);
        // No: the dialog stays for a correction.
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->written());
        // Yes: it closes and writes nothing.
        button("cmdOK")->click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), ReminderFields());
        QVERIFY(!dialog->written());
        QCOMPARE(dialog->QDialog::result(), int(QDialog::Rejected));
    }

    void okRefusesBadTime_data()
    {
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::addColumn<QString>("message");
        QTest::newRow("hour 13") << "13" << "05" << "Hour must be a number between 1 to 12";
        QTest::newRow("hour 0") << "0" << "05" << "Hour must be a number between 1 to 12";
        QTest::newRow("no hour") << "" << "05" << "Hour must be a number between 1 to 12";
        QTest::newRow("minute 60") << "10" << "60" << "Minute must be a number between 0 to 59";
        QTest::newRow("no minute") << "10" << "" << "Minute must be a number between 0 to 59";
    }
    void okRefusesBadTime()
    {
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        open();
        dialog->show();
        box("txtHour")->setText(hour);
        box("txtMin")->setText(minute);
        button("cmdOK")->click();
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->written());
        QCOMPARE(f->messages.shown.size(), 1);
        QTEST(f->messages.shown.first().text, "message");
        QCOMPARE(f->messages.shown.first().icon, MessageBoxes::Icon::Exclamation);
        QCOMPARE(box("txtHour")->text(), hour);
    }

    void leavingABadHourKeepsTheFocus()
    {
        open();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QLineEdit *hour = box("txtHour");
        hour->setFocus();
        QCoreApplication::processEvents();
        hour->setText("1");
        QTest::keyClicks(hour, "x5");
        QCOMPARE(hour->text(), QStringLiteral("15"));
        box("txtMin")->setFocus();
        QCoreApplication::processEvents();
        QVERIFY(hour->hasFocus());
        QCOMPARE(hour->text(), QStringLiteral("15"));
        QCOMPARE(f->messages.shown.size(), 1);
        QCOMPARE(f->messages.shown.first().text, QStringLiteral("Hour must be a number between 1 to 12"));
    }

    void untickedSoundKeepsPath()
    {
        f->clock.set(QDateTime(QDate(2026, 12, 5), QTime(21, 5)));
        open({"", "/sounds/bell.wav", "1", ""});
        auto *tick = dialog->findChild<QCheckBox *>("chkReminder");
        tick->click();
        QVERIFY(!box("txtSound")->isEnabled());
        QVERIFY(!button("cmdRemind")->isEnabled());
        QVERIFY(!button("cmdBrowse")->isEnabled());
        QCOMPARE(box("txtSound")->text(), QStringLiteral("/sounds/bell.wav"));
        QVERIFY(choose(combo("cboFast"), "5 Minutes Later"));
        button("cmdOK")->click();
        QCOMPARE(dialog->result().playFlag, QStringLiteral("0"));
        QCOMPARE(dialog->result().sound, QStringLiteral("/sounds/bell.wav"));
    }

    void browseAndTestSound()
    {
        open();
        f->files.picks.enqueue(QStringLiteral("/sounds/ring.wav"));
        button("cmdBrowse")->click();
        QCOMPARE(box("txtSound")->text(), QStringLiteral("/sounds/ring.wav"));
        QCOMPARE(f->files.asked.first().at(2), QStringLiteral("Wave Files (*.wav)"));
        button("cmdBrowse")->click(); // cancelled
        QCOMPARE(box("txtSound")->text(), QStringLiteral("/sounds/ring.wav"));
        QVERIFY(f->messages.shown.isEmpty());

        button("cmdRemind")->click();
        QCOMPARE(f->sound.paths(FakeSound::Call::Play), QStringList{"/sounds/ring.wav"});
        button("cmdCancel")->click();
        QVERIFY(!dialog->written());
        // OK stops the test sound first; Cancel does not write.
        open();
        QVERIFY(choose(combo("cboFast"), "1 Hour Later"));
        button("cmdOK")->click();
        QCOMPARE(f->sound.calls.last().kind, FakeSound::Call::Stop);
    }

    void editorStoresWhatTheDialogChose()
    {
        TodosWindow w({{"Pay rent", todoTag({"Pay rent", "1", "2", "50%", "", "", "", "desc", "Reminder not set"})}});
        w.open();
        auto *reminder = w.find<QPushButton>("cmdReminder");
        whenModal([](QWidget *modal) {
            auto *shown = qobject_cast<ReminderDialog *>(modal);
            if (!shown)
                return;
            choose(shown->findChild<QComboBox *>("cboFast"), "10 Minutes Later");
            shown->findChild<QPushButton *>("cmdOK")->click();
        });
        TodosWindow::click(reminder);
        QCOMPARE(w.tag(0), todoTag({"Pay rent", "1", "2", "50%", "12/5/2026 9:15:00 PM", w.fixture.services.path("alarm.wav"),
                                    "1", "desc", "  09:15 PM"}));
        QCOMPARE(reminder->text(), QStringLiteral("  09:15 PM"));

        // Opened again, Cancel changes nothing.
        whenModal([](QWidget *modal) {
            if (auto *shown = qobject_cast<ReminderDialog *>(modal)) {
                QComboBox *fast = shown->findChild<QComboBox *>("cboFast");
                choose(fast, "1 Hour Later");
                shown->findChild<QPushButton *>("cmdCancel")->click();
            }
        });
        const QString before = w.tag(0);
        TodosWindow::click(reminder);
        QCOMPARE(w.tag(0), before);

        // The reminder survives a restart as it was written.
        w.fixture.close();
        w.open();
        QCOMPARE(w.tag(0), before);
        QCOMPARE(w.find<QPushButton>("cmdReminder")->text(), QStringLiteral("  09:15 PM"));
    }
};

QTEST_MAIN(TestReminderDialog)
#include "tst_reminderdialog.moc"
