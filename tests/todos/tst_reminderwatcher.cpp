// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/todos/todostestsupport.h"
#include "todos/repeattext.h"

namespace {

// The clock stands at 9:05:00 PM.
const QString kPast = QStringLiteral("12/5/2026 9:00:00 PM");
const QString kNow = QStringLiteral("12/5/2026 9:05:00 PM");
const QString kFuture = QStringLiteral("12/5/2026 9:05:01 PM");

QStringList alerts; // the names of the windows announced to screen readers as alerts

void pressOk(AlarmWindow *alarm) { alarm->findChild<QPushButton *>("cmdOK")->click(); }

} // namespace

class TestReminderWatcher : public WindowTest
{
    Q_OBJECT

    std::optional<TodosWindow> w;

    ReminderWatcher *watcher() const { return w->section->watcher(); }

    /// One tick; true when an alarm came up. action runs on it and should answer it (it is
    /// closed by its close box otherwise).
    bool tick(std::function<void(AlarmWindow *)> action = {})
    {
        watcher()->tick();
        QCoreApplication::processEvents();
        AlarmWindow *alarm = shownWindow<AlarmWindow>();
        if (!alarm)
            return false;
        if (action)
            action(alarm);
        if (alarm->isVisible())
            alarm->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return true;
    }

    void setUp() override { w.emplace(); }
    void tearDown() override { w.reset(); }

private slots:
    void lastDueTodoInTheListFires()
    {
        // Every to-do after "Now" is due too, or would be if it were read.
        QList<Record> todos;
        for (const QString &tag : {todo("Early", kPast).tag, QString(), todo("Now", kNow).tag,
                                   todo("Next second", kFuture).tag, todo("No reminder").tag,
                                   todo("Twelve fields", kNow).tag + QStringLiteral("¶FREQ=DAILY¶uid¶extra"),
                                   todoTag({"Eight fields", "0", "1", "0%", kNow, "", "1", ""}),
                                   todo("Garbled", "5 Dec 2026").tag})
            todos.append({"x", tag});
        w->open(todos); // what is said of "Garbled": unreadableNamedAtStart
        // A second before, one was due: no missed reminders from here on.
        w->fixture.clock.advanceSecs(-1);
        QVERIFY(tick());
        w->fixture.clock.advanceSecs(1);
        const auto due = [this] {
            QString subject;
            tick([&subject](AlarmWindow *alarm) { subject = alarm->findChild<QLabel *>("lblSubject")->text(); });
            return subject;
        };
        QCOMPARE(due(), QStringLiteral("Now"));

        // Changed, removed and appended entries are read again, at their places.
        w->list->records()->setTag(2, todo("Now", kFuture).tag);
        QCOMPARE(due(), QStringLiteral("Early"));
        w->list->records()->removeRecord(0);
        QCOMPARE(due(), QString());
        w->fixture.clock.advanceSecs(1);
        QCOMPARE(due(), QStringLiteral("Next second"));
        w->list->records()->appendRecord("x", todo("Appended", kNow).tag);
        QCOMPARE(due(), QStringLiteral("Appended"));
    }

