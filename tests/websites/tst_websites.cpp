#include "app/listrecords.h"
#include "app/section.h"
#include "tests/support/mainwindowfixture.h"
#include "websites/websiterecord.h"
#include "widgets/arbutton.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

using websiterecord::Fields;

namespace {

void chooseWebsites(MainWindowFixture &f)
{
    QTest::mouseMove(f.find<QWidget>("butWeb"), QPoint(10, 10));
    QTest::mouseClick(f.find<QWidget>("butWeb_h"), Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(f.find<QWidget>("fraWebsite")->isVisible());
}

void press(MainWindowFixture &f, const QString &arButton)
{
    QTest::mouseClick(f.find<ARButton>(arButton), Qt::LeftButton);
}

void pressSave(MainWindowFixture &f)
{
    QTest::mouseMove(f.find<QWidget>("butSave"), QPoint(10, 10));
    QTest::mouseClick(f.find<QWidget>("butSave_h"), Qt::LeftButton, {}, QPoint(10, 10));
}

QLineEdit *captionEditor(QListWidget *list)
{
    return qobject_cast<QLineEdit *>(list->indexWidget(list->currentIndex()));
}

QPoint centreOf(QListWidget *list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

void clickItem(QListWidget *list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOf(list, row));
}

void doubleClickItem(QListWidget *list, int row)
{
    // A double click reaches a list as press, release, double-click press, release.
    clickItem(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centreOf(list, row));
}

/// Clicks into a box and types; the box keeps the focus.
void typeInto(QWidget *box, const QString &text)
{
    QWidget *target = box;
    if (auto *edit = qobject_cast<QPlainTextEdit *>(box))
        target = edit->viewport();
    QTest::mouseClick(target, Qt::LeftButton);
    QVERIFY(box->hasFocus());
    QCoreApplication::processEvents(); // select-on-focus happens after the click
    QTest::keyClicks(box, text);
}

void writeWebsites(MainWindowFixture &f, const QList<Record> &websites)
{
    DataFileContent content;
    content[SectionId::Websites] = websites;
    f.writeFile("savedfile.qlt", serializeDataFile(content));
}

QList<Record> savedWebsites(const MainWindowFixture &f)
{
    return parseDataFile(f.readFile("savedfile.qlt")).content[SectionId::Websites];
}

struct Websites
{
    QListWidget *list;
    QWidget *frame;
    QLineEdit *title;
    QLineEdit *url;
    QPlainTextEdit *description;
    ARButton *remove;
    ARButton *open;

    Fields boxes() const { return {title->text(), url->text(), description->toPlainText()}; }
    QString tag(int row) const { return listrecords::tag(list->item(row)); }
    QString caption(int row) const { return list->item(row)->text(); }
};

Websites websitesOf(const MainWindowFixture &f)
{
    return {f.list("lstWebsites"),          f.find<QWidget>("fraWebsiteIn"),
            f.find<QLineEdit>("txtWebsite"), f.find<QLineEdit>("txtURL"),
            f.find<QPlainTextEdit>("txtDescription"), f.find<ARButton>("arbWebRemove"),
            f.find<ARButton>("arbWebIE")};
}

} // namespace

class TestWebsites : public QObject
{
    Q_OBJECT
private slots:
    void tagFields_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("writtenBack"); // toTag gives the same tag again
        QTest::newRow("never edited") << "" << "" << "" << "" << false;
        QTest::newRow("three empty fields") << QStringLiteral("¶¶") << "" << "" << "" << true;
        QTest::newRow("worked example") << QStringLiteral("Home page¶C:\\Docs\\index.htm¶Start page")
                                        << "Home page" << "C:\\Docs\\index.htm" << "Start page" << true;
        QTest::newRow("description lines") << QStringLiteral("T¶u¶one\r\ntwo") << "T" << "u" << "one\r\ntwo" << true;
        QTest::newRow("pilcrow in the title") << QStringLiteral("A [u+00B6] B¶u¶d") << QStringLiteral("A ¶ B")
                                              << "u" << "d" << true;
        QTest::newRow("fields missing") << QStringLiteral("Only title") << "Only title" << "" << "" << false;
        QTest::newRow("a field too many") << QStringLiteral("t¶u¶d¶extra") << "t" << "u" << "d" << false;
    }
    void tagFields()
    {
        QFETCH(QString, tag);
        QFETCH(QString, title);
        QFETCH(QString, url);
        QFETCH(QString, description);
        QFETCH(bool, writtenBack);
        const Fields fields{title, url, description};
        QCOMPARE(websiterecord::fromTag(tag), fields);
        if (writtenBack)
            QCOMPARE(websiterecord::toTag(fields), tag);
    }

