#include "store/recordlistmodel.h"
#include "widgets/recordlistview.h"
#include "widgets/section.h"
#include "tests/support/mainwindowfixture.h"
#include "tests/support/uihelpers.h"
#include "websites/websiterecord.h"
#include "widgets/arbutton.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>


namespace {

struct Websites
{
    RecordListView *list;
    QWidget *frame;
    QLineEdit *title;
    QLineEdit *url;
    QPlainTextEdit *description;
    ARButton *remove;
    ARButton *open;

    WebsiteRecord boxes() const { return {title->text(), url->text(), description->toPlainText()}; }
    QString tag(int row) const { return list->records()->tag(row); }
};

Websites chooseWebsites(MainWindowFixture &f)
{
    f.clickPicture("butWeb");
    return {f.list("lstWebsites"), f.find<QWidget>("fraWebsiteIn"), f.find<QLineEdit>("txtWebsite"),
            f.find<QLineEdit>("txtURL"), f.find<QPlainTextEdit>("txtDescription"),
            f.find<ARButton>("arbWebRemove"), f.find<ARButton>("arbWebIE")};
}

Websites openWebsites(MainWindowFixture &f, const QList<Record> &websites = {})
{
    f.openWith(SectionId::Websites, websites);
    return chooseWebsites(f);
}

/// Clicks into a box and types; the box keeps the focus.
void typeInto(QWidget *box, const QString &text)
{
    auto *edit = qobject_cast<QPlainTextEdit *>(box);
    clickAt(edit ? edit->viewport() : box);
    QVERIFY(box->hasFocus());
    QCoreApplication::processEvents(); // select-on-focus happens after the click
    QTest::keyClicks(box, text);
}

} // namespace

class TestWebsites : public QObject
{
    Q_OBJECT
private slots:
    void addTypeOpenRestart()
    {
        MainWindowFixture f;
        Websites w = openWebsites(f);
        QVERIFY(w.frame->isHidden() && !w.remove->isEnabled() && !w.open->isEnabled());

        f.press("arbWebAdd");
        QCOMPARE(captions(w.list), QStringList{"New URL"});
        QVERIFY(captionEditor(w.list) && w.frame->isVisible() && w.remove->isEnabled() && w.open->isEnabled());
        QCOMPARE(w.boxes(), WebsiteRecord());

        typeInto(w.title, QStringLiteral("Tips ¶ tricks"));
        typeInto(w.url, "https://example.org/");
        QCOMPARE(captions(w.list), QStringList{QStringLiteral("Tips ¶ tricks")}); // leaving the title named it
        typeInto(w.description, "First line");
        QTest::keyClick(w.description, Qt::Key_Return);
        QTest::keyClicks(w.description, QStringLiteral("¶"));
        QTest::keyClick(w.description, Qt::Key_Tab); // leaves the box
        const WebsiteRecord typed{QStringLiteral("Tips ¶ tricks"), "https://example.org/",
                           QStringLiteral("First line\r\n¶")};
        QCOMPARE(WebsiteRecord::fromTag(w.tag(0)), typed);

        f.press("arbWebAdd");
        QCOMPARE(w.boxes(), WebsiteRecord()); // a new website starts empty
        f.restart();
        w = chooseWebsites(f);
        QCOMPARE(captions(w.list), (QStringList{QStringLiteral("Tips ¶ tricks"), "New URL"}));
        QCOMPARE(w.tag(1), QString());
        QCOMPARE(w.boxes(), (WebsiteRecord{typed.title, typed.url, QStringLiteral("First line\n¶")}));

        // A box selects its text on focus, so typing replaces it; Open takes what was just typed.
        typeInto(w.url, "www.example.net");
        f.press("arbWebIE");
        QCOMPARE(f.shell.opened, QStringList{"www.example.net"});
        QVERIFY(f.messages.shown.isEmpty());

        clickItem(w.list, 1);
        QCOMPARE(w.boxes(), WebsiteRecord());
        w.list->setFocus();
        QTest::keyClick(w.list, Qt::Key_Up); // the keys show a website as a click does
        QCOMPARE(w.title->text(), QStringLiteral("Tips ¶ tricks"));

        // Save, and closing, take the box still being typed in.
        typeInto(w.url, "www.example.com");
        f.clickPicture("butSave");
        QCOMPARE(f.saved(SectionId::Websites)[0].tag,
                 QStringLiteral("Tips [u+00B6] tricks¶www.example.com¶First line\r\n[u+00B6]"));
        clickItem(w.list, 1);
        typeInto(w.description, "Notes");
        f.close();
        QCOMPARE(f.saved(SectionId::Websites)[1], (Record{"New URL", QStringLiteral("¶¶Notes")}));
    }