    void alarmShowsTheDueTodo_data()
    {
        QTest::addColumn<QString>("priority");
        QTest::addColumn<QString>("sound");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QStringList>("lamp");
        QTest::addColumn<QStringList>("blinked"); // none has a lamp of its own: the green one blinks
        QTest::addColumn<Notifier::Urgency>("urgency");
        QTest::newRow("low") << "0" << "/s/a.wav" << "1" << QStringList{"imgGreen"} << QStringList{} << Notifier::Urgency::Low;
        QTest::newRow("normal, sound ticked off") << "1" << "/s/a.wav" << "0" << QStringList{"imgOrange"} << QStringList{} << Notifier::Urgency::Normal;
        QTest::newRow("never edited flag plays") << "1" << "/s/a.wav" << "" << QStringList{"imgOrange"} << QStringList{} << Notifier::Urgency::Normal;
        QTest::newRow("high, silent") << "2" << "" << "" << QStringList{"imgRed"} << QStringList{} << Notifier::Urgency::Critical;
        QTest::newRow("out of range") << "7" << "" << "1" << QStringList{} << QStringList{"imgGreen"} << Notifier::Urgency::Normal;
    }
    void alarmShowsTheDueTodo()
    {
        QFETCH(QString, priority);
        QFETCH(QString, sound);
        QFETCH(QString, flag);
        w->open({{"Boiler", todoTag({"Boiler", "0", priority, "0%", kPast, sound, flag, "Ask about the boiler", "c"})}});
        QStringList texts;
        QList<QStringList> lamps; // bright ones, before and after a blink
        alerts.clear();
        listenAsScreenReader([](QAccessibleEvent *event) {
            if (event->type() == QAccessible::Alert)
                alerts << event->accessibleInterface()->text(QAccessible::Name);
        });
        int nested = 0;
        FakeClock *clock = &w->fixture.clock;
        QVERIFY(tick([&](AlarmWindow *alarm) {
            for (int blink = 0; blink < 2; ++blink, alarm->blinkLamp()) {
                lamps.append({"imgGreen", "imgOrange", "imgRed"});
                lamps.last().removeIf([alarm](const QString &lamp) { return alarm->findChild<QLabel *>(lamp)->isHidden(); });
            }
            // Minimised all the same, it comes back.
            alarm->setWindowState(Qt::WindowMinimized);
            clock->advanceSecs(1);
            alarm->updateClock();
            QVERIFY(!alarm->isMinimized() && alarm->isVisible());
            for (const char *name : {"lblSubject", "lblDue", "lblDesc", "lblTime"})
                texts.append(alarm->findChild<QLabel *>(name)->text());
            // "Show" on the notification brings the alarm back into view.
            w->fixture.window->showMinimized();
            emit w->fixture.notifier.showRequested(1);
            QVERIFY(!w->fixture.window->isMinimized());
            // The timer keeps firing while it is open; a tick must not open another.
            watcher()->tick();
            QCoreApplication::processEvents();
            for (QWidget *window : QApplication::topLevelWidgets())
                nested += qobject_cast<AlarmWindow *>(window) && window != alarm ? 1 : 0;
        }));
        QCOMPARE(nested, 0);
        listenAsScreenReader(nullptr);
        alerts.removeDuplicates(); // announced again when it comes back from being minimised
        QCOMPARE(alerts, QStringList{"Reminder: Boiler"});
        QCOMPARE(texts, QStringList({"Boiler", "Due 9:00 PM (5 minutes ago)", "Ask about the boiler", "09:05:01 PM"}));
        QCOMPARE(w->fixture.notifier.posted.size(), 1);
        QCOMPARE(w->fixture.notifier.posted[0].summary, QStringLiteral("Boiler"));
        QCOMPARE(w->fixture.notifier.posted[0].body, QStringLiteral("Due 9:00 PM (5 minutes ago)"));
        QTEST(w->fixture.notifier.posted[0].urgency, "urgency");
        QCOMPARE(w->fixture.notifier.withdrawn, QList<int>{1}); // answered: taken back
        QTEST(lamps.first(), "lamp");
        QTEST(lamps.last(), "blinked");
        const bool plays = !sound.isEmpty() && flag != QLatin1String("0");
        QCOMPARE(w->fixture.sound.calls.filter("play "), plays ? QStringList{"play " + sound} : QStringList());
        QVERIFY(tick()); // closed without a choice: still due
        // Rung again by the same window: alarm after alarm leaves no window behind.
        QCOMPARE(w->fixture.window->findChildren<AlarmWindow *>().size(), 1);
    }

