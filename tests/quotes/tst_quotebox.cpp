#include "quotes/newquotedialog.h"
#include "quotes/quotebox.h"
#include "quotes/quotedialog.h"
#include "tests/support/mainwindowfixture.h"
#include "tests/support/uihelpers.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

bool active(QuoteBox *box, const char *timer)
{
    return box->findChild<QTimer *>(QLatin1String(timer))->isActive();
}

/// One whole change of quote, as the timers would run it.
void runChange(QuoteBox *box)
{
    box->changeQuoteTick();
    for (int tick = 0; tick < 24; ++tick)
        active(box, "tmrFadeOut") ? box->fadeOutTick() : box->fadeInTick();
    QVERIFY(!active(box, "tmrFadeOut") && !active(box, "tmrFadeIn"));
}

QStringList items(QWidget *dialog)
{
    return captions(dialog->findChild<QListWidget *>("lstQuotes"));
}

void click(QWidget *dialog, const char *name)
{
    QTest::mouseClick(dialog->findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
}

void select(QWidget *dialog, int row)
{
    dialog->findChild<QListWidget *>("lstQuotes")->setCurrentRow(row);
}

/// Presses a button of the editor that opens the one-line dialog, types text there and presses
/// OK; gives back the text the dialog showed first.
QString enterQuote(QWidget *editor, const char *button, const QString &text)
{
    QString shown = QStringLiteral("(no dialog)");
    whenModal([&](QWidget *modal) {
        if (auto *newQuote = qobject_cast<NewQuoteDialog *>(modal)) {
            auto *box = newQuote->findChild<QLineEdit *>("txtQuote");
            shown = box->text();
            box->setText(text);
            click(newQuote, "cmdOK"); // enabled from the start when editing: the text counts as typed
        }
    });
    click(editor, button);
    return shown;
}

/// Clicks the quote and runs what in the editor that opens.
void editQuotes(QuoteBox *box, const std::function<void(QWidget *)> &what)
{
    whenModal([what](QWidget *modal) {
        if (modal)
            what(modal);
    });
    QTest::mouseClick(box->label(), Qt::LeftButton);
    QVERIFY(!QApplication::activeModalWidget());
}

const QString kOdd = QStringLiteral("Déjà — 你 😀 [u+0041]");

} // namespace

class TestQuoteBox : public QObject
{
    Q_OBJECT
private slots:
    void fadesTickByTick()
    {
        MainWindowFixture fixture;
        fixture.writeFile("quotes.txt", "First\r\nSecond\r\n");
        fixture.open(false);
        QuoteBox *box = fixture.window->quoteBox();
        QVERIFY(active(box, "tmrFadeOut")); // the start-up begins the first change
        const QList<QColor> shades = {{255, 255, 255}, {230, 238, 243}, {204, 220, 230}, {179, 203, 217},
                                      {153, 185, 205}, {128, 167, 192}, {102, 149, 172}, {77, 132, 168},
                                      {51, 114, 154},  {26, 97, 142},   {0, 79, 129}};
        for (const QColor &shade : shades) {
            box->fadeOutTick();
            QCOMPARE(box->textColour(), shade);
            QCOMPARE(box->label()->text(), QString());
        }
        box->fadeOutTick();
        QCOMPARE(box->label()->text(), QStringLiteral("First"));
        QVERIFY(!active(box, "tmrFadeOut") && active(box, "tmrFadeIn"));
        for (auto shade = shades.crbegin(); shade != shades.crend(); ++shade) {
            box->fadeInTick();
            QCOMPARE(box->textColour(), *shade);
        }
        box->fadeInTick();
        QVERIFY(!active(box, "tmrFadeIn"));
    }

