#include "app/listrecords.h"
#include "app/section.h"
#include "notes/notetext.h"
#include "platform/ansitext.h"
#include "tests/support/mainwindowfixture.h"
#include "widgets/arbutton.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

namespace {

void chooseNotes(MainWindowFixture &f)
{
    QTest::mouseMove(f.find<QWidget>("butNotes"), QPoint(10, 10));
    QTest::mouseClick(f.find<QWidget>("butNotes_h"), Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(f.find<QWidget>("fraNotes")->isVisible());
}

void press(MainWindowFixture &f, const QString &arButton)
{
    QTest::mouseClick(f.find<ARButton>(arButton), Qt::LeftButton);
}

QLineEdit *captionEditor(QListWidget *list)
{
    return qobject_cast<QLineEdit *>(list->indexWidget(list->currentIndex()));
}

/// Types a caption into the open in-place editor and confirms it with Enter.
void nameInPlace(QListWidget *list, const QString &caption)
{
    QLineEdit *editor = captionEditor(list);
    QVERIFY(editor);
    QTest::keyClicks(editor, caption);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the list takes the caption on its next turn
}

void clickItem(QListWidget *list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void writeNotes(MainWindowFixture &f, const QList<Record> &notes)
{
    DataFileContent content;
    content[SectionId::Notes] = notes;
    f.writeFile("savedfile.qlt", serializeDataFile(content));
}

QList<Record> savedNotes(const MainWindowFixture &f)
{
    return parseDataFile(f.readFile("savedfile.qlt")).content[SectionId::Notes];
}

struct Notes
{
    QListWidget *list;
    QPlainTextEdit *editor;
    ARButton *remove;
};

Notes notesOf(const MainWindowFixture &f)
{
    return {f.list("lstNotes"), f.find<QPlainTextEdit>("txtNotes"), f.find<ARButton>("arbNotesRemove")};
}

} // namespace

class TestNotes : public QObject
{
    Q_OBJECT
private slots:
    void textConversions_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("editor");
        QTest::newRow("plain") << "Milk" << "Milk";
        QTest::newRow("lines") << "Milk\r\nBread\r\n" << "Milk\nBread\n";
        QTest::newRow("empty lines") << "\r\n\r\nx" << "\n\nx";
        QTest::newRow("empty") << "" << "";
    }
    void textConversions()
    {
        QFETCH(QString, tag);
        QFETCH(QString, editor);
        QCOMPARE(notetext::toEditor(tag), editor);
        QCOMPARE(notetext::toTag(editor), tag);
        QVERIFY(notetext::sameText(tag, editor));
        QVERIFY(!notetext::sameText(tag + "!", editor));
    }

    void boxGivesBackWhatItWasGiven_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("lines") << "one\ntwo\n\nthree\n";
        QTest::newRow("no-break space and tab") << QStringLiteral("a\u00A0b\tc");
        QTest::newRow("pilcrow and brackets") << QStringLiteral("¶ [crlf] [u+00B6]");
    }
    void boxGivesBackWhatItWasGiven()
    {
        QFETCH(QString, text);
        QPlainTextEdit box;
        box.setPlainText(text);
        QCOMPARE(notetext::editorText(&box), text);
    }

    void addStartsNamingWithAnEmptyEditor()
    {
        MainWindowFixture f;
        f.open();
        chooseNotes(f);
        const Notes n = notesOf(f);
        QVERIFY(n.editor->isHidden());
        QVERIFY(!n.remove->isEnabled());

        press(f, "arbNotesAdd");
        QCOMPARE(n.list->count(), 1);
        QListWidgetItem *item = n.list->item(0);
        QCOMPARE(item->text(), QStringLiteral("New Note"));
        QCOMPARE(listrecords::iconKey(item), QStringLiteral("Note"));
        QCOMPARE(n.list->currentItem(), item);
        QVERIFY(captionEditor(n.list));
        QVERIFY(n.editor->isVisible());
        QCOMPARE(n.editor->toPlainText(), QString());
        QVERIFY(n.remove->isEnabled());

        // A second note is added below and named in its turn; the first keeps its name.
        QTest::keyClicks(captionEditor(n.list), "First");
        press(f, "arbNotesAdd");
        QCOMPARE(n.list->count(), 2);
        QCOMPARE(n.list->item(0)->text(), QStringLiteral("First"));
        QCOMPARE(n.list->currentRow(), 1);
        QVERIFY(captionEditor(n.list));
    }

