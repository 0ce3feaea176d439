// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/addressdelegate.h"
#include "tests/support/guitest.h"

#include <QListWidget>

namespace {

const QString M = QStringLiteral(" (Default E-Mail)");
const QList<Record> kTwoAddresses = {{"A", "A¶¶¶a@x.com (Default E-Mail)::b@y.org::"}, {"B", "B¶¶¶"}};

} // namespace

class TestContactsSection : public WindowTest
{
    Q_OBJECT

    RecordListView *contacts() const { return f->list("lstEmails"); }
    QListWidget *addresses() const { return f->find<QListWidget>("lstCurEmails"); }
    QLineEdit *box(const char *name) const { return f->find<QLineEdit>(name); }
    QString tag(int row) const { return contacts()->records()->tag(row); }
    bool enabled(const char *name) const { return f->find<QWidget>(name)->isEnabled(); }

    void open(const QList<Record> &records = {})
    {
        f->openWith(SectionId::Contacts, records)->section(SectionId::Contacts)->show();
    }
    /// Types into a box, replacing its text; leaves it with Tab unless told to stay.
    void type(const char *name, const QString &text, bool leave = true)
    {
        box(name)->setFocus();
        box(name)->selectAll();
        QTest::keyClicks(box(name), text);
        if (leave)
            QTest::keyClick(box(name), Qt::Key_Tab);
    }
    void addAddress(const QString &text)
    {
        type("txtEmail", text, false);
        QTest::keyClick(box("txtEmail"), Qt::Key_Return);
    }

private slots:
    // Adding and removing are walked for every section in tst_sectionflows.
    void nameBoxesFollowTheContactShown()
    {
        open();
        f->press("arbEmailAdd");
        QVERIFY(!enabled("cmdAddEmail") && !enabled("cmdEditEmail"));
        type("txtName", "Ann");
        type("txtLast", "Lee");
        QCOMPARE(box("txtDisplay")->text(), QStringLiteral("Ann Lee"));
        type("txtDisplay", "Annie");
        QCOMPARE(captions(contacts()), QStringList{"Ann Lee"}); // named once, it keeps its caption
        type("txtTitle", "Boss", false);

        // A box being edited is stored into the contact it shows, whatever is clicked next.
        f->press("arbEmailAdd");
        QCOMPARE(tag(0), QStringLiteral("Ann¶Lee¶Boss¶"));
        QVERIFY(box("txtTitle")->text().isEmpty());
        type("txtName", "Bo", false);
        clickItem(contacts(), 0);
        QCOMPARE(box("txtTitle")->text(), QStringLiteral("Boss"));
        QCOMPARE(tag(1), QStringLiteral("Bo¶¶¶"));
        QTest::keyClick(contacts(), Qt::Key_Down);
        QCOMPARE(box("txtName")->text(), QStringLiteral("Bo"));
    }

    void addressListKeepsOneDefault()
    {
        // A contact from a vCard keeps its UID through every edit.
        open({{"A", "¶¶¶¶uid-a"}});
        addAddress("a@x.com");
        QCOMPARE(captions(addresses()), QStringList{"a@x.com" + M});
        QVERIFY(box("txtEmail")->text().isEmpty() && box("txtEmail")->hasFocus());
        f->messages.answers.enqueue(MessageBoxes::Answer::No);
        addAddress("b.c@y");
        QVERIFY(f->messages.shown.last().text.endsWith("\nDo you still want to add this e-mail address?"));
        QCOMPARE(box("txtEmail")->text(), QStringLiteral("b.c@y"));
        QTest::keyClick(box("txtEmail"), Qt::Key_Return); // Yes this time
        addAddress("c@z.net");
        QTest::keyClick(box("txtEmail"), Qt::Key_Return); // empty: Add is off
        QCOMPARE(tag(0), "¶¶¶a@x.com" + M + "::b.c@y::c@z.net::¶uid-a");

        QVERIFY(!enabled("cmdDefault"));
        clickItem(addresses(), 1);
        QVERIFY(enabled("cmdEditEmail") && enabled("cmdRemoveEmail") && enabled("cmdDefault"));
        f->press("cmdDefault");
        QCOMPARE(tag(0), "¶¶¶a@x.com::b.c@y" + M + "::c@z.net::¶uid-a");
        clickItem(addresses(), 2, true);
        QCOMPARE(captions(addresses()), (QStringList{"a@x.com", "b.c@y", "c@z.net" + M}));
        f->press("cmdRemoveEmail");
        QCOMPARE(captions(addresses()), (QStringList{"a@x.com", "b.c@y" + M}));
        QCOMPARE(addresses()->currentRow(), 1);
        f->press("cmdRemoveEmail");
        f->press("cmdRemoveEmail");
        QCOMPARE(tag(0), QStringLiteral("¶¶¶¶uid-a"));
        QVERIFY(!enabled("cmdEditEmail") && !enabled("cmdRemoveEmail") && !enabled("cmdDefault"));
    }

