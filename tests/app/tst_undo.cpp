// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of every change to the records, checked in the saved file; the keys, which a
// text box keeps for its own undo.
#include "core/fieldchange.h"
#include "core/notemodel.h"
#include "core/websitemodel.h"
#include "exchange/mergeimport.h"
#include "tests/todos/todostestsupport.h"

#include <QPlainTextEdit>
#include <QUndoStack>

class TestUndo : public WindowTest
{
    Q_OBJECT

    QByteArray saved() const
    {
        f->document->save();
        return f->readFile("savedfile.qlt");
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QApplication::setActiveWindow(f->window);
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : f->window, Qt::Key(key), modifiers);
    }
    /// One tick of the to-dos' watcher: the window it opened, answered by answer.
    QWidget *tick(const std::function<void(QWidget *)> &answer = {})
    {
        static_cast<TodosSection *>(f->window->section(SectionId::Todos))->watcher()->tick();
        QCoreApplication::processEvents();
        QWidget *shown = shownWindow<AlarmWindow>();
        if (!shown)
            shown = shownWindow<MissedRemindersWindow>();
        if (shown && answer)
            answer(shown);
        if (shown && shown->isVisible())
            shown->close();
        QCoreApplication::processEvents();
        return shown;
    }
    void open()
    {
        DataFileContent content;
        content[SectionId::Websites] = {{"Home", "Home¶http://a.example¶Ours"}, {"Shop", "Shop¶http://b.example¶"}};
        content[SectionId::Contacts] = {{"Ann Lee", "Ann¶Lee¶Boss¶"}};
        content[SectionId::Notes] = {{"Plumber", "Call the plumber"}, {"List", "Eggs"}};
        content[SectionId::Todos] = {todo("Boiler", "12/5/2026 9:00:00 PM"), todo("Taxes", "12/5/2026 9:03:00 PM")};
        f->writeFile("savedfile.qlt", serializeDataFile(content));
        f->open();
        static_cast<TodosSection *>(f->window->section(SectionId::Todos))->watcher()->timer()->stop();
    }
    void rename(const char *listName, int row, const QString &caption)
    {
        clickItem(f->list(listName), row);
        QTest::keyClick(f->list(listName), Qt::Key_F2);
        QTest::keyClicks(captionEditor(f->list(listName)), caption);
        key(Qt::Key_Return, {});
    }
    static void click(QWidget *window, const char *name) { window->findChild<QPushButton *>(name)->click(); }
    static void trigger(QWidget *window, const char *name) { window->findChild<QAction *>(name)->trigger(); }