    void rotation_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("file order, then again") << QByteArray("1\r\n2\r\n3\r\n") << QStringList{"1", "2", "3", "1"};
        QTest::newRow("empty line, no last break") << QByteArray("1\r\n\r\n3") << QStringList{"1", "", "3", "1"};
        QTest::newRow("empty file") << QByteArray() << QStringList{"", ""};
        QTest::newRow("missing file") << QByteArray("-") << QStringList{"", ""};
    }
    void rotation()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, shown);
        MainWindowFixture fixture;
        if (file != "-")
            fixture.writeFile("quotes.txt", file);
        fixture.open(false);
        for (const QString &quote : shown) {
            runChange(fixture.window->quoteBox());
            QCOMPARE(fixture.window->quoteBox()->label()->text(), quote);
        }
        QVERIFY(fixture.messages.shown.isEmpty());
    }

    void removeSelectsTheQuoteBefore()
    {
        MainWindowFixture fixture;
        fixture.writeFile("quotes.txt", "A\r\nB\r\nC\r\nD\r\nE\r\n");
        QuoteDialog editor(fixture.services, nullptr);
        QVERIFY(editor.load());
        auto *remove = editor.findChild<QPushButton *>("cmdRemove");
        QVERIFY(!remove->isEnabled()); // nothing selected yet
        const auto removeRow = [&](int row, const QStringList &after, int selected) {
            select(&editor, row);
            click(&editor, "cmdRemove");
            QCOMPARE(items(&editor), after);
            QCOMPARE(editor.selectedIndex(), selected);
        };
        removeRow(2, {"A", "B", "D", "E"}, 1); // middle
        removeRow(3, {"A", "B", "D"}, 2); // last
        removeRow(0, {"B", "D"}, 0); // first
        removeRow(1, {"B"}, 0);
        QVERIFY(remove->isEnabled());
        editor.show(); // a click below the quotes leaves none to remove
        auto *quotes = editor.findChild<QListWidget *>("lstQuotes");
        clickAt(quotes->viewport(), QPoint(20, quotes->viewport()->height() - 10));
        QVERIFY(!remove->isEnabled() && !editor.findChild<QPushButton *>("cmdEdit")->isEnabled());
        removeRow(0, {}, -1); // the only one left
        QVERIFY(!remove->isEnabled() && !editor.findChild<QPushButton *>("cmdEdit")->isEnabled());
    }

    void cancelKeepsAllOkRewritesTheFile_data()
    {
        QTest::addColumn<bool>("apart");
        QTest::newRow("data in the program folder") << false;
        QTest::newRow("data folder apart: shipped list read, edits kept there") << true;
    }
    void cancelKeepsAllOkRewritesTheFile()
    {
        QFETCH(bool, apart);
        MainWindowFixture fixture;
        QTemporaryDir data;
        if (apart)
            fixture.services.dataFolder = data.path();
        const QByteArray file("1\r\n2\r\n3\r\n4\r\n");
        fixture.writeFile("quotes.txt", file);
        fixture.open();
        QuoteBox *box = fixture.window->quoteBox();
        runChange(box);
        editQuotes(box, [](QWidget *editor) {
            select(editor, 0);
            click(editor, "cmdRemove");
            enterQuote(editor, "cmdAdd", "Added");
            QCOMPARE(items(editor), (QStringList{"2", "3", "4", "Added"}));
            click(editor, "cmdCancel");
        });
        QCOMPARE(fixture.readFile("quotes.txt"), file);
        runChange(box);
        QCOMPARE(box->label()->text(), QStringLiteral("2"));
        editQuotes(box, [](QWidget *editor) {
            select(editor, 1);
            click(editor, "cmdRemove");
            QCOMPARE(enterQuote(editor, "cmdAdd", kOdd), QString());
            select(editor, 0);
            QCOMPARE(enterQuote(editor, "cmdEdit", QStringLiteral("One")), QStringLiteral("1"));
            QCOMPARE(items(editor), (QStringList{"One", "3", "4", kOdd}));
            click(editor, "cmdOK");
        });
        // Beyond the code page, characters are written as escapes; text that looks like one too.
        QFile edited(fixture.services.dataPath("quotes.txt"));
        QVERIFY(edited.open(QIODevice::ReadOnly));
        QCOMPARE(edited.readAll(),
                 QByteArray("One\r\n3\r\n4\r\nD\xe9j\xe0 \x97 [u+4F60] [u+D83D][u+DE00] [u+005B]u+0041]\r\n"));
        if (apart)
            QCOMPARE(fixture.readFile("quotes.txt"), file); // the shipped list stays as shipped
        QCOMPARE(box->label()->text(), QStringLiteral("2")); // until the next change
        for (const QString &quote : QStringList{"One", "3", "4", kOdd, "One"}) {
            runChange(box);
            QCOMPARE(box->label()->text(), quote);
        }
    }

    void failedReadOrSaveKeepsFileAndEdits()
    {
        MainWindowFixture fixture;
        // A folder standing where the file should be can be neither read nor replaced.
        const QString path = fixture.services.path("quotes.txt");
        QVERIFY(QDir().mkpath(path + "/inside"));
        QuoteDialog editor(fixture.services, nullptr);
        QVERIFY(!editor.load()); // reported, and never offered for editing:
        QCOMPARE(fixture.messages.shown.size(), 1);
        QCOMPARE(editor.run(), int(QDialog::Rejected));

        QVERIFY(QDir(path).removeRecursively());
        fixture.writeFile("quotes.txt", "One\r\n");
        QVERIFY(editor.load());
        editor.findChild<QListWidget *>("lstQuotes")->addItem("Two");
        QVERIFY(QFile::remove(path) && QDir().mkpath(path + "/inside"));
        const qsizetype boxes = fixture.messages.shown.size();
        editor.accept();
        QCOMPARE(fixture.messages.shown.size(), boxes + 1);
        QVERIFY(fixture.messages.shown.last().text.contains("Error description: "));
        QCOMPARE(editor.result(), int(QDialog::Rejected));
        QVERIFY(QFileInfo(path + "/inside").isDir());

        QVERIFY(QDir(path).removeRecursively());
        editor.accept();
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(fixture.readFile("quotes.txt"), QByteArray("One\r\nTwo\r\n"));

        // Changed elsewhere since: that version is kept aside, byte for byte, and named.
        fixture.writeFile("quotes.txt", "Six\r\nTwo\r\n");
        editor.accept();
        const QStringList copies = QDir(fixture.folder.path()).entryList({"quotes.txt.conflict-*"});
        QCOMPARE(copies.size(), 1);
        QCOMPARE(fixture.readFile(copies[0]), QByteArray("Six\r\nTwo\r\n"));
        QCOMPARE(fixture.readFile("quotes.txt"), QByteArray("One\r\nTwo\r\n"));
        QVERIFY(fixture.messages.shown.last().text.contains(copies[0]));
    }

};

QTEST_MAIN(TestQuoteBox)
#include "tst_quotebox.moc"
