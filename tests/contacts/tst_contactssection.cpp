#include "app/listrecords.h"
#include "contacts/contactssection.h"
#include "contacts/renamedialog.h"
#include "platform/ansitext.h"
#include "tests/support/mainwindowfixture.h"
#include "widgets/arbutton.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>

namespace {

const QString M = QStringLiteral(" (Default E-Mail)");
const QString kTwoAddresses = QStringLiteral("A¤A¶¶¶a@x.com (Default E-Mail)::b@y.org::§\r\nB¤B¶¶¶§\r\n");

QByteArray fileWithContacts(const QString &lines)
{
    const QString end = QStringLiteral("<end of section>\r\n");
    return ansi::encode("Quillet 1.0 - 1.0.9\r\n" + end + lines + end + end + end);
}

QStringList texts(const QListWidget *list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result.append(list->item(i)->text());
    return result;
}

/// Clicks go through the window, as the user's do, so a box being left is checked first.
void clickAt(QWidget *widget, QPoint pos = {}, bool twice = false)
{
    const QPoint at = widget->mapTo(widget->window(), pos.isNull() ? widget->rect().center() : pos);
    if (twice)
        QTest::mouseDClick(widget->window()->windowHandle(), Qt::LeftButton, {}, at);
    else
        QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {}, at);
}

void clickItem(QListWidget *list, int row, bool twice = false)
{
    clickAt(list->viewport(), list->visualItemRect(list->item(row)).center(), twice);
}

} // namespace

