// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ansitext.h"
#include "platform/textfile.h"
#include "store/datafile.h"
#include "store/datafilereader.h"
#include "store/datastore.h"
#include "store/recoverycopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

Q_DECLARE_METATYPE(DataFileContent)

namespace {

const QString kEnd = QStringLiteral("<end of section>\r\n");

// The worked example, byte for byte.
QByteArray workedExampleBytes()
{
    return ansi::encode(QStringLiteral("Quillet 1.0 - 1.0.9\r\n"
                                 "Home page¤Home page¶C:\\Docs\\index.htm¶Start page of the documents§\r\n")
                  + kEnd + QStringLiteral("Ann Lee¤Ann¶Lee¶Editor¶§\r\n") + kEnd
                  + QStringLiteral("Shopping¤Milk[crlf]Bread[crlf]Eggs§\r\n") + kEnd
                  + QStringLiteral("Call plumber¤Call plumber¶1¶2¶50%¶¶¶¶Ask about the boiler¶Reminder not set§\r\n")
                  + kEnd);
}

DataFileContent workedExample()
{
    DataFileContent content;
    content[SectionId::Websites] = {{"Home page", QStringLiteral("Home page¶C:\\Docs\\index.htm¶Start page of the documents")}};
    content[SectionId::Contacts] = {{"Ann Lee", QStringLiteral("Ann¶Lee¶Editor¶")}};
    content[SectionId::Notes] = {{"Shopping", "Milk\r\nBread\r\nEggs"}};
    content[SectionId::Todos] = {{"Call plumber", QStringLiteral("Call plumber¶1¶2¶50%¶¶¶¶Ask about the boiler¶Reminder not set")}};
    return content;
}

QString randomText(QRandomGenerator &rng)
{
    static const QStringList pieces = {
        "¤", "§", "¶", "[crlf]", "<end of section>", "\r\n", "\n", "\r", "[", "]", "[u+0041]",
        "[u+", "<", "::", " (Default E-Mail)", "中文", "😀", "€", "é", "\t", "a", "Hello world", "[U+00b6]",
        "[u+zzzz]", "[u+00B6]", QString(QChar(0x81)), QString(QChar(0x9D))}; // undefined code-page bytes
    QString text;
    const int n = int(rng.bounded(12));
    for (int i = 0; i < n; ++i) {
        if (rng.bounded(3) == 0)
            text += QChar(char16_t(rng.bounded(1, 0xD800)));
        else
            text += pieces.at(int(rng.bounded(int(pieces.size()))));
    }
    return text;
}

/// The same bytes read as a file is read, in pieces of the given size.
ParsedDataFile parsedInPieces(QByteArrayView bytes, qsizetype size)
{
    DataFileReader reader;
    for (qsizetype at = 0; at < bytes.size(); at += size)
        reader.add(bytes.sliced(at, std::min(size, bytes.size() - at)));
    return reader.finish();
}

/// The bytes of a file, or a note that it could not be read.
QByteArray bytesOf(const QString &path)
{
    QByteArray bytes;
    return readWholeFile(path, &bytes) ? bytes : QByteArray("(unreadable)");
}

/// Records large enough to leave in many pieces, one of them longer than a piece by itself.
DataFileContent largeContent(QByteArray *expected)
{
    DataFileContent content;
    *expected = "Quillet 1.0 - 1.0.9\r\n";
    for (int s = 0; s < kSectionCount; ++s) {
        for (int i = 0; i < 20000; ++i) {
            const QString tag = i == 7 ? QString(70000, QLatin1Char('x')) : QStringLiteral("tag of record %1").arg(i);
            content.sections[size_t(s)].append({QStringLiteral("Record %1").arg(i), tag});
            *expected += ansi::encode(content.sections[size_t(s)].last().caption + QChar(0xA4) + tag + QChar(0xA7)) + "\r\n";
        }
        *expected += "<end of section>\r\n";
    }
    return content;
}

} // namespace

