// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/websiterecord.h"
#include "tests/support/guitest.h"

#include <QPlainTextEdit>

// Adding, removing and what a click leaves are walked for every section in tst_sectionflows.
class TestWebsites : public WindowTest
{
    Q_OBJECT

    RecordListView *list = nullptr;
    QLineEdit *title = nullptr;
    QLineEdit *url = nullptr;
    QPlainTextEdit *description = nullptr;

    void openWebsites(const QList<Record> &websites = {})
    {
        if (!f->window)
            f->openWith(SectionId::Websites, websites);
        f->clickPicture("butWeb");
        list = f->list("lstWebsites");
        title = f->find<QLineEdit>("txtWebsite");
        url = f->find<QLineEdit>("txtURL");
        description = f->find<QPlainTextEdit>("txtDescription");
    }
    WebsiteRecord boxes() const { return {title->text(), url->text(), description->toPlainText()}; }
    QString tag(int row) const { return list->records()->tag(row); }
    /// Clicks into a box and types; the box keeps the focus.
    static void typeInto(QWidget *box, const QString &text)
    {
        auto *edit = qobject_cast<QPlainTextEdit *>(box);
        clickAt(edit ? edit->viewport() : box);
        QVERIFY(box->hasFocus());
        QCoreApplication::processEvents(); // select-on-focus happens after the click
        QTest::keyClicks(box, text);
    }

private slots:
    void addTypeOpenRestart()
    {
        openWebsites();
        f->press("arbWebAdd");

        typeInto(title, "Tips");
        typeInto(url, "https://example.org/");
        QCOMPARE(captions(list), QStringList{"Tips"}); // leaving the title named it
        typeInto(description, "First line");
        QTest::keyClick(description, Qt::Key_Return);
        QTest::keyClicks(description, "second");
        QTest::keyClick(description, Qt::Key_Tab); // leaves the box
        QCOMPARE(tag(0), QStringLiteral("Tips¶https://example.org/¶First line\r\nsecond"));
        f->press("arbWebAdd");
        QCOMPARE(boxes(), WebsiteRecord()); // a new website starts empty
        f->restart();
        openWebsites();
        QCOMPARE(captions(list), (QStringList{"Tips", "New URL"}));
        QCOMPARE(tag(1), QString());
        QCOMPARE(boxes(), (WebsiteRecord{"Tips", "https://example.org/", "First line\nsecond"}));

        // A box selects its text on focus, so typing replaces it; Open takes what was just typed.
        typeInto(url, "www.example.net");
        f->press("arbWebIE");
        QCOMPARE(f->shell.opened, QStringList{"www.example.net"});
        QVERIFY(f->messages.shown.isEmpty());
    }

    // Leaving the title box names a website only while it still has the caption it was added with.
    void captionAfterTitle_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("after");
        QTest::newRow("new website") << "New URL" << "First" << "First";
        QTest::newRow("named since") << "First" << "Second" << "First";
        QTest::newRow("named New URL in place") << "New URL" << "Title" << "Title";
        QTest::newRow("empty title") << "New URL" << "" << "New URL";
        QTest::newRow("blank title") << "New URL" << "  \t " << "New URL";
        QTest::newRow("placeholder is exact") << "new url" << "Title" << "new url";
    }
    void captionAfterTitle()
    {
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QTEST(websiterecord::captionAfterTitle(caption, title), "after");
    }

    void open_data()
    {
        QTest::addColumn<QString>("url"); // "" for a never edited website (empty tag)
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<Shell::Result>("answer");
        QTest::addColumn<QStringList>("boxes"); // the "Open" question is answered by yes
        QTest::addColumn<bool>("yes");
        const QString good = QStringLiteral(" https://example.org/a b "); // handed on as typed
        const QString ask = "Open: This is not a web or e-mail address, and opening it may start a program:\n\n%1\n\nOpen it?";
        for (bool dbl : {false, true}) {
            const char *how = dbl ? "double click" : "button";
            QTest::addRow("%s, empty tag", how) << "" << dbl << Shell::Result::Opened << QStringList() << true;
            QTest::addRow("%s, good URL", how) << good << dbl << Shell::Result::Opened << QStringList() << true;
            QTest::addRow("%s, refused", how) << "not a url" << dbl << Shell::Result::NotFound
                                              << QStringList{"Wrong URL Format: This URL does not seem to be in correct format."} << true;
            QTest::addRow("%s, other failure", how) << good << dbl << Shell::Result::Failed << QStringList() << true;
            QTest::addRow("%s, file, %s", how, dbl ? "No" : "Yes")
                << "file:///tmp/x.desktop" << dbl << Shell::Result::Opened << QStringList{ask.arg("/tmp/x.desktop")} << !dbl;
        }
        QTest::newRow("long data") << "data:," + QString(400, 'x') << false << Shell::Result::Opened
                                   << QStringList{ask.arg("data:," + QString(144, 'x') + QChar(0x2026) + QString(150, 'x'))} << false;
    }
    void open()
    {
        QFETCH(QString, url);
        QFETCH(bool, doubleClick);
        QFETCH(bool, yes);
        const QString stored = url.isEmpty() ? QString() : "Site¶" + url + QStringLiteral("¶");
        openWebsites({{"Site", stored}});
        QFETCH(Shell::Result, answer);
        f->shell.result = answer;
        f->messages.answers.enqueue(yes ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No);
        if (doubleClick)
            clickItem(list, 0, true);
        else
            f->press("arbWebIE");
        QCOMPARE(f->shell.opened, url.isEmpty() || !yes ? QStringList() : QStringList{url});
        QTEST(f->messages.texts(), "boxes");
        for (const FakeMessageBoxes::Shown &box : f->messages.shown) // opening is never the default
            QVERIFY(box.title != "Open" || box.buttons == MessageBoxes::Buttons::YesNoDefaultNo);
        QCOMPARE(tag(0), stored); // the record is unchanged
        QVERIFY(!captionEditor(list)); // a double click opens, it does not rename
    }
};

QTEST_MAIN(TestWebsites)
#include "tst_websites.moc"
