#include "store/recordlistmodel.h"
#include "widgets/recordlistview.h"
#include "widgets/section.h"
#include "store/storedtext.h"
#include "widgets/boxtext.h"
#include "tests/support/mainwindowfixture.h"
#include "tests/support/uihelpers.h"
#include "widgets/arbutton.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace {

struct Notes
{
    RecordListView *list;
    QPlainTextEdit *editor;
    ARButton *remove;

    QString tag(int row) const { return list->records()->tag(row); }
};

/// Shows the notes section of an open window.
Notes chooseNotes(MainWindowFixture &f)
{
    f.clickPicture("butNotes");
    return {f.list("lstNotes"), f.find<QPlainTextEdit>("txtNotes"), f.find<ARButton>("arbNotesRemove")};
}

Notes openNotes(MainWindowFixture &f, const QList<Record> &notes = {})
{
    f.openWith(SectionId::Notes, notes);
    return chooseNotes(f);
}

/// Types a caption into the open in-place editor and confirms it with Enter.
void nameInPlace(const Notes &n, const QString &caption)
{
    QLineEdit *editor = captionEditor(n.list);
    QVERIFY(editor);
    QTest::keyClicks(editor, caption);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the list takes the caption on its next turn
}

} // namespace

class TestNotes : public QObject
{
    Q_OBJECT
private slots:
    void addTypeSaveRestart()
    {
        MainWindowFixture f;
        Notes n = openNotes(f);
        QVERIFY(n.editor->isHidden() && !n.remove->isEnabled());

        f.press("arbNotesAdd"); // naming starts at once, with an empty editor
        QCOMPARE(captions(n.list), QStringList{"New Note"});
        QVERIFY(captionEditor(n.list) && n.editor->isVisible() && n.remove->isEnabled());
        QCOMPARE(n.editor->toPlainText(), QString());
        nameInPlace(n, "Shopping");

        QTest::mouseClick(n.editor->viewport(), Qt::LeftButton);
        const QString typed = "Milk";
        for (int i = 0; i < typed.size(); ++i) {
            QTest::keyClick(n.editor, typed[i].toLatin1());
            QCOMPARE(n.tag(0), typed.left(i + 1)); // every key lands in the note at once
        }
        QTest::keyClick(n.editor, Qt::Key_Return);
        const QString odd = QStringLiteral("Bread\u00A0¶ [crlf] [u+00B6]");
        QTest::keyClicks(n.editor, odd);

        // A second note starts empty; Save takes the caption still being typed.
        f.press("arbNotesAdd");
        QCOMPARE(n.editor->toPlainText(), QString());
        QTest::keyClicks(captionEditor(n.list), "Ideas");
        f.clickPicture("butSave");
        QVERIFY(!captionEditor(n.list));
        const QList<Record> saved = {{"Shopping", "Milk\r\n" + odd}, {"Ideas", ""}};
        QCOMPARE(f.saved(SectionId::Notes), saved);

        f.restart();
        n = chooseNotes(f);
        QCOMPARE(f.window->section(SectionId::Notes)->model()->records(), saved);
        QCOMPARE(boxText(n.editor), "Milk\n" + odd);
    }

    void browseTypeAndRename()
    {
        // A hand-edited file may hold lone line feeds or carriage returns; looking keeps them.
        QList<Record> notes = {{"LF", "a\nb"}, {"CR", "c\rd"}, {"Two", "second"}};
        MainWindowFixture f;
        const Notes n = openNotes(f, notes);
        for (int row : {2, 1, 0})
            clickItem(n.list, row);
        QCOMPARE(f.window->section(SectionId::Notes)->model()->records(), notes);

        clickItem(n.list, 2);
        QCOMPARE(n.editor->toPlainText(), QStringLiteral("second"));
        QTest::mouseClick(n.editor->viewport(), Qt::LeftButton);
        QTest::keyClick(n.editor, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(n.editor, " one");
        notes[2].tag = "second one";

        // The keys show a note as a click does; renaming changes only the caption.
        n.list->setFocus();
        QTest::keyClick(n.list, Qt::Key_Up);
        QTest::keyClick(n.list, Qt::Key_Up);
        QCOMPARE(n.editor->toPlainText(), QStringLiteral("a\nb"));
        QTest::keyClick(n.list, Qt::Key_F2);
        nameInPlace(n, "Renamed");
        notes[0].caption = "Renamed";
        QTest::keyClick(n.list, Qt::Key_F2);
        nameInPlace(n, "   "); // a blank name ends the rename and keeps the caption
        QVERIFY(!captionEditor(n.list));
        QCOMPARE(f.window->section(SectionId::Notes)->model()->records(), notes);
    }

    void removeAsksFirst()
    {
        MainWindowFixture f;
        const Notes n = openNotes(f, {{"A", "text A"}, {"B", "text B"}, {"C", "text C"}, {"D", "text D"}});
        const auto remove = [&](int row, bool yes, const QStringList &left, int selectedAfter) {
            clickItem(n.list, row);
            f.messages.answers.enqueue(yes ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No);
            f.press("arbNotesRemove");
            QCOMPARE(captions(n.list), left);
            QCOMPARE(n.list->currentIndex().row(), selectedAfter);
            QVERIFY(n.list->selectionModel()->isSelected(n.list->currentIndex()) && n.list->hasFocus());
            for (int i = 0; i < left.size(); ++i)
                QCOMPARE(n.tag(i), "text " + left[i]);
            QCOMPARE(n.editor->toPlainText(), "text " + left[selectedAfter]);
        };
        remove(1, true, {"A", "C", "D"}, 1);
        QCOMPARE(f.messages.shown.last().text, QStringLiteral("Do you want to remove the selected note?"));
        QCOMPARE(f.messages.shown.last().buttons, MessageBoxes::Buttons::YesNo);
        remove(0, true, {"C", "D"}, 0);
        remove(1, true, {"C"}, 0);
        remove(0, false, {"C"}, 0);
        QCOMPARE(f.messages.shown.size(), 4);
        QVERIFY(n.remove->isEnabled());

        f.press("arbNotesRemove"); // the last one
        QCOMPARE(n.list->count(), 0);
        QVERIFY(n.editor->isHidden() && !n.remove->isEnabled());
        QCOMPARE(n.editor->toPlainText(), QString());
        QVERIFY(f.window->saveData());
        QCOMPARE(f.saved(SectionId::Notes), QList<Record>());
        QCOMPARE(n.list->count(), 0); // emptying the editor made no note of its own

        f.press("arbNotesAdd");
        QVERIFY(n.editor->isVisible() && n.remove->isEnabled());
    }
};

QTEST_MAIN(TestNotes)
#include "tst_notes.moc"
