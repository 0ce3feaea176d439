// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/findbar.h"
#include "tests/support/guitest.h"

#include <QPlainTextEdit>

namespace {

const QString S = QStringLiteral("¶");

} // namespace

class TestFindBar : public WindowTest
{
    Q_OBJECT

    /// Opens the window over a website, two notes and a to-do that mention the plumber, among
    /// others that do not.
    void openMixed()
    {
        DataFileContent content;
        content[SectionId::Websites] = {{"Plumbers", "Plumbers" + S + "https://p.example" + S + ""}};
        content[SectionId::Contacts] = {{"Ann Lee", "Ann" + S + "Lee" + S + "" + S + "ann@example.org (Default E-Mail)::"}};
        content[SectionId::Notes] = {{"Shopping", "milk\r\nbread"}, {"House", "Call the\r\nPLUMBER today"},
                                     {"Garden", "ask the plumber too"}};
        content[SectionId::Todos] = {{"Boiler", "Boiler" + S + "0" + S + "1" + S + "0%" + S + S + S + S + "ring the plumber" + S + "Reminder not set"}};
        f->writeFile("savedfile.qlt", serializeDataFile(content));
        f->open();
    }
    void type(const QString &text)
    {
        QTest::keyClick(f->window, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), f->find<QLineEdit>("txtFind"));
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
    QStringList counts() const
    {
        QStringList texts;
        for (int section = 0; section < kSectionCount; ++section) {
            auto *count = f->find<QLabel>(QStringLiteral("lblFindCount%1").arg(section));
            texts << (count->isVisible() ? count->text() : "-");
        }
        return texts;
    }

private slots:
    // Every list at once, a count per section button; Esc shows all and the record chosen before,
    // from the field or from anywhere else in the window, but a caption editor keeps its own Esc.
    void filtersEverySectionAndEscRestores()
    {
        openMixed();
        f->clickPicture("butNotes");
        RecordListView *notes = f->list("lstNotes");
        clickItem(notes, 0);
        type("Plumb");
        QCOMPARE(counts(), QStringList({"1", "0", "2", "1"}));
        QCOMPARE(captions(notes), QStringList({"House", "Garden"}));
        QCOMPARE(notes->selectedRow(), 1); // the chosen note is hidden: the first match shows
        QCOMPARE(f->find<QPlainTextEdit>("txtNotes")->toPlainText(), "Call the\nPLUMBER today");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(counts(), QStringList({"-", "-", "-", "-"}));
        QCOMPARE(captions(notes).size(), 3);
        QCOMPARE(notes->selectedRow(), 0);
        QVERIFY(f->find<QPlainTextEdit>("txtNotes")->extraSelections().isEmpty());

        type("Plumb");
        notes->setFocus();
        QTest::keyClick(notes, Qt::Key_F2);
        QTest::keyClick(captionEditor(notes), Qt::Key_Escape);
        QVERIFY(!captionEditor(notes));
        QCOMPARE(counts(), QStringList({"1", "0", "2", "1"}));
        auto *box = f->find<QPlainTextEdit>("txtNotes");
        clickAt(box);
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(counts(), QStringList({"-", "-", "-", "-"}));
        QCOMPARE(f->find<QLineEdit>("txtFind")->text(), QString());
        QCOMPARE(QApplication::focusWidget(), box);
    }

    // Typing, Add, Remove and a rename act on the right records; Save writes every one, in order.
    // The count is of the matches only, not of what is listed for being worked on.
    void changesUnderASearchReachTheFile()
    {
        openMixed();
        f->clickPicture("butNotes");
        type("plumber");
        RecordListView *notes = f->list("lstNotes");
        clickItem(notes, 1); // Garden
        clickAt(f->find<QWidget>("txtNotes"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "!");
        f->press("arbNotesAdd"); // listed though it does not match
        QTest::keyClicks(captionEditor(notes), "Porch");
        QTest::keyClick(captionEditor(notes), Qt::Key_Tab);
        QCOMPARE(captions(notes), QStringList({"House", "Garden", "Porch"}));
        QCOMPARE(counts()[2], "2");
        clickItem(notes, 0);
        f->press("arbNotesRemove"); // House, answered Yes
        QCOMPARE(captions(notes), QStringList({"Garden", "Porch"}));
        QCOMPARE(counts()[2], "1");
        f->clickPicture("butSave");
        QCOMPARE(f->saved(SectionId::Notes), QList<Record>({{"Shopping", "milk\r\nbread"}, {"Garden", "!ask the plumber too"},
                                                            {"Porch", ""}}));
    }

    // Enter and F3 go forward through the matches of every section, Shift+F3 back, marking them.
    void stepsThroughTheMatches()
    {
        openMixed();
        type("plumber");
        QStringList visited;
        const auto step = [&](int key, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
            for (Section *section : f->window->findChildren<Section *>()) {
                if (section->isVisible())
                    visited << section->list()->records()->caption(section->list()->selectedRow());
            }
        };
        step(Qt::Key_F3, Qt::ShiftModifier); // back from nowhere: the very last
        step(Qt::Key_Return);
        for (int i = 0; i < 4; ++i)
            step(Qt::Key_F3);
        step(Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(visited, QStringList({"Boiler", "Plumbers", "House", "Garden", "Boiler", "Plumbers", "Boiler"}));
        for (int i = 0; i < 2; ++i)
            step(Qt::Key_F3, Qt::ShiftModifier);
        auto *box = f->find<QPlainTextEdit>("txtNotes");
        QCOMPARE(box->extraSelections().size(), 1);
        QCOMPARE(box->extraSelections().first().cursor.selectedText(), "PLUMBER");
        QCOMPARE(f->find<QLineEdit>("txtFind"), QApplication::focusWidget());
        // A note added during the search is listed, but no match to step onto.
        f->press("arbNotesAdd");
        QTest::keyClicks(captionEditor(f->list("lstNotes")), "Porch");
        QTest::keyClick(captionEditor(f->list("lstNotes")), Qt::Key_Return);
        visited.clear();
        f->find<QLineEdit>("txtFind")->setFocus();
        for (int i = 0; i < 5; ++i) // once round every match and on
            step(Qt::Key_F3);
        QVERIFY2(!visited.contains("Porch") && visited.size() == 5, qPrintable(visited.join(',')));
    }
};

QTEST_MAIN(TestFindBar)
#include "tst_findbar.moc"