    void captionRules_data()
    {
        QTest::addColumn<QString>("inPlace");  // typed into the caption editor, "" for none
        QTest::addColumn<QStringList>("titles"); // typed into the title box, one after another
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tagTitle");
        QTest::newRow("title names it") << "" << QStringList{"First"} << "First" << "First";
        QTest::newRow("only the first title") << "" << QStringList{"First", "Second"} << "First" << "Second";
        QTest::newRow("empty title") << "" << QStringList{""} << "New URL" << "";
        QTest::newRow("named in place") << "Mine" << QStringList{"Title"} << "Mine" << "Title";
        QTest::newRow("named New URL in place") << "New URL" << QStringList{"Title"} << "Title" << "Title";
    }
    void captionRules()
    {
        QFETCH(QString, inPlace);
        QFETCH(QStringList, titles);
        QFETCH(QString, caption);
        QFETCH(QString, tagTitle);
        MainWindowFixture f;
        const Websites w = openWebsites(f);
        f.press("arbWebAdd");
        if (!inPlace.isEmpty()) {
            QLineEdit *editor = captionEditor(w.list);
            editor->selectAll();
            QTest::keyClicks(editor, inPlace);
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents();
            QCOMPARE(captions(w.list), QStringList{inPlace});
            QCOMPARE(w.title->text(), QString()); // the title box is a value of its own
        }
        for (const QString &title : titles) {
            typeInto(w.title, title);
            clickItem(w.list, 0); // leaves the box
        }
        QCOMPARE(captions(w.list), QStringList{caption});
        QCOMPARE(WebsiteRecord::fromTag(w.tag(0)).title, tagTitle);
    }

    void removeAsksFirst()
    {
        MainWindowFixture f;
        const Websites w =
            openWebsites(f, {{"A", QStringLiteral("A¶a.org¶")}, {"B", QStringLiteral("B¶b.org¶about B")}});
        f.messages.answers.enqueue(MessageBoxes::Answer::No);
        f.press("arbWebRemove");
        QCOMPARE(captions(w.list), (QStringList{"A", "B"}));
        QCOMPARE(f.messages.shown.last().buttons, MessageBoxes::Buttons::YesNo);

        f.press("arbWebRemove");
        QCOMPARE(captions(w.list), QStringList{"B"});
        QVERIFY(w.list->selectionModel()->isSelected(w.list->currentIndex()) && w.list->hasFocus());
        QCOMPARE(w.boxes(), (WebsiteRecord{"B", "b.org", "about B"}));

        typeInto(w.url, "typed, then removed"); // the box is committed before the removal
        f.press("arbWebRemove");
        QCOMPARE(w.list->count(), 0);
        QVERIFY(!w.remove->isEnabled() && !w.open->isEnabled() && w.frame->isHidden());
        QCOMPARE(w.boxes(), WebsiteRecord());
        f.clickPicture("butSave");
        QCOMPARE(f.saved(SectionId::Websites), QList<Record>()); // leaving nothing behind
    }

    void open_data()
    {
        QTest::addColumn<QString>("url"); // "" for a never edited website (empty tag)
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<Shell::Result>("answer");
        QTest::addColumn<QString>("question"); // what the "Open" question names, "" for none
        QTest::addColumn<bool>("yes");
        const QString good = QStringLiteral(" https://example.org/a b "); // handed on as typed
        for (bool dbl : {false, true}) {
            const char *how = dbl ? "double click" : "button";
            QTest::addRow("%s, empty tag", how) << "" << dbl << Shell::Result::Opened << "" << true;
            QTest::addRow("%s, good URL", how) << good << dbl << Shell::Result::Opened << "" << true;
            QTest::addRow("%s, refused", how) << "not a url" << dbl << Shell::Result::NotFound << "" << true;
            QTest::addRow("%s, other failure", how) << good << dbl << Shell::Result::Failed << "" << true;
            QTest::addRow("%s, file, %s", how, dbl ? "No" : "Yes")
                << "file:///tmp/x.desktop" << dbl << Shell::Result::Opened << "/tmp/x.desktop" << !dbl;
        }
        QTest::newRow("long data") << "data:," + QString(400, 'x') << false << Shell::Result::Opened
                                   << "data:," + QString(144, 'x') + QChar(0x2026) << false;
    }
    void open()
    {
        QFETCH(QString, url);
        QFETCH(bool, doubleClick);
        QFETCH(Shell::Result, answer);
        QFETCH(QString, question);
        QFETCH(bool, yes);
        const bool wrongFormat = answer == Shell::Result::NotFound; // only a refused text is reported
        const QString tag = url.isEmpty() ? QString() : "Site¶" + url + QStringLiteral("¶");
        MainWindowFixture f;
        const Websites w = openWebsites(f, {{"Site", tag}});
        f.shell.result = answer;
        f.messages.answers.enqueue(yes ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No);
        if (doubleClick)
            clickItem(w.list, 0, true);
        else
            f.press("arbWebIE");
        QCOMPARE(f.shell.opened, url.isEmpty() || !yes ? QStringList() : QStringList{url});
        QCOMPARE(f.messages.shown.size(), wrongFormat || !question.isEmpty() ? 1 : 0);
        if (wrongFormat) {
            QCOMPARE(f.messages.shown[0].title, QStringLiteral("Wrong URL Format"));
            QCOMPARE(f.messages.shown[0].text, QStringLiteral("This URL does not seem to be in correct format."));
        } else if (!question.isEmpty()) {
            QCOMPARE(f.messages.shown[0].title, QStringLiteral("Open"));
            QCOMPARE(f.messages.shown[0].buttons, MessageBoxes::Buttons::YesNoDefaultNo);
            QVERIFY2(f.messages.shown[0].text.contains("\n" + question), qPrintable(f.messages.shown[0].text));
        }
        QCOMPARE(w.tag(0), tag); // the record is unchanged
        QVERIFY(!captionEditor(w.list)); // a double click opens, it does not rename
    }
};

QTEST_MAIN(TestWebsites)
#include "tst_websites.moc"
