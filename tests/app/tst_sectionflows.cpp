#include "tests/support/mainwindowfixture.h"
#include "tests/support/uihelpers.h"

#include <QApplication>
#include "widgets/recordlistview.h"
#include <QTest>

namespace {

const QString S = QString(QChar(0x00B6));

/// Per section: number, a caption a click keeps, a record that can be opened or mailed, the
/// list, the buttons that need a selected record (Remove first), the editor's boxes.
const QList<QStringList> kSections = {
    {"0", "A", "T" + S + "https://a.example" + S + "d", "lstWebsites", "arbWebRemove arbWebIE",
     "txtWebsite txtURL txtDescription"},
    {"1", "New Email", "F" + S + "L" + S + "T" + S + "a@b.example (Default E-Mail)::", "lstEmails",
     "arbEmailRemove arbEmailOE", "txtName txtLast txtTitle txtDisplay"},
    {"2", "A", "text", "lstNotes", "arbNotesRemove", "txtNotes"},
    {"3", "S", "S" + S + "0" + S + "1" + S + "0%" + S + S + S + S + "d" + S + "Reminder not set", "lstTodo",
     "arbTodoRemove", "txtSubject txtComplete txtTodoDesc"},
};

/// Opens the window over two equal records of a section and shows that section.
RecordListView *openSection(MainWindowFixture &f, const QStringList &c)
{
    const int id = c[0].toInt();
    f.openWith(SectionId(id), {{c[1], c[2]}, {c[1], c[2]}});
    QTest::mouseMove(f.find<QWidget>(QStringList{"butWeb", "butEmail", "butNotes", "butToDo"}.at(id)), QPoint(10, 10));
    QTest::mouseClick(f.find<QWidget>(QStringList{"butWeb_h", "butEmail_h", "butNotes_h", "butTodo_h"}.at(id)),
                      Qt::LeftButton, {}, QPoint(10, 10));
    return f.list(c[3]);
}

} // namespace

class TestSectionFlows : public QObject
{
    Q_OBJECT
private slots:
    void emptySpaceLeavesNothingToActOn_data()
    {
        QTest::addColumn<QStringList>("section");
        for (const QStringList &c : kSections)
            QTest::newRow(qPrintable(c[3])) << c;
    }
    void emptySpaceLeavesNothingToActOn()
    {
        QFETCH(QStringList, section);
        MainWindowFixture f;
        RecordListView *list = openSection(f, section);
        const QStringList buttons = section[4].split(' ');
        clickItem(list, 1);
        clickAt(list->viewport(), QPoint(20, list->viewport()->height() - 10));
        QVERIFY(list->selectedRow() < 0);
        for (const QString &name : buttons) {
            QVERIFY2(!f.find<QWidget>(name)->isEnabled(), qPrintable(name));
            f.press(name);
        }
        QWidget *box = f.find<QWidget>(section[5].section(' ', 0, 0));
        QVERIFY(!box->isEnabled() || !box->isVisible()); // nothing to type into
        f.clickPicture("butSave");
        QCOMPARE(f.saved(SectionId(section[0].toInt())),
                 QList<Record>({{section[1], section[2]}, {section[1], section[2]}}));
        QVERIFY(f.messages.shown.isEmpty() && f.shell.opened.isEmpty());

        clickItem(list, 1); // chosen again, it can be acted on
        QVERIFY(f.find<QWidget>(buttons.last())->isEnabled() && box->isEnabled() && box->isVisible());
    }

    void tabOutOfABoxStoresWhatWasTyped_data()
    {
        QTest::addColumn<QStringList>("section");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("back");
        for (const QStringList &c : kSections) {
            for (const QString &box : c[5].split(' ')) {
                QTest::addRow("%s, Tab", qPrintable(box)) << c << box << false;
                QTest::addRow("%s, Shift+Tab", qPrintable(box)) << c << box << true;
            }
        }
    }
    void tabOutOfABoxStoresWhatWasTyped()
    {
        QFETCH(QStringList, section);
        QFETCH(QString, box);
        QFETCH(bool, back);
        MainWindowFixture f;
        RecordListView *list = openSection(f, section);
        clickItem(list, 0);
        clickAt(f.find<QWidget>(box));
        const QString typed = box == "txtComplete" ? "42" : "Typed";
        QTest::keyClicks(QApplication::focusWidget(), typed);
        for (int keys = 0; keys < 40 && !list->hasFocus(); ++keys)
            QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab);
        QVERIFY(list->hasFocus()); // into the list, and out of it again
        QTest::keyClick(list, back ? Qt::Key_Backtab : Qt::Key_Tab);
        f.clickPicture("butSave");
        QVERIFY((f.saved(SectionId(section[0].toInt())).first().caption
                 + f.saved(SectionId(section[0].toInt())).first().tag).contains(typed));
    }
};

QTEST_MAIN(TestSectionFlows)
#include "tst_sectionflows.moc"
