#include "platform/ansitext.h"
#include "store/datafile.h"
#include "store/escapes.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QByteArray cp1252(const QString &text)
{
    return ansi::encode(text);
}

const QString kEnd = QStringLiteral("<end of section>\r\n");

// The worked example, byte for byte.
QByteArray workedExampleBytes()
{
    return cp1252(QStringLiteral("Quillet 1.0 - 1.0.9\r\n"
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
        "[u+", "<", "::", " (Default E-Mail)", "中文", "😀", "€", "é", "\t", "a", "Hello world", "[U+00b6]"};
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

} // namespace

class TestDataFile : public QObject
{
    Q_OBJECT
private slots:
    void workedExampleIsWrittenByteForByte()
    {
        QCOMPARE(serializeDataFile(workedExample()), workedExampleBytes());
    }

    void workedExampleLoads()
    {
        const ParsedDataFile parsed = parseDataFile(workedExampleBytes());
        QVERIFY(parsed.problems.isEmpty());
        QCOMPARE(parsed.content, workedExample());
    }

    void emptyListsGiveFiveLines()
    {
        const QByteArray expected = "Quillet 1.0 - 1.0.9\r\n" + QByteArray("<end of section>\r\n").repeated(4);
        QCOMPARE(serializeDataFile(DataFileContent()), expected);
        const ParsedDataFile parsed = parseDataFile(expected);
        QVERIFY(parsed.problems.isEmpty());
        QCOMPARE(parsed.content, DataFileContent());
    }

    void neverEditedRecordKeepsEmptyTag()
    {
        DataFileContent content;
        content[SectionId::Notes] = {{"New Note", ""}};
        const QByteArray bytes = serializeDataFile(content);
        QVERIFY(bytes.contains(cp1252(QStringLiteral("\r\nNew Note¤§\r\n"))));
        QCOMPARE(parseDataFile(bytes).content, content);
    }

    void rewrappedFilesLoadTheSame_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray original = workedExampleBytes();
        QByteArray oneLine = original;
        const int firstEnd = oneLine.indexOf("\r\n");
        oneLine = oneLine.left(firstEnd + 2) + oneLine.mid(firstEnd + 2).replace("\r\n", "");
        QTest::newRow("everything after the header on one line") << oneLine;
        QByteArray split = original;
        split.replace("Bread", "Br\r\nead");
        split.replace("Lee¶", QByteArray("Lee\r\n") + cp1252(QStringLiteral("¶")));
        QTest::newRow("records broken over lines") << split;
        QByteArray lf = original;
        lf.replace("\r\n", "\n");
        QTest::newRow("LF line ends") << lf;
        QByteArray otherHeader = original;
        otherHeader.replace("Quillet 1.0 - 1.0.9", "anything at all");
        QTest::newRow("any header line") << otherHeader;
    }
    void rewrappedFilesLoadTheSame()
    {
        QFETCH(QByteArray, bytes);
        const ParsedDataFile parsed = parseDataFile(bytes);
        QVERIFY(parsed.problems.isEmpty());
        QCOMPARE(parsed.content, workedExample());
    }

    void structureTextsAndAnyCharacterSurvive_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tag");
        QTest::newRow("separators") << QStringLiteral("a¤b§c¶d") << QStringLiteral("x¤y§z¶w");
        QTest::newRow("typed [crlf]") << "[crlf]" << "say [crlf] here\r\nand [crlf]";
        QTest::newRow("end marker") << "<end of section>" << "before<end of section>after";
        QTest::newRow("escape look-alikes") << "[u+0041][u+" << "[u+00B6] [u+zzzz] [u+00b6]";
        QTest::newRow("outside the code page") << QStringLiteral("中文 😀") << QStringLiteral("Ω≈ 😀\r\n€");
        QTest::newRow("lone line breaks") << "a\nb\rc" << "one\ntwo\rthree\r\n\n";
        QTest::newRow("undefined code-page bytes") << QString(QChar(0x81)) << QString(QChar(0x9D));
    }
    void structureTextsAndAnyCharacterSurvive()
    {
        QFETCH(QString, caption);
        QFETCH(QString, tag);
        DataFileContent content;
        for (auto &section : content.sections)
            section = {{caption, tag}, {"plain", "plain"}};
        const ParsedDataFile parsed = parseDataFile(serializeDataFile(content));
        QVERIFY2(parsed.problems.isEmpty(), qPrintable(parsed.problems.join(' ')));
        QCOMPARE(parsed.content, content);
    }

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
            QVERIFY(parsed.problems.isEmpty());
            QCOMPARE(parsed.content, content);
        }
    }

    void fieldsWithSeparatorDoNotSplit()
    {
        const QStringList fields = {QStringLiteral("Title ¶ with pilcrow"), "http://x", "[u+00B6]", ""};
        const QString tag = escapes::joinFields(fields);
        QCOMPARE(tag.count(QChar(0x00B6)), 3);
        QCOMPARE(escapes::splitFields(tag), fields);
        QCOMPARE(escapes::joinFields({"plain", "fields"}), QStringLiteral("plain¶fields"));
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
            << cp1252(QStringLiteral("h\r\nno mark§\r\n") + kEnd + kEnd + kEnd + kEnd) << 1 << 0;
        QTest::newRow("binary garbage") << QByteArray("\x00\xff\xfe\x01garbage\x00", 12) << 0 << 0;
        QTest::newRow("text after the last section") << workedExampleBytes() + "stray" << 1 << 1;
        QTest::newRow("header missing: the first line is a record")
            << cp1252(QStringLiteral("Home¤Home¶url¶d§\r\n") + kEnd + kEnd + kEnd + kEnd) << 1 << 0;
    }
    void badInputsLoadWhatCanBeRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, websites);
        QFETCH(int, todos);
        const ParsedDataFile parsed = parseDataFile(bytes);
        QVERIFY(!parsed.problems.isEmpty());
        QCOMPARE(parsed.content[SectionId::Websites].size(), websites);
        QCOMPARE(parsed.content[SectionId::Todos].size(), todos);
    }

    // Files edited on Linux have LF line ends and breaks inside records; loading them must stay
    // linear (a search for a CR from every LF once made a 1 MB file take seconds).
    void loadingWorkGrowsLinearly_data()
    {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR LF") << QByteArray("\r\n");
    }
    void loadingWorkGrowsLinearly()
    {
        QFETCH(QByteArray, lineEnd);
        QByteArray bytes = "header" + lineEnd;
        for (int i = 0; i < 20000; ++i)
            bytes += cp1252(QStringLiteral("Note¤first line")) + lineEnd + cp1252(QStringLiteral("second§")) + lineEnd;
        bytes += QByteArray("<end of section>").repeated(4);
        const qsizetype before = lineBreakBytesScanned();
        const ParsedDataFile parsed = parseDataFile(bytes);
        QCOMPARE(parsed.content.sections[0].size(), 20000);
        QVERIFY(lineBreakBytesScanned() - before <= 4 * bytes.size());
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
