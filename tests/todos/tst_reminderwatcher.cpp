#include "tests/todos/todostestsupport.h"

#include "todos/alarmwindow.h"
#include "todos/reminderdialog.h"
#include "todos/todorecord.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {

const QString kFuture = QStringLiteral("12/5/2026 9:05:01 PM");
const QString kLater = QStringLiteral("1/1/2030");

/// What the alarm window showed, read while it was open.
struct Seen
{
    bool shown = false;
    QString subject;
    QString description;
    QString time;
    QStringList brightLamps;
};

QStringList visibleBrightLamps(const QWidget *alarm)
{
    QStringList lamps;
    for (const char *name : {"imgGreen", "imgOrange", "imgRed"}) {
        if (!alarm->findChild<QLabel *>(QLatin1String(name))->isHidden())
            lamps.append(QLatin1String(name));
    }
    return lamps;
}

int openAlarms()
{
    int count = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        count += qobject_cast<AlarmWindow *>(window) && window->isVisible() ? 1 : 0;
    return count;
}

} // namespace

class TestReminderWatcher : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TodosWindow> w;

    void open(const QList<Record> &todos)
    {
        w = std::make_unique<TodosWindow>(todos);
        w->open();
    }
    ReminderWatcher *watcher() const { return w->section->watcher(); }

    /// One tick; what the alarm showed, if one came up. action then runs in the alarm and
    /// should close it (it is closed by its close box otherwise).
    Seen tick(std::function<void(AlarmWindow *)> action = {})
    {
        auto seen = std::make_shared<Seen>();
        whenModal([seen, action](QWidget *modal) {
            auto *alarm = qobject_cast<AlarmWindow *>(modal);
            if (!alarm)
                return;
            seen->shown = true;
            seen->subject = alarm->findChild<QLabel *>("lblSubject")->text();
            seen->description = alarm->findChild<QLabel *>("lblDesc")->text();
            seen->time = alarm->findChild<QLabel *>("lblTime")->text();
            seen->brightLamps = visibleBrightLamps(alarm);
            if (action)
                action(alarm);
        });
        watcher()->tick();
        // Nothing came up: the scheduled check still has to run and find nothing.
        QCoreApplication::processEvents();
        return *seen;
    }

