// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sessionend.h"
#include "core/document.h"
#include "quotes/quotebox.h"
#include "store/recoverycopy.h"
#include "tests/support/guitest.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>

#include <memory>

#include <sys/stat.h>

namespace {

const QStringList kAllHovers = {"butSave_h", "butWeb_h",  "butEmail_h", "butNotes_h", "butTodo_h",
                                "butClose_h", "butMin_h", "butAbout_h", "butExit_h",  "butSay_h",
                                "butSync_h"};
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

    // Closing the window is the document's last save; when it fails the window still goes,
    // with what it held in the recovery copy.
    void failedSaveAtCloseStillCloses()
    {
        f->open();
        QVERIFY(QDir(f->folder.path()).mkdir("savedfile.qlt"));
        f->window->close();
        QVERIFY(!f->window->isVisible() && !f->window->isOpen());
        QCOMPARE(f->messages.shown.size(), 1); // what it says: tst_document
        QVERIFY2(f->messages.shown[0].text.contains(f->dataFilePath() + ".recovery"), qPrintable(f->messages.shown[0].text));
    }

    // A pipe in place of a file read at the start must not stall it: it is named at once and
    // left as it is.
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
        QVERIFY(f->messages.shown[0].text.contains("\"" + name + "\" is a named pipe (FIFO)"));
        f->close();
        QVERIFY(!QFileInfo(f->services.path(name)).isFile());
    }

    // Text typed in a box not yet left is a change: it reaches the recovery copy without
    // disturbing the typing. (It reaches the save at the close: tst_sectionflows.)
    void typingReachesTheCopyAndTheSave()
    {
        f->openWith(SectionId::Websites, {{"Home", QStringLiteral("Home¶url¶desc")}});
        auto *timer = f->document->findChild<QTimer *>("tmrRecovery");
        f->clickPicture("butWeb");
        auto *title = f->find<QLineEdit>("txtWebsite");
        title->setFocus();
        QVERIFY(!timer->isActive());
        QTest::keyClick(title, Qt::Key_End); // a record is shown from the start of its title
        QTest::keyClicks(title, " page");
        QVERIFY(timer->isActive());
        f->document->writeRecoveryCopy();
        f->document->recoveryCopy()->waitForWrites();
        QCOMPARE(title->text(), QStringLiteral("Home page"));
        const QList<Record> typed{{"Home", QStringLiteral("Home page¶url¶desc")}};
        QCOMPARE(parseDataFile(f->readFile("savedfile.qlt.recovery")).content[SectionId::Websites], typed);
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
