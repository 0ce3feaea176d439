#include "app/listrecords.h"
#include "tests/support/mainwindowfixture.h"
#include "tests/support/uihelpers.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

namespace {

struct SectionCase
{
    SectionId id;
    QString caption; // as a click leaves it, and one a display name takes
    QString list;
    QString tag; // a record that can be opened or mailed
    QStringList buttons; // Remove, then Open or Mail
    QStringList boxes;
};

SectionCase sectionCase(const QString &name)
{
    const auto tag = [](const QStringList &fields) { return fields.join(QChar(0x00B6)); };
    if (name == "notes")
        return {SectionId::Notes, "A", "lstNotes", "text", {"arbNotesRemove"}, {"txtNotes"}};
    if (name == "websites")
        return {SectionId::Websites, "A", "lstWebsites", tag({"T", "https://a.example", "d"}),
                {"arbWebRemove", "arbWebIE"}, {"txtWebsite", "txtURL", "txtDescription"}};
    if (name == "contacts")
        return {SectionId::Contacts, "New Email", "lstEmails", tag({"F", "L", "T", "a@b.example (Default E-Mail)::"}),
                {"arbEmailRemove", "arbEmailOE"}, {"txtName", "txtLast", "txtTitle", "txtDisplay"}};
    return {SectionId::Todos, "S", "lstTodo", tag({"S", "0", "1", "0%", "", "", "", "d", "Reminder not set"}),
            {"arbTodoRemove"}, {"txtSubject", "txtComplete", "txtTodoDesc"}};
}

const QStringList kSections = {"notes", "websites", "contacts", "to-dos"};

/// Opens the window over two records of a section and shows that section.
QListWidget *openSection(MainWindowFixture &f, const SectionCase &c)
{
    f.openWith(c.id, {{c.caption, c.tag}, {c.caption, c.tag}});
    const int id = int(c.id);
    QTest::mouseMove(f.find<QWidget>(QStringList{"butWeb", "butEmail", "butNotes", "butToDo"}.at(id)), QPoint(10, 10));
    QTest::mouseClick(f.find<QWidget>(QStringList{"butWeb_h", "butEmail_h", "butNotes_h", "butTodo_h"}.at(id)),
                      Qt::LeftButton, {}, QPoint(10, 10));
    return f.list(c.list);
}

} // namespace

class TestSectionFlows : public QObject
{
    Q_OBJECT
private slots:
    void emptySpaceLeavesNothingToActOn_data()
    {
        QTest::addColumn<QString>("section");
        for (const QString &name : kSections)
            QTest::newRow(qPrintable(name)) << name;
    }
    void emptySpaceLeavesNothingToActOn()
    {
        QFETCH(QString, section);
        const SectionCase c = sectionCase(section);
        MainWindowFixture f;
        QListWidget *list = openSection(f, c);
        clickItem(list, 1);
        clickAt(list->viewport(), QPoint(20, list->viewport()->height() - 10));
        QVERIFY(list->selectedItems().isEmpty());
        for (const QString &name : c.buttons) {
            QVERIFY2(!f.find<QWidget>(name)->isEnabled(), qPrintable(name));
            f.press(name);
        }
        QWidget *box = f.find<QWidget>(c.boxes.first());
        QVERIFY(!box->isEnabled() || !box->isVisible()); // nothing to type into
        f.clickPicture("butSave");
        QCOMPARE(f.saved(c.id), QList<Record>({{c.caption, c.tag}, {c.caption, c.tag}}));
        QVERIFY(f.messages.shown.isEmpty() && f.shell.opened.isEmpty());

        clickItem(list, 1); // chosen again, it can be acted on
        for (const QString &name : c.buttons)
            QVERIFY2(f.find<QWidget>(name)->isEnabled(), qPrintable(name));
        QVERIFY(box->isEnabled() && box->isVisible());
    }

    void tabOutOfABoxStoresWhatWasTyped_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("back");
        for (const QString &name : kSections) {
            for (const QString &box : sectionCase(name).boxes) {
                QTest::addRow("%s, Tab", qPrintable(box)) << name << box << false;
                QTest::addRow("%s, Shift+Tab", qPrintable(box)) << name << box << true;
            }
        }
    }
    void tabOutOfABoxStoresWhatWasTyped()
    {
        QFETCH(QString, section);
        QFETCH(QString, box);
        QFETCH(bool, back);
        const SectionCase c = sectionCase(section);
        MainWindowFixture f;
        QListWidget *list = openSection(f, c);
        clickItem(list, 0);
        clickAt(f.find<QWidget>(box));
        const QString typed = box == "txtComplete" ? "42" : "Typed";
        QTest::keyClicks(QApplication::focusWidget(), typed);
        // On into the list and out of it again.
        for (int keys = 0; keys < 12 && !list->hasFocus(); ++keys)
            QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab);
        QVERIFY(list->hasFocus());
        QTest::keyClick(list, back ? Qt::Key_Backtab : Qt::Key_Tab);
        f.clickPicture("butSave");
        const Record saved = f.saved(c.id).first();
        QVERIFY2((saved.caption + saved.tag).contains(typed), qPrintable(saved.caption + " | " + saved.tag));
    }
};

QTEST_MAIN(TestSectionFlows)
#include "tst_sectionflows.moc"
