#include "tests/todos/todostestsupport.h"

#include "platform/ansitext.h"
#include "todos/reminderdialog.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

QList<Record> threeTodos()
{
    return {{"First", todoTag({"First", "0", "0", "10%", "", "", "", "one", "Reminder not set"})},
            {"Second", todoTag({"Second", "1", "1", "20%", "", "", "", "two", "Reminder not set"})},
            {"Third", todoTag({"Third", "2", "2", "30%", "", "", "", "three", "Reminder not set"})}};
}

const QString kLeftBad = QStringLiteral("Complete percent must be a number between 0 to 100.");
const QString kEnterBad = QStringLiteral("Percent complete must be a number between 0 to 100.");

} // namespace

class TestTodoEditor : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TodosWindow> w;

    void open(const QList<Record> &todos = {})
    {
        w = std::make_unique<TodosWindow>(todos);
        w->open();
    }
    QLineEdit *box(const QString &name) const { return w->find<QLineEdit>(name); }
    QWidget *removeButton() const { return w->find<QWidget>("arbTodoRemove"); }
    QString percentStored(int row = 0) const { return TodoRecord::fromTag(w->tag(row)).percent; }

    void verifyDefaults()
    {
        QVERIFY(!w->editor->isHidden());
        QCOMPARE(w->editor->record(), TodoRecord());
        QCOMPARE(w->find<QPushButton>("cmdReminder")->text(), QStringLiteral("Reminder not set"));
    }
    /// Types into the percent box in place of what it held.
    QLineEdit *typePercent(const QString &typed)
    {
        QLineEdit *complete = box("txtComplete");
        TodosWindow::focus(complete);
        complete->clear();
        QTest::keyClicks(complete, typed);
        return complete;
    }

