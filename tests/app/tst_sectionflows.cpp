// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/escapes.h"
#include "tests/support/guitest.h"
#include "widgets/boxtext.h"

#include <QPlainTextEdit>

namespace {

/// What the four sections share, as a user meets it.
struct SectionCase
{
    SectionId id;
    QString button, list, add, newCaption, noun;
    QString tag; // %1: the first field, which the first box shows
    QStringList needRecord; // Remove first
    QStringList boxes;
};
const QString S = QStringLiteral("¶");
const QList<SectionCase> kSections = {
    {SectionId::Websites, "butWeb", "lstWebsites", "arbWebAdd", "New URL", "website", "%1" + S + "https://a.example" + S + "d",
     {"arbWebRemove", "arbWebIE"}, {"txtWebsite", "txtURL", "txtDescription"}},
    {SectionId::Contacts, "butEmail", "lstEmails", "arbEmailAdd", "New Email", "email address",
     "%1" + S + "L" + S + "T" + S + "a@b.example (Default E-Mail)::", {"arbEmailRemove", "arbEmailOE"},
     {"txtName", "txtLast", "txtTitle", "txtDisplay"}},
    {SectionId::Notes, "butNotes", "lstNotes", "arbNotesAdd", "New Note", "note", "%1", {"arbNotesRemove"}, {"txtNotes"}},
    {SectionId::Todos, "butToDo", "lstTodo", "arbTodoAdd", "New To-Do", "task",
     "%1" + S + "0" + S + "1" + S + "0%" + S + S + S + S + "d" + S + "Reminder not set", {"arbTodoRemove"},
     {"txtSubject", "txtComplete", "txtTodoDesc"}},
};

/// A record whose caption a click keeps (a contact's is its display name).
Record record(const SectionCase &s, const QString &name)
{
    return {s.id == SectionId::Contacts ? s.newCaption : name, s.tag.arg(name)};
}

QString text(QWidget *box)
{
    auto *plain = qobject_cast<QPlainTextEdit *>(box);
    return plain ? boxText(plain) : static_cast<QLineEdit *>(box)->text();
}

} // namespace

class TestSectionFlows : public WindowTest
{
    Q_OBJECT

    /// Opens the window over records of one section and shows that section.
    RecordListView *openSection(const SectionCase &s, const QStringList &names)
    {
        QList<Record> records;
        for (const QString &name : names)
            records << record(s, name);
        f->openWith(s.id, records);
        f->clickPicture(s.button);
        return f->list(s.list);
    }

    /// The section of the current data row.
    static const SectionCase &fetchedSection()
    {
        QFETCH(int, section);
        return kSections[section];
    }

private slots:
    void eachSection_data()
    {
        QTest::addColumn<int>("section");
        for (int i = 0; i < kSections.size(); ++i)
            QTest::newRow(qPrintable(kSections[i].list)) << i;
    }

    void emptySpaceLeavesNothingToActOn_data() { eachSection_data(); }
    void emptySpaceLeavesNothingToActOn()
    {
        const SectionCase &s = fetchedSection();
        RecordListView *list = openSection(s, {"A", "A"});
        clickItem(list, 1);
        clickAt(list->viewport(), QPoint(20, list->viewport()->height() - 10));
        QVERIFY(list->selectedRow() < 0);
        for (const QString &name : s.needRecord) {
            QVERIFY2(!f->find<QWidget>(name)->isEnabled(), qPrintable(name));
            f->press(name);
        }
        QWidget *box = f->find<QWidget>(s.boxes.first());
        QVERIFY(!box->isEnabled() || !box->isVisible()); // nothing to type into
        f->clickPicture("butSave");
        QCOMPARE(f->saved(s.id), QList<Record>({record(s, "A"), record(s, "A")})); // looking changed no byte
        QVERIFY(f->messages.shown.isEmpty() && f->shell.opened.isEmpty());

        clickItem(list, 1); // chosen again, it can be acted on
        QVERIFY(f->find<QWidget>(s.needRecord.last())->isEnabled() && box->isEnabled() && box->isVisible());
    }

