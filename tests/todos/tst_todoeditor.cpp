#include "tests/todos/todostestsupport.h"

#include "platform/ansitext.h"
#include "widgets/arbutton.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kPlumber = QStringLiteral("Call plumber¶1¶2¶50%¶¶¶¶Ask about the boiler¶Reminder not set");

QList<Record> threeTodos()
{
    return {{"First", todoTag({"First", "0", "0", "10%", "", "", "", "one", "Reminder not set"})},
            {"Second", todoTag({"Second", "1", "1", "20%", "", "", "", "two", "Reminder not set"})},
            {"Third", todoTag({"Third", "2", "2", "30%", "", "", "", "three", "Reminder not set"})}};
}

} // namespace

class TestTodoEditor : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TodosWindow> w;

    QLineEdit *box(const QString &name) const { return w->find<QLineEdit>(name); }
    QComboBox *combo(const QString &name) const { return w->find<QComboBox>(name); }
    ARButton *arb(const QString &name) const { return w->find<ARButton>(name); }

    /// Focuses a box of the editor, as a click or Tab would.
    void focus(QWidget *widget)
    {
        widget->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QVERIFY(widget->hasFocus());
    }

    void verifyDefaults()
    {
        QCOMPARE(box("txtSubject")->text(), QString());
        QCOMPARE(combo("cboStatus")->currentText(), QStringLiteral("Not Started"));
        QCOMPARE(combo("cboPeriority")->currentText(), QStringLiteral("Normal"));
        QCOMPARE(box("txtComplete")->text(), QStringLiteral("0%"));
        QCOMPARE(box("txtTodoDesc")->text(), QString());
        QCOMPARE(w->find<QPushButton>("cmdReminder")->text(), QStringLiteral("Reminder not set"));
        QCOMPARE(w->editor->reminderFields(), (ReminderFields{"", "", "", "Reminder not set"}));
    }

