#include "app/listrecords.h"
#include "contacts/contactssection.h"
#include "platform/ansitext.h"
#include "tests/support/mainwindowfixture.h"
#include "widgets/arbutton.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <memory>

namespace {

const QString M = QStringLiteral(" (Default E-Mail)");

QByteArray fileWithContacts(const QString &contactLines)
{
    return ansi::encode(QStringLiteral("Quillet 1.0 - 1.0.9\r\n<end of section>\r\n") + contactLines
                        + QStringLiteral("<end of section>\r\n<end of section>\r\n<end of section>\r\n"));
}

QStringList texts(const QListWidget *list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result.append(list->item(i)->text());
    return result;
}

} // namespace

class TestContactsSection : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindowFixture> f;

    ContactsSection *section() const
    {
        return static_cast<ContactsSection *>(f->window->section(SectionId::Contacts));
    }
    QListWidget *contacts() const { return f->list("lstEmails"); }
    QListWidget *addresses() const { return f->list("lstCurEmails"); }
    QLineEdit *box(const char *name) const { return f->find<QLineEdit>(name); }
    QString tag() const { return listrecords::tag(contacts()->currentItem()); }

    void open()
    {
        f->open();
        section()->show();
    }
    /// Clicks go through the window, as the user's do, so a box being left is checked first.
    static void clickAt(QWidget *widget, QPoint pos = {}, bool twice = false)
    {
        if (pos.isNull())
            pos = widget->rect().center();
        QWindow *window = widget->window()->windowHandle();
        const QPoint at = widget->mapTo(widget->window(), pos);
        if (twice)
            QTest::mouseDClick(window, Qt::LeftButton, {}, at);
        else
            QTest::mouseClick(window, Qt::LeftButton, {}, at);
    }
    static void clickItem(QListWidget *list, int row, bool twice = false)
    {
        clickAt(list->viewport(), list->visualItemRect(list->item(row)).center(), twice);
    }
    void click(const char *name)
    {
        QWidget *button = f->find<QWidget>(name);
        QVERIFY(button && button->isEnabled());
        clickAt(button);
    }
    /// Types into a box and leaves it with Tab, as a user does.
    void type(const char *name, const QString &text)
    {
        QLineEdit *edit = box(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    void addAddress(const QString &text)
    {
        QLineEdit *edit = box("txtEmail");
        edit->setFocus();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void clickEntry(int row) { clickItem(addresses(), row); }
    bool entryButtonsEnabled() const
    {
        const bool edit = f->find<QPushButton>("cmdEditEmail")->isEnabled();
        QTest::qVerify(edit == f->find<QPushButton>("cmdRemoveEmail")->isEnabled()
                           && edit == f->find<QPushButton>("cmdDefault")->isEnabled(),
                       "entry buttons", "", __FILE__, __LINE__);
        return edit;
    }

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup()
    {
        f.reset();
        QVERIFY(QApplication::topLevelWidgets().isEmpty()
                || std::none_of(QApplication::topLevelWidgets().cbegin(),
                                QApplication::topLevelWidgets().cend(),
                                [](QWidget *w) { return w->isVisible(); }));
    }

    void startsEmptyAndAddsNewContact()
    {
        open();
        QWidget *frame = f->find<QWidget>("fraemailIn");
        QVERIFY(!frame->isVisible());
        click("arbEmailAdd");
        QCOMPARE(contacts()->count(), 1);
        QListWidgetItem *item = contacts()->currentItem();
        QCOMPARE(item->text(), QStringLiteral("New Email"));
        QCOMPARE(listrecords::iconKey(item), QStringLiteral("Email"));
        QCOMPARE(tag(), QString());
        QVERIFY(frame->isVisible());
        QVERIFY(box("txtName")->text().isEmpty());
        QCOMPARE(addresses()->count(), 0);
        QVERIFY(f->find<ARButton>("arbEmailRemove")->isEnabled());
        QVERIFY(f->find<ARButton>("arbEmailOE")->isEnabled());
        QVERIFY(!f->find<QPushButton>("cmdAddEmail")->isEnabled());
        QVERIFY(!entryButtonsEnabled());
    }

    void namesComposeCaptionOnce()
    {
        open();
        click("arbEmailAdd");
        type("txtName", "Ann");
        type("txtLast", "Lee");
        QCOMPARE(box("txtDisplay")->text(), QStringLiteral("Ann Lee"));
        QCOMPARE(contacts()->currentItem()->text(), QStringLiteral("Ann Lee"));
        type("txtTitle", "Editor");
        QCOMPARE(tag(), QStringLiteral("Ann¶Lee¶Editor¶"));
        type("txtDisplay", "Annie");
        QCOMPARE(contacts()->currentItem()->text(), QStringLiteral("Ann Lee"));
    }

    void captionTypedInPlaceWaitsForAClick()
    {
        open();
        click("arbEmailAdd");
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(qobject_cast<QLineEdit *>(editor));
        QTest::keyClicks(editor, "Boss");
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the list commits the caption queued
        QCOMPARE(contacts()->currentItem()->text(), QStringLiteral("Boss"));
        QVERIFY(box("txtDisplay")->text().isEmpty());
        QCOMPARE(tag(), QString());
        clickItem(contacts(), 0);
        QCOMPARE(box("txtDisplay")->text(), QStringLiteral("Boss"));
    }

    void saveCommitsTheBoxBeingEdited()
    {
        open();
        click("arbEmailAdd");
        type("txtName", "Ann");
        box("txtLast")->setFocus();
        QTest::keyClicks(box("txtLast"), "Lee");
        QVERIFY(f->window->SaveInFile());
        QVERIFY(f->readFile("savedfile.qlt").contains(ansi::encode(QStringLiteral("Ann Lee¤Ann¶Lee¶¶§"))));
        QTest::keyClicks(box("txtLast"), "son");
        f->close();
        QVERIFY(f->readFile("savedfile.qlt").contains(ansi::encode(QStringLiteral("Ann Lee¤Ann¶Leeson¶¶§"))));
    }

    void addressesAndTheDefaultMarker()
    {
        open();
        click("arbEmailAdd");
        addAddress("a@x.com");
        QCOMPARE(texts(addresses()), QStringList{"a@x.com" + M});
        QVERIFY(box("txtEmail")->text().isEmpty());
        QVERIFY(box("txtEmail")->hasFocus());
        QVERIFY(!f->find<QPushButton>("cmdAddEmail")->isEnabled());
        addAddress("b@y.org");
        addAddress("c@z.net");
        QCOMPARE(tag(), "¶¶¶a@x.com" + M + "::b@y.org::c@z.net::");

        clickEntry(1);
        QVERIFY(entryButtonsEnabled());
        click("cmdDefault");
        QCOMPARE(tag(), "¶¶¶a@x.com::b@y.org" + M + "::c@z.net::");

        clickItem(addresses(), 2, true);
        QCOMPARE(texts(addresses()), (QStringList{"a@x.com", "b@y.org", "c@z.net" + M}));

        clickEntry(2);
        click("cmdRemoveEmail");
        QCOMPARE(texts(addresses()), (QStringList{"a@x.com", "b@y.org" + M}));
        QCOMPARE(addresses()->currentRow(), 1);
        QVERIFY(entryButtonsEnabled());
        clickEntry(0);
        click("cmdRemoveEmail");
        QCOMPARE(texts(addresses()), QStringList{"b@y.org" + M});
        click("cmdRemoveEmail");
        QCOMPARE(addresses()->count(), 0);
        QVERIFY(!entryButtonsEnabled());
        QCOMPARE(tag(), QStringLiteral("¶¶¶"));
    }

    void invalidAddressAsksFirst()
    {
        open();
        click("arbEmailAdd");
        f->messages.answers.enqueue(MessageBoxes::Answer::No);
        addAddress("ann@example");
        QCOMPARE(f->messages.shown.size(), 1);
        const auto &question = f->messages.shown.first();
        QCOMPARE(question.text, QStringLiteral("the e-mail address you have entered is not a valid internet "
                                               "e-mail address.\nDo you still want to add this e-mail address?"));
        QCOMPARE(question.title, QString());
        QCOMPARE(question.buttons, MessageBoxes::Buttons::YesNo);
        QCOMPARE(question.icon, MessageBoxes::Icon::Exclamation);
        QCOMPARE(addresses()->count(), 0);
        QCOMPARE(box("txtEmail")->text(), QStringLiteral("ann@example"));
        QTest::keyClick(box("txtEmail"), Qt::Key_Return); // answered Yes
        QCOMPARE(texts(addresses()), QStringList{"ann@example" + M});
        QTest::keyClick(box("txtEmail"), Qt::Key_Return); // empty box: Add is off
        QCOMPARE(addresses()->count(), 1);
        QCOMPARE(f->messages.shown.size(), 2);
    }

    void selectingAContactResetsEntryButtons()
    {
        f->writeFile("savedfile.qlt", fileWithContacts(QStringLiteral("A¤A¶¶¶a@x.y (Default E-Mail)::§\r\n"
                                                                      "B¤B¶¶¶b@x.y::§\r\n")));
        open();
        clickEntry(0);
        QVERIFY(entryButtonsEnabled());
        QTest::keyClick(contacts(), Qt::Key_Down);
        QCOMPARE(box("txtName")->text(), QStringLiteral("B"));
        QCOMPARE(texts(addresses()), QStringList{"b@x.y"});
        QVERIFY(!entryButtonsEnabled());
        // Editing after a keyboard move writes into the contact shown, not the one before.
        type("txtTitle", "Chief");
        QCOMPARE(listrecords::tag(contacts()->item(1)), QStringLiteral("B¶¶Chief¶b@x.y::"));
        QCOMPARE(listrecords::tag(contacts()->item(0)), QStringLiteral("A¶¶¶a@x.y (Default E-Mail)::"));
    }

    void clickingAwayStoresIntoTheContactShown()
    {
        f->writeFile("savedfile.qlt", fileWithContacts(QStringLiteral("A¤A¶¶¶a@x.y::§\r\nB¤B¶¶¶b@x.y::§\r\n")));
        open();
        box("txtTitle")->setFocus();
        QTest::keyClicks(box("txtTitle"), "Boss");
        clickItem(contacts(), 1);
        QCOMPARE(listrecords::tag(contacts()->item(0)), QStringLiteral("A¶¶Boss¶a@x.y::"));
        QVERIFY(box("txtTitle")->text().isEmpty());
        box("txtName")->setFocus();
        box("txtName")->selectAll();
        QTest::keyClicks(box("txtName"), "Bo");
        click("arbEmailAdd");
        QCOMPARE(listrecords::tag(contacts()->item(1)), QStringLiteral("Bo¶¶¶b@x.y::"));
        QCOMPARE(contacts()->item(1)->text(), QStringLiteral("B"));
        QCOMPARE(contacts()->currentRow(), 2);
        QCOMPARE(tag(), QString());
        QVERIFY(box("txtName")->text().isEmpty());
    }

    void mailButton_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<int>("boxes");
        QTest::newRow("no address") << QStringLiteral("Ann¶Lee¶¶") << QStringList{} << 1;
        QTest::newRow("never edited") << "" << QStringList{} << 1;
        QTest::newRow("no default") << QStringLiteral("¶¶¶a@x.com::b@y.org::") << QStringList{} << 0;
        QTest::newRow("default") << QStringLiteral("¶¶¶a@x.com::b@y.org (Default E-Mail)::")
                                 << QStringList{"mailto:b@y.org"} << 0;
        QTest::newRow("odd characters") << QStringLiteral("¶¶¶a b?c&d@x.y (Default E-Mail)::")
                                        << QStringList{"mailto:a%20b%3Fc%26d@x.y"} << 0;
    }
    void mailButton()
    {
        QFETCH(QString, tag);
        QFETCH(QStringList, opened);
        QFETCH(int, boxes);
        f->writeFile("savedfile.qlt", fileWithContacts("Ann¤" + tag + QStringLiteral("§\r\n")));
        open();
        click("arbEmailOE");
        QCOMPARE(f->shell.opened, opened);
        QCOMPARE(f->messages.shown.size(), boxes);
        if (boxes) {
            QCOMPARE(f->messages.shown.first().text, QStringLiteral("There is no e-mail address for this item."));
            QCOMPARE(f->messages.shown.first().buttons, MessageBoxes::Buttons::Ok);
            QCOMPARE(f->messages.shown.first().icon, MessageBoxes::Icon::Exclamation);
        }
        // A double click hands over the same, and never shows a box.
        f->shell.opened.clear();
        clickItem(contacts(), 0, true);
        QCOMPARE(f->shell.opened, opened);
        QCOMPARE(f->messages.shown.size(), boxes);
    }

    void removeContactAsksAndRefreshes()
    {
        f->writeFile("savedfile.qlt", fileWithContacts(QStringLiteral("A¤A¶¶¶a@x.y::§\r\nB¤B¶¶¶§\r\n")));
        open();
        f->messages.answers.enqueue(MessageBoxes::Answer::No);
        click("arbEmailRemove");
        QCOMPARE(contacts()->count(), 2);
        QCOMPARE(f->messages.shown.first().text, QStringLiteral("Do you want to remove the selected email address?"));
        QCOMPARE(f->messages.shown.first().title, QStringLiteral("Confirm"));
        QCOMPARE(f->messages.shown.first().icon, MessageBoxes::Icon::Question);
        click("arbEmailRemove");
        QCOMPARE(texts(contacts()), QStringList{"B"});
        QCOMPARE(box("txtName")->text(), QStringLiteral("B"));
        QCOMPARE(addresses()->count(), 0);
        box("txtName")->setFocus(); // a box being edited must not bring the contact back
        click("arbEmailRemove");
        QCOMPARE(contacts()->count(), 0);
        QVERIFY(!f->find<QWidget>("fraemailIn")->isVisible());
        QVERIFY(!f->find<ARButton>("arbEmailRemove")->isEnabled());
        QVERIFY(!f->find<ARButton>("arbEmailOE")->isEnabled());
        QVERIFY(box("txtName")->text().isEmpty());
    }

    void removingWhileABoxIsEditedLeavesTheOthersAlone()
    {
        f->writeFile("savedfile.qlt", fileWithContacts(QStringLiteral("A¤A¶¶¶§\r\nB¤B¶¶¶b@x.y::§\r\n")));
        open();
        // A real box runs its own event loop while it asks.
        f->messages.onShow = [](const FakeMessageBoxes::Shown &) { QCoreApplication::processEvents(); };
        box("txtTitle")->setFocus();
        QTest::keyClicks(box("txtTitle"), "Gone");
        click("arbEmailRemove");
        QCOMPARE(texts(contacts()), QStringList{"B"});
        QCOMPARE(tag(), QStringLiteral("B¶¶¶b@x.y::"));
        QVERIFY(box("txtTitle")->text().isEmpty());
    }

    void fileRoundTrip_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("worked contact") << QStringLiteral("Ann Lee¤Ann¶Lee¶Editor¶§\r\n")
                                        << QStringList{"Ann", "Lee", "Editor", "Ann Lee"} << QStringList{};
        QTest::newRow("second address default")
            << QStringLiteral("Bo Ek¤Bo¶Ek¶¶a@x.com::b@y.org (Default E-Mail)::§\r\n")
            << QStringList{"Bo", "Ek", "", "Bo Ek"} << QStringList{"a@x.com", "b@y.org" + M};
    }
    void fileRoundTrip()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, entries);
        const QByteArray bytes = fileWithContacts(line);
        f->writeFile("savedfile.qlt", bytes);
        open();
        QVERIFY(f->find<QWidget>("fraemailIn")->isVisible());
        QCOMPARE((QStringList{box("txtName")->text(), box("txtLast")->text(), box("txtTitle")->text(),
                              box("txtDisplay")->text()}),
                 boxes);
        QCOMPARE(texts(addresses()), entries);
        type("txtName", boxes.first()); // leaving a box rewrites the whole tag the same
        f->close();
        QCOMPARE(f->readFile("savedfile.qlt"), bytes);
    }

    void oddTextSurvivesRestart()
    {
        open();
        click("arbEmailAdd");
        type("txtName", QStringLiteral("Pi¶lcrow"));
        type("txtLast", "Lee");
        type("txtTitle", QStringLiteral("¶"));
        for (const QString &address : QStringList{"first@x.y", "a::b@x.y", "tail:@x.y:", QStringLiteral("p¶q@x.y")})
            addAddress(address);
        const QStringList entries = texts(addresses());
        f->restart();
        section()->show();
        QCOMPARE(texts(contacts()), QStringList{QStringLiteral("Pi¶lcrow Lee")});
        QCOMPARE(box("txtName")->text(), QStringLiteral("Pi¶lcrow"));
        QCOMPARE(box("txtTitle")->text(), QStringLiteral("¶"));
        QCOMPARE(texts(addresses()), entries);
        QCOMPARE(section()->GetDefaultEmail(), QStringLiteral("first@x.y"));
    }
};

QTEST_MAIN(TestContactsSection)
#include "tst_contactssection.moc"