    // F2 renames the highlighted record; Tab stores the caption and goes on to the next control.
    void renameInPlace_data() { eachSection_data(); }
    void renameInPlace()
    {
        const SectionCase &s = fetchedSection();
        RecordListView *list = openSection(s, {"A", "B"});
        clickItem(list, 1);
        QTest::keyClick(list, Qt::Key_Up);
        QTest::keyClick(list, Qt::Key_F2);
        QVERIFY(captionEditor(list));
        QTest::keyClicks(captionEditor(list), "Renamed");
        QTest::keyClick(captionEditor(list), Qt::Key_Tab);
        QCOMPARE(captions(list).first(), QStringLiteral("Renamed"));
        QVERIFY(!captionEditor(list));
        QVERIFY(QApplication::focusWidget() && QApplication::focusWidget() != list
                && !list->isAncestorOf(QApplication::focusWidget()));
        // Nothing highlighted: F2 has nothing to rename.
        clickAt(list->viewport(), QPoint(20, list->viewport()->height() - 10));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_F2);
        QVERIFY(!captionEditor(list));
    }

    void addThenRemove_data() { eachSection_data(); }
    void addThenRemove()
    {
        const SectionCase &s = fetchedSection();
        RecordListView *list = openSection(s, {"A", "B"});
        QWidget *box = f->find<QWidget>(s.boxes.first());
        QWidget *remove = f->find<QWidget>(s.needRecord.first());
        const auto state = [&] {
            return QStringLiteral("%1 records, row %2 shown: %3").arg(list->count()).arg(list->selectedRow()).arg(text(box));
        };
        // Added at the end, selected, its editor empty; naming in place may start at once.
        f->press(s.add);
        QCOMPARE(state(), QStringLiteral("3 records, row 2 shown: "));
        if (QLineEdit *caption = captionEditor(list))
            QTest::keyClick(caption, Qt::Key_Escape); // keeps the new caption
        QCOMPARE(list->records()->caption(2), s.newCaption);

        // Remove asks first: No keeps everything; Yes removes the selected record and shows
        // the next one, selected, the list focused.
        clickItem(list, 0);
        f->messages.answers.enqueue(MessageBoxes::Answer::No);
        f->press(s.needRecord.first());
        QCOMPARE(f->messages.shown.last().text, "Do you want to remove the selected " + s.noun + "?");
        QCOMPARE(f->messages.shown.last().buttons, MessageBoxes::Buttons::YesNo);
        QCOMPARE(state(), QStringLiteral("3 records, row 0 shown: A"));
        f->press(s.needRecord.first());
        QCOMPARE(state(), QStringLiteral("2 records, row 0 shown: B"));
        QVERIFY(list->hasFocus());
        clickItem(list, 1); // the last one: the one above takes its place
        f->press(s.needRecord.first());
        QCOMPARE(state(), QStringLiteral("1 records, row 0 shown: B"));

        // Typing not yet stored goes with its record; the last removal leaves nothing to act on.
        clickAt(box);
        QTest::keyClicks(QApplication::focusWidget(), "typed, then removed");
        f->press(s.needRecord.first());
        QCOMPARE(list->count(), 0);
        QVERIFY(!box->isVisible() || !box->isEnabled());
        for (const QString &name : s.needRecord)
            QVERIFY2(!f->find<QWidget>(name)->isEnabled(), qPrintable(name));
        f->clickPicture("butSave");
        QCOMPARE(f->saved(s.id), QList<Record>());
        QCOMPARE(f->messages.shown.size(), 4); // one per press
        f->press(s.add);
        QVERIFY(remove->isEnabled() && box->isVisible() && box->isEnabled());
    }

    // However a box is left, what was typed reaches the file and comes back after a restart.
    void leavingABoxStoresWhatWasTyped_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("leave");
        for (int i = 0; i < kSections.size(); ++i) {
            for (const QString &box : kSections[i].boxes) {
                for (const char *leave : {"Tab", "Shift+Tab", "Save", "close", "another record"})
                    QTest::addRow("%s, %s", qPrintable(box), leave) << i << box << QString(leave);
            }
        }
    }
    void leavingABoxStoresWhatWasTyped()
    {
        QFETCH(QString, box);
        QFETCH(QString, leave);
        const SectionCase &s = fetchedSection();
        RecordListView *list = openSection(s, {"A", "A"});
        clickItem(list, 0);
        clickAt(f->find<QWidget>(box));
        // The file's own separators, an escape look-alike, and a "¶" that must not split the record.
        const QString typed = box == "txtComplete" ? "42" : QStringLiteral("¶ [u+00B6] ¤ § <end of section> £");
        QTest::keyClicks(QApplication::focusWidget(), typed);
        const Qt::Key key = leave == "Tab" ? Qt::Key_Tab : Qt::Key_Backtab;
        if (leave.endsWith("Tab")) {
            for (int keys = 0; keys < 40 && !list->hasFocus(); ++keys)
                QTest::keyClick(QApplication::focusWidget(), key);
            QVERIFY(list->hasFocus()); // into the list, and out of it again
            QTest::keyClick(list, key);
        }
        if (leave == "another record")
            clickItem(list, 1); // stored into the record it was typed for, not the one clicked
        if (leave == "close")
            f->close();
        else
            f->clickPicture("butSave");
        QVERIFY(!(f->saved(s.id)[1].caption + f->saved(s.id)[1].tag).contains(typed.left(3)));
        const Record saved = f->saved(s.id).first();
        const QString fields = s.id == SectionId::Notes ? saved.tag : escapes::splitFields(saved.tag).join('|');
        QVERIFY2((saved.caption + '|' + fields).contains(typed), qPrintable(saved.caption + '|' + fields));
        f->restart();
        clickItem(f->list(s.list), 0);
        QVERIFY2(text(f->find<QWidget>(box)).contains(typed), qPrintable(text(f->find<QWidget>(box))));
    }
};

QTEST_MAIN(TestSectionFlows)
#include "tst_sectionflows.moc"