private slots:
    void cleanup() { w.reset(); }

    void firstTodoShowsAfterLoading()
    {
        w = std::make_unique<TodosWindow>(QList<Record>{{"Call plumber", kPlumber}});
        w->open();
        QVERIFY(!w->editor->isHidden());
        QCOMPARE(box("txtSubject")->text(), QStringLiteral("Call plumber"));
        QCOMPARE(combo("cboStatus")->currentText(), QStringLiteral("In Progress"));
        QCOMPARE(combo("cboPeriority")->currentText(), QStringLiteral("High"));
        QCOMPARE(box("txtComplete")->text(), QStringLiteral("50%"));
        QCOMPARE(box("txtTodoDesc")->text(), QStringLiteral("Ask about the boiler"));
        QVERIFY(arb("arbTodoRemove")->isEnabled());
    }

    void emptyListHidesEditor()
    {
        w = std::make_unique<TodosWindow>();
        w->open();
        w->section->disableButtonsIfEmpty();
        QVERIFY(w->editor->isHidden());
        QVERIFY(!arb("arbTodoRemove")->isEnabled());
    }

    void addShowsDefaultsAndEditsCaption()
    {
        w = std::make_unique<TodosWindow>(QList<Record>{{"Call plumber", kPlumber}});
        w->open();
        TodosWindow::click(arb("arbTodoAdd"));
        QCOMPARE(w->list->count(), 2);
        QCOMPARE(w->list->currentRow(), 1);
        QCOMPARE(w->list->item(1)->text(), QStringLiteral("New To-Do"));
        QCOMPARE(listrecords::iconKey(w->list->item(1)), QStringLiteral("Todo"));
        QCOMPARE(w->tag(1), QString());
        verifyDefaults();
        // The caption is open for typing at once.
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused && w->list->viewport()->isAncestorOf(focused));
        QTest::keyClicks(focused, "Boiler");
        QTest::keyClick(focused, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(w->list->item(1)->text(), QStringLiteral("Boiler"));
        // The first to-do was not touched.
        QCOMPARE(w->tag(0), kPlumber);
    }

    void addToEmptyListShowsEditor()
    {
        w = std::make_unique<TodosWindow>();
        w->open();
        w->section->disableButtonsIfEmpty();
        TodosWindow::click(arb("arbTodoAdd"));
        QVERIFY(!w->editor->isHidden());
        QVERIFY(arb("arbTodoRemove")->isEnabled());
        verifyDefaults();
    }

    void removeAsksFirst()
    {
        w = std::make_unique<TodosWindow>(threeTodos());
        w->open();
        w->clickItem(1);
        w->fixture.messages.answers.enqueue(MessageBoxes::Answer::No);
        TodosWindow::click(arb("arbTodoRemove"));
        QCOMPARE(w->fixture.messages.shown.size(), 1);
        const FakeMessageBoxes::Shown &box = w->fixture.messages.shown.first();
        QCOMPARE(box.text, QStringLiteral("Do you want to remove the selected task?"));
        QCOMPARE(box.title, QStringLiteral("Confirm"));
        QCOMPARE(box.buttons, MessageBoxes::Buttons::YesNo);
        QCOMPARE(box.icon, MessageBoxes::Icon::Question);
        QCOMPARE(w->list->count(), 3);
        QVERIFY(w->list->hasFocus());
        QCOMPARE(this->box("txtSubject")->text(), QStringLiteral("Second"));
    }

    void removeShowsTheNextSelection()
    {
        w = std::make_unique<TodosWindow>(threeTodos());
        w->open();
        w->clickItem(1);
        TodosWindow::click(arb("arbTodoRemove"));
        QCOMPARE(w->list->count(), 2);
        QListWidgetItem *current = w->list->currentItem();
        QVERIFY(current);
        QVERIFY(current->isSelected());
        QVERIFY(current->text() != QLatin1String("Second"));
        QCOMPARE(box("txtSubject")->text(), current->text());
        QVERIFY(!w->editor->isHidden());
    }

    void removingTheLastHidesEditor()
    {
        w = std::make_unique<TodosWindow>(QList<Record>{{"Call plumber", kPlumber}});
        w->open();
        TodosWindow::click(arb("arbTodoRemove"));
        QCOMPARE(w->list->count(), 0);
        QVERIFY(w->editor->isHidden());
        QVERIFY(!arb("arbTodoRemove")->isEnabled());
    }

    void subjectRenamesOnlyANewTodo()
    {
        w = std::make_unique<TodosWindow>();
        w->open();
        TodosWindow::click(arb("arbTodoAdd"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QLineEdit *subject = box("txtSubject");
        focus(subject);
        QTest::keyClicks(subject, "Pay rent");
        focus(combo("cboStatus"));
        QCOMPARE(w->list->item(0)->text(), QStringLiteral("Pay rent"));
        QCOMPARE(w->tag(0), todoTag({"Pay rent", "0", "1", "0%", "", "", "", "", "Reminder not set"}));

        // Once renamed, the caption follows the subject only when the entry is clicked.
        focus(subject);
        QTest::keyClicks(subject, "Pay the rent");
        focus(combo("cboStatus"));
        QCOMPARE(w->list->item(0)->text(), QStringLiteral("Pay rent"));
        QCOMPARE(TodoRecord::fromTag(w->tag(0)).subject, QStringLiteral("Pay the rent"));
        w->clickItem(0);
        QCOMPARE(w->list->item(0)->text(), QStringLiteral("Pay the rent"));
    }

    void clickKeepsPlaceholderCaption()
    {
        w = std::make_unique<TodosWindow>(QList<Record>{{"New To-Do", kPlumber}, {"Named", ""}});
        w->open();
        w->clickItem(0);
        QCOMPARE(w->list->item(0)->text(), QStringLiteral("New To-Do"));
        // A renamed entry follows its subject, even an empty one.
        w->clickItem(1);
        QCOMPARE(w->list->item(1)->text(), QString());
    }

    void fieldsAreStoredWhenLeft()
    {
        w = std::make_unique<TodosWindow>(threeTodos());
        w->open();
        w->clickItem(2);
        QComboBox *status = combo("cboStatus");
        focus(status);
        status->setCurrentIndex(4);
        QCOMPARE(TodoRecord::fromTag(w->tag(2)).status, 2); // not before it is left
        QLineEdit *description = box("txtTodoDesc");
        focus(description);
        QCOMPARE(TodoRecord::fromTag(w->tag(2)).status, 4);
        description->setText(QStringLiteral("three ¶ and more"));
        // Clicking another entry stores the edit in the to-do it was made for.
        w->clickItem(0);
        QCOMPARE(TodoRecord::fromTag(w->tag(2)).description, QStringLiteral("three ¶ and more"));
        QCOMPARE(description->text(), QStringLiteral("one"));
    }

    void keyboardMovesShowTheTodo()
    {
        w = std::make_unique<TodosWindow>(threeTodos());
        w->open();
        w->clickItem(0);
        QTest::keyClick(w->list, Qt::Key_Down);
        QCOMPARE(w->list->currentRow(), 1);
        QCOMPARE(box("txtSubject")->text(), QStringLiteral("Second"));
    }

    void percentLeft_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("refused");
        QTest::newRow("75") << "75" << "75%" << "75%" << false;
        QTest::newRow("with sign") << "7%5" << "75%" << "75%" << false;
        QTest::newRow("100") << "100" << "100%" << "100%" << false;
        QTest::newRow("150") << "150" << "150" << "10%" << true;
        QTest::newRow("empty") << "" << "" << "10%" << true;
    }
    void percentLeft()
    {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        w = std::make_unique<TodosWindow>(threeTodos());
        w->open();
        QLineEdit *complete = box("txtComplete");
        focus(complete);
        complete->clear();
        QTest::keyClicks(complete, typed);
        box("txtSubject")->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QTEST(complete->text(), "shown");
        QTEST(TodoRecord::fromTag(w->tag(0)).percent, "stored");
        QCOMPARE(complete->hasFocus(), refused);
        if (refused) {
            QCOMPARE(w->fixture.messages.shown.size(), 1);
            const FakeMessageBoxes::Shown &box = w->fixture.messages.shown.first();
            QCOMPARE(box.text, QStringLiteral("Complete percent must be a number between 0 to 100."));
            QCOMPARE(box.title, QStringLiteral("Percent overflow"));
            QCOMPARE(box.icon, MessageBoxes::Icon::Exclamation);
            QCOMPARE(complete->selectedText(), complete->text());
            // A click on another entry is refused too.
            w->clickItem(1);
            QCOMPARE(w->list->currentRow(), 0);
        } else {
            QVERIFY(w->fixture.messages.shown.isEmpty());
        }
    }

    void percentEnter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("valid") << "40" << true;
        QTest::newRow("over") << "101" << false;
    }
    void percentEnter()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        w = std::make_unique<TodosWindow>(threeTodos());
        w->open();
        QLineEdit *complete = box("txtComplete");
        focus(complete);
        complete->clear();
        QTest::keyClicks(complete, typed);
        QTest::keyClick(complete, Qt::Key_Return);
        if (accepted) {
            QCOMPARE(complete->text(), typed + "%");
            QVERIFY(w->find<QPushButton>("cmdReminder")->hasFocus());
            QCOMPARE(TodoRecord::fromTag(w->tag(0)).percent, typed + "%");
            QVERIFY(w->fixture.messages.shown.isEmpty());
        } else {
            QCOMPARE(complete->text(), typed);
            QVERIFY(complete->hasFocus());
            QCOMPARE(w->fixture.messages.shown.size(), 1);
            QCOMPARE(w->fixture.messages.shown.first().text,
                     QStringLiteral("Percent complete must be a number between 0 to 100."));
            QCOMPARE(w->fixture.messages.shown.first().title, QString());
        }
    }

    void percentTakesDigitsAndSignOnly()
    {
        w = std::make_unique<TodosWindow>(threeTodos());
        w->open();
        QLineEdit *complete = box("txtComplete");
        focus(complete);
        complete->clear();
        QTest::keyClicks(complete, "4a.-5 %x");
        QCOMPARE(complete->text(), QStringLiteral("45%"));
        QTest::keyClick(complete, Qt::Key_Backspace);
        QCOMPARE(complete->text(), QStringLiteral("45"));
    }

    void percentSteps_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("result");
        QTest::newRow("up at 100%") << "100%" << int(Qt::Key_Up) << "100%";
        QTest::newRow("down at 0%") << "0%" << int(Qt::Key_Down) << "0%";
        QTest::newRow("down at 10%") << "10%" << int(Qt::Key_Down) << "10%";
        QTest::newRow("up at 24%") << "24%" << int(Qt::Key_Up) << "50%";
        QTest::newRow("up at 99%") << "99%" << int(Qt::Key_Up) << "99%";
        QTest::newRow("down at 100") << "100" << int(Qt::Key_Down) << "75%";
        QTest::newRow("up at nothing") << "" << int(Qt::Key_Up) << "25%";
        QTest::newRow("down at nothing") << "" << int(Qt::Key_Down) << "0%";
    }
    void percentSteps()
    {
        QFETCH(QString, start);
        QFETCH(int, key);
        w = std::make_unique<TodosWindow>(threeTodos());
        w->open();
        QLineEdit *complete = box("txtComplete");
        focus(complete);
        complete->setText(start);
        QTest::keyClick(complete, Qt::Key(key));
        QTEST(complete->text(), "result");
        // The spinner steps the same way and leaves the focus in the box.
        complete->setText(start);
        auto *spinner = w->find<QWidget>("udComplete");
        QWidget *arrow = spinner->childAt(8, key == Qt::Key_Up ? 2 : 14);
        QVERIFY(arrow);
        TodosWindow::click(arrow);
        const QString result = complete->text();
        if (start == QLatin1String("100%") || start == QLatin1String("0%"))
            QCOMPARE(result, start); // a step that stays rewrites the same text
        else
            QTEST(result, "result");
        QVERIFY(complete->hasFocus());
        // Steps change the box only; the record follows when the box is left.
        QCOMPARE(TodoRecord::fromTag(w->tag(0)).percent, QStringLiteral("10%"));
    }

    void saveCommitsTheFocusedBox()
    {
        w = std::make_unique<TodosWindow>(threeTodos());
        w->open();
        QLineEdit *subject = box("txtSubject");
        focus(subject);
        QTest::keyClicks(subject, "Changed");
        QVERIFY(w->fixture.window->SaveInFile());
        QVERIFY(ansi::decode(w->fixture.readFile("savedfile.qlt")).contains(QStringLiteral("First¤Changed¶")));
    }

    void saveKeepsLastGoodPercent()
    {
        w = std::make_unique<TodosWindow>(threeTodos());
        w->open();
        QLineEdit *complete = box("txtComplete");
        focus(complete);
        complete->setText(QStringLiteral("150"));
        w->fixture.window->SaveInFile();
        QCOMPARE(w->fixture.messages.shown.size(), 1);
        QCOMPARE(w->fixture.messages.shown.first().title, QStringLiteral("Percent overflow"));
        QCOMPARE(TodoRecord::fromTag(w->tag(0)).percent, QStringLiteral("10%"));
        QVERIFY(ansi::decode(w->fixture.readFile("savedfile.qlt")).contains(QStringLiteral("¶10%¶")));
    }

    void neverEditedTodoSurvivesRestart()
    {
        w = std::make_unique<TodosWindow>();
        w->open();
        TodosWindow::click(arb("arbTodoAdd"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        w->fixture.close();
        QVERIFY(w->fixture.readFile("savedfile.qlt").contains("New To-Do\xA4\xA7"));
        w->open();
        QCOMPARE(w->list->count(), 1);
        QCOMPARE(w->tag(0), QString());
        verifyDefaults();
    }
};

QTEST_MAIN(TestTodoEditor)
#include "tst_todoeditor.moc"