private slots:
    void cleanup() { w.reset(); }

    void addRenameRemove()
    {
        open();
        w->section->disableButtonsIfEmpty(); // as when the section is chosen
        QVERIFY(w->editor->isHidden());
        QVERIFY(!removeButton()->isEnabled());
        TodosWindow::click(w->find<QWidget>("arbTodoAdd"));
        QCOMPARE(w->list->currentItem()->text(), QStringLiteral("New To-Do"));
        QVERIFY(removeButton()->isEnabled());
        verifyDefaults();
        // The caption is open for typing at once; Escape keeps "New To-Do".
        QWidget *captionBox = QApplication::focusWidget();
        QVERIFY(captionBox && w->list->viewport()->isAncestorOf(captionBox));
        QTest::keyClick(captionBox, Qt::Key_Escape);

        // The first subject typed renames a "New To-Do"; later ones only when it is clicked.
        QLineEdit *subject = box("txtSubject");
        TodosWindow::focus(subject);
        QTest::keyClicks(subject, "Pay rent");
        TodosWindow::focus(w->find<QWidget>("cboStatus"));
        QCOMPARE(w->list->item(0)->text(), QStringLiteral("Pay rent"));
        QCOMPARE(w->tag(0), todoTag({"Pay rent", "0", "1", "0%", "", "", "", "", "Reminder not set"}));
        TodosWindow::focus(subject);
        QTest::keyClicks(subject, "Pay the rent");
        TodosWindow::focus(w->find<QWidget>("cboStatus"));
        QCOMPARE(w->list->item(0)->text(), QStringLiteral("Pay rent"));
        w->clickItem(0);
        QCOMPARE(w->list->item(0)->text(), QStringLiteral("Pay the rent"));

        TodosWindow::click(w->find<QWidget>("arbTodoAdd"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        w->clickItem(0);
        // No keeps everything; Yes removes the selected one and shows the next.
        w->fixture.messages.answers.enqueue(MessageBoxes::Answer::No);
        TodosWindow::click(removeButton());
        QCOMPARE(w->fixture.messages.shown.first().text, QStringLiteral("Do you want to remove the selected task?"));
        QCOMPARE(w->list->count(), 2);
        QCOMPARE(subject->text(), QStringLiteral("Pay the rent"));
        TodosWindow::click(removeButton());
        QCOMPARE(w->list->count(), 1);
        QVERIFY(w->list->currentItem()->isSelected());
        verifyDefaults();
        TodosWindow::click(removeButton());
        QCOMPARE(w->list->count(), 0);
        QVERIFY(w->editor->isHidden());
        QVERIFY(!removeButton()->isEnabled());
    }

    void fieldsAreStoredWhenLeft()
    {
        open(threeTodos());
        QCOMPARE(w->editor->record(), TodoRecord::fromTag(w->tag(0)));
        w->clickItem(2);
        auto *status = w->find<QComboBox>("cboStatus");
        TodosWindow::focus(status);
        status->setCurrentIndex(4);
        QCOMPARE(TodoRecord::fromTag(w->tag(2)).status, 2); // not before it is left
        QLineEdit *description = box("txtTodoDesc");
        TodosWindow::focus(description);
        QCOMPARE(TodoRecord::fromTag(w->tag(2)).status, 4);
        description->setText(QStringLiteral("three ¶ and more"));
        // Clicking another entry stores the edit in the to-do it was made for.
        w->clickItem(0);
        QCOMPARE(TodoRecord::fromTag(w->tag(2)).description, QStringLiteral("three ¶ and more"));
        QCOMPARE(description->text(), QStringLiteral("one"));
        QTest::keyClick(w->list, Qt::Key_Down);
        QCOMPARE(box("txtSubject")->text(), QStringLiteral("Second"));
    }

    void percentEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enter"); // else the box is left
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("left, keys filtered") << "4a.-5 %x" << false << "45%" << "";
        QTest::newRow("left, 100") << "100" << false << "100%" << "";
        QTest::newRow("left, over") << "150" << false << "10%" << kLeftBad;
        QTest::newRow("left, empty") << "" << false << "10%" << kLeftBad;
        QTest::newRow("Enter") << "40" << true << "40%" << "";
        QTest::newRow("Enter, over") << "101" << true << "10%" << kEnterBad;
    }
    void percentEntry()
    {
        QFETCH(QString, typed);
        QFETCH(bool, enter);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        open(threeTodos());
        QLineEdit *complete = typePercent(typed);
        if (enter)
            QTest::keyClick(complete, Qt::Key_Return);
        else
            TodosWindow::focus(box("txtSubject"));
        QCOMPARE(percentStored(), stored);
        if (message.isEmpty()) {
            QCOMPARE(complete->text(), stored);
            QVERIFY(w->fixture.messages.shown.isEmpty());
            QVERIFY(!enter || w->find<QPushButton>("cmdReminder")->hasFocus());
            return;
        }
        QCOMPARE(complete->text(), typed);
        QVERIFY(complete->hasFocus());
        QCOMPARE(w->fixture.messages.shown.size(), 1);
        QCOMPARE(w->fixture.messages.shown.first().text, message);
        // Nor may a click on another entry leave it.
        w->clickItem(1);
        QCOMPARE(w->list->currentRow(), 0);
    }

    void percentUpDown_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("result");
        QTest::newRow("up at 100%") << "100%" << int(Qt::Key_Up) << "100%";
        QTest::newRow("down at 0%") << "0%" << int(Qt::Key_Down) << "0%";
        QTest::newRow("up at 24%") << "24%" << int(Qt::Key_Up) << "50%";
        QTest::newRow("down at 100") << "100" << int(Qt::Key_Down) << "75%";
        QTest::newRow("up at nothing") << "" << int(Qt::Key_Up) << "25%";
    }
    void percentUpDown()
    {
        QFETCH(QString, start);
        QFETCH(int, key);
        open(threeTodos());
        QLineEdit *complete = typePercent(start);
        QTest::keyClick(complete, Qt::Key(key));
        QTEST(complete->text(), "result");
        // The spinner steps the same way and leaves the focus in the box.
        complete->setText(start);
        QWidget *arrow = w->find<QWidget>("udComplete")->childAt(8, key == Qt::Key_Up ? 2 : 14);
        QVERIFY(arrow);
        TodosWindow::click(arrow);
        QTEST(complete->text(), "result");
        QVERIFY(complete->hasFocus());
        QVERIFY(w->fixture.messages.shown.isEmpty());
        QCOMPARE(percentStored(), QStringLiteral("10%")); // stored only when the box is left
    }

    void saveCommitsTheBoxBeingEdited()
    {
        open(threeTodos());
        QLineEdit *subject = box("txtSubject");
        TodosWindow::focus(subject);
        QTest::keyClicks(subject, "Changed");
        QVERIFY(w->fixture.window->SaveInFile());
        QVERIFY(ansi::decode(w->fixture.readFile("savedfile.qlt")).contains(QStringLiteral("First¤Changed¶")));
        // A bad percent is refused, and the last good one is saved.
        typePercent("150");
        w->fixture.window->SaveInFile();
        QCOMPARE(w->fixture.messages.shown.size(), 1);
        QCOMPARE(w->fixture.messages.shown.first().title, QStringLiteral("Percent overflow"));
        QCOMPARE(percentStored(), QStringLiteral("10%"));
        QVERIFY(ansi::decode(w->fixture.readFile("savedfile.qlt")).contains(QStringLiteral("¶10%¶")));
    }

    void reminderSurvivesRestart()
    {
        open({{"Pay rent", todoTag({"Pay rent", "1", "2", "50%", "", "", "", "desc", "Reminder not set"})}});
        // A to-do never edited is kept as it is, with an empty tag.
        TodosWindow::click(w->find<QWidget>("arbTodoAdd"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        w->clickItem(0);
        auto *reminder = w->find<QPushButton>("cmdReminder");
        const auto chooseIn = [](const QString &fast, const char *button) {
            whenModal([fast, button](QWidget *modal) {
                if (auto *dialog = qobject_cast<ReminderDialog *>(modal)) {
                    choose(dialog->findChild<QComboBox *>("cboFast"), fast);
                    dialog->findChild<QPushButton *>(button)->click();
                }
            });
        };
        chooseIn("10 Minutes Later", "cmdOK");
        TodosWindow::click(reminder);
        const QString chosen = todoTag({"Pay rent", "1", "2", "50%", "12/5/2026 9:15:00 PM",
                                        w->fixture.services.path("alarm.wav"), "1", "desc", "  09:15 PM"});
        QCOMPARE(w->tag(0), chosen);
        QCOMPARE(reminder->text(), QStringLiteral("  09:15 PM"));
        chooseIn("1 Hour Later", "cmdCancel");
        TodosWindow::click(reminder);
        QCOMPARE(w->tag(0), chosen);

        w->fixture.close();
        w->open();
        QCOMPARE(w->tag(0), chosen);
        QCOMPARE(w->find<QPushButton>("cmdReminder")->text(), QStringLiteral("  09:15 PM"));
        QCOMPARE(w->tag(1), QString());
        w->clickItem(1);
        QCOMPARE(w->list->item(1)->text(), QStringLiteral("New To-Do"));
        verifyDefaults();
    }
};

QTEST_MAIN(TestTodoEditor)
#include "tst_todoeditor.moc"