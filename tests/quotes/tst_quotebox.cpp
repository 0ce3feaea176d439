#include "quotes/newquotedialog.h"
#include "quotes/quotebox.h"
#include "quotes/quotedialog.h"
#include "tests/support/mainwindowfixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
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
    QStringList texts;
    auto *list = dialog->findChild<QListWidget *>("lstQuotes");
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

void click(QWidget *dialog, const char *name)
{
    QTest::mouseClick(dialog->findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
}

/// Runs what in the next modal window, once it is up.
void whenModal(const std::function<void(QWidget *)> &what)
{
    QTimer::singleShot(0, [what] {
        if (QWidget *modal = QApplication::activeModalWidget())
            what(modal);
    });
}

/// Types text into the one-line editor that the next click opens, and presses OK.
void typeNewQuote(const QString &text)
{
    whenModal([text](QWidget *modal) {
        static_cast<NewQuoteDialog *>(modal)->txtQuote->setText(text);
        click(modal, "cmdOK");
    });
}

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
        // The start-up begins the first change.
        QVERIFY(active(box, "tmrFadeOut"));
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
        QVERIFY(active(box, "tmrFadeIn"));
        box->fadeInTick();
        QVERIFY(!active(box, "tmrFadeIn"));
        runChange(box);
        QCOMPARE(box->label()->text(), QStringLiteral("Second"));
    }

    void rotation_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("file order, then again") << QByteArray("1\r\n2\r\n3\r\n") << QStringList{"1", "2", "3", "1"};
        QTest::newRow("empty line") << QByteArray("1\r\n\r\n3") << QStringList{"1", "", "3", "1"};
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
        QuoteBox *box = fixture.window->quoteBox();
        for (const QString &quote : shown) {
            runChange(box);
            QCOMPARE(box->label()->text(), quote);
        }
        QVERIFY(fixture.messages.shown.isEmpty());
    }

    void hoverUnderlines()
    {
        MainWindowFixture fixture;
        fixture.open(false);
        QLabel *label = fixture.window->quoteBox()->label();
        const QList<QWidget *> path = {label, fixture.window->quoteBox(), label, fixture.window};
        for (QWidget *target : path) {
            QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(target, &move);
            QCOMPARE(label->font().underline(), target == label);
        }
    }

    void removeSelectsTheQuoteBefore_data()
    {
        QTest::addColumn<int>("removed");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("selected");
        QTest::newRow("first") << 0 << QStringList{"B", "C"} << 0;
        QTest::newRow("middle") << 1 << QStringList{"A", "C"} << 0;
        QTest::newRow("last") << 2 << QStringList{"A", "B"} << 1;
        QTest::newRow("the only one left") << 0 << QStringList() << -1;
    }

    void removeSelectsTheQuoteBefore()
    {
        QFETCH(int, removed);
        QFETCH(QStringList, after);
        QFETCH(int, selected);
        MainWindowFixture fixture;
        fixture.writeFile("quotes.txt", after.isEmpty() ? "A\r\n" : "A\r\nB\r\nC\r\n");
        QuoteDialog editor(fixture.services, nullptr);
        QVERIFY(editor.load());
        auto *remove = editor.findChild<QPushButton *>("cmdRemove");
        QVERIFY(!remove->isEnabled());
        editor.findChild<QListWidget *>("lstQuotes")->setCurrentRow(removed);
        QVERIFY(remove->isEnabled());
        click(&editor, "cmdRemove");
        QCOMPARE(items(&editor), after);
        QCOMPARE(editor.selectedIndex(), selected);
        QCOMPARE(remove->isEnabled(), !after.isEmpty());
        QCOMPARE(editor.findChild<QPushButton *>("cmdEdit")->isEnabled(), !after.isEmpty());
    }

    void addAndEdit()
    {
        MainWindowFixture fixture;
        fixture.writeFile("quotes.txt", "A\r\nB\r\nC\r\n");
        QuoteDialog editor(fixture.services, nullptr);
        QVERIFY(editor.load());
        editor.findChild<QListWidget *>("lstQuotes")->setCurrentRow(1);

        typeNewQuote("New");
        click(&editor, "cmdAdd");
        QCOMPARE(items(&editor), (QStringList{"A", "B", "C", "New"}));

        QString filled;
        int index = -2;
        whenModal([&](QWidget *modal) {
            auto *newQuote = static_cast<NewQuoteDialog *>(modal);
            filled = newQuote->txtQuote->text();
            index = newQuote->iEditIndex;
            newQuote->txtQuote->setText("Changed");
            click(modal, "cmdOK"); // enabled from the start: the filled text counts as typed
        });
        click(&editor, "cmdEdit");
        QCOMPARE(filled, QStringLiteral("B"));
        QCOMPARE(index, 1);
        QCOMPARE(items(&editor), (QStringList{"A", "Changed", "C", "New"}));
    }

    void cancelLeavesEverythingAsItWas()
    {
        MainWindowFixture fixture;
        const QByteArray file("One\r\nTwo\r\n");
        fixture.writeFile("quotes.txt", file);
        fixture.open();
        QuoteBox *box = fixture.window->quoteBox();
        runChange(box);
        whenModal([](QWidget *modal) {
            modal->findChild<QListWidget *>("lstQuotes")->setCurrentRow(0);
            click(modal, "cmdRemove");
            typeNewQuote("Added");
            click(modal, "cmdAdd");
            QCOMPARE(items(modal), (QStringList{"Two", "Added"}));
            click(modal, "cmdCancel");
        });
        QTest::mouseClick(box->label(), Qt::LeftButton);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(fixture.readFile("quotes.txt"), file);
        runChange(box);
        QCOMPARE(box->label()->text(), QStringLiteral("Two"));
    }

    void okRewritesTheFileAndRestartsTheRotation()
    {
        MainWindowFixture fixture;
        fixture.writeFile("quotes.txt", "1\r\n2\r\n3\r\n4\r\n");
        fixture.open();
        QuoteBox *box = fixture.window->quoteBox();
        runChange(box);
        runChange(box);
        whenModal([](QWidget *modal) {
            modal->findChild<QListWidget *>("lstQuotes")->setCurrentRow(1);
            click(modal, "cmdRemove");
            typeNewQuote(QStringLiteral("Déjà — 你"));
            click(modal, "cmdAdd");
            click(modal, "cmdOK");
        });
        QTest::mouseClick(box->label(), Qt::LeftButton);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(fixture.readFile("quotes.txt"), QByteArray("1\r\n3\r\n4\r\nD\xe9j\xe0 \x97 [u+4F60]\r\n"));
        QCOMPARE(box->label()->text(), QStringLiteral("2")); // until the next change
        for (const QString quote : {"1", "3", "4", "Déjà — 你", "1"}) {
            runChange(box);
            QCOMPARE(box->label()->text(), quote);
        }
    }

    void failedSaveKeepsTheEdits()
    {
        MainWindowFixture fixture;
        fixture.writeFile("quotes.txt", "One\r\n");
        QuoteDialog editor(fixture.services, nullptr);
        QVERIFY(editor.load());
        editor.findChild<QListWidget *>("lstQuotes")->addItem("Two");
        // A folder now stands where the file was, so it cannot be replaced.
        const QString path = fixture.services.path("quotes.txt");
        QVERIFY(QFile::remove(path) && QDir().mkpath(path + "/inside"));
        editor.accept();
        QCOMPARE(fixture.messages.shown.size(), 1);
        QVERIFY(fixture.messages.shown.first().text.contains("Error description: "));
        QCOMPARE(editor.result(), int(QDialog::Rejected));
        QVERIFY(QFileInfo(path + "/inside").isDir());

        QVERIFY(QDir(path).removeRecursively());
        editor.accept();
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(fixture.readFile("quotes.txt"), QByteArray("One\r\nTwo\r\n"));
    }

    void unreadableFileIsNotOfferedForEditing()
    {
        MainWindowFixture fixture;
        QVERIFY(QDir().mkpath(fixture.services.path("quotes.txt")));
        QuoteDialog editor(fixture.services, nullptr);
        QVERIFY(!editor.load());
        QCOMPARE(fixture.messages.shown.size(), 1);
        QCOMPARE(editor.run(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestQuoteBox)
#include "tst_quotebox.moc"