class TestDataFile : public QObject
{
    Q_OBJECT
private slots:
    // Every file loads to the same records; the ones Quillet writes itself come back byte for byte.
    void filesLoad_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<DataFileContent>("content");
        QTest::addColumn<bool>("written"); // serializing content gives bytes exactly
        const QByteArray original = workedExampleBytes();
        QTest::newRow("worked example") << original << workedExample() << true;
        QTest::newRow("empty lists: five lines")
            << "Quillet 1.0 - 1.0.9\r\n" + QByteArray("<end of section>\r\n").repeated(4) << DataFileContent() << true;
        DataFileContent neverEdited;
        neverEdited[SectionId::Notes] = {{"New Note", ""}};
        QTest::newRow("never edited: empty tag")
            << ansi::encode("Quillet 1.0 - 1.0.9\r\n" + kEnd + kEnd + QStringLiteral("New Note¤§\r\n") + kEnd + kEnd)
            << neverEdited << true;
        const int firstEnd = original.indexOf("\r\n");
        QTest::newRow("everything after the header on one line")
            << original.left(firstEnd + 2) + original.mid(firstEnd + 2).replace("\r\n", "") << workedExample() << false;
        QTest::newRow("records broken over lines")
            << QByteArray(original).replace("Bread", "Br\r\nead").replace("Lee¶", "Lee\r\n" + ansi::encode(QStringLiteral("¶")))
            << workedExample() << false;
        QTest::newRow("LF line ends") << QByteArray(original).replace("\r\n", "\n") << workedExample() << false;
        QTest::newRow("any header line") << QByteArray(original).replace("Quillet 1.0 - 1.0.9", "anything at all")
                                         << workedExample() << false;
    }
    void filesLoad()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(DataFileContent, content);
        const ParsedDataFile parsed = parseDataFile(bytes);
        QVERIFY(parsed.problems.isEmpty());
        QCOMPARE(parsed.content, content);
        for (const qsizetype size : {1, 5})
            QCOMPARE(parsedInPieces(bytes, size).content, content); // cut anywhere, even inside marks
        QFETCH(bool, written);
        if (written)
            QCOMPARE(serializeDataFile(content), bytes);
    }

    // Structure texts ("¤", "[crlf]", the end marker, escape look-alikes) and any character
    // read back as they were.
    void randomRecordsRoundTrip()
    {
        QRandomGenerator rng(20261206);
        for (int round = 0; round < 200; ++round) {
            DataFileContent content;
            for (auto &section : content.sections) {
                const int n = int(rng.bounded(5));
                for (int i = 0; i < n; ++i)
                    section.append({randomText(rng), randomText(rng)});
            }
            const ParsedDataFile parsed = parseDataFile(serializeDataFile(content));
            QVERIFY2(parsed.problems.isEmpty(), qPrintable(parsed.problems.join(' ')));
            QCOMPARE(parsed.content, content);
        }
    }

    void badInputsLoadWhatCanBeRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("websites");
        QTest::addColumn<int>("todos");
        QTest::newRow("empty file") << QByteArray() << 0 << 0;
        QTest::newRow("header only") << QByteArray("Quillet 1.0 - 1.0.9\r\n") << 0 << 0;
        QTest::newRow("cut in the middle") << workedExampleBytes().left(60) << 0 << 0;
        QTest::newRow("cut in the last section") << workedExampleBytes().chopped(30) << 1 << 0;
        QTest::newRow("record without caption mark")
            << ansi::encode(QStringLiteral("h\r\nno mark§\r\n") + kEnd + kEnd + kEnd + kEnd) << 1 << 0;
        QTest::newRow("binary garbage") << QByteArray("\x00\xff\xfe\x01garbage\x00", 12) << 0 << 0;
        QTest::newRow("text after the last section") << workedExampleBytes() + "stray" << 1 << 1;
        QTest::newRow("header missing: the first line is a record")
            << ansi::encode(QStringLiteral("Home¤Home¶url¶d§\r\n") + kEnd + kEnd + kEnd + kEnd) << 1 << 0;
    }
    void badInputsLoadWhatCanBeRead()
    {
        QFETCH(QByteArray, bytes);
        const ParsedDataFile parsed = parseDataFile(bytes);
        QVERIFY(!parsed.problems.isEmpty());
        QTEST(int(parsed.content[SectionId::Websites].size()), "websites");
        QTEST(int(parsed.content[SectionId::Todos].size()), "todos");
        const ParsedDataFile inPieces = parsedInPieces(bytes, 3);
        QCOMPARE(inPieces.content, parsed.content);
        QCOMPARE(inPieces.problems, parsed.problems);
    }

    // A record that runs on past the bound is dropped as it is read, never held whole; what
    // follows it loads, and the file counts as damaged.
    void overlongRecord_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<char>("filler");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("end");
        QTest::addColumn<int>("notes");
        QTest::addColumn<int>("todos");
        QTest::addColumn<QStringList>("problems");
        const int bound = 1 << 20;
        const QByteArray twoSections = "h\r\n" + QByteArray("<end of section>\r\n").repeated(2);
        const QString tooLong = QStringLiteral("A record is longer than 1 MiB and was left out.");
        const QString unfinished = QStringLiteral("The file ends before its last section.");
        QTest::newRow("zeros after the header") << QByteArray("h\r\n") << '\0' << 4 * bound << QByteArray() << 0 << 0
                                                << QStringList{unfinished, tooLong};
        QTest::newRow("no line break at all") << QByteArray() << 'y' << 4 * bound << QByteArray() << 0 << 0
            << QStringList{"The first line is not the header.", unfinished, tooLong};
        QTest::newRow("a long note, then more") << twoSections + "N\xA4" << 'x' << 4 * bound
            << QByteArray("\xA7\r\nNext\xA4t\xA7\r\n<end of section>\r\nT\xA4t\xA7\r\n<end of section>\r\n")
            << 1 << 1 << QStringList{tooLong};
        QTest::newRow("ended by its section's end") << twoSections + "N\xA4" << 'x' << 4 * bound
            << QByteArray("<end of section>\r\nT\xA4t\xA7<end of section>") << 0 << 1 << QStringList{tooLong};
        QTest::newRow("just within the bound") << twoSections + "N\xA4" << 'x' << bound - 2
            << QByteArray("\xA7\r\n<end of section>\r\n<end of section>") << 1 << 0 << QStringList();
    }
    void overlongRecord()
    {
        QFETCH(QByteArray, start);
        QFETCH(char, filler);
        QFETCH(int, length);
        QFETCH(QByteArray, end);
        const qsizetype bound = 1 << 20;
        const qsizetype piece = 64 * 1024;
        DataFileReader reader(bound);
        const QByteArray bytes = start + QByteArray(length, filler) + end;
        for (qsizetype at = 0; at < bytes.size(); at += piece) {
            reader.add(QByteArrayView(bytes).sliced(at, std::min(piece, bytes.size() - at)));
            QVERIFY2(reader.heldBytes() <= 2 * (bound + piece), qPrintable(QString::number(reader.heldBytes())));
        }
        const ParsedDataFile parsed = reader.finish();
        QTEST(int(parsed.content[SectionId::Notes].size()), "notes");
        QTEST(int(parsed.content[SectionId::Todos].size()), "todos");
        QTEST(parsed.problems, "problems");
    }

    // At its real size the bound makes a file damaged as any other: said, and kept aside whole.
    void overlongRecordKeepsTheFileAside()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("savedfile.qlt");
        const QByteArray bytes = "Quillet 1.0 - 1.0.9\r\n" + QByteArray(DataFileReader::kLongestRecord + 1, '\0');
        QVERIFY(writeFileAtomically(path, bytes));
        DataStore store(dir.path());
        const DataStore::LoadResult loaded = store.load();
        QVERIFY(!loaded.unreadable);
        QVERIFY2(loaded.problem.contains("A record is longer than 64 MiB and was left out."), qPrintable(loaded.problem));
        FileError error;
        QVERIFY(store.save(loaded.content, &error));
        QCOMPARE(QFileInfo(store.backupPath()).size(), bytes.size());
    }

    // A save goes to the disk as it is made, in pieces, byte for byte the file as a whole; a disk
    // that fills midway fails it with the system's cause, stops the making, and keeps the old file.
    void saveStreamsToTheDisk()
    {
        QByteArray expected;
        const DataFileContent content = largeContent(&expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("savedfile.qlt");
        int pieces = 0;
        qsizetype largest = 0;
        const auto produce = [&](const ByteSink &sink) {
            writeDataFile(content, [&](QByteArrayView piece) {
                ++pieces;
                largest = std::max(largest, piece.size());
                return sink(piece);
            });
        };
        FileError error;
        QVERIFY(writeFileAtomically(path, produce, &error));
        QCOMPARE(bytesOf(path), expected);
        const int all = pieces;
        QVERIFY(all > 20 && largest < 256 * 1024);

        WriteCalls full;
        full.write = [](int fd, const char *data, size_t size) -> ssize_t {
            return lseek(fd, 0, SEEK_CUR) >= 100000 ? (errno = ENOSPC, -1) : ::write(fd, data, size);
        };
        pieces = 0;
        QVERIFY(!writeFileAtomically(path, produce, &error, full));
        QCOMPARE(error.number, ENOSPC);
        QCOMPARE(error.description, QString::fromLocal8Bit(strerror(ENOSPC)));
        QVERIFY(pieces < all / 2);
        QCOMPARE(bytesOf(path), expected);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"savedfile.qlt"});
    }

    // A load started ahead of time gives the file's records once; a change on disk after it is
    // caught at the next save like any other.
    void preloadedFileIsTakenOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("savedfile.qlt");
        QVERIFY(writeFileAtomically(path, workedExampleBytes()));
        DataStore::preload(dir.path());
        DataStore store(dir.path());
        QCOMPARE(store.load().content, workedExample());
        const QByteArray emptied = "Quillet 1.0 - 1.0.9\r\n" + QByteArray("<end of section>\r\n").repeated(4);
        QVERIFY(writeFileAtomically(path, emptied));
        QCOMPARE(DataStore(dir.path()).load().content, DataFileContent());
        FileError error;
        QVERIFY(store.save(workedExample(), &error));
        QCOMPARE(bytesOf(store.conflictCopy()), emptied);
    }

    // A copy its own folder refuses goes to the fallback folder shared by every data folder, under
    // a name of its own folder: offered to that folder alone, and removed by its save alone.
    void fallbackCopyBelongsToItsFolder()
    {
        QTemporaryDir dir;
        const QString fallback = dir.filePath("share");
        for (const char *folder : {"a", "b", "share", "a/savedfile.qlt.recovery"}) // a refuses its copy
            QVERIFY(QDir(dir.path()).mkpath(folder));
        RecoveryCopy a(dir.filePath("a/savedfile.qlt"), fallback);
        RecoveryCopy b(dir.filePath("b/savedfile.qlt"), fallback);
        FileError error;
        const QString kept = a.writeNow(workedExample(), &error);
        QVERIFY2(kept.startsWith(fallback + "/savedfile.qlt.") && kept.endsWith(".recovery"), qPrintable(kept));
        QVERIFY(writeFileAtomically(fallback + "/savedfile.qlt.recovery", "an older run's, of no known folder"));
        QByteArray bytes;
        QCOMPARE(b.findLeftover(&bytes), QString());
        b.discard();
        b.waitForWrites();
        QCOMPARE(a.findLeftover(&bytes), kept);
        QCOMPARE(parseDataFile(bytes).content, workedExample());
        a.discard();
        a.waitForWrites();
        QVERIFY(!QFile::exists(kept));
        // The fallback folder's own data keeps its copy beside its file, as any folder does.
        RecoveryCopy own(fallback + "/savedfile.qlt", fallback);
        QCOMPARE(own.fallbackPath(), QString());
        QCOMPARE(own.findLeftover(&bytes), fallback + "/savedfile.qlt.recovery");
    }

    // The copy is written again after a save removed it, even holding what it held before; a
    // declined one is kept under its date, the newest five; one left undecided is touched by
    // nothing until the next start.
    void recoveryCopyOverRuns()
    {
        QTemporaryDir dir;
        RecoveryCopy copy(dir.filePath("savedfile.qlt"), dir.filePath("share"));
        for (int save = 0; save < 2; ++save) {
            copy.writeLater(workedExample());
            copy.waitForWrites();
            QVERIFY(QFile::exists(copy.path()));
            copy.discard();
            copy.waitForWrites();
            QVERIFY(!QFile::exists(copy.path()));
        }
        const QDateTime start(QDate(2026, 12, 5), QTime(21, 5, 0));
        QStringList newest;
        for (int run = 0; run < 7; ++run) {
            copy.writeLater(workedExample());
            copy.waitForWrites();
            copy.keepAside(copy.path(), start.addSecs(run));
            if (run >= 2)
                newest << "savedfile.qlt.recovery" + start.addSecs(run).toString("-yyyy-MM-dd-HHmmss");
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), newest);

        copy.writeLater(workedExample());
        RecoveryCopy nextRun(dir.filePath("savedfile.qlt"), dir.filePath("share"));
        copy.waitForWrites();
        nextRun.holdLeftover();
        FileError error;
        QCOMPARE(nextRun.writeNow(DataFileContent(), &error), QString());
        QVERIFY(!error.description.isEmpty());
        nextRun.discard();
        nextRun.waitForWrites();
        QCOMPARE(parseDataFile(bytesOf(copy.path())).content, workedExample());
    }

    // Files edited on Linux have LF line ends and breaks inside records, and a damaged one may
    // have no record end at all; loading them in pieces must stay linear (a search for a CR from
    // every LF once made a 1 MB file take seconds).
    void loadingWorkGrowsLinearly()
    {
        for (const QByteArray lineEnd : {"\n", "\r\n", ""}) {
            QByteArray bytes = "header\n";
            for (int i = 0; i < 20000; ++i)
                bytes += ansi::encode(QStringLiteral("Note¤first line")) + lineEnd + ansi::encode(lineEnd.isEmpty() ? "second " : QStringLiteral("second§")) + lineEnd;
            bytes += QByteArray("<end of section>").repeated(4);
            const qsizetype before = dataFileBytesScanned();
            QCOMPARE(parsedInPieces(bytes, 4096).content.sections[0].size(), lineEnd.isEmpty() ? 0 : 20000);
            QVERIFY(dataFileBytesScanned() - before <= 4 * bytes.size());
        }
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
