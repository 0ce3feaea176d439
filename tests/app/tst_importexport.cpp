// SPDX-License-Identifier: GPL-3.0-or-later
// Other programs' files in the window: the lists' context menu, files dropped on the window, and
// imports read away from the window's thread.
#include "app/importexport.h"
#include "tests/support/guitest.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <optional>

namespace {

const QByteArray kTodos = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//t//EN\r\n"
                          "BEGIN:VTODO\r\nUID:a@t\r\nSUMMARY:Buy milk\r\nEND:VTODO\r\n"
                          "BEGIN:VTODO\r\nUID:b@t\r\nSUMMARY:Call Ann\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
const QByteArray kContact = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Lee\r\nEMAIL:ann@example.org\r\nEND:VCARD\r\n";
const QByteArray kBookmarks = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n"
                              "<DT><A HREF=\"https://example.org/\">Example</A>\n</DL><p>\n";

QAction *action(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

class TestImportExport : public WindowTest
{
    Q_OBJECT

    ImportExport *importExport() const { return f->window->findChild<ImportExport *>("importExport"); }
    QString write(const QString &name, const QByteArray &bytes)
    {
        f->writeFile(name, bytes);
        return f->folder.filePath(name);
    }
    void waitForImports() { QTRY_VERIFY(!importExport()->isImporting()); }

private slots:
    void menuOffersWhatCanBeDone_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("select");
        QTest::addColumn<QList<bool>>("enabled"); // Import…, Export…, Export Selected…
        QTest::newRow("empty") << 0 << false << QList<bool>{true, false, false};
        QTest::newRow("none selected") << 2 << false << QList<bool>{true, true, false};
        QTest::newRow("one selected") << 2 << true << QList<bool>{true, true, true};
    }
    void menuOffersWhatCanBeDone()
    {
        QFETCH(int, records);
        QFETCH(bool, select);
        QList<Record> list;
        for (int i = 0; i < records; ++i)
            list.append({QStringLiteral("Note %1").arg(i), QStringLiteral("Note %1¶text").arg(i)});
        f->openWith(SectionId::Notes, list);
        RecordListView *view = f->list("lstNotes");
        view->setCurrentIndex(select ? view->model()->index(1, 0) : QModelIndex());
        QMenu *menu = importExport()->menuFor(SectionId::Notes);
        QList<bool> states;
        for (const char *text : {"Import…", "Export…", "Export Selected…"})
            states << (action(menu, text) && action(menu, text)->isEnabled());
        QTEST(states, "enabled");
    }

    // Each format lands in its own section whichever list's menu it came from; a bad file adds
    // nothing and says why.
    void importFromTheMenu_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("added");
        QTest::addColumn<QString>("said");
        QTest::newRow("to-dos") << "tasks.ics" << kTodos << int(SectionId::Todos) << 2 << "Imported 2 to-dos from tasks.ics";
        QTest::newRow("contact") << "ann.vcf" << kContact << int(SectionId::Contacts) << 1 << "Imported 1 contact from ann.vcf";
        QTest::newRow("bookmarks") << "b.html" << kBookmarks << int(SectionId::Websites) << 1 << "Imported 1 website from b.html";
        QTest::newRow("note") << "Shopping.md" << QByteArray("eggs\n") << int(SectionId::Notes) << 1 << "Imported 1 note from Shopping.md";
        QTest::newRow("cut short") << "cut.ics" << kTodos.left(60) << int(SectionId::Todos) << 0 << "cut.ics";
        QTest::newRow("missing") << "" << QByteArray() << int(SectionId::Todos) << 0 << "gone.ics";
    }
    void importFromTheMenu()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(int, section);
        QFETCH(int, added);
        QFETCH(QString, said);
        f->writeRecords(SectionId::Todos, {{"Old", ""}});
        f->open();
        const SectionId id = SectionId(section);
        const int before = f->document->model(id)->rowCount();
        f->files.picks.enqueue(file.isEmpty() ? f->folder.filePath("gone.ics") : write(file, bytes));
        action(importExport()->menuFor(SectionId::Websites), "Import…")->trigger();
        // Read on a worker: nothing reaches the list before the window's event loop runs again.
        QCOMPARE(f->document->model(id)->rowCount(), before);
        waitForImports();
        QCOMPARE(f->document->model(id)->rowCount(), before + added);
        QCOMPARE(f->messages.shown.size(), 1);
        QVERIFY2(f->messages.shown[0].text.contains(said), qPrintable(f->messages.shown[0].text));
        QCOMPARE(f->messages.shown[0].icon, added ? MessageBoxes::Icon::Information : MessageBoxes::Icon::Exclamation);
        QCOMPARE(f->document->isModified(), added > 0);
    }

    // All records or the selected one; a name typed without its extension gets it; a cancelled
    // dialog writes nothing.
    void exportFromTheMenu_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("pick");
        QTest::addColumn<QString>("written"); // empty: nothing
        QTest::addColumn<int>("todos");
        QTest::newRow("all") << "Export…" << "out.ics" << "out.ics" << 2;
        QTest::newRow("the selected one") << "Export Selected…" << "one.ics" << "one.ics" << 1;
        QTest::newRow("no extension typed") << "Export…" << "out" << "out.ics" << 2;
        QTest::newRow("cancelled") << "Export…" << "" << "" << 0;
    }
    void exportFromTheMenu()
    {
        QFETCH(QString, item);
        QFETCH(QString, pick);
        QFETCH(QString, written);
        QFETCH(int, todos);
        f->openWith(SectionId::Todos, {{"Buy milk", ""}, {"Call Ann", ""}});
        const QByteArray data = f->readFile("savedfile.qlt");
        RecordListView *view = f->list("lstTodo");
        QVERIFY(view);
        view->setCurrentIndex(view->model()->index(1, 0));
        f->files.picks.enqueue(pick.isEmpty() ? QString() : f->folder.filePath(pick));
        action(importExport()->menuFor(SectionId::Todos), item)->trigger();
        QCOMPARE(f->files.filters, QStringList{"Calendar files (*.ics)"});
        QCOMPARE(f->readFile("savedfile.qlt"), data);
        if (written.isEmpty()) {
            QVERIFY(f->messages.shown.isEmpty());
            return;
        }
        const QByteArray out = f->readFile(written);
        QCOMPARE(int(out.count("BEGIN:VTODO")), todos);
        QVERIFY(out.contains(todos == 1 ? "Call Ann" : "Buy milk"));
        QCOMPARE(f->messages.texts(), QStringList{QStringLiteral("Exported %1 to %2").arg(todos == 1 ? "1 to-do" : "2 to-dos", written)});
    }

    void notesGoToAFolder()
    {
        f->openWith(SectionId::Notes, {{"One", "One¶1"}, {"Two", "Two¶2"}});
        QVERIFY(QDir(f->folder.path()).mkdir("out"));
        f->files.picks.enqueue(f->folder.filePath("out"));
        importExport()->exportRecords(SectionId::Notes, false);
        QCOMPARE(f->files.filters, QStringList{QString()});
        QCOMPARE(QDir(f->folder.filePath("out")).entryList(QDir::Files).size(), 2);
        QCOMPARE(f->messages.texts(), QStringList{"Exported 2 notes to out/"});
    }

    // Files Quillet reads are taken when dropped on the window, others refused.
    void droppedFilesAreImported_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("todos");
        QTest::addColumn<int>("notes");
        QTest::newRow("calendar") << QStringList{"tasks.ics"} << true << 2 << 0;
        QTest::newRow("two at once") << QStringList{"tasks.ics", "list.txt"} << true << 2 << 1;
        QTest::newRow("a picture") << QStringList{"photo.png"} << false << 0 << 0;
    }
    void droppedFilesAreImported()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, accepted);
        f->open();
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString &file : files)
            urls << QUrl::fromLocalFile(write(file, file.endsWith(".ics") ? kTodos : QByteArray("text\n")));
        mime.setUrls(urls);
        const QPoint at = f->window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f->window, &enter);
        QCOMPARE(enter.isAccepted(), accepted);
        if (accepted) {
            QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(f->window, &drop);
            waitForImports();
        }
        QTEST(f->document->model(SectionId::Todos)->rowCount(), "todos");
        QTEST(f->document->model(SectionId::Notes)->rowCount(), "notes");
    }

    // An import a later start hands to the window is read away from the window's thread like a
    // dropped file, and the later start gets its summary once the records are in.
    void handedOverImportRunsInTheBackground()
    {
        f->open();
        const Document::HandedVerb &import = f->document->takenOverVerb(QStringLiteral("import"));
        QVERIFY(import);
        std::optional<verbs::Result> result;
        import(write("tasks.ics", kTodos), [&result](const verbs::Result &done) { result = done; });
        QVERIFY(importExport()->isImporting());
        QVERIFY(!result);
        waitForImports();
        QVERIFY(result);
        QCOMPARE(result->status, 0);
        QCOMPARE(result->output, QStringLiteral("Imported 2 to-dos from tasks.ics\n"));
        QCOMPARE(f->document->model(SectionId::Todos)->rowCount(), 2);
    }

    // The window ends while a file may still be read: the reading is waited for, nothing crashes.
    void closingDuringAnImport()
    {
        f->open();
        importExport()->importFile(write("tasks.ics", kTodos));
        QVERIFY(importExport()->isImporting());
        f->close();
        QVERIFY(!f->window);
    }
};

QTEST_MAIN(TestImportExport)
#include "tst_importexport.moc"
