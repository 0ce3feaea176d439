// SPDX-License-Identifier: GPL-3.0-or-later
#include "quotes/newquotedialog.h"
#include "quotes/quotebox.h"
#include "quotes/quotedialog.h"
#include "tests/support/guitest.h"

#include <QListWidget>

namespace {

bool active(QuoteBox *box, const char *timer) { return box->findChild<QTimer *>(QLatin1String(timer))->isActive(); }

/// One whole change of quote, as the timers would run it.
void runChange(QuoteBox *box)
{
    box->changeQuoteTick();
    for (int tick = 0; tick < 24; ++tick)
        active(box, "tmrFadeOut") ? box->fadeOutTick() : box->fadeInTick();
    QVERIFY(!active(box, "tmrFadeOut") && !active(box, "tmrFadeIn"));
    QCOMPARE(box->textColour(), QColor(255, 255, 255)); // faded fully back in, readable again
}

QStringList items(QWidget *dialog) { return captions(dialog->findChild<QListWidget *>("lstQuotes")); }
void select(QWidget *dialog, int row) { dialog->findChild<QListWidget *>("lstQuotes")->setCurrentRow(row); }
void click(QWidget *dialog, const char *name)
{
    QTest::mouseClick(dialog->findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
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

class TestQuoteBox : public WindowTest
{
    Q_OBJECT
private slots:
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
        if (file != "-")
            f->writeFile("quotes.txt", file);
        f->open(false);
        for (const QString &quote : shown) {
            runChange(f->window->quoteBox());
            QCOMPARE(f->window->quoteBox()->label()->text(), quote);
        }
        QVERIFY(f->messages.shown.isEmpty());
    }

    // Reached by Tab, the quote shows a focus mark round it that crosses none of its text.
    void focusMarkRunsRoundTheQuote()
    {
        f->writeFile("quotes.txt", "Well begun is half done, and the rest is the other half.\r\n");
        f->open();
        runChange(f->window->quoteBox());
        const QRect quote = f->find<QWidget>("Picture1")->geometry();
        const QImage plain = f->window->grab().toImage();
        f->find<QWidget>("Picture1_keys")->setFocus(Qt::TabFocusReason);
        const QImage marked = f->window->grab().toImage();
        QStringList inside;
        int changed = 0;
        for (int y = 0; y < plain.height(); ++y) {
            for (int x = 0; x < plain.width(); ++x) {
                if (plain.pixel(x, y) == marked.pixel(x, y))
                    continue;
                ++changed;
                if (quote.contains(x, y) && inside.size() < 5)
                    inside << QStringLiteral("%1,%2").arg(x).arg(y);
            }
        }
        QVERIFY(changed > 0);
        QCOMPARE(inside, QStringList());
    }

    void removeSelectsTheQuoteBefore()
    {
        f->writeFile("quotes.txt", "A\r\nB\r\nC\r\nD\r\nE\r\n");
        QuoteDialog editor(f->services, nullptr);
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
        editor.show(); // a click below the quotes leaves none to remove
        auto *quotes = editor.findChild<QListWidget *>("lstQuotes");
        clickAt(quotes->viewport(), QPoint(20, quotes->viewport()->height() - 10));
        QVERIFY(!remove->isEnabled() && !editor.findChild<QPushButton *>("cmdEdit")->isEnabled());
        removeRow(1, {"B"}, 0);
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
        QTemporaryDir data;
        if (apart)
            f->services.dataFolder = data.path();
        const QByteArray file("1\r\n2\r\n3\r\n4\r\n");
        f->writeFile("quotes.txt", file);
        f->open();
        QuoteBox *box = f->window->quoteBox();
        runChange(box);
        editQuotes(box, [](QWidget *editor) {
            select(editor, 0);
            click(editor, "cmdRemove");
            enterQuote(editor, "cmdAdd", "Added");
            QCOMPARE(items(editor), (QStringList{"2", "3", "4", "Added"}));
            click(editor, "cmdCancel");
        });
        QCOMPARE(f->readFile("quotes.txt"), file);
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
        QFile edited(f->services.dataPath("quotes.txt"));
        QVERIFY(edited.open(QIODevice::ReadOnly));
        QCOMPARE(edited.readAll(),
                 QByteArray("One\r\n3\r\n4\r\nD\xe9j\xe0 \x97 [u+4F60] [u+D83D][u+DE00] [u+005B]u+0041]\r\n"));
        if (apart)
            QCOMPARE(f->readFile("quotes.txt"), file); // the shipped list stays as shipped
        QCOMPARE(box->label()->text(), QStringLiteral("2")); // until the next change
        for (const QString &quote : QStringList{"One", "3", "4", kOdd, "One"}) {
            runChange(box);
            QCOMPARE(box->label()->text(), quote);
        }
    }

    void failedReadOrSaveKeepsFileAndEdits()
    {
        // A folder standing where the file should be can be neither read nor replaced.
        const QString path = f->services.path("quotes.txt");
        QVERIFY(QDir().mkpath(path + "/inside"));
        QuoteDialog editor(f->services, nullptr);
        QVERIFY(!editor.load()); // reported, and never offered for editing:
        QCOMPARE(f->messages.shown.size(), 1);
        QCOMPARE(editor.run(), int(QDialog::Rejected));

        QVERIFY(QDir(path).removeRecursively());
        f->writeFile("quotes.txt", "One\r\n");
        QVERIFY(editor.load());
        editor.findChild<QListWidget *>("lstQuotes")->addItem("Two");
        QVERIFY(QFile::remove(path) && QDir().mkpath(path + "/inside"));
        const qsizetype boxes = f->messages.shown.size();
        editor.accept();
        QCOMPARE(f->messages.shown.size(), boxes + 1);
        QVERIFY(f->messages.shown.last().text.contains("Error description: "));
        QCOMPARE(editor.result(), int(QDialog::Rejected));
        QVERIFY(QFileInfo(path + "/inside").isDir());

        QVERIFY(QDir(path).removeRecursively());
        editor.accept();
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(f->readFile("quotes.txt"), QByteArray("One\r\nTwo\r\n"));

        // Changed elsewhere since: that version is kept aside, byte for byte, and named.
        f->writeFile("quotes.txt", "Six\r\nTwo\r\n");
        editor.accept();
        const QStringList copies = QDir(f->folder.path()).entryList({"quotes.txt.conflict-*"});
        QCOMPARE(copies.size(), 1);
        QCOMPARE(f->readFile(copies[0]), QByteArray("Six\r\nTwo\r\n"));
        QCOMPARE(f->readFile("quotes.txt"), QByteArray("One\r\nTwo\r\n"));
        QVERIFY(f->messages.shown.last().text.contains(copies[0]));
    }

};

QTEST_MAIN(TestQuoteBox)
#include "tst_quotebox.moc"
