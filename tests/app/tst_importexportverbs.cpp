// SPDX-License-Identifier: GPL-3.0-or-later
// --import and --export on the command line: done here on a document alone, or handed to the
// copy that holds the folder; a bad file or a damaged data file leaves everything as it was.
#include "core/document.h"
#include "core/todomodel.h"
#include "core/verbs.h"
#include "exchange/exchangeverbs.h"
#include "tests/support/mainwindowfixture.h"

#include <QDir>
#include <QTest>

#include <future>

namespace {

const QByteArray kTwoTodos = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//t//EN\r\n"
                             "BEGIN:VTODO\r\nUID:a@t\r\nSUMMARY:Buy milk\r\nEND:VTODO\r\n"
                             "BEGIN:VTODO\r\nUID:b@t\r\nSUMMARY:Call Ann\r\nEND:VTODO\r\n"
                             "BEGIN:VEVENT\r\nUID:e@t\r\nSUMMARY:Party\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

class TestImportExportVerbs : public QObject
{
    Q_OBJECT

    std::optional<MainWindowFixture> f;

    verbs::Result runVerb(const QString &name, const QString &value)
    {
        Document document(f->services);
        const verbs::Verb *verb = verbs::find(name);
        return verbs::run(document, *verb, verbs::resolvedValue(*verb, value, f->folder.path()));
    }

private slots:
    void initTestCase() { exchangeverbs::add(); }
    void init() { f.emplace(); }
    void cleanup() { f.reset(); }

    void filesAreReadAgainstTheCallersFolder_data()
    {
        QTest::addColumn<QString>("verb");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("resolved");
        QTest::newRow("relative") << "import" << "tasks.ics" << "/home/u/tasks.ics";
        QTest::newRow("upwards") << "import" << "../x/./tasks.ics" << "/home/x/tasks.ics";
        QTest::newRow("absolute") << "export" << "/tmp/out.vcf" << "/tmp/out.vcf";
        QTest::newRow("a folder to fill") << "export" << "notes/" << "/home/u/notes/";
        QTest::newRow("not a file") << "check" << "" << "";
    }
    void filesAreReadAgainstTheCallersFolder()
    {
        QFETCH(QString, verb);
        QFETCH(QString, value);
        QTEST(verbs::resolvedValue(*verbs::find(verb), value, "/home/u"), "resolved");
    }