    void addNameTypeSaveRestart()
    {
        MainWindowFixture f;
        f.open();
        chooseNotes(f);
        Notes n = notesOf(f);
        press(f, "arbNotesAdd");
        nameInPlace(n.list, "Shopping");
        QCOMPARE(n.list->item(0)->text(), QStringLiteral("Shopping"));
        QCOMPARE(listrecords::tag(n.list->item(0)), QString());

        QTest::mouseClick(n.editor->viewport(), Qt::LeftButton);
        QVERIFY(n.editor->hasFocus());
        // Every key lands in the note at once.
        const QString typed = "Milk";
        for (int i = 0; i < typed.size(); ++i) {
            QTest::keyClick(n.editor, typed[i].toLatin1());
            QCOMPARE(listrecords::tag(n.list->item(0)), typed.left(i + 1));
        }
        QTest::keyClick(n.editor, Qt::Key_Return);
        QTest::keyClicks(n.editor, "Bread");
        QCOMPARE(listrecords::tag(n.list->item(0)), QStringLiteral("Milk\r\nBread"));

        QVERIFY(f.window->SaveInFile());
        QVERIFY(f.readFile("savedfile.qlt").contains("Shopping\xA4Milk[crlf]Bread\xA7\r\n"));

        f.restart();
        n = notesOf(f);
        QCOMPARE(n.list->count(), 1);
        QCOMPARE(n.list->item(0)->text(), QStringLiteral("Shopping"));
        QCOMPARE(listrecords::tag(n.list->item(0)), QStringLiteral("Milk\r\nBread"));
        QCOMPARE(listrecords::iconKey(n.list->item(0)), QStringLiteral("Note"));
        QVERIFY(!n.editor->isHidden());
        QCOMPARE(n.editor->toPlainText(), QStringLiteral("Milk\nBread"));
    }