    void okDeletesTheTodo_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("due");
        QTest::addColumn<int>("edited");
        QTest::newRow("middle, another being edited") << 3 << 1 << 0;
        QTest::newRow("last, being edited") << 3 << 2 << 2;
        QTest::newRow("the only one, by Enter") << 1 << 0 << 0;
    }
    void okDeletesTheTodo()
    {
        QFETCH(int, count);
        QFETCH(int, due);
        QFETCH(int, edited);
        QList<Record> todos;
        for (int row = 0; row < count; ++row)
            todos.append(todo(QStringLiteral("T%1").arg(row), row == due ? kPast : kFuture));
        w->open(todos);
        w->clickItem(edited);
        TodosWindow::focus(w->find<QLineEdit>("txtSubject"), "Typed");
        // Enter answers only when pressed for the alarm: not in its first second, not held.
        int ignored = 0;
        const auto enter = [&](AlarmWindow *alarm) {
            const auto key = [&](QEvent::Type type, bool repeat) {
                QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier, "\r", repeat);
                QApplication::sendEvent(alarm->focusWidget(), &event);
                ignored += alarm->isVisible() ? 1 : 0;
            };
            key(QEvent::KeyPress, false); // in its first second on screen
            w->fixture.clock.advanceSecs(1);
            key(QEvent::KeyPress, true); // held from before: repeats, then let go
            key(QEvent::KeyRelease, true);
            key(QEvent::KeyRelease, false);
            w->fixture.clock.advanceSecs(1);
            key(QEvent::KeyPress, false); // pressed for it, after a pause: OK
        };
        QVERIFY(tick(count == 1 ? std::function<void(AlarmWindow *)>(enter) : pressOk));
        QCOMPARE(ignored, count == 1 ? 4 : 0);
        QCOMPARE(w->list->count(), count - 1);
        if (count == 1) {
            QVERIFY(w->editor->isHidden());
            QVERIFY(!w->find<QWidget>("arbTodoRemove")->isEnabled());
            QCOMPARE(w->editor->record(), TodoRecord());
            return;
        }
        QVERIFY(!captions(w->list).contains(QStringLiteral("T%1").arg(due)));
        const int current = w->list->selectedRow();
        QVERIFY(current >= 0 && current == w->list->currentIndex().row());
        QCOMPARE(w->editor->subject(), w->record(current).subject);
        if (edited != due) // what was typed into another to-do is kept
            QCOMPARE(w->record(edited).subject, QStringLiteral("Typed"));
    }

    // Someone typing when the alarm comes up, and typing on for half a minute at 90 ms a key,
    // never answers it; an Enter after a pause does. What was typed before it came stays typed.
    void typingOnNeverAnswers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("words") << "call the plumber about the boiler on monday ";
        QTest::newRow("lines") << "milk\neggs\nbread\n";
        QTest::newRow("spaces") << " ";
    }
    void typingOnNeverAnswers()
    {
        QFETCH(QString, typed);
        w->open({todo("Boiler", kNow), todo("Shopping")});
        w->clickItem(1);
        auto *description = w->find<QLineEdit>("txtTodoDesc");
        TodosWindow::focus(description);
        const auto type = [&](int n) {
            const QChar c = typed[n % typed.size()];
            QWidget *target = QApplication::focusWidget();
            if (c == u'\n')
                QTest::keyClick(target, Qt::Key_Return);
            else
                QTest::keyClick(target, c.toLatin1());
            w->fixture.clock.advanceMSecs(90);
        };
        for (int n = 0; n < 5; ++n)
            type(n);
        int keys = 5;
        for (int second = 0; second < 30; ++second) {
            watcher()->tick(); // the watcher's own second
            QCoreApplication::processEvents();
            QVERIFY(shownWindow<AlarmWindow>());
            QVERIFY(shownWindow<AlarmWindow>()->isAncestorOf(QApplication::focusWidget())); // the keys reach it
            for (int n = 0; n < 11; ++n)
                type(keys++);
        }
        QCOMPARE(captions(w->list), (QStringList{"Boiler", "Shopping"}));
        QCOMPARE(description->text(), typed.repeated(5).left(5).remove(u'\n'));
        // A pause, then Enter on purpose: OK.
        w->fixture.clock.advanceMSecs(1500);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!shownWindow<AlarmWindow>());
        QCOMPARE(captions(w->list), QStringList{"Shopping"});
    }

    // At 9:30:15 PM on Saturday, 5 December 2026, a to-do due at 9:00 PM rings. A snooze counts
    // from now; a repeating to-do's snooze leaves its series alone, and OK keeps it for its next
    // occurrence after now (what it missed rings once).
    void answers_data()
    {
        QTest::addColumn<QString>("reminder");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("next"); // the alarm's line
        QTest::addColumn<QString>("left"); // reminder|caption|rule afterwards; "" when it has gone
        const char *daily = "FREQ=DAILY";
        QTest::newRow("snooze counts from now") << kPast << "" << "mnu10Min" << "" << "12/5/2026 9:40:15 PM|12 05,2026 09:40 PM|";
        QTest::newRow("stop reminding keeps the to-do") << kPast << "" << "mnuStopReminding" << "" << "|Reminder not set|";
        QTest::newRow("OK moves a series on") << kPast << daily << "cmdOK" << "Next: Sun, Dec 6, 9:00 PM"
                                              << "12/6/2026 9:00:00 PM|Every day, 09:00 PM|FREQ=DAILY";
        QTest::newRow("missed weeks ring once") << "11/17/2026 8:00:00 AM" << "FREQ=WEEKLY;BYDAY=TU" << "cmdOK"
            << "Next: Tue, Dec 8, 8:00 AM" << "12/8/2026 8:00:00 AM|Every week, Tue 08:00 AM|FREQ=WEEKLY;BYDAY=TU";
        QTest::newRow("a count counts down") << kPast << "FREQ=DAILY;COUNT=3" << "cmdOK" << "Next: Sun, Dec 6, 9:00 PM"
                                             << "12/6/2026 9:00:00 PM|Custom, Dec 6, 2026 09:00 PM|FREQ=DAILY;COUNT=2";
        QTest::newRow("a snooze leaves the series") << kPast << daily << "mnu10Min" << "Next: Sun, Dec 6, 9:00 PM"
                                                    << "12/5/2026 9:00:00 PM|c|FREQ=DAILY";
        QTest::newRow("stop reminding ends a series") << kPast << daily << "mnuStopReminding" << "Next: Sun, Dec 6, 9:00 PM"
                                                      << "|Reminder not set|";
        QTest::newRow("a series ended stays") << kPast << "FREQ=DAILY;UNTIL=20261205T230000" << "cmdOK" << "" << "|Reminder not set|";
        QTest::newRow("a series too long to step through keeps its rule") << "11/1/2026" << "FREQ=MINUTELY;COUNT=100000" << "cmdOK"
            << "" << "|Reminder not set|FREQ=MINUTELY;COUNT=100000";
        QTest::newRow("no rule rings once") << kPast << "hello" << "cmdOK" << "" << "";
    }
    void answers()
    {
        QFETCH(QString, rule);
        QFETCH(QString, answer);
        QFETCH(QString, left);
        QFETCH(QString, reminder);
        const QStringList fields{"Pills", "0", "1", "0%", reminder, "", "1", "", "c"};
        w->open({todo("Other", "1/1/2030"), {"Pills", todoTag(rule.isEmpty() ? fields : fields + QStringList{rule})}});
        w->fixture.clock.set(QDateTime(QDate(2026, 12, 5), QTime(21, 30, 15)));
        QString next;
        QVERIFY(tick([&](AlarmWindow *alarm) {
            auto *line = alarm->findChild<QLabel *>("lblNext");
            next = line->isVisibleTo(alarm) ? line->text() : QString();
            if (answer == QLatin1String("cmdOK"))
                return pressOk(alarm);
            alarm->findChild<QPushButton *>("cmdSnooz")->click();
            alarm->snoozeMenu()->findChild<QAction *>(answer)->trigger();
        }));
        QTEST(next, "next");
        QCOMPARE(w->tag(0), todo("Other", "1/1/2030").tag);
        QCOMPARE(w->list->count(), left.isEmpty() ? 1 : 2);
        if (left.isEmpty())
            return;
        const TodoRecord record = w->record(1);
        QCOMPARE(QStringList({record.reminder, record.reminderCaption, record.repeatRule}).join('|'), left);
        QCOMPARE(TodoFields::read(w->tag(1)).count(), record.repeatRule.isEmpty() ? 9 : 10);
        QCOMPARE(w->list->currentIndex().row(), 1);
        // A series shows its rule, whatever caption it holds.
        const QString ruleSaid = repeattext::caption(record.repeatRule, record.reminder);
        QCOMPARE(w->find<QPushButton>("cmdReminder")->text(), ruleSaid.isEmpty() ? record.reminderCaption : ruleSaid);
        // Due again at the snooze's second, not before; never again otherwise.
        w->fixture.clock.set(QDateTime(QDate(2026, 12, 5), QTime(21, 40, 14)));
        QVERIFY(!tick());
        w->fixture.clock.advanceSecs(1);
        QCOMPARE(tick(pressOk), answer == QLatin1String("mnu10Min"));
        if (!rule.isEmpty() && answer == QLatin1String("mnu10Min")) // at the series' time of day
            QCOMPARE(w->record(1).reminder, QStringLiteral("12/6/2026 9:00:00 PM"));
    }

    // The start names the to-dos whose reminder would never ring, or would ring only once.
    void unreadableNamedAtStart()
    {
        w->open({todo("Soon", "soon"), {"Odd", todoTag({"Odd", "0", "1", "0%", kFuture, "", "1", "", "c", "hello"})},
                 {"Fine", todoTag({"Fine", "0", "1", "0%", kFuture, "", "1", "", "c", "FREQ=HOURLY"})}});
        QCOMPARE(w->fixture.messages.texts(),
                 QStringList{"The reminder of the to-do \"Soon\" could not be read, so it would never ring.\n\n"
                             "Open the to-do and set its reminder again.\n\n"
                             "How the reminder of the to-do \"Odd\" repeats could not be read, so it rings only once.\n\n"
                             "Open the to-do and choose again how its reminder repeats."});
    }

    void missedRemindersAtStart_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("alarms"); // the alarms that follow, answered by OK
        QTest::addColumn<QStringList>("left");
        // "Earliest" repeats every day: answered, it stays for its next occurrence.
        QTest::newRow("one by one, oldest first") << "cmdOneByOne" << QStringList{"Earliest", "Late", "Later"} << QStringList{"Future", "Earliest"};
        QTest::newRow("snooze all") << "mnu5Min" << QStringList{} << QStringList{"Late", "Future", "Later", "Earliest"};
        QTest::newRow("two done, then the rest") << "cmdDone" << QStringList{"Later"} << QStringList{"Future", "Earliest"};
        // The pause lets "Future" fall due too.
        QTest::newRow("Enter after a pause: one by one") << "Return" << QStringList{"Earliest", "Late", "Later", "Future"} << QStringList{"Earliest"};
    }
    void missedRemindersAtStart()
    {
        QFETCH(QString, answer);
        const QString earliest = todoTag({"Earliest", "0", "1", "0%", "12/4/2026 8:00:00 PM", "", "1", "", "c", "FREQ=DAILY"});
        w->open({todo("Late", kPast), todo("Future", kFuture), todo("Later", "12/5/2026 9:03:00 PM"), {"Earliest", earliest}});
        QStringList rows;
        bool missed = false;
        whenModal([&](QWidget *modal) {
            auto *window = qobject_cast<MissedRemindersWindow *>(modal);
            QVERIFY(window);
            missed = window->windowTitle() == QLatin1String("Missed reminders");
            for (QWidget *row : window->findChildren<QWidget *>("missedRow"))
                rows.append(row->findChild<QLabel *>("lblSubject")->text() + " | " + row->findChild<QLabel *>("lblDue")->text());
            if (answer == QLatin1String("Return")) { // it comes up by itself: Enter in its first second is no answer
                QTest::keyClick(window->focusWidget(), Qt::Key_Return);
                QVERIFY(window->isVisible());
                w->fixture.clock.advanceSecs(2);
                QTest::keyClick(window->focusWidget(), Qt::Key_Return);
                QVERIFY(!window->isVisible());
                return;
            }
            if (answer == QLatin1String("mnu5Min")) {
                window->snoozeMenu()->findChild<QAction *>(answer)->trigger();
                return;
            }
            const QList<QWidget *> missedRows = window->findChildren<QWidget *>("missedRow");
            for (int row = 0; row < 2 && answer == QLatin1String("cmdDone"); ++row)
                missedRows[row]->findChild<QPushButton *>(answer)->click();
            window->findChild<QPushButton *>("cmdOneByOne")->click();
        });
        watcher()->tick();
        QCoreApplication::processEvents();
        QVERIFY(missed);
        QCOMPARE(rows, QStringList({"Earliest | Due Fri, Dec 4, 8:00 PM (1 day ago)", "Late | Due 9:00 PM (5 minutes ago)",
                                    "Later | Due 9:03 PM (2 minutes ago)"}));
        QCOMPARE(w->fixture.notifier.posted.first().summary, QStringLiteral("Missed reminders"));
        QStringList alarms;
        while (tick([&alarms](AlarmWindow *alarm) {
            alarms.append(alarm->findChild<QLabel *>("lblSubject")->text());
            pressOk(alarm);
        }) && alarms.size() < 5) {}
        QTEST(alarms, "alarms");
        QTEST(captions(w->list), "left");
        if (answer == QLatin1String("mnu5Min")) // a series' snooze is held, not written
            QCOMPARE((QStringList{w->record(0).reminder, w->tag(3)}), (QStringList{"12/5/2026 9:10:00 PM", earliest}));
        else
            QCOMPARE(w->record(w->list->count() - 1).reminder, QStringLiteral("12/6/2026 8:00:00 PM")); // Earliest
    }

    void alarmWhileAQuestionIsOpen()
    {
        w->open({todo("Due", kPast), todo("Mine"), todo("Later", kFuture)});
        // The dialog is open on a to-do when the alarm comes up; true when it stayed open (then OK).
        const auto editWhileAlarm = [this](int row, std::function<void(AlarmWindow *)> alarmAction) {
            w->clickItem(row);
            bool stayed = false;
            whenModal([this, alarmAction, &stayed](QWidget *modal) {
                auto *dialog = qobject_cast<ReminderDialog *>(modal);
                QVERIFY(dialog);
                choose(dialog->findChild<QComboBox *>("cboFast"), "1 Hour Later");
                QVERIFY(tick(alarmAction));
                stayed = dialog->isVisible();
                if (stayed)
                    dialog->findChild<QPushButton *>("cmdOK")->click();
            });
            clickAt(w->find<QPushButton>("cmdReminder"));
            return stayed;
        };
        // The alarm's snooze selects its own to-do; each keeps its own reminder.
        QVERIFY(editWhileAlarm(1, [](AlarmWindow *alarm) {
            alarm->snoozeMenu()->findChild<QAction *>("mnu5Min")->trigger();
        }));
        QCOMPARE(w->record(0).reminder, QStringLiteral("12/5/2026 9:10:00 PM"));
        QCOMPARE(w->record(1).reminder, QStringLiteral("12/5/2026 10:05:00 PM"));
        // The alarm deletes the to-do being edited: the dialog closes and its result is dropped.
        w->fixture.clock.advanceSecs(1);
        const QList<QString> others = {w->tag(0), w->tag(1)};
        QVERIFY(!editWhileAlarm(2, pressOk));
        QCOMPARE((QList<QString>{w->tag(0), w->tag(1)}), others);
        QCOMPARE(w->list->count(), 2);
        // The alarm deletes the to-do that Remove asks about: Yes then takes no other with it.
        w->fixture.clock.advanceSecs(5 * 60);
        w->clickItem(0);
        w->fixture.messages.onShow = [this](const FakeMessageBoxes::Shown &) {
            w->fixture.messages.onShow = nullptr;
            QVERIFY(tick(pressOk));
        };
        clickAt(w->find<QWidget>("arbTodoRemove"));
        QCOMPARE(w->list->count(), 1);
        QCOMPARE(w->list->records()->caption(0), QStringLiteral("Mine"));
    }
};

QTEST_MAIN(TestReminderWatcher)
#include "tst_reminderwatcher.moc"