// SPDX-License-Identifier: GPL-3.0-or-later
// The document's rules without any window: load, recover, keep a damaged file aside, conflict
// copy, save and the last save at the end, the changes it sees, and the work asked for on the
// command line.
#include "core/document.h"
#include "core/notemodel.h"
#include "core/verbs.h"
#include "core/websitemodel.h"
#include "store/recoverycopy.h"
#include "tests/support/mainwindowfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <future>

class TestDocument : public QObject
{
    Q_OBJECT

    std::optional<MainWindowFixture> f;
    QTimer *recoveryTimer() const { return f->document->findChild<QTimer *>("tmrRecovery"); }

private slots:
    void init() { f.emplace(); }
    void cleanup() { f.reset(); }

    // A failed save says why and keeps what is there; one that fails at the end still ends,
    // but only once the lists are in the recovery copy. (The old file outlives a failed write:
    // tst_platform and tst_datafile.)
    void failedSaveKeepsTheLists()
    {
        Document *document = f->openDocument();
        const QList<Record> typed = {{"big", QString(200000, 'x')}};
        document->notes()->setRecords(typed);
        QVERIFY(QDir(f->folder.path()).mkdir("savedfile.qlt"));
        QVERIFY(!document->save());
        document->close();
        QVERIFY(!document->isOpen());
        QCOMPARE(f->messages.shown.size(), 2);
        for (const FakeMessageBoxes::Shown &box : f->messages.shown) {
            QCOMPARE(box.icon, MessageBoxes::Icon::Critical);
            QVERIFY2(box.text.startsWith("Error in saving file.\nError number: 21\nError description: ")
                         && box.text.contains("\"savedfile.qlt\" is a folder, not a file"), qPrintable(box.text));
        }
        QVERIFY2(f->messages.shown[1].text.contains(f->dataFilePath() + ".recovery"), qPrintable(f->messages.shown[1].text));
        QCOMPARE(parseDataFile(f->readFile("savedfile.qlt.recovery")).content[SectionId::Notes], typed);
    }

    // A document never loaded holds nothing of the user's: it writes nothing over their file.
    void notLoadedSavesNothing()
    {
        f->writeRecords(SectionId::Notes, {{"N", "n"}});
        const QByteArray before = f->readFile("savedfile.qlt");
        Document document(f->services);
        QVERIFY(!document.save());
        document.close();
        QCOMPARE(f->readFile("savedfile.qlt"), before);
        QVERIFY(f->messages.shown.isEmpty());
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
        f->writeFile("savedfile.qlt", kDamagedDataFile);
        f->writeFile("savedfile.qlt.bak", "an older copy");
        if (copyBlocked) // the copy cannot replace a folder: as good as a full disk
            QVERIFY(QFile::remove(f->dataFilePath() + ".bak") && QDir(f->folder.path()).mkdir("savedfile.qlt.bak"));
        Document *document = f->openDocument();
        QVERIFY(f->messages.shown.isEmpty()); // told once the event loop runs
        QTRY_COMPARE(f->messages.shown.size(), 1);
        QCOMPARE(f->messages.shown[0].icon, MessageBoxes::Icon::Exclamation);
        QVERIFY(f->messages.shown[0].text.contains("savedfile.qlt.bak"));
        QCOMPARE(document->websites()->count(), 1);
        QCOMPARE(document->save(), !copyBlocked);
        if (copyBlocked) {
            QCOMPARE(f->readFile("savedfile.qlt"), kDamagedDataFile);
            QVERIFY(f->messages.shown.last().text.contains("could not be copied to \"savedfile.qlt.bak\""));
            return;
        }
        QVERIFY(document->save());
        QCOMPARE(f->readFile("savedfile.qlt.bak"), kDamagedDataFile);
        QCOMPARE(f->messages.shown.size(), 1);
        document = f->openDocument(); // the rewritten file is sound again
        QCoreApplication::processEvents();
        QCOMPARE(f->messages.shown.size(), 1);
        QCOMPARE(document->websites()->caption(0), QStringLiteral("Home"));
    }

    // What changed since the last save reaches the recovery copy; after a crash the next start
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
        const Record saved{"Home", QStringLiteral("Home¶url¶desc")}, typed{"Home", QStringLiteral("Home page¶url¶desc")};
        f->writeRecords(SectionId::Websites, {saved});
        const QByteArray before = f->readFile("savedfile.qlt");
        Document *document = f->openDocument();
        document->websites()->setTag(0, typed.tag); // starts the copy's timer: changesComeFromTheModels
        document->writeRecoveryCopy();
        document->recoveryCopy()->waitForWrites();
        QCOMPARE(parseDataFile(f->readFile("savedfile.qlt.recovery")).content[SectionId::Websites], QList<Record>{typed});