    void clickingANoteShowsItAndTypingGoesThere()
    {
        MainWindowFixture f;
        writeNotes(f, {{"One", "first\r\ntext"}, {"Two", "second"}});
        f.open();
        chooseNotes(f);
        const Notes n = notesOf(f);
        QCOMPARE(n.editor->toPlainText(), QStringLiteral("first\ntext"));

        clickItem(n.list, 1);
        QCOMPARE(n.editor->toPlainText(), QStringLiteral("second"));
        QTest::mouseClick(n.editor->viewport(), Qt::LeftButton);
        QTest::keyClick(n.editor, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(n.editor, " one");
        QCOMPARE(listrecords::tag(n.list->item(1)), QStringLiteral("second one"));
        QCOMPARE(listrecords::tag(n.list->item(0)), QStringLiteral("first\r\ntext"));

        // Moving with the keys shows each note as a click does.
        n.list->setFocus();
        QTest::keyClick(n.list, Qt::Key_Up);
        QCOMPARE(n.editor->toPlainText(), QStringLiteral("first\ntext"));
    }

    void lookingAtANoteKeepsItsExactText()
    {
        // A hand-edited file may hold lone line feeds or carriage returns.
        MainWindowFixture f;
        const QList<Record> notes = {{"LF", "a\nb"}, {"CR", "c\rd"}, {"Spaces", QStringLiteral("e\u00A0f")}};
        writeNotes(f, notes);
        f.open();
        chooseNotes(f);
        const Notes n = notesOf(f);
        for (int row : {2, 1, 0})
            clickItem(n.list, row);
        QCOMPARE(f.window->section(SectionId::Notes)->records(), notes);
    }

    void renamingInPlaceChangesOnlyTheCaption()
    {
        MainWindowFixture f;
        writeNotes(f, {{"Old name", "text\r\nkept"}});
        f.open();
        chooseNotes(f);
        const Notes n = notesOf(f);
        n.list->setFocus();
        QTest::keyClick(n.list, Qt::Key_F2);
        nameInPlace(n.list, "New name");
        QCOMPARE(n.list->item(0)->text(), QStringLiteral("New name"));
        QCOMPARE(listrecords::tag(n.list->item(0)), QStringLiteral("text\r\nkept"));
        QCOMPARE(n.editor->toPlainText(), QStringLiteral("text\nkept"));
    }

    void captionStillBeingTypedIsSaved_data()
    {
        QTest::addColumn<bool>("byClosing");
        QTest::newRow("Save button") << false;
        QTest::newRow("closing the window") << true;
    }
    void captionStillBeingTypedIsSaved()
    {
        QFETCH(bool, byClosing);
        MainWindowFixture f;
        f.open();
        chooseNotes(f);
        const Notes n = notesOf(f);
        press(f, "arbNotesAdd");
        QTest::keyClicks(captionEditor(n.list), "Ideas");
        if (byClosing) {
            f.close();
        } else {
            QTest::mouseMove(f.find<QWidget>("butSave"), QPoint(10, 10));
            QTest::mouseClick(f.find<QWidget>("butSave_h"), Qt::LeftButton, {}, QPoint(10, 10));
            QCOMPARE(n.list->item(0)->text(), QStringLiteral("Ideas"));
            QVERIFY(!captionEditor(n.list));
        }
        QCOMPARE(savedNotes(f), (QList<Record>{{"Ideas", ""}}));
    }

    void removeAsksFirst_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("selectedRow");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("No keeps all") << false << 1 << QStringList{"A", "B", "C"} << 1;
        QTest::newRow("Yes, middle") << true << 1 << QStringList{"A", "C"} << 1;
        QTest::newRow("Yes, last row") << true << 2 << QStringList{"A", "B"} << 1;
        QTest::newRow("Yes, first row") << true << 0 << QStringList{"B", "C"} << 0;
    }
    void removeAsksFirst()
    {
        QFETCH(bool, yes);
        QFETCH(int, selectedRow);
        QFETCH(QStringList, left);
        QFETCH(int, selectedAfter);
        MainWindowFixture f;
        writeNotes(f, {{"A", "text A"}, {"B", "text B"}, {"C", "text C"}});
        f.open();
        chooseNotes(f);
        const Notes n = notesOf(f);
        clickItem(n.list, selectedRow);
        f.messages.answers.enqueue(yes ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No);
        press(f, "arbNotesRemove");

        QCOMPARE(f.messages.shown.size(), 1);
        const auto &box = f.messages.shown[0];
        QCOMPARE(box.text, QStringLiteral("Do you want to remove the selected note?"));
        QCOMPARE(box.title, QStringLiteral("Confirm"));
        QCOMPARE(box.buttons, MessageBoxes::Buttons::YesNo);
        QCOMPARE(box.icon, MessageBoxes::Icon::Question);

        QStringList captions;
        for (int i = 0; i < n.list->count(); ++i)
            captions << n.list->item(i)->text();
        QCOMPARE(captions, left);
        QCOMPARE(n.list->currentRow(), selectedAfter);
        QVERIFY(n.list->currentItem()->isSelected());
        QCOMPARE(n.editor->toPlainText(), "text " + left[selectedAfter]);
        QVERIFY(n.list->hasFocus());
        QVERIFY(n.remove->isEnabled());
        // The other notes keep their text.
        for (int i = 0; i < n.list->count(); ++i)
            QCOMPARE(listrecords::tag(n.list->item(i)), "text " + left[i]);
    }

    void removingTheLastNoteEmptiesTheSection()
    {
        MainWindowFixture f;
        writeNotes(f, {{"Only", "some text"}});
        f.open();
        chooseNotes(f);
        const Notes n = notesOf(f);
        QVERIFY(n.editor->isVisible());
        press(f, "arbNotesRemove");

        QCOMPARE(n.list->count(), 0);
        QVERIFY(n.editor->isHidden());
        QCOMPARE(n.editor->toPlainText(), QString());
        QVERIFY(!n.remove->isEnabled());
        QVERIFY(f.window->SaveInFile());
        QCOMPARE(savedNotes(f), QList<Record>());
        QCOMPARE(n.list->count(), 0); // emptying the editor made no note of its own

        // Adding again brings the editor back.
        press(f, "arbNotesAdd");
        QVERIFY(n.editor->isVisible());
        QVERIFY(n.remove->isEnabled());
    }
};

QTEST_MAIN(TestNotes)
#include "tst_notes.moc"
