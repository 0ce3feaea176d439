// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ansitext.h"
#include "tests/todos/todostestsupport.h"

namespace {

const QString kLeftBad = QStringLiteral("Complete percent must be a number between 0 to 100.");
const QString kEnterBad = QStringLiteral("Percent complete must be a number between 0 to 100.");

// The first repeats and came from a file: no box shows its last two fields, and edits keep them.
const QList<Record> kTwoTodos = {{"First", todoTag({"First", "1", "2", "10%", "", "", "", "one", "Reminder not set", "FREQ=DAILY", "uid-1"})},
                                  todo("Second")};

} // namespace

class TestTodoEditor : public WindowTest
{
    Q_OBJECT
private:
    std::optional<TodosWindow> w;

    QLineEdit *box(const QString &name) const { return w->find<QLineEdit>(name); }

    void setUp() override { w.emplace(); }
    void tearDown() override { w.reset(); }

private slots:
    // A repeating to-do from another program, with a one-time caption, says its rule.
    void repeatingReminderSaysItsRule()
    {
        w->open({{"Bins", todoTag({"Bins", "0", "1", "0%", "12/8/2026 9:00:00 AM", "", "1", "", "Dec 8  09:00 AM",
                                   "FREQ=WEEKLY;BYDAY=TU"})}});
        clickItem(w->list, 0);
        QCOMPARE(w->find<QPushButton>("cmdReminder")->text(), QStringLiteral("Every week, Tue 09:00 AM"));
        QCOMPARE(w->record(0).reminderCaption, QStringLiteral("Dec 8  09:00 AM"));
    }

    // Adding and removing are walked for every section in tst_sectionflows.
    void subjectRenamesANewTodo()
    {
        w->open();
        clickAt(w->find<QWidget>("arbTodoAdd"));
        QCOMPARE(w->editor->record(), TodoRecord());
        QCOMPARE(w->find<QPushButton>("cmdReminder")->text(), QStringLiteral("Reminder not set"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // the caption box, open at once

        // The first subject renames a "New To-Do"; later ones only when it is clicked.
        TodosWindow::focus(box("txtSubject"), "Pay rent");
        TodosWindow::focus(box("txtTodoDesc"));
        QCOMPARE(w->list->records()->caption(0), QStringLiteral("Pay rent"));
        QCOMPARE(w->tag(0), todoTag({"Pay rent", "0", "1", "0%", "", "", "", "", "Reminder not set"}));
        TodosWindow::focus(box("txtSubject"), "Pay the rent");
        TodosWindow::focus(box("txtTodoDesc"));
        QCOMPARE(w->list->records()->caption(0), QStringLiteral("Pay rent"));
        w->clickItem(0);
        QCOMPARE(w->list->records()->caption(0), QStringLiteral("Pay the rent"));
        clickAt(w->find<QWidget>("arbTodoAdd"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        w->clickItem(1); // a "New To-Do" keeps its caption
        QCOMPARE(w->list->records()->caption(1), QStringLiteral("New To-Do"));
        QTest::keyClick(w->list, Qt::Key_F2); // and a caption typed in place is not wiped by
        QTest::keyClicks(QApplication::focusWidget(), "Buy milk"); // the empty subject
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        w->clickItem(0);
        w->clickItem(1);
        QCOMPARE(w->list->records()->caption(1), QStringLiteral("Buy milk"));
    }

    void editsAreStoredAndSaved()
    {
        w->open(kTwoTodos);
        auto *status = w->find<QComboBox>("cboStatus");
        TodosWindow::focus(status);
        status->setCurrentIndex(4);
        QCOMPARE(w->record(0).status, 1); // not before it is left
        TodosWindow::focus(box("txtTodoDesc"), "one ¶ more");
        QCOMPARE(w->record(0).status, 4);

        const auto setReminder = [this](const QString &fast, const char *button) {
            whenModal([fast, button](QWidget *modal) {
                if (auto *dialog = qobject_cast<ReminderDialog *>(modal)) {
                    choose(dialog->findChild<QComboBox *>("cboFast"), fast);
                    dialog->findChild<QPushButton *>(button)->click();
                }
            });
            clickAt(w->find<QPushButton>("cmdReminder"));
        };
        setReminder("10 Minutes Later", "cmdOK");
        const QString edited = todoTag({"First", "4", "2", "10%", "12/5/2026 9:15:00 PM",
                                        w->fixture.services.path("alarm.wav"), "1", "one [u+00B6] more", "Every day, 09:15 PM",
                                        "FREQ=DAILY", "uid-1"});
        QCOMPARE(w->tag(0), edited);
        setReminder("1 Hour Later", "cmdCancel");
        QCOMPARE(w->tag(0), edited);
        w->reopen();
        QCOMPARE(w->tag(0), edited);
        QCOMPARE(w->find<QPushButton>("cmdReminder")->text(), QStringLiteral("Every day, 09:15 PM"));
    }

    void percentBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key"); // Tab leaves the box; 0 clicks the spinner's lower arrow; -1 saves
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored"); // the record follows only when the box is left
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("left, keys filtered") << "4a.-5 %x" << int(Qt::Key_Tab) << "45%" << "45%" << "";
        QTest::newRow("left, over") << "150" << int(Qt::Key_Tab) << "150" << "10%" << kLeftBad;
        QTest::newRow("left, empty") << "" << int(Qt::Key_Tab) << "" << "10%" << kLeftBad;
        QTest::newRow("Enter") << "100" << int(Qt::Key_Return) << "100%" << "100%" << "";
        QTest::newRow("Enter, over") << "101" << int(Qt::Key_Return) << "101" << "10%" << kEnterBad;
        QTest::newRow("up at nothing") << "" << int(Qt::Key_Up) << "25%" << "10%" << "";
        QTest::newRow("spinner down at 100") << "100" << 0 << "75%" << "10%" << "";
        QTest::newRow("saved, over") << "150" << -1 << "150" << "10%" << kLeftBad;
    }
    void percentBox()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, message);
        w->open(kTwoTodos);
        QLineEdit *complete = box("txtComplete");
        complete->clear();
        TodosWindow::focus(complete, typed);
        if (key == Qt::Key_Tab)
            TodosWindow::focus(box("txtSubject"));
        else if (key == -1)
            w->fixture.document->save();
        else if (key)
            QTest::keyClick(complete, Qt::Key(key));
        else
            clickAt(w->find<QWidget>("udComplete")->childAt(8, 14));
        QTEST(complete->text(), "shown");
        QTEST(w->record(0).percent, "stored");
        QCOMPARE(w->fixture.messages.shown.size(), message.isEmpty() ? 0 : 1);
        if (key == Qt::Key_Return && message.isEmpty())
            QVERIFY(w->find<QPushButton>("cmdReminder")->hasFocus());
        if (message.isEmpty())
            return;
        QCOMPARE(w->fixture.messages.shown.first().text, message);
        QVERIFY(complete->hasFocus());
        if (key == -1) // the last good value is saved
            QVERIFY(ansi::decode(w->fixture.readFile("savedfile.qlt")).contains(QStringLiteral("First¶1¶2¶10%¶")));
        w->clickItem(1); // refused too
        QCOMPARE(w->list->currentIndex().row(), 0);
    }
};

QTEST_MAIN(TestTodoEditor)
#include "tst_todoeditor.moc"