    void urlToOpen_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("url");
        QTest::newRow("empty tag") << "" << false << "";
        QTest::newRow("two fields") << QStringLiteral("t¶www.example.org") << false << "";
        QTest::newRow("empty URL") << QStringLiteral("t¶¶d") << true << "";
        QTest::newRow("as typed") << QStringLiteral("t¶ www.example.org/a b ¶d") << true << " www.example.org/a b ";
        QTest::newRow("pilcrow in URL") << QStringLiteral("t¶x[u+00B6]y¶d") << true << QStringLiteral("x¶y");
    }
    void urlToOpen()
    {
        QFETCH(QString, tag);
        QFETCH(bool, opens);
        QFETCH(QString, url);
        const auto found = websiterecord::urlToOpen(tag);
        QCOMPARE(found.has_value(), opens);
        if (opens)
            QCOMPARE(*found, url);
    }

    void addOnAnEmptyList()
    {
        MainWindowFixture f;
        f.open();
        chooseWebsites(f);
        const Websites w = websitesOf(f);
        QVERIFY(w.frame->isHidden());
        QVERIFY(!w.remove->isEnabled());
        QVERIFY(!w.open->isEnabled());

        press(f, "arbWebAdd");
        QCOMPARE(w.list->count(), 1);
        QCOMPARE(w.caption(0), QStringLiteral("New URL"));
        QCOMPARE(listrecords::iconKey(w.list->item(0)), QStringLiteral("Web"));
        QCOMPARE(w.tag(0), QString());
        QCOMPARE(w.list->currentRow(), 0);
        QVERIFY(captionEditor(w.list));
        QVERIFY(w.frame->isVisible());
        QCOMPARE(w.boxes(), Fields());
        QVERIFY(w.remove->isEnabled());
        QVERIFY(w.open->isEnabled());
    }

    void addTypeLeaveSaveRestart()
    {
        MainWindowFixture f;
        f.open();
        chooseWebsites(f);
        Websites w = websitesOf(f);
        press(f, "arbWebAdd");
        typeInto(w.title, "Example");
        typeInto(w.url, "https://example.org/");
        QCOMPARE(w.caption(0), QStringLiteral("Example")); // leaving the title named it
        typeInto(w.description, "First line");
        QTest::keyClick(w.description, Qt::Key_Return);
        QTest::keyClicks(w.description, "Second line");
        QTest::keyClick(w.description, Qt::Key_Tab); // leaves the box
        QVERIFY(!w.description->hasFocus());
        QCOMPARE(w.tag(0), QStringLiteral("Example¶https://example.org/¶First line\r\nSecond line"));

        press(f, "arbWebAdd");
        QCOMPARE(w.boxes(), Fields()); // a new website starts empty
        f.restart();

        w = websitesOf(f);
        QCOMPARE(w.list->count(), 2);
        QCOMPARE(w.caption(0), QStringLiteral("Example"));
        QCOMPARE(w.tag(0), QStringLiteral("Example¶https://example.org/¶First line\r\nSecond line"));
        QCOMPARE(w.caption(1), QStringLiteral("New URL"));
        QCOMPARE(w.tag(1), QString());
        QVERIFY(!w.frame->isHidden());
        QCOMPARE(w.boxes(), (Fields{"Example", "https://example.org/", "First line\nSecond line"}));

        chooseWebsites(f);
        clickItem(w.list, 1);
        QCOMPARE(w.boxes(), Fields());
        w.list->setFocus();
        QTest::keyClick(w.list, Qt::Key_Up); // the keys show a website as a click does
        QCOMPARE(w.title->text(), QStringLiteral("Example"));
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
        f.open();
        chooseWebsites(f);
        const Websites w = websitesOf(f);
        press(f, "arbWebAdd");
        if (!inPlace.isEmpty()) {
            QLineEdit *editor = captionEditor(w.list);
            editor->selectAll();
            QTest::keyClicks(editor, inPlace);
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents();
            QCOMPARE(w.caption(0), inPlace);
            QCOMPARE(w.title->text(), QString()); // the title box is a value of its own
        }
        for (const QString &title : titles) {
            typeInto(w.title, title);
            if (title.isEmpty())
                w.title->clear();
            clickItem(w.list, 0); // leaves the box
            QVERIFY(!w.title->hasFocus());
        }
        QCOMPARE(w.caption(0), caption);
        QCOMPARE(websiterecord::fromTag(w.tag(0)).title, tagTitle);
    }

    void boxStillFocusedIsSaved_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("byClosing");
        QTest::addColumn<Record>("saved");
        const Record titled{"Example", QStringLiteral("Example¶¶")};
        const Record withUrl{"New URL", QStringLiteral("¶www.example.org¶")};
        const Record described{"New URL", QStringLiteral("¶¶Notes")};
        QTest::newRow("title, Save") << "txtWebsite" << false << titled;
        QTest::newRow("URL, Save") << "txtURL" << false << withUrl;
        QTest::newRow("description, Save") << "txtDescription" << false << described;
        QTest::newRow("title, close") << "txtWebsite" << true << titled;
        QTest::newRow("URL, close") << "txtURL" << true << withUrl;
    }
    void boxStillFocusedIsSaved()
    {
        QFETCH(QString, box);
        QFETCH(bool, byClosing);
        QFETCH(Record, saved);
        MainWindowFixture f;
        f.open();
        chooseWebsites(f);
        press(f, "arbWebAdd");
        QWidget *field = f.find<QWidget>(box);
        typeInto(field, box == "txtWebsite" ? "Example" : box == "txtURL" ? "www.example.org" : "Notes");
        QVERIFY(field->hasFocus());
        if (byClosing)
            f.close();
        else
            pressSave(f);
        QCOMPARE(savedWebsites(f), QList<Record>{saved});
    }

    void pilcrowInAFieldStaysInIt()
    {
        MainWindowFixture f;
        f.open();
        chooseWebsites(f);
        Websites w = websitesOf(f);
        press(f, "arbWebAdd");
        typeInto(w.title, QStringLiteral("Tips ¶ tricks"));
        typeInto(w.url, "www.example.org");
        typeInto(w.description, QStringLiteral("¶"));
        f.restart();
        w = websitesOf(f);
        QCOMPARE(w.caption(0), QStringLiteral("Tips ¶ tricks"));
        QCOMPARE(w.boxes(), (Fields{QStringLiteral("Tips ¶ tricks"), "www.example.org", QStringLiteral("¶")}));
    }

    void remove_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("No") << false << QStringList{"A", "B"};
        QTest::newRow("Yes") << true << QStringList{"B"};
    }
    void remove()
    {
        QFETCH(bool, yes);
        QFETCH(QStringList, left);
        MainWindowFixture f;
        writeWebsites(f, {{"A", QStringLiteral("A¶a.org¶")}, {"B", QStringLiteral("B¶b.org¶about B")}});
        f.open();
        chooseWebsites(f);
        const Websites w = websitesOf(f);
        f.messages.answers.enqueue(yes ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No);
        press(f, "arbWebRemove");

        QCOMPARE(f.messages.shown.size(), 1);
        const auto &box = f.messages.shown[0];
        QCOMPARE(box.title, QStringLiteral("Confirm"));
        QCOMPARE(box.buttons, MessageBoxes::Buttons::YesNo);
        QCOMPARE(box.icon, MessageBoxes::Icon::Question);
        QStringList captions;
        for (int i = 0; i < w.list->count(); ++i)
            captions << w.caption(i);
        QCOMPARE(captions, left);
        QVERIFY(w.list->currentItem()->isSelected());
        QCOMPARE(w.title->text(), left[0]);
        QVERIFY(w.list->hasFocus());
        QVERIFY(w.frame->isVisible());
    }

    void removingTheLastWebsite()
    {
        MainWindowFixture f;
        writeWebsites(f, {{"Only", QStringLiteral("Only¶only.org¶text")}});
        f.open();
        chooseWebsites(f);
        const Websites w = websitesOf(f);
        QCOMPARE(w.url->text(), QStringLiteral("only.org"));
        typeInto(w.url, "typed, then removed"); // the box is committed before the removal
        press(f, "arbWebRemove");

        QCOMPARE(w.list->count(), 0);
        QVERIFY(!w.remove->isEnabled());
        QVERIFY(!w.open->isEnabled());
        QVERIFY(w.frame->isHidden());
        QCOMPARE(w.boxes(), Fields());
        pressSave(f);
        QCOMPARE(savedWebsites(f), QList<Record>()); // leaving nothing behind
    }

    void open_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<Shell::Result>("answer");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<bool>("wrongFormat");
        const QString good = QStringLiteral("Example¶https://example.org/¶");
        const QString refused = QStringLiteral("Odd¶not a url¶");
        for (bool dbl : {false, true}) {
            const char *how = dbl ? "double click" : "button";
            QTest::addRow("%s, empty tag", how) << "" << dbl << Shell::Result::Opened << QStringList() << false;
            QTest::addRow("%s, good URL", how) << good << dbl << Shell::Result::Opened
                                               << QStringList{"https://example.org/"} << false;
            QTest::addRow("%s, refused", how) << refused << dbl << Shell::Result::NotFound
                                              << QStringList{"not a url"} << true;
            QTest::addRow("%s, other failure", how) << good << dbl << Shell::Result::Failed
                                                    << QStringList{"https://example.org/"} << false;
        }
    }
    void open()
    {
        QFETCH(QString, tag);
        QFETCH(bool, doubleClick);
        QFETCH(Shell::Result, answer);
        QFETCH(QStringList, opened);
        QFETCH(bool, wrongFormat);
        MainWindowFixture f;
        writeWebsites(f, {{"Site", tag}});
        f.open();
        chooseWebsites(f);
        const Websites w = websitesOf(f);
        f.shell.result = answer;
        if (doubleClick)
            doubleClickItem(w.list, 0);
        else
            press(f, "arbWebIE");
        QCOMPARE(f.shell.opened, opened);
        QCOMPARE(f.messages.shown.size(), wrongFormat ? 1 : 0);
        if (wrongFormat) {
            const auto &box = f.messages.shown[0];
            QCOMPARE(box.text, QStringLiteral("This URL does not seem to be in correct format."));
            QCOMPARE(box.title, QStringLiteral("Wrong URL Format"));
            QCOMPARE(box.buttons, MessageBoxes::Buttons::Ok);
            QCOMPARE(box.icon, MessageBoxes::Icon::Exclamation);
        }
        QCOMPARE(w.tag(0), tag); // the record is unchanged
        QVERIFY(!captionEditor(w.list)); // a double click opens, it does not rename
    }

    void openUsesWhatWasJustTyped()
    {
        MainWindowFixture f;
        f.open();
        chooseWebsites(f);
        const Websites w = websitesOf(f);
        press(f, "arbWebAdd");
        press(f, "arbWebIE"); // never edited: nothing to open
        QVERIFY(f.shell.opened.isEmpty());
        typeInto(w.url, "www.example.org");
        press(f, "arbWebIE"); // the click leaves the box first
        QCOMPARE(f.shell.opened, QStringList{"www.example.org"});
        QVERIFY(f.messages.shown.isEmpty());
    }

    void boxesSelectTheirTextOnFocus()
    {
        MainWindowFixture f;
        writeWebsites(f, {{"Site", QStringLiteral("My title¶my.url¶")}});
        f.open();
        chooseWebsites(f);
        const Websites w = websitesOf(f);
        for (QLineEdit *box : {w.title, w.url}) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(3, 5));
            QCoreApplication::processEvents();
            QCOMPARE(box->selectedText(), box->text());
        }
        QTest::keyClicks(w.url, "new.url"); // the next key replaces it
        QCOMPARE(w.url->text(), QStringLiteral("new.url"));
    }
};

QTEST_MAIN(TestWebsites)
#include "tst_websites.moc"