        f->crash();
        f->messages.answers.enqueue(MessageBoxes::Answer(answer));
        document = f->openDocument();
        QCOMPARE(f->messages.texts(), QStringList{"Recover: Quillet was not closed properly. Restore the changes made since the last save?"});
        QCOMPARE(f->messages.shown[0].buttons, MessageBoxes::Buttons::YesNo);
        QCOMPARE(document->websites()->records(), QList<Record>{restore ? typed : saved});
        QCOMPARE(document->isModified(), restore);
        QCOMPARE(QFile::exists(f->dataFilePath() + ".recovery-2026-12-05-210500"), answer == int(MessageBoxes::Answer::No));
        QVERIFY(document->save());
        document->recoveryCopy()->waitForWrites();
        QCOMPARE(QFile::exists(f->dataFilePath() + ".recovery"), undecided);
        const QStringList replaced = QDir(f->folder.path()).entryList({"savedfile.qlt.replaced-*"});
        QCOMPARE(replaced.size(), restore ? 1 : 0);
        if (restore)
            QCOMPARE(f->readFile(replaced[0]), before);
        f->close(); // its save keeps nothing more aside
        QCOMPARE(QDir(f->folder.path()).entryList({"savedfile.qlt.replaced-*"}), replaced);
        f->openDocument(); // a copy equal to the file, or none, asks nothing
        QCOMPARE(f->messages.shown.size(), undecided ? 2 : 1);
    }

    // Every change of a model counts, none made by the load does, and a save clears them; what
    // is typed and not yet in a model is asked for before every save and every copy.
    void changesComeFromTheModels_data()
    {
        QTest::addColumn<QString>("change");
        for (const char *name : {"added", "removed", "caption", "tag", "replaced"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void changesComeFromTheModels()
    {
        QFETCH(QString, change);
        f->writeRecords(SectionId::Notes, {{"A", "a"}, {"B", "b"}});
        Document *document = f->openDocument();
        QSignalSpy modified(document, &Document::modifiedChanged);
        QSignalSpy wanted(document, &Document::pendingEditsWanted);
        QVERIFY(!document->isModified() && !recoveryTimer()->isActive());
        NoteModel *notes = document->notes();
        if (change == "added")
            notes->appendRecord("C");
        else if (change == "removed")
            notes->removeRecord(0);
        else if (change == "caption")
            notes->setCaption(1, "Bee");
        else if (change == "tag")
            notes->setTag(1, "bee");
        else
            notes->setRecords({});
        QVERIFY(document->isModified() && recoveryTimer()->isActive());
        document->writeRecoveryCopy();
        // What the window hands over as "typed" is in the save.
        connect(document, &Document::pendingEditsWanted, notes, [notes] { notes->appendRecord("typed"); });
        QVERIFY(document->save());
        QCOMPARE(wanted.size(), 2);
        QCOMPARE(wanted[0][0].toBool(), true); // the copy asks quietly, the save does not
        QCOMPARE(wanted[1][0].toBool(), false);
        QCOMPARE(f->saved(SectionId::Notes).last().caption, QStringLiteral("typed"));
        QVERIFY(!document->isModified() && !recoveryTimer()->isActive());
        QCOMPARE(modified.size(), 2);
    }

    // Something changed on disk since the load is kept aside at the next save and told once.
    void fileChangedOnDiskIsKeptAsideOnce_data()
    {
        QTest::addColumn<QByteArray>("atLoad"); // null: no file
        QTest::addColumn<QByteArray>("meanwhile"); // null: removed, so nothing to keep
        DataFileContent content;
        content[SectionId::Notes] = {{"Mine", "mine"}};
        const QByteArray mine = serializeDataFile(content);
        const QByteArray theirs = QByteArray(mine).replace("mine", "nine");
        QTest::newRow("same size, same second") << mine << theirs;
        QTest::newRow("written where there was none") << QByteArray() << theirs;
        QTest::newRow("removed") << mine << QByteArray();
    }
    void fileChangedOnDiskIsKeptAsideOnce()
    {
        QFETCH(QByteArray, atLoad);
        QFETCH(QByteArray, meanwhile);
        const bool keptAside = !meanwhile.isNull();
        QFile file(f->dataFilePath());
        f->writeFile("savedfile.qlt", atLoad);
        const QDateTime loaded = QFileInfo(file).lastModified();
        if (atLoad.isNull())
            file.remove();
        f->openDocument();
        f->writeFile("savedfile.qlt", meanwhile);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(loaded, QFileDevice::FileModificationTime));
        if (meanwhile.isNull())
            file.remove();
        QVERIFY(f->document->save() && f->document->save());
        const QStringList copies = QDir(f->folder.path()).entryList({"savedfile.qlt.conflict-*"});
        QCOMPARE(copies.size(), keptAside ? 1 : 0);
        QCOMPARE(f->messages.shown.size(), keptAside ? 1 : 0); // told once, at the first save
        if (keptAside) {
            QVERIFY(QRegularExpression("^savedfile\\.qlt\\.conflict-\\d{4}-\\d\\d-\\d\\d \\d{6}$").match(copies[0]).hasMatch());
            QCOMPARE(f->readFile(copies[0]), meanwhile);
            QVERIFY(f->messages.shown[0].text.contains(copies[0]));
        }
        QCOMPARE(f->readFile("savedfile.qlt"), serializeDataFile(parseDataFile(atLoad).content));
    }

    // --check counts each section's records, or names what is wrong, and writes nothing.
    void checkCountsOrNamesTheDamage_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: none
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        QTest::newRow("none yet") << QByteArray() << 0 << "Websites: 0\nE-mail contacts: 0\nNotes: 0\nTo-dos: 0\n";
        DataFileContent content;
        content[SectionId::Contacts] = {{"Ann", "Ann"}};
        content[SectionId::Todos] = {{"a", ""}, {"b", ""}, {"c", ""}};
        QTest::newRow("sound") << serializeDataFile(content) << 0 << "Websites: 0\nE-mail contacts: 1\nNotes: 0\nTo-dos: 3\n";
        QTest::newRow("damaged") << kDamagedDataFile << 1 << "Your saved data could not be read completely. ";
        QTest::newRow("a folder") << QByteArray("folder") << 1 << "Your saved data could not be read: \"savedfile.qlt\" is a folder";
    }
    void checkCountsOrNamesTheDamage()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, status);
        QFETCH(QString, said);
        if (file == "folder")
            QVERIFY(QDir(f->folder.path()).mkdir("savedfile.qlt"));
        else if (!file.isNull())
            f->writeFile("savedfile.qlt", file);
        const QStringList before = QDir(f->folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
        Document document(f->services);
        const verbs::Result result = verbs::run(document, *verbs::find("check"), QString());
        QCOMPARE(result.status, status);
        QVERIFY2((status == 0 ? result.output : result.errors).startsWith(said), qPrintable(result.output + result.errors));
        QCOMPARE(QDir(f->folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
    }

    // A later start reaches the document that holds the folder through its socket: the copy
    // that writes the data is the one that does the work. A verb that only reads runs where it
    // was asked and leaves the running copy alone.
    void laterStartsReachTheRunningDocument()
    {
        f->writeRecords(SectionId::Notes, {{"N", "n"}});
        Document *running = f->openDocument();
        QCOMPARE(running->claimFolder(), InstanceGuard::Claim::Ours);
        const verbs::Result here = verbs::check(running->path());

        const auto ask = [this](const QByteArray &request) {
            return std::async(std::launch::async, [this, request] {
                InstanceGuard later(f->dataFilePath());
                return later.askRunningCopy(request);
            });
        };
        const QList<std::pair<QByteArray, verbs::Result>> cases = {
            {verbs::request(*verbs::find("check"), QString()), here},
            {"run nothing-known \n", {1, {}, "This copy of Quillet does not know that request.\n"}},
        };
        for (const auto &[request, expected] : cases) {
            auto answer = ask(request);
            QTRY_VERIFY(answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
            const std::optional<QByteArray> bytes = answer.get();
            QVERIFY(bytes);
            const verbs::Result result = verbs::fromAnswer(*bytes);
            QCOMPARE(result.status, expected.status);
            QCOMPARE(result.output, expected.output);
            QCOMPARE(result.errors, expected.errors);
        }

        Document later(f->services);
        const verbs::Result result = verbs::run(later, *verbs::find("check"), QString());
        QCOMPARE(result.output, QStringLiteral("Websites: 0\nE-mail contacts: 0\nNotes: 1\nTo-dos: 0\n"));
        QCOMPARE(later.guard().claim(), InstanceGuard::Claim::HeldHere); // still the running one's
    }
};

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