private slots:
    void cleanup()
    {
        w.reset();
        QCOMPARE(openAlarms(), 0);
    }

    void timerRunsFromTheStart()
    {
        MainWindowFixture fixture;
        fixture.open();
        auto *timer = fixture.find<QTimer>("tmrTodo");
        QVERIFY(timer);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        timer->stop();
    }

    void scanChoosesTheLastDueTodo()
    {
        MainWindowFixture fixture; // services and the clock, 2026-12-05 21:05:00
        QListWidget list;
        const QChar sep(0x00B6);
        const QString due = QStringLiteral("12/5/2026 9:05:00 PM");
        const QList<QString> tags = {
            todoTag({"Early", "0", "0", "0%", "12/5/2026 9:00:00 PM", "", "1", "early", "c"}),
            QString(),
            todoTag({"Now", "0", "2", "0%", due, "/s/now.wav", "0", "now desc", "c"}),
            todoTag({"Next second", "0", "1", "0%", kFuture, "", "1", "", "c"}),
            todoTag({"No reminder", "0", "1", "0%", "", "", "", "", "c"}),
            todoTag({"Ten fields", "0", "1", "0%", due, "", "1", "", "c"}) + sep + "extra",
            todoTag({"Eight fields", "0", "1", "0%", due, "", "1", ""}),
            todoTag({"Garbled", "0", "1", "0%", "5 Dec 2026", "", "1", "", "c"}),
        };
        for (const QString &tag : tags)
            listrecords::append(&list, "x", "Todo", tag);
        ReminderWatcher scan(fixture.services, &list, nullptr, nullptr);

        int priority = -5;
        QString subject, description, sound;
        QListWidgetItem *item = nullptr;
        QDateTime when;
        scan.GetDueTodo(priority, subject, description, item, sound, when);
        QCOMPARE(item, list.item(2));
        QCOMPARE(subject, QStringLiteral("Now"));
        QCOMPARE(priority, 2);
        QCOMPARE(description, QStringLiteral("now desc"));
        QCOMPARE(sound, QStringLiteral("/s/now.wav"));
        QCOMPARE(when, QDateTime(QDate(2026, 12, 5), QTime(21, 5, 0)));

        // A changed tag is read again; the earlier due to-do is then the one.
        listrecords::setTag(list.item(2), todoTag({"Now", "0", "2", "0%", kFuture, "", "1", "", "c"}));
        scan.GetDueTodo(priority, subject, description, item, sound, when);
        QCOMPARE(subject, QStringLiteral("Early"));
        QCOMPARE(item, list.item(0));

        // Nothing due: the outputs keep what they held.
        delete list.takeItem(0);
        scan.GetDueTodo(priority, subject, description, item, sound, when);
        QVERIFY(!when.isValid());
        QCOMPARE(subject, QStringLiteral("Early"));

        // A second later the next one is due.
        fixture.clock.advanceSecs(1);
        scan.GetDueTodo(priority, subject, description, item, sound, when);
        QCOMPARE(subject, QStringLiteral("Next second"));

        // Entries put in before and after it are seen at their places.
        list.insertItem(0, QStringLiteral("x"));
        listrecords::setTag(list.item(0), todoTag({"Inserted first", "0", "1", "0%", due, "", "1", "", "c"}));
        scan.GetDueTodo(priority, subject, description, item, sound, when);
        QCOMPARE(subject, QStringLiteral("Next second"));
        listrecords::append(&list, "x", "Todo", todoTag({"Appended", "0", "1", "0%", due, "", "1", "", "c"}));
        scan.GetDueTodo(priority, subject, description, item, sound, when);
        QCOMPARE(subject, QStringLiteral("Appended"));
        QCOMPARE(item, list.item(list.count() - 1));
    }

    void alarmShowsTheDueTodo_data()
    {
        QTest::addColumn<QString>("priority");
        QTest::addColumn<QString>("sound");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QStringList>("lamps");
        QTest::newRow("low") << "0" << "/s/a.wav" << "1" << QStringList{"imgGreen"};
        QTest::newRow("normal, flag off") << "1" << "/s/a.wav" << "0" << QStringList{"imgOrange"};
        QTest::newRow("high, silent") << "2" << "" << "" << QStringList{"imgRed"};
        QTest::newRow("out of range") << "7" << "" << "1" << QStringList{};
    }
    void alarmShowsTheDueTodo()
    {
        QFETCH(QString, priority);
        QFETCH(QString, sound);
        QFETCH(QString, flag);
        open({{"Boiler", todoTag({"Boiler", "0", priority, "0%", "12/5/2026 9:00:00 PM", sound, flag,
                                  "Ask about the boiler", "c"})}});
        const Seen seen = tick([](AlarmWindow *alarm) { alarm->reject(); });
        QVERIFY(seen.shown);
        QCOMPARE(seen.subject, QStringLiteral("Boiler"));
        QCOMPARE(seen.description, QStringLiteral("Ask about the boiler"));
        QCOMPARE(seen.time, QStringLiteral("09:05:00 PM"));
        QTEST(seen.brightLamps, "lamps");
        QCOMPARE(w->fixture.sound.paths(FakeSound::Call::Play),
                 sound.isEmpty() ? QStringList() : QStringList{sound});
        // Closed without a choice: still due, and shown again at the next tick.
        QCOMPARE(w->list->count(), 1);
        QVERIFY(tick([](AlarmWindow *alarm) { alarm->reject(); }).shown);
    }

    void lampBlinksAndClockRuns()
    {
        open({{"Boiler", todoTag({"Boiler", "0", "2", "0%", "12/5/2026 9:00:00 PM", "", "", "", "c"})},
              {"Odd", todoTag({"Odd", "0", "9", "0%", kLater, "", "", "", "c"})}});
        QList<QStringList> phases;
        QStringList times;
        FakeClock *clock = &w->fixture.clock;
        const auto record = [&phases, &times, clock](AlarmWindow *alarm) {
            phases.append(visibleBrightLamps(alarm));
            for (int i = 0; i < 3; ++i) {
                alarm->blinkTick();
                phases.append(visibleBrightLamps(alarm));
            }
            times.append(alarm->findChild<QLabel *>("lblTime")->text());
            clock->advanceSecs(1);
            alarm->timeTick();
            times.append(alarm->findChild<QLabel *>("lblTime")->text());
            alarm->reject();
        };
        tick(record);
        QCOMPARE(phases, (QList<QStringList>{{"imgRed"}, {}, {"imgRed"}, {}}));
        QCOMPARE(times, (QStringList{"09:05:00 PM", "09:05:01 PM"}));
        // With no lamp of its own, the green one blinks.
        delete w->list->takeItem(0);
        listrecords::setTag(w->list->item(0), todoTag({"Odd", "0", "9", "0%", "12/5/2026 8:00:00 PM", "", "", "", "c"}));
        phases.clear();
        tick(record);
        QCOMPARE(phases, (QList<QStringList>{{}, {"imgGreen"}, {}, {"imgGreen"}}));
    }

    void okDeletesTheTodo_data()
    {
        QTest::addColumn<int>("dueRow");
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("middle") << 1 << false;
        QTest::newRow("middle by Enter") << 1 << true;
        QTest::newRow("last") << 2 << false;
    }
    void okDeletesTheTodo()
    {
        QFETCH(int, dueRow);
        QFETCH(bool, byEnter);
        QList<Record> todos;
        for (int row = 0; row < 3; ++row) {
            const QString name = QStringLiteral("T%1").arg(row);
            todos.append({name, todoTag({name, "0", "1", "0%", row == dueRow ? "12/5/2026 9:00:00 PM" : kFuture,
                                         "", "1", "", "c"})});
        }
        open(todos);
        w->clickItem(dueRow);
        tick([byEnter](AlarmWindow *alarm) {
            if (byEnter)
                QTest::keyClick(alarm, Qt::Key_Return);
            else
                alarm->findChild<QPushButton *>("cmdOK")->click();
        });
        QCOMPARE(w->list->count(), 2);
        for (int row = 0; row < 2; ++row)
            QVERIFY(w->list->item(row)->text() != QStringLiteral("T%1").arg(dueRow));
        QListWidgetItem *current = w->list->currentItem();
        QVERIFY(current && current->isSelected());
        QCOMPARE(w->editor->subject(), current->text());
        QVERIFY(!w->editor->isHidden());
    }

    void okOnTheOnlyTodoHidesTheEditor()
    {
        open({{"Only", todoTag({"Only", "2", "2", "90%", "12/5/2026 9:00:00 PM", "", "1", "d", "c"})}});
        tick([](AlarmWindow *alarm) { alarm->findChild<QPushButton *>("cmdOK")->click(); });
        QCOMPARE(w->list->count(), 0);
        QVERIFY(w->editor->isHidden());
        QVERIFY(!w->find<QWidget>("arbTodoRemove")->isEnabled());
        QCOMPARE(w->editor->record(), TodoRecord());
    }

    void snoozeCountsFromNow()
    {
        open({{"Other", todoTag({"Other", "0", "1", "0%", kLater, "", "1", "", "c"})},
              {"Boiler", todoTag({"Boiler", "1", "0", "20%", "12/5/2026 9:00:00 PM", "/s/a.wav", "1", "d",
                                  "  09:00 PM"})}});
        w->fixture.clock.set(QDateTime(QDate(2026, 12, 5), QTime(21, 30, 15)));
        w->list->setCurrentRow(0);
        QPoint menuAt;
        QPoint expectedAt;
        QString defaultItem;
        QStringList items;
        tick([&](AlarmWindow *alarm) {
            auto *snooz = alarm->findChild<QPushButton *>("cmdSnooz");
            snooz->click();
            QMenu *menu = alarm->snoozeMenu();
            menuAt = menu->pos();
            expectedAt = alarm->mapToGlobal(QPoint(snooz->x(), snooz->y() + snooz->height()));
            defaultItem = menu->defaultAction()->text();
            for (QAction *action : menu->actions())
                items.append(action->isSeparator() ? QStringLiteral("-") : action->text());
            menu->findChild<QAction *>("mnu10Min")->trigger();
        });
        QCOMPARE(menuAt, expectedAt);
        QCOMPARE(defaultItem, QStringLiteral("5 Minutes"));
        QCOMPARE(items, QStringList({"1 Minute", "2 Minutes", "3 Minutes", "5 Minutes", "-", "10 Minutes",
                                     "20 Minutes", "30 Minutes", "45 Minutes", "-", "1 Hour"}));
        QCOMPARE(w->tag(1), todoTag({"Boiler", "1", "0", "20%", "12/5/2026 9:40:15 PM", "/s/a.wav", "1", "d",
                                     "12 05,2026 09:40 PM"}));
        QCOMPARE(w->list->currentRow(), 1);
        QCOMPARE(w->find<QPushButton>("cmdReminder")->text(), QStringLiteral("12 05,2026 09:40 PM"));

        w->fixture.clock.set(QDateTime(QDate(2026, 12, 5), QTime(21, 40, 14)));
        QVERIFY(!tick().shown);
        w->fixture.clock.advanceSecs(1);
        QVERIFY(tick([](AlarmWindow *alarm) { alarm->reject(); }).shown);
    }

    void dueTodoFiresAfterRestart()
    {
        open({{"Boiler", todoTag({"Boiler", "0", "1", "0%", "12/5/2026 10:00:00 PM", "", "1", "", "c"})}});
        QVERIFY(!tick().shown);
        w->fixture.close();
        w->fixture.clock.set(QDateTime(QDate(2026, 12, 6), QTime(8, 0)));
        w->open();
        QVERIFY(tick([](AlarmWindow *alarm) { alarm->reject(); }).shown);
    }

    void neverMoreThanOneAlarm()
    {
        open({{"Boiler", todoTag({"Boiler", "0", "1", "0%", "12/5/2026 9:00:00 PM", "", "1", "", "c"})}});
        int alarmsSeen = 0;
        bool showingWhileOpen = false;
        ReminderWatcher *scan = watcher();
        tick([&](AlarmWindow *alarm) {
            // The timer keeps firing inside the modal loop; a nested tick must not open another.
            whenModal([&alarmsSeen](QWidget *modal) {
                if (qobject_cast<AlarmWindow *>(modal) && openAlarms() > 1)
                    ++alarmsSeen;
            });
            scan->tick();
            alarmsSeen += openAlarms();
            showingWhileOpen = scan->alarmShowing();
            alarm->reject();
        });
        QCOMPARE(alarmsSeen, 1);
        QVERIFY(showingWhileOpen);
        QVERIFY(!scan->alarmShowing());
    }

    void typedSubjectSurvivesTheAlarm()
    {
        open({{"Mine", todoTag({"Mine", "0", "1", "0%", kFuture, "", "1", "", "c"})},
              {"Due", todoTag({"Due", "0", "1", "0%", "12/5/2026 9:00:00 PM", "", "1", "", "c"})}});
        w->clickItem(0);
        auto *subject = w->find<QLineEdit>("txtSubject");
        subject->setFocus();
        QCoreApplication::processEvents();
        QTest::keyClicks(subject, "Mine, edited");
        tick([](AlarmWindow *alarm) { alarm->findChild<QPushButton *>("cmdOK")->click(); });
        QCOMPARE(w->list->count(), 1);
        QCOMPARE(TodoRecord::fromTag(w->tag(0)).subject, QStringLiteral("Mine, edited"));
        QCOMPARE(subject->text(), QStringLiteral("Mine, edited"));
    }

    void removeQuestionKeepsToItsTodo()
    {
        // The alarm deletes the to-do being asked about while the question is open.
        open({{"Due", todoTag({"Due", "0", "1", "0%", "12/5/2026 9:00:00 PM", "", "1", "", "c"})},
              {"Keep", todoTag({"Keep", "0", "1", "0%", "", "", "", "", "c"})}});
        w->clickItem(0);
        ReminderWatcher *scan = watcher();
        w->fixture.messages.onShow = [this, scan](const FakeMessageBoxes::Shown &) {
            w->fixture.messages.onShow = nullptr;
            whenModal([](QWidget *alarm) {
                if (qobject_cast<AlarmWindow *>(alarm))
                    alarm->findChild<QPushButton *>("cmdOK")->click();
            });
            scan->tick();
        };
        TodosWindow::click(w->find<QWidget>("arbTodoRemove"));
        QCOMPARE(w->list->count(), 1);
        QCOMPARE(w->list->item(0)->text(), QStringLiteral("Keep"));
    }

    void alarmDeletingTheEditedTodoClosesTheDialog()
    {
        const QString other = todoTag({"Other", "0", "1", "0%", "", "", "", "", "Reminder not set"});
        open({{"Due", todoTag({"Due", "0", "1", "0%", "12/5/2026 9:00:00 PM", "", "1", "", "c"})},
              {"Other", other}});
        w->clickItem(0);
        ReminderWatcher *scan = watcher();
        bool dialogClosed = false;
        whenModal([&](QWidget *modal) {
            auto *dialog = qobject_cast<ReminderDialog *>(modal);
            if (!dialog)
                return;
            choose(dialog->findChild<QComboBox *>("cboFast"), "1 Hour Later");
            whenModal([](QWidget *alarm) {
                if (qobject_cast<AlarmWindow *>(alarm))
                    alarm->findChild<QPushButton *>("cmdOK")->click();
            });
            scan->tick();
            dialogClosed = !dialog->isVisible();
            if (!dialogClosed)
                dialog->findChild<QPushButton *>("cmdOK")->click();
        });
        TodosWindow::click(w->find<QPushButton>("cmdReminder"));
        QVERIFY(dialogClosed);
        QCOMPARE(w->list->count(), 1);
        QCOMPARE(w->tag(0), other);
        QCOMPARE(w->editor->subject(), QStringLiteral("Other"));
    }

    void snoozeOfAnotherTodoKeepsTheDialogResultInItsOwn()
    {
        open({{"Mine", todoTag({"Mine", "0", "1", "0%", "", "", "", "", "Reminder not set"})},
              {"Due", todoTag({"Due", "0", "1", "0%", "12/5/2026 9:00:00 PM", "", "1", "", "c"})}});
        w->clickItem(0);
        ReminderWatcher *scan = watcher();
        whenModal([scan](QWidget *modal) {
            auto *dialog = qobject_cast<ReminderDialog *>(modal);
            if (!dialog)
                return;
            choose(dialog->findChild<QComboBox *>("cboFast"), "1 Hour Later");
            whenModal([](QWidget *alarm) {
                if (auto *shown = qobject_cast<AlarmWindow *>(alarm))
                    shown->snoozeMenu()->findChild<QAction *>("mnu5Min")->trigger();
            });
            scan->tick();
            dialog->findChild<QPushButton *>("cmdOK")->click();
        });
        TodosWindow::click(w->find<QPushButton>("cmdReminder"));
        QCOMPARE(TodoRecord::fromTag(w->tag(0)).reminder, QStringLiteral("12/5/2026 10:05:00 PM"));
        QCOMPARE(TodoRecord::fromTag(w->tag(1)).reminder, QStringLiteral("12/5/2026 9:10:00 PM"));
        QCOMPARE(TodoRecord::fromTag(w->tag(1)).reminderCaption, QStringLiteral("12 05,2026 09:10 PM"));
    }
};

QTEST_MAIN(TestReminderWatcher)
#include "tst_reminderwatcher.moc"