private slots:
    void undoAndRedo_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("list"); // the list that shows the record after the undo
        QTest::addColumn<int>("selected");
        QTest::newRow("add and name") << "add and name" << "lstWebsites" << 1;
        QTest::newRow("remove") << "remove" << "lstNotes" << 1;
        QTest::newRow("rename") << "rename" << "lstWebsites" << 1;
        QTest::newRow("rename after add and name") << "rename after add and name" << "lstWebsites" << 2;
        QTest::newRow("rename after unnamed add") << "rename after unnamed add" << "lstWebsites" << 2;
        QTest::newRow("import") << "import" << "lstWebsites" << 0;
        QTest::newRow("alarm done") << "alarm done" << "lstTodo" << 0;
        QTest::newRow("snooze") << "snooze" << "lstTodo" << 0;
        QTest::newRow("stop reminding") << "stop reminding" << "lstTodo" << 0;
        QTest::newRow("missed done") << "missed done" << "lstTodo" << 1;
        QTest::newRow("missed snooze all") << "missed snooze all" << "lstTodo" << 0;
    }
    void undoAndRedo()
    {
        QFETCH(QString, change);
        QFETCH(QString, list);
        // Boiler alone is due, unless missed reminders are wanted.
        f->clock.set(QDateTime(QDate(2026, 12, 5), QTime(21, change.startsWith("missed") ? 5 : 1)));
        open();
        QByteArray before = saved();
        const auto addWebsite = [&](const QString &caption, int endKey) {
            f->window->section(SectionId::Websites)->show();
            f->press("arbWebAdd");
            QTest::keyClicks(captionEditor(f->list("lstWebsites")), caption);
            key(endKey, {});
        };
        // Only the naming that follows an Add joins it: a later rename is undone alone.
        const auto renameAfterAdd = [&](const QString &caption, int endKey) {
            addWebsite(caption, endKey);
            before = saved();
            rename("lstWebsites", 2, "Store");
        };
        const QHash<QString, std::function<void()>> changes = {
            {"add and name", [&] { addWebsite("Bank", Qt::Key_Return); }},
            {"rename after add and name", [&] { renameAfterAdd("Bank", Qt::Key_Return); }},
            {"rename after unnamed add", [&] { renameAfterAdd("Bank", Qt::Key_Escape); }},
            {"remove", [&] { f->window->section(SectionId::Notes)->show(); clickItem(f->list("lstNotes"), 1); f->press("arbNotesRemove"); }},
            {"rename", [&] { f->window->section(SectionId::Websites)->show(); rename("lstWebsites", 1, "Store"); }},
            {"import", [&] { mergeimport::mergeInto(*f->document->websites(), SectionId::Websites,
                                                     {{"Home", "Home¶http://a.example¶New"}, {"News", "News¶http://c.example¶"}},
                                                     f->document->undoStack()); }},
            {"alarm done", [&] { QVERIFY(tick([](QWidget *alarm) { click(alarm, "cmdOK"); })); }},
            {"snooze", [&] { QVERIFY(tick([](QWidget *alarm) { trigger(alarm, "mnu5Min"); })); }},
            {"stop reminding", [&] { QVERIFY(tick([](QWidget *alarm) { trigger(alarm, "mnuStopReminding"); })); }},
            {"missed done", [&] { QVERIFY(tick([](QWidget *missed) { click(missed->findChildren<QWidget *>("missedRow")[1], "cmdDone"); })); }},
            {"missed snooze all", [&] { QVERIFY(tick([](QWidget *missed) { trigger(missed, "mnu5Min"); })); }},
        };
        changes[change]();
        const QByteArray after = saved();
        QVERIFY(after != before);

        f->window->setFocus();
        key(Qt::Key_Z);
        QVERIFY(f->document->isModified());
        QVERIFY(f->list(list)->isVisible());
        QTEST(f->list(list)->selectedRow(), "selected");
        QCOMPARE(saved(), before);
        // A to-do whose reminder passed rings again, as any due reminder.
        if (list == QLatin1String("lstTodo"))
            QVERIFY(qobject_cast<AlarmWindow *>(tick()));
        key(Qt::Key_Y);
        QCOMPARE(saved(), after);
        key(Qt::Key_Z);
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(saved(), after);
    }

    // A repeating to-do's snooze is held, not written: taken back, the occurrence rings again.
    void repeatingSnoozeTakenBack()
    {
        f->clock.set(QDateTime(QDate(2026, 12, 5), QTime(21, 1)));
        DataFileContent content;
        content[SectionId::Todos] = {{"Pills", todoTag({"Pills", "0", "1", "0%", "12/5/2026 9:00:00 PM", "", "1", "", "c",
                                                        "FREQ=DAILY"})}};
        f->writeFile("savedfile.qlt", serializeDataFile(content));
        f->open();
        static_cast<TodosSection *>(f->window->section(SectionId::Todos))->watcher()->timer()->stop();
        QVERIFY(tick([](QWidget *alarm) { trigger(alarm, "mnu5Min"); }));
        QVERIFY(!tick());
        f->window->setFocus();
        key(Qt::Key_Z);
        QVERIFY(qobject_cast<AlarmWindow *>(tick()));
        key(Qt::Key_Y);
        QVERIFY(!tick());
    }

    // The keys belong to a text box while it has the focus; typing is no step of the history.
    void boxKeepsItsOwnUndo()
    {
        open();
        f->window->section(SectionId::Notes)->show();
        clickItem(f->list("lstNotes"), 1);
        f->press("arbNotesRemove");
        auto *text = f->find<QPlainTextEdit>("txtNotes");
        text->setFocus();
        QTest::keyClicks(text, "!");
        QCOMPARE(f->document->undoStack()->count(), 1);
        key(Qt::Key_Z);
        QCOMPARE(text->toPlainText(), QStringLiteral("Call the plumber"));
        QCOMPARE(f->document->notes()->count(), 1);
        key(Qt::Key_Y);
        QCOMPARE(text->toPlainText(), QStringLiteral("!Call the plumber"));
        f->list("lstNotes")->setFocus();
        key(Qt::Key_Z);
        QCOMPARE(captions(f->list("lstNotes")), QStringList({"Plumber", "List"}));
    }

    // A note typed into the emptied section is no step: the notes taken back come before it,
    // each at its place with its icon, and the typed one keeps having none.
    void typedRecordOutsideTheHistory()
    {
        open();
        f->window->section(SectionId::Notes)->show();
        RecordListView *notes = f->list("lstNotes");
        for (const int row : {1, 0}) {
            clickItem(notes, row);
            f->press("arbNotesRemove");
        }
        f->document->notes()->appendNote("New Note", "Typed", false); // as the text box does
        notes->setFocus();
        key(Qt::Key_Z);
        key(Qt::Key_Z);
        QCOMPARE(captions(notes), QStringList({"Plumber", "List", "New Note"}));
        QCOMPARE(f->document->notes()->hasIcon(1), true);
        QCOMPARE(f->document->notes()->hasIcon(2), false);
        key(Qt::Key_Y);
        key(Qt::Key_Y);
        QCOMPARE(f->document->notes()->records(), QList<Record>({{"New Note", "Typed"}}));
    }

    void carriedOver_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("result");
        QTest::newRow("as changed") << "a¶1" << "a¶1" << "a¶2" << "a¶2";
        QTest::newRow("typed since, kept") << "typed¶1" << "a¶1" << "a¶2" << "typed¶2";
        QTest::newRow("escaped separator stays") << "x[u+00B6]y¶1" << "x¶1" << "x¶2" << "x[u+00B6]y¶2";
        QTest::newRow("field added since, kept") << "a¶1¶rule" << "a¶1" << "a¶2" << "a¶2¶rule";
        QTest::newRow("field dropped by the step, back") << "typed¶r" << "d¶r" << "d¶r¶rule" << "typed¶r¶rule";
        QTest::newRow("field dropped again") << "typed¶r¶rule" << "d¶r¶rule" << "d¶r" << "typed¶r";
        QTest::newRow("field dropped since, stays so") << "typed¶1" << "a¶1¶rule" << "a¶2¶rule" << "typed¶2";
        QTest::newRow("nothing to carry") << "typed" << "a" << "a" << "typed";
    }
    void carriedOver()
    {
        QFETCH(QString, current);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QTEST(fieldchange::carriedOver(current, from, to), "result");
    }
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
