#include "app/sessionend.h"
#include "quotes/quotebox.h"
#include "platform/ansitext.h"
#include "store/recoverycopy.h"
#include "tests/support/guitest.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>

#include <memory>

#include <sys/stat.h>

namespace {

const QStringList kAllHovers = {"butSave_h", "butWeb_h",  "butEmail_h", "butNotes_h", "butTodo_h",
                                "butClose_h", "butMin_h", "butAbout_h", "butExit_h",  "butSay_h"};
const QStringList kFrames = {"fraWebsite", "fraEmails", "fraNotes", "fraTodos"};
const QStringList kPressed = {"butWeb_c", "butEmail_c", "butNotes_c", "butTodo_c"};

} // namespace

class TestMainWindow : public WindowTest
{
    Q_OBJECT

    /// Which of the named widgets are shown (not hidden), in the order named.
    QStringList shown(QStringList names = kAllHovers) const
    {
        names.removeIf([this](const QString &name) { return f->find<QWidget>(name)->isHidden(); });
        return names;
    }
    int clicks() const { return int(f->sound.calls.filter("/wave/click.wav").size()); }
    void hover(const QString &normalPicture) { QTest::mouseMove(f->find<QWidget>(normalPicture), QPoint(10, 10)); }

private slots:
    // Only the button under the pointer is lit, each with one click, Save's light outlasting the
    // section buttons; the background puts every light out. Websites and contacts are chosen by
    // the press, notes and to-dos by a whole click.
    void sectionButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("selectsOnPress");
        QTest::newRow("fraWebsite") << "butWeb" << true;
        QTest::newRow("fraEmails") << "butEmail" << true;
        QTest::newRow("fraNotes") << "butNotes" << false;
        QTest::newRow("fraTodos") << "butTodo" << false;
    }
    void sectionButtons()
    {
        QFETCH(QString, button);
        QFETCH(bool, selectsOnPress);
        const QString frame = QTest::currentDataTag(), pressed = button + "_c";
        f->open();
        hover("butAbout");
        QCOMPARE(shown(), QStringList{"butAbout_h"});
        QTest::mouseMove(f->window, QPoint(300, 20));
        QCOMPARE(shown(), QStringList());
        hover("butSave");
        hover(button == "butWeb" ? "butEmail" : "butWeb");
        hover(button == "butTodo" ? "butToDo" : button);
        QCOMPARE(shown(), (QStringList{"butSave_h", button + "_h"}));
        QCOMPARE(clicks(), 4);

        auto *hoverPicture = f->find<QWidget>(button + "_h");
        QTest::mousePress(hoverPicture, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(shown(kFrames).size(), selectsOnPress ? 1 : 0);
        // Releasing outside the picture: press-selecting sections stay, click-selecting ones never start.
        QTest::mouseRelease(hoverPicture, Qt::LeftButton, {}, QPoint(300, 10));
        QCOMPARE(shown(kFrames + kPressed), selectsOnPress ? (QStringList{frame, pressed}) : QStringList());
        if (!selectsOnPress)
            QTest::mouseClick(hoverPicture, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(shown(kFrames + kPressed), (QStringList{frame, pressed}));
        // Pressing and releasing the selected button leaves no section at all.
        QTest::mouseClick(f->find<QWidget>(pressed), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(shown(kFrames + kPressed + kAllHovers), QStringList());
    }

    // A failed save says why and keeps what is typed; one that fails at close still closes, but
    // only once what is typed is in the recovery copy. (The old file outlives a failed write:
    // tst_platform and tst_datafile.)
    void failedSaveKeepsTheTyping()
    {
        f->open();
        const QList<Record> typed = {{"big", QString(200000, 'x')}};
        f->window->section(SectionId::Notes)->model()->setRecords(typed);
        QVERIFY(QDir(f->folder.path()).mkdir("savedfile.qlt"));
        QVERIFY(!f->window->saveData());
        f->window->close();
        QVERIFY(!f->window->isVisible());
        QCOMPARE(f->messages.shown.size(), 2);
        for (const FakeMessageBoxes::Shown &box : f->messages.shown) {
            QCOMPARE(box.icon, MessageBoxes::Icon::Critical);
            QVERIFY2(box.text.startsWith("Error in saving file.\nError number: 21\nError description: ")
                         && box.text.contains("\"savedfile.qlt\" is a folder, not a file"), qPrintable(box.text));
        }
        QVERIFY2(f->messages.shown[1].text.contains(f->dataFilePath() + ".recovery"), qPrintable(f->messages.shown[1].text));
        QCOMPARE(parseDataFile(f->readFile("savedfile.qlt.recovery")).content[SectionId::Notes], typed);
    }

    // A damaged file is copied aside whole before it is replaced; where no copy can be made, it
    // is not replaced at all.
    void damagedFileIsKeptAside_data()
    {
        QTest::addColumn<bool>("copyBlocked");
        QTest::newRow("copy made") << false;
        QTest::newRow("copy impossible") << true;
    }
    void damagedFileIsKeptAside()
    {
        QFETCH(bool, copyBlocked);
        const QByteArray damaged = ansi::encode(QStringLiteral(
            "Quillet 1.0 - 1.0.9\r\nHome¤Home¶url¶desc§\r\n<end of section>\r\nAnn¤Ann¶L"));
        f->writeFile("savedfile.qlt", damaged);
        f->writeFile("savedfile.qlt.bak", "an older copy");
        if (copyBlocked) // the copy cannot replace a folder: as good as a full disk
            QVERIFY(QFile::remove(f->dataFilePath() + ".bak") && QDir(f->folder.path()).mkdir("savedfile.qlt.bak"));
        f->open();
        QCOMPARE(f->messages.shown.size(), 1);
        QCOMPARE(f->messages.shown[0].icon, MessageBoxes::Icon::Exclamation);
        QVERIFY(f->messages.shown[0].text.contains("savedfile.qlt.bak"));
        QCOMPARE(f->window->section(SectionId::Websites)->list()->count(), 1);
        QCOMPARE(f->window->saveData(), !copyBlocked);
        if (copyBlocked) {
            QCOMPARE(f->readFile("savedfile.qlt"), damaged);
            QVERIFY(f->messages.shown.last().text.contains("could not be copied to \"savedfile.qlt.bak\""));
            return;
        }
        QVERIFY(f->window->saveData());
        QCOMPARE(f->readFile("savedfile.qlt.bak"), damaged);
        QCOMPARE(f->messages.shown.size(), 1);
        f->restart(); // the rewritten file is sound again
        QCOMPARE(f->messages.shown.size(), 1);
        QCOMPARE(f->window->section(SectionId::Websites)->list()->records()->caption(0), QStringLiteral("Home"));
    }

    // A pipe in place of a file must not stall the start: it is named at once and left as it is.
    void pipeInPlaceOfAFileIsNamed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("data file") << "savedfile.qlt";
        QTest::newRow("quotes") << "quotes.txt";
    }
    void pipeInPlaceOfAFileIsNamed()
    {
        QFETCH(QString, name);
        QCOMPARE(mkfifo(QFile::encodeName(f->services.path(name)).constData(), 0600), 0);
        f->open();
        QTRY_COMPARE(f->messages.shown.size(), 1);
        QVERIFY(f->messages.shown[0].text.contains(QStringLiteral("\"%1\" is a named pipe (FIFO)").arg(name)));
        f->close();
        QVERIFY(QFileInfo(f->services.path(name)).isFile() == false);
    }

    // Text typed in a box not yet left reaches the recovery copy; after a crash the next start
    // offers it, and no answer loses anything: Yes keeps the file it replaces, No keeps the copy
    // under its date, and a question the program's end closed is asked again at the next start.
    void recoveryAfterACrash_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes restores") << int(MessageBoxes::Answer::Yes);
        QTest::newRow("No keeps a dated copy") << int(MessageBoxes::Answer::No);
        QTest::newRow("dismissed asks again") << int(MessageBoxes::Answer::Dismissed);
    }
    void recoveryAfterACrash()
    {
        QFETCH(int, answer);
        const bool restore = answer == int(MessageBoxes::Answer::Yes);
        const bool undecided = answer == int(MessageBoxes::Answer::Dismissed);
        f->openWith(SectionId::Websites, {{"Home", QStringLiteral("Home¶url¶desc")}});
        const QByteArray before = f->readFile("savedfile.qlt");
        auto *timer = f->find<QTimer>("tmrRecovery");
        f->clickPicture("butWeb");
        auto *title = f->find<QLineEdit>("txtWebsite");
        title->setFocus();
        QVERIFY(!timer->isActive());
        QTest::keyClick(title, Qt::Key_End); // a record is shown from the start of its title
        QTest::keyClicks(title, " page");
        QVERIFY(timer->isActive());
        f->window->writeRecoveryCopy();
        f->window->recoveryCopy()->waitForWrites();
        QCOMPARE(title->text(), QStringLiteral("Home page")); // the typing is not disturbed
        const Record typed{"Home", QStringLiteral("Home page¶url¶desc")};
        QCOMPARE(parseDataFile(f->readFile("savedfile.qlt.recovery")).content[SectionId::Websites],
                 QList<Record>{typed});

        delete f->window; // a crash: no close, no save
        f->window = nullptr;
        f->messages.answers.enqueue(MessageBoxes::Answer(answer));
        f->open();
        QCOMPARE(f->messages.texts(), QStringList{"Recover: Quillet was not closed properly. Restore the changes made since the last save?"});
        QCOMPARE(f->messages.shown[0].buttons, MessageBoxes::Buttons::YesNo);
        QCOMPARE(f->window->section(SectionId::Websites)->model()->records()[0].tag,
                 restore ? typed.tag : QStringLiteral("Home¶url¶desc"));
        QCOMPARE(QFile::exists(f->dataFilePath() + ".recovery-2026-12-05-210500"), answer == int(MessageBoxes::Answer::No));
        QVERIFY(f->window->saveData());
        f->window->recoveryCopy()->waitForWrites();
        QCOMPARE(QFile::exists(f->dataFilePath() + ".recovery"), undecided);
        const QStringList replaced = QDir(f->folder.path()).entryList({"savedfile.qlt.replaced-*"});
        QCOMPARE(replaced.size(), restore ? 1 : 0);
        if (restore)
            QCOMPARE(f->readFile(replaced[0]), before);
        f->restart(); // a copy equal to the file, or none, asks nothing
        QCOMPARE(f->messages.shown.size(), undecided ? 2 : 1);
    }

    // The end of the session cancels an open dialog rather than accepting it: quotes changed in
    // the open quote editor are not written, and the main window still saves.
    void sessionEndCancelsOpenDialogs()
    {
        const QByteArray quotes = "The first quote\r\nThe second quote\r\n";
        f->writeFile("quotes.txt", quotes);
        f->open();
        SessionEnd sessionEnd;
        bool finished = false;
        connect(&sessionEnd, &SessionEnd::finished, this, [&finished] { finished = true; });
        QTimer::singleShot(0, this, [&sessionEnd] {
            auto *list = QApplication::activeModalWidget()->findChild<QListWidget *>("lstQuotes");
            const std::unique_ptr<QListWidgetItem> removed(list->takeItem(0));
            sessionEnd.endNow();
        });
        f->window->quoteBox()->openEditor();
        QTRY_VERIFY(finished);
        QVERIFY(!f->window->isVisible());
        QCOMPARE(f->readFile("quotes.txt"), quotes);
        QVERIFY(QFile::exists(f->dataFilePath()));
    }

    // The background and the quote box move the window, by the left button only.
    void draggingMovesWithTheLeftButtonOnly()
    {
        f->open();
        const QPoint start = f->window->pos();
        for (const auto &[widget, at] : {std::pair<QWidget *, QPoint>{f->window, {300, 20}}, {f->find<QWidget>("Picture1"), {154, 87}}}) {
            for (Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton}) {
                QTest::mousePress(widget, button, {}, at);
                QTest::mouseMove(widget, at + QPoint(30, 12));
                QTest::mouseRelease(widget, button, {}, at + QPoint(30, 12));
            }
        }
        QCOMPARE(f->window->pos(), start + QPoint(60, 24));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