    // Every way an import can fail says why on standard error and leaves the folder as it was.
    void importAddsAllOrNothing_data()
    {
        QTest::addColumn<QByteArray>("data"); // the data file before; null: none
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("said");
        const QByteArray sound = serializeDataFile({});
        QTest::newRow("to-dos") << sound << "tasks.ics" << kTwoTodos << "Imported 2 to-dos from tasks.ics (1 event skipped)\n";
        QTest::newRow("into a new folder") << QByteArray() << "tasks.ics" << kTwoTodos << "Imported 2 to-dos";
        QTest::newRow("noise") << sound << "noise.ics" << QByteArray("\x01\x02 not a calendar") << "";
        QTest::newRow("cut short") << sound << "cut.ics" << QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:a\r\n") << "";
        QTest::newRow("wrong extension") << sound << "tasks.doc" << kTwoTodos << "";
        QTest::newRow("missing") << sound << "" << QByteArray() << "";
        QTest::newRow("damaged data") << kDamagedDataFile << "tasks.ics" << kTwoTodos << "";
    }
    void importAddsAllOrNothing()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, said);
        if (!data.isNull())
            f->writeFile("savedfile.qlt", data);
        if (!file.isEmpty())
            f->writeFile(file, bytes);
        const QStringList before = entries(f->folder.path());
        const verbs::Result result = runVerb("import", file.isEmpty() ? QStringLiteral("gone.ics") : file);
        if (said.isEmpty()) {
            QCOMPARE(result.status, 1);
            QVERIFY(result.output.isEmpty());
            QVERIFY(result.errors.endsWith('\n') && result.errors.size() > 20);
            QCOMPARE(f->readFile("savedfile.qlt"), data);
            QCOMPARE(entries(f->folder.path()), before);
            return;
        }
        QCOMPARE(result.status, 0);
        QVERIFY2(result.output.startsWith(said), qPrintable(result.output + result.errors));
        QCOMPARE(f->saved(SectionId::Todos).size(), 2);
        // The same file again adds nothing.
        const QByteArray saved = f->readFile("savedfile.qlt");
        QCOMPARE(runVerb("import", file).status, 0);
        QCOMPARE(f->readFile("savedfile.qlt"), saved);
    }

    // Export reads the file as saved and writes nothing beside it.
    void exportLeavesTheDataAlone_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("said"); // empty: refused
        QTest::addColumn<QStringList>("written");
        DataFileContent content;
        content[SectionId::Notes] = {{"One", "one"}, {"Two", "two"}};
        content[SectionId::Todos] = {{"Buy milk", ""}};
        const QByteArray sound = serializeDataFile(content);
        QTest::newRow("to-dos") << sound << "out.ics" << "Exported 1 to-do to out.ics\n" << QStringList{"out.ics"};
        QTest::newRow("contacts, none") << sound << "out.vcf" << "Exported 0 contacts to out.vcf\n" << QStringList{"out.vcf"};
        QTest::newRow("notes to a folder") << sound << "notes/" << "Exported 2 notes to notes/\n"
                                           << QStringList{"notes", "notes/One.md", "notes/Two.md"};
        QTest::newRow("notes need a folder") << sound << "notes.md" << "" << QStringList();
        QTest::newRow("damaged data") << kDamagedDataFile << "out.ics" << "" << QStringList();
    }
    void exportLeavesTheDataAlone()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, target);
        QFETCH(QString, said);
        QFETCH(QStringList, written);
        f->writeFile("savedfile.qlt", data);
        const QStringList before = entries(f->folder.path());
        const verbs::Result result = runVerb("export", target);
        QCOMPARE(result.status, said.isEmpty() ? 1 : 0);
        QCOMPARE(result.output, said);
        QCOMPARE(f->readFile("savedfile.qlt"), data);
        QStringList after = entries(f->folder.path());
        for (const QString &file : written) {
            QVERIFY2(QFileInfo::exists(f->folder.filePath(file)), qPrintable(file));
            if (!file.contains('/'))
                after.removeOne(file);
        }
        QCOMPARE(after, before);
    }

    // With a copy holding the folder, that copy's document takes the records and keeps them as
    // any change: this process writes nothing.
    void importIsHandedToTheRunningCopy()
    {
        f->writeRecords(SectionId::Todos, {{"Old", ""}});
        const QByteArray before = f->readFile("savedfile.qlt");
        Document *running = f->openDocument();
        QCOMPARE(running->claimFolder(), InstanceGuard::Claim::Ours);
        f->writeFile("tasks.ics", kTwoTodos);
        const QString path = f->folder.filePath("tasks.ics");
        auto answer = std::async(std::launch::async, [this, path] {
            InstanceGuard later(f->dataFilePath());
            return later.askRunningCopy(verbs::request(*verbs::find("import"), path));
        });
        QTRY_VERIFY(answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        const std::optional<QByteArray> bytes = answer.get();
        QVERIFY(bytes);
        const verbs::Result result = verbs::fromAnswer(*bytes);
        QCOMPARE(result.output, QStringLiteral("Imported 2 to-dos from tasks.ics (1 event skipped)\n"));
        QCOMPARE(running->todos()->rowCount(), 3);
        QVERIFY(running->isModified());
        QCOMPARE(f->readFile("savedfile.qlt"), before);
        QVERIFY(running->save());
        QCOMPARE(f->saved(SectionId::Todos).size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestImportExportVerbs)
#include "tst_importexportverbs.moc"
