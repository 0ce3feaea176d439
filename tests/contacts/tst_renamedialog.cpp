#include "app/listrecords.h"
#include "contacts/contactssection.h"
#include "contacts/renamedialog.h"
#include "platform/ansitext.h"
#include "tests/support/mainwindowfixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {
const QString M = QStringLiteral(" (Default E-Mail)");
}

class TestRenameDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindowFixture> f;

    QListWidget *addresses() const { return f->list("lstCurEmails"); }
    QString tag() const { return listrecords::tag(f->list("lstEmails")->currentItem()); }

    /// Opens a contact with two addresses, the first the default.
    void open()
    {
        f->writeFile("savedfile.qlt",
                     ansi::encode(QStringLiteral("h\r\n<end of section>\r\nAnn¤Ann¶¶¶a@x.com (Default E-Mail)::"
                                                 "b@y.org::§\r\n<end of section>\r\n<end of section>\r\n"
                                                 "<end of section>\r\n")));
        f->open();
        f->window->section(SectionId::Contacts)->show();
    }

    /// Selects entry row, presses Edit and lets work run inside the dialog.
    void editEntry(int row, const std::function<void(RenameDialog *)> &work)
    {
        addresses()->setCurrentRow(row);
        bool ran = false;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<RenameDialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                if (QWidget *other = QApplication::activeModalWidget())
                    other->close();
                return;
            }
            ran = true;
            work(dialog);
            if (dialog->isVisible()) // a test that left it open closes it
                dialog->reject();
        });
        f->find<QPushButton>("cmdEditEmail")->click();
        QVERIFY(ran);
        QVERIFY(!QApplication::activeModalWidget());
    }
    static QLineEdit *addressBox(RenameDialog *dialog) { return dialog->findChild<QLineEdit *>("txtEmail"); }
    static void retype(RenameDialog *dialog, const QString &text)
    {
        addressBox(dialog)->selectAll();
        QTest::keyClicks(addressBox(dialog), text);
    }

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup() { f.reset(); }

    void looksAndSitsRight()
    {
        open();
        editEntry(0, [this](RenameDialog *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Rename Email"));
            QVERIFY(dialog->isModal());
            QCOMPARE(dialog->size(), QSize(336, 98));
            QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
            QVERIFY(!(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QCOMPARE(dialog->parentWidget(), f->window);
            const QPoint offset = dialog->frameGeometry().center() - f->window->frameGeometry().center();
            QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QString::number(offset.manhattanLength())));
            QCOMPARE(addressBox(dialog)->text(), QStringLiteral("a@x.com"));
            QCOMPARE(dialog->focusWidget(), addressBox(dialog));
            QVERIFY(dialog->findChild<QPushButton *>("cmdOK")->isDefault());
        });
    }

    void acceptWritesEntryBack_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("mailto");
        QTest::newRow("default keeps marker") << 0 << "new@x.com" << QStringList{"new@x.com" + M, "b@y.org"}
                                              << "mailto:new@x.com";
        QTest::newRow("plain stays plain") << 1 << "c@z.net" << QStringList{"a@x.com" + M, "c@z.net"}
                                           << "mailto:a@x.com";
    }
    void acceptWritesEntryBack()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QStringList, entries);
        QFETCH(QString, mailto);
        open();
        editEntry(row, [&](RenameDialog *dialog) {
            retype(dialog, typed);
            QTest::keyClick(addressBox(dialog), Qt::Key_Return);
        });
        QCOMPARE(addresses()->item(0)->text(), entries.at(0));
        QCOMPARE(addresses()->item(1)->text(), entries.at(1));
        QCOMPARE(tag(), "Ann¶¶¶" + entries.join("::") + "::");
        QCOMPARE(f->window->focusWidget(), addresses());
        QVERIFY(f->messages.shown.isEmpty());
        QTest::mouseClick(f->find<QWidget>("arbEmailOE"), Qt::LeftButton);
        QCOMPARE(f->shell.opened, QStringList{mailto});
    }

    void cancelChangesNothing()
    {
        open();
        const QString before = tag();
        editEntry(0, [](RenameDialog *dialog) {
            retype(dialog, "zzz@x.com");
            QTest::keyClick(addressBox(dialog), Qt::Key_Escape);
            QVERIFY(!dialog->isVisible());
        });
        QCOMPARE(addresses()->item(0)->text(), "a@x.com" + M);
        QCOMPARE(tag(), before);
    }

    void invalidAddressAsksAndNoKeepsDialogOpen()
    {
        open();
        const QString before = tag();
        f->messages.answers.enqueue(MessageBoxes::Answer::No);
        editEntry(1, [this](RenameDialog *dialog) {
            retype(dialog, "not an address");
            dialog->findChild<QPushButton *>("cmdOK")->click();
            QCOMPARE(f->messages.shown.size(), 1);
            QCOMPARE(f->messages.shown.first().text,
                     QStringLiteral("the e-mail address you have entered is not a valid internet e-mail "
                                    "address.\nDo you still want to change this e-mail address?"));
            QCOMPARE(f->messages.shown.first().buttons, MessageBoxes::Buttons::YesNo);
            QCOMPARE(f->messages.shown.first().icon, MessageBoxes::Icon::Exclamation);
            QVERIFY(dialog->isVisible());
            QCOMPARE(addressBox(dialog)->text(), QStringLiteral("not an address"));
        });
        QCOMPARE(tag(), before);
    }

    void emptiedDefaultLeavesBareMarker()
    {
        open();
        editEntry(0, [](RenameDialog *dialog) {
            addressBox(dialog)->clear();
            dialog->findChild<QPushButton *>("cmdOK")->click(); // the question is answered Yes
        });
        QCOMPARE(addresses()->item(0)->text(), M);
        QCOMPARE(f->messages.shown.size(), 1);
        QCOMPARE(static_cast<ContactsSection *>(f->window->section(SectionId::Contacts))->GetDefaultEmail(),
                 QString());
    }
};

QTEST_MAIN(TestRenameDialog)
#include "tst_renamedialog.moc"
