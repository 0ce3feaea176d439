// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/guitest.h"
#include "widgets/boxtext.h"

#include <QGlyphRun>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

// Adding, removing and what a click leaves are walked for every section in tst_sectionflows.
class TestNotes : public WindowTest
{
    Q_OBJECT

    RecordListView *list = nullptr;
    QPlainTextEdit *editor = nullptr;

    void openNotes(const QList<Record> &notes = {})
    {
        if (!f->window)
            f->openWith(SectionId::Notes, notes);
        f->clickPicture("butNotes");
        list = f->list("lstNotes");
        editor = f->find<QPlainTextEdit>("txtNotes");
    }
    QList<Record> records() const { return f->window->section(SectionId::Notes)->model()->records(); }
    /// Types a caption into the open in-place editor and confirms it with Enter.
    void nameInPlace(const QString &caption)
    {
        QLineEdit *box = captionEditor(list);
        QVERIFY(box);
        QTest::keyClicks(box, caption);
        QTest::keyClick(box, Qt::Key_Return);
        QCoreApplication::processEvents(); // the list takes the caption on its next turn
    }

private slots:
    void everyKeyLandsInTheNote()
    {
        openNotes();
        f->press("arbNotesAdd"); // naming starts at once
        nameInPlace("Shopping");
        QTest::mouseClick(editor->viewport(), Qt::LeftButton);
        const QString typed = "Milk";
        for (int i = 0; i < typed.size(); ++i) {
            QTest::keyClick(editor, typed[i].toLatin1());
            QCOMPARE(list->records()->tag(0), typed.left(i + 1)); // every key lands in the note at once
        }
        QTest::keyClick(editor, Qt::Key_Return); // stored as CR LF
        // Save takes the caption still being typed.
        f->press("arbNotesAdd");
        QTest::keyClicks(captionEditor(list), "Ideas");
        f->clickPicture("butSave");
        QVERIFY(!captionEditor(list));
        QCOMPARE(f->saved(SectionId::Notes), (QList<Record>{{"Shopping", "Milk\r\n"}, {"Ideas", ""}}));
    }

    void browseTypeAndRename()
    {
        // A hand-edited file may hold lone line feeds or carriage returns; looking keeps them.
        QList<Record> notes = {{"LF", "a\nb"}, {"CR", "c\rd"}, {"Two", "second"}};
        openNotes(notes);
        for (int row : {2, 1, 0})
            clickItem(list, row);
        QCOMPARE(records(), notes);

        clickItem(list, 2);
        QTest::mouseClick(editor->viewport(), Qt::LeftButton);
        QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(editor, " one");
        notes[2].tag = "second one";

        // The keys show a note as a click does.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up);
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(editor->toPlainText(), QStringLiteral("a\nb"));
        QTest::keyClick(list, Qt::Key_F2); // a rename itself: tst_sectionflows
        nameInPlace("   "); // a blank name ends the rename and keeps the caption
        QVERIFY(!captionEditor(list));
        QCOMPARE(records(), notes);
    }

    // Greyed after a click on the empty space, the box looks disabled as the other sections'
    // boxes do: on the panel colour, not white.
    void noNoteChosenLooksDisabled()
    {
        openNotes({{"A", "text"}});
        const auto middle = [](QWidget *box) { return box->grab().toImage().pixelColor(box->rect().center()); };
        const QColor enabled = middle(editor);
        clickAt(list->viewport(), QPoint(20, list->viewport()->height() - 10)); // disabled: tst_sectionflows
        f->clickPicture("butWeb");
        QWidget *websiteBox = f->find<QWidget>("txtDescription");
        websiteBox->setEnabled(false);
        const QColor disabledWebsite = middle(websiteBox);
        websiteBox->setEnabled(true);
        f->clickPicture("butNotes");
        QCOMPARE(middle(editor), disabledWebsite);
        QVERIFY(middle(editor) != enabled);
    }

    // Every script shows with the fonts installed, and a paragraph in a right-to-left script
    // starts at the right.
    void scripts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fromTheRight");
        QTest::newRow("Latin") << "Shopping list" << false;
        QTest::newRow("Devanagari") << QString::fromUtf8("नमस्ते दुनिया") << false;
        QTest::newRow("Tamil") << QString::fromUtf8("வணக்கம் உலகம்") << false;
        QTest::newRow("Hebrew") << QString::fromUtf8("שלום עולם") << true;
        QTest::newRow("Arabic") << QString::fromUtf8("مرحبا بالعالم") << true;
    }
    void scripts()
    {
        QFETCH(QString, text);
        openNotes({{"Script", text}});
        QCOMPARE(editor->toPlainText(), text);
        QTextLayout layout(text, editor->font());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun &run : layout.glyphRuns()) {
            for (quint32 glyph : run.glyphIndexes())
                QVERIFY2(glyph != 0, qPrintable(run.rawFont().familyName() + " lacks a letter")); // 0 draws a box
        }
        QTextCursor start(editor->document());
        const QRect caret = editor->cursorRect(start);
        QTEST(caret.x() > editor->viewport()->width() / 2, "fromTheRight");
    }
};

QTEST_MAIN(TestNotes)
#include "tst_notes.moc"