class TestContactsSection : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindowFixture> f;

    QListWidget *contacts() const { return f->list("lstEmails"); }
    QListWidget *addresses() const { return f->list("lstCurEmails"); }
    QLineEdit *box(const char *name) const { return f->find<QLineEdit>(name); }
    QString tag(int row) const { return listrecords::tag(contacts()->item(row)); }
    bool enabled(const char *name) const { return f->find<QWidget>(name)->isEnabled(); }

    void open(const QString &contactLines = {})
    {
        if (!contactLines.isEmpty())
            f->writeFile("savedfile.qlt", fileWithContacts(contactLines));
        f->open();
        f->window->section(SectionId::Contacts)->show();
    }
    /// Types into a box and leaves it with Tab.
    void type(const char *name, const QString &text)
    {
        box(name)->setFocus();
        box(name)->selectAll();
        QTest::keyClicks(box(name), text);
        QTest::keyClick(box(name), Qt::Key_Tab);
    }
    void addAddress(const QString &text)
    {
        box("txtEmail")->setFocus();
        QTest::keyClicks(box("txtEmail"), text);
        QTest::keyClick(box("txtEmail"), Qt::Key_Return);
    }
    /// Presses Edit on entry row and runs work inside the rename dialog.
    void editEntry(int row, const std::function<void(RenameDialog *, QLineEdit *)> &work)
    {
        clickItem(addresses(), row);
        QTimer::singleShot(0, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *dialog = qobject_cast<RenameDialog *>(modal))
                work(dialog, dialog->findChild<QLineEdit *>("txtEmail"));
            if (modal && modal->isVisible())
                modal->close();
        });
        clickAt(f->find<QWidget>("cmdEditEmail"));
        QVERIFY(!QApplication::activeModalWidget());
    }

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup() { f.reset(); }

    void newContactTakesItsName()
    {
        open();
        QVERIFY(!f->find<QWidget>("fraemailIn")->isVisible());
        clickAt(f->find<QWidget>("arbEmailAdd"));
        QCOMPARE(texts(contacts()), QStringList{"New Email"});
        QCOMPARE(listrecords::iconKey(contacts()->currentItem()), QStringLiteral("Email"));
        QVERIFY(f->find<QWidget>("fraemailIn")->isVisible());
        QVERIFY(enabled("arbEmailRemove") && enabled("arbEmailOE"));
        QVERIFY(!enabled("cmdAddEmail") && !enabled("cmdEditEmail"));
        type("txtName", "Ann");
        type("txtLast", "Lee");
        QCOMPARE(box("txtDisplay")->text(), QStringLiteral("Ann Lee"));
        QCOMPARE(texts(contacts()), QStringList{"Ann Lee"});
        type("txtTitle", "Editor");
        QCOMPARE(tag(0), QStringLiteral("Ann¶Lee¶Editor¶"));
        type("txtDisplay", "Annie");
        QCOMPARE(texts(contacts()), QStringList{"Ann Lee"});
    }

    void saveCommitsTheBoxBeingEdited()
    {
        open("A¤§\r\n");
        box("txtLast")->setFocus();
        QTest::keyClicks(box("txtLast"), "Lee");
        QVERIFY(f->window->SaveInFile());
        QVERIFY(f->readFile("savedfile.qlt").contains(ansi::encode(QStringLiteral("A¤¶Lee¶¶§"))));
        QTest::keyClicks(box("txtLast"), "son");
        f->close();
        QVERIFY(f->readFile("savedfile.qlt").contains(ansi::encode(QStringLiteral("A¤¶Leeson¶¶§"))));
    }

    void addressListKeepsOneDefault()
    {
        open("A¤§\r\n");
        addAddress("a@x.com");
        QCOMPARE(texts(addresses()), QStringList{"a@x.com" + M});
        QVERIFY(box("txtEmail")->text().isEmpty() && box("txtEmail")->hasFocus());
        f->messages.answers.enqueue(MessageBoxes::Answer::No);
        addAddress("b@y");
        QCOMPARE(f->messages.shown.last().text,
                 QStringLiteral("the e-mail address you have entered is not a valid internet e-mail address.\n"
                                "Do you still want to add this e-mail address?"));
        QCOMPARE(f->messages.shown.last().icon, MessageBoxes::Icon::Exclamation);
        QCOMPARE(box("txtEmail")->text(), QStringLiteral("b@y"));
        QTest::keyClick(box("txtEmail"), Qt::Key_Return); // Yes this time
        addAddress("c@z.net");
        QTest::keyClick(box("txtEmail"), Qt::Key_Return); // empty: Add is off
        QCOMPARE(tag(0), "¶¶¶a@x.com" + M + "::b@y::c@z.net::");

        QVERIFY(!enabled("cmdDefault"));
        clickItem(addresses(), 1);
        QVERIFY(enabled("cmdEditEmail") && enabled("cmdRemoveEmail") && enabled("cmdDefault"));
        clickAt(f->find<QWidget>("cmdDefault"));
        QCOMPARE(tag(0), "¶¶¶a@x.com::b@y" + M + "::c@z.net::");
        clickItem(addresses(), 2, true);
        QCOMPARE(texts(addresses()), (QStringList{"a@x.com", "b@y", "c@z.net" + M}));
        clickAt(f->find<QWidget>("cmdRemoveEmail"));
        QCOMPARE(texts(addresses()), (QStringList{"a@x.com", "b@y" + M}));
        QCOMPARE(addresses()->currentRow(), 1);
        clickAt(f->find<QWidget>("cmdRemoveEmail"));
        clickAt(f->find<QWidget>("cmdRemoveEmail"));
        QCOMPARE(tag(0), QStringLiteral("¶¶¶"));
        QVERIFY(!enabled("cmdEditEmail") && !enabled("cmdRemoveEmail") && !enabled("cmdDefault"));
    }

    void editsGoToTheContactShown()
    {
        open(kTwoAddresses);
        clickItem(addresses(), 0);
        box("txtTitle")->setFocus();
        QTest::keyClicks(box("txtTitle"), "Boss");
        clickItem(contacts(), 1); // leaving the box by a click stores it first
        QCOMPARE(tag(0), "A¶¶Boss¶a@x.com" + M + "::b@y.org::");
        QVERIFY(box("txtTitle")->text().isEmpty() && addresses()->count() == 0);
        QVERIFY(!enabled("cmdEditEmail"));
        type("txtName", "Bo");
        QTest::keyClick(contacts(), Qt::Key_Up);
        QCOMPARE(box("txtTitle")->text(), QStringLiteral("Boss"));
        QCOMPARE(tag(1), QStringLiteral("Bo¶¶¶"));
        box("txtName")->setFocus();
        box("txtName")->selectAll();
        QTest::keyClicks(box("txtName"), "x");
        clickAt(f->find<QWidget>("arbEmailAdd"));
        QVERIFY(box("txtName")->text().isEmpty());
        QCOMPARE(tag(2), QString());
        QVERIFY(tag(0).startsWith("x¶"));
    }

    void mailButton_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<int>("boxes");
        QTest::newRow("no address") << QStringLiteral("Ann¶Lee¶¶") << QStringList{} << 1;
        QTest::newRow("no default") << QStringLiteral("¶¶¶a@x.com::b@y.org::") << QStringList{} << 0;
        QTest::newRow("default") << "¶¶¶a@x.com::b@y.org" + M + "::" << QStringList{"mailto:b@y.org"} << 0;
        QTest::newRow("query characters") << "¶¶¶a b?c=1&d@x.y" + M + "::"
                                          << QStringList{"mailto:a%20b%3Fc%3D1%26d@x.y"} << 0;
        QTest::newRow("percent, hash, comma") << "¶¶¶a%#,b@x.y" + M + "::" << QStringList{"mailto:a%25%23%2Cb@x.y"}
                                              << 0;
        QTest::newRow("non-ASCII") << QStringLiteral("¶¶¶jörg+x@x.y (Default E-Mail)::")
                                   << QStringList{"mailto:j%C3%B6rg+x@x.y"} << 0;
    }
    void mailButton()
    {
        QFETCH(QString, tag);
        QFETCH(QStringList, opened);
        QFETCH(int, boxes);
        open("Ann¤" + tag + "§\r\n");
        clickAt(f->find<QWidget>("arbEmailOE"));
        QCOMPARE(f->shell.opened, opened);
        QCOMPARE(f->messages.shown.size(), boxes);
        if (boxes)
            QCOMPARE(f->messages.shown.first().text, QStringLiteral("There is no e-mail address for this item."));
        clickItem(contacts(), 0, true); // the same, never with a box
        QCOMPARE(f->shell.opened, opened + opened);
        QCOMPARE(f->messages.shown.size(), boxes);
    }

    void removeContactAsks()
    {
        open(kTwoAddresses);
        f->messages.answers.enqueue(MessageBoxes::Answer::No);
        clickAt(f->find<QWidget>("arbEmailRemove"));
        QCOMPARE(contacts()->count(), 2);
        QCOMPARE(f->messages.shown.first().text, QStringLiteral("Do you want to remove the selected email address?"));
        QCOMPARE(f->messages.shown.first().title, QStringLiteral("Confirm"));
        clickAt(f->find<QWidget>("arbEmailRemove"));
        QCOMPARE(texts(contacts()), QStringList{"B"});
        QCOMPARE(box("txtName")->text(), QStringLiteral("B"));
        box("txtName")->setFocus(); // a box being edited must not bring the contact back
        clickAt(f->find<QWidget>("arbEmailRemove"));
        QCOMPARE(contacts()->count(), 0);
        QVERIFY(!f->find<QWidget>("fraemailIn")->isVisible());
        QVERIFY(!enabled("arbEmailRemove") && !enabled("arbEmailOE"));
    }

    void fileRoundTrip_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("worked contact") << QStringLiteral("Ann Lee¤Ann¶Lee¶Editor¶§\r\n")
                                        << QStringList{"Ann", "Lee", "Editor", "Ann Lee"};
        QTest::newRow("second default") << "Bo Ek¤Bo¶Ek¶¶a@x.com::b@y.org" + M + "::§\r\n"
                                        << QStringList{"Bo", "Ek", "", "Bo Ek", "a@x.com", "b@y.org" + M};
    }
    void fileRoundTrip()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, shown);
        open(line);
        QCOMPARE(QStringList({box("txtName")->text(), box("txtLast")->text(), box("txtTitle")->text(),
                              box("txtDisplay")->text()}) + texts(addresses()),
                 shown);
        type("txtName", shown.first()); // rewrites the whole tag the same
        f->close();
        QCOMPARE(f->readFile("savedfile.qlt"), fileWithContacts(line));
    }

    void oddTextSurvivesRestart()
    {
        open("A¤§\r\n");
        type("txtName", QStringLiteral("Pi¶"));
        for (const QString &address : QStringList{"a::b@x.y", "tail@x.y:", QStringLiteral("p¶q@x.y")})
            addAddress(address);
        const QStringList entries = texts(addresses());
        f->restart();
        QCOMPARE(box("txtName")->text(), QStringLiteral("Pi¶"));
        QCOMPARE(texts(addresses()), entries);
        QCOMPARE(static_cast<ContactsSection *>(f->window->section(SectionId::Contacts))->GetDefaultEmail(),
                 QStringLiteral("a::b@x.y"));
    }

    void renameKeepsTheMarkerOnItsEntry_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("mailto");
        QTest::newRow("default") << 0 << "new@x.com" << QStringList{"new@x.com" + M, "b@y.org"} << "mailto:new@x.com";
        QTest::newRow("plain") << 1 << "c@z.net" << QStringList{"a@x.com" + M, "c@z.net"} << "mailto:a@x.com";
        QTest::newRow("emptied default") << 0 << "" << QStringList{M, "b@y.org"} << "";
    }
    void renameKeepsTheMarkerOnItsEntry()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QStringList, entries);
        QFETCH(QString, mailto);
        open(kTwoAddresses);
        editEntry(row, [&](RenameDialog *, QLineEdit *address) {
            address->setText(typed);
            QTest::keyClick(address, Qt::Key_Return); // the question, if any, is answered Yes
        });
        QCOMPARE(texts(addresses()), entries);
        QCOMPARE(tag(0), "A¶¶¶" + entries.join("::") + "::");
        QCOMPARE(f->window->focusWidget(), addresses());
        clickAt(f->find<QWidget>("arbEmailOE"));
        QCOMPARE(f->shell.opened, mailto.isEmpty() ? QStringList() : QStringList{mailto});
    }

    void renameDialogNoAndCancelChangeNothing()
    {
        open(kTwoAddresses);
        const QString before = tag(0);
        f->messages.answers.enqueue(MessageBoxes::Answer::No);
        editEntry(1, [this](RenameDialog *dialog, QLineEdit *address) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Rename Email"));
            QVERIFY(dialog->isModal() && dialog->minimumSize() == QSize(336, 98)
                    && dialog->maximumSize() == QSize(336, 98));
            const QPoint offset = dialog->frameGeometry().center() - f->window->frameGeometry().center();
            QVERIFY(offset.manhattanLength() <= 2);
            QCOMPARE(address->text(), QStringLiteral("b@y.org"));
            address->setText("not an address");
            QTest::keyClick(address, Qt::Key_Return);
            QCOMPARE(f->messages.shown.size(), 1);
            QVERIFY(f->messages.shown.first().text.endsWith("Do you still want to change this e-mail address?"));
            QVERIFY(dialog->isVisible());
            QTest::keyClick(address, Qt::Key_Escape);
            QVERIFY(!dialog->isVisible());
        });
        QCOMPARE(tag(0), before);
        QCOMPARE(addresses()->item(1)->text(), QStringLiteral("b@y.org"));
    }
};

QTEST_MAIN(TestContactsSection)
#include "tst_contactssection.moc"