    // At 1x an address and its default marker fit the list; a long address is cut in its
    // middle, the marker always whole. The buttons below hold their captions.
    void addressListShowsTheMarkerWhole_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("cut");
        QTest::newRow("short") << "ann@lee.org" << false;
        QTest::newRow("long") << "ann.lee.editor.in.chief@publishing.example.org" << true;
    }
    void addressListShowsTheMarkerWhole()
    {
        QFETCH(QString, address);
        open({{"Ann", "Ann¶Lee¶T¶" + address + M + "::"}});
        QListWidget *list = addresses();
        auto *delegate = qobject_cast<AddressDelegate *>(list->itemDelegate());
        QVERIFY(delegate);
        const QString shown = delegate->shownText(list, list->model()->index(0, 0));
        QVERIFY2(shown.endsWith(M), qPrintable(shown));
        QTEST(shown.contains(QChar(0x2026)), "cut");
        QVERIFY(QFontMetrics(list->item(0)->font()).horizontalAdvance(shown) <= list->viewport()->width() - 8);
        for (const char *name : {"cmdEditEmail", "cmdRemoveEmail", "cmdDefault"}) {
            auto *button = f->find<QPushButton>(name);
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text().remove('&')) + 12 <= button->width(), name);
        }
    }

    void mailButton_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("no address") << QStringLiteral("Ann¶Lee¶¶") << QStringList{}
                                    << QStringList{"There is no e-mail address for this item."};
        QTest::newRow("no default") << QStringLiteral("¶¶¶a@x.com::b@y.org::") << QStringList{} << QStringList{};
        QTest::newRow("default") << "¶¶¶a@x.com::b@y.org" + M + "::" << QStringList{"mailto:b@y.org"} << QStringList{};
        QTest::newRow("to encode") << "¶¶¶a b?c=1&d%#,e@x.y" + M + "::"
                                   << QStringList{"mailto:a%20b%3Fc%3D1%26d%25%23%2Ce@x.y"} << QStringList{};
        QTest::newRow("non-ASCII") << QStringLiteral("¶¶¶jörg+x@x.y (Default E-Mail)::")
                                   << QStringList{"mailto:j%C3%B6rg+x@x.y"} << QStringList{};
    }
    void mailButton()
    {
        QFETCH(QString, tag);
        QFETCH(QStringList, opened);
        open({{"Ann", tag}});
        f->press("arbEmailOE");
        QCOMPARE(f->shell.opened, opened);
        QTEST(f->messages.texts(), "boxes");
        clickItem(contacts(), 0, true); // the same, never with a box
        QCOMPARE(f->shell.opened, opened + opened);
        QTEST(f->messages.texts(), "boxes");
    }

    void rename_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused"); // the "not valid" question is answered No, then Esc
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("mailto");
        QTest::newRow("default") << 0 << "new@x.com" << false << QStringList{"new@x.com" + M, "b@y.org"}
                                 << "mailto:new@x.com";
        QTest::newRow("plain") << 1 << "c@z.net" << false << QStringList{"a@x.com" + M, "c@z.net"} << "mailto:a@x.com";
        QTest::newRow("emptied default") << 0 << "" << false << QStringList{M, "b@y.org"} << "";
        QTest::newRow("No, then Cancel") << 1 << "not an address" << true << QStringList{"a@x.com" + M, "b@y.org"}
                                         << "mailto:a@x.com";
    }
    void rename()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        QFETCH(QStringList, entries);
        QFETCH(QString, mailto);
        open(kTwoAddresses);
        if (refused)
            f->messages.answers.enqueue(MessageBoxes::Answer::No);
        QString shown;
        bool stayed = false;
        clickItem(addresses(), row);
        whenModal([&](QWidget *dialog) {
            auto *address = dialog ? dialog->findChild<QLineEdit *>("txtEmail") : nullptr;
            if (!address)
                return;
            shown = address->text();
            address->setText(typed);
            QTest::keyClick(address, Qt::Key_Return); // the question, if any, is answered as scripted
            if ((stayed = dialog->isVisible()))
                QTest::keyClick(address, Qt::Key_Escape);
        });
        f->press("cmdEditEmail");
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(shown, QStringList({"a@x.com", "b@y.org"})[row]);
        QCOMPARE(stayed, refused);
        QCOMPARE(captions(addresses()), entries);
        QCOMPARE(tag(0), "A¶¶¶" + entries.join("::") + "::");
        if (!refused)
            QCOMPARE(f->window->focusWidget(), addresses());
        f->press("arbEmailOE");
        QCOMPARE(f->shell.opened, mailto.isEmpty() ? QStringList() : QStringList{mailto});
    }
};

QTEST_MAIN(TestContactsSection)
#include "tst_contactssection.moc"
