// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/contactmodel.h"
#include "core/contactrecord.h"
#include "core/websitemodel.h"
#include "exchange/exchangefile.h"
#include "exchange/exchangesummary.h"
#include "exchange/markdownnotes.h"
#include "exchange/mergeimport.h"
#include "tests/exchange/exchangetestsupport.h"

#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

class TestExchangeFormats : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void importCard_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tag");
        QTest::newRow("2.1: quoted-printable over two lines, a charset, bare PREF")
            << QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=\r\n=FCrgen\r\n"
                          "FN;CHARSET=UTF-8;QUOTED-PRINTABLE:J=C3=BCrgen M=C3=BCller\r\nEMAIL;INTERNET:a@x.de\r\n"
                          "EMAIL;PREF;INTERNET:b@x.de\r\nUID:c1\r\nEND:VCARD\r\n")
            << u"Jürgen Müller"_qs << u"Jürgen¶Müller¶¶a@x.de::b@x.de (Default E-Mail)::¶c1"_qs;
        QTest::newRow("3.0: grouped, TYPE=pref, folded, escaped")
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;Jane;;;\r\nFN:Jane \r\n Doe\r\nTITLE:Boss\\, Chief\\; more\r\n"
                          "item1.EMAIL;type=INTERNET:j@x.org\r\nitem2.EMAIL;type=INTERNET;type=pref:jd@x.org\r\n"
                          "item2.X-ABLabel:work\r\nUID:c2\r\nEND:VCARD\r\n")
            << u"Jane Doe"_qs << u"Jane¶Doe¶Boss, Chief; more¶j@x.org::jd@x.org (Default E-Mail)::¶c2"_qs;
        QTest::newRow("4.0: PREF=1 wins over PREF=5, photo skipped, LF lines")
            << QByteArray("BEGIN:VCARD\nVERSION:4.0\nFN:Li\nEMAIL;PREF=5:five@x.cn\nPHOTO;ENCODING=b:AAAA\n BBBB\n"
                          "EMAIL;TYPE=work;PREF=1:one@x.cn\nUID:urn:uuid:c3\nEND:VCARD\n")
            << u"Li"_qs << u"¶¶¶five@x.cn::one@x.cn (Default E-Mail)::¶urn:uuid:c3"_qs;
        QTest::newRow("no FN: the name, then the address")
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nEMAIL:only@x.org\r\nUID:c4\r\nEND:VCARD\r\n")
            << u"only@x.org"_qs << u"¶¶¶only@x.org (Default E-Mail)::¶c4"_qs;
    }
    void importCard()
    {
        QFETCH(QByteArray, file);
        const ImportResult result = exchange::importFile(writeFile(m_dir.path(), u"in.vcf"_qs, file));
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.records.size(), 1);
        QTEST(result.records[0].caption, "caption");
        QTEST(result.records[0].tag, "tag");
    }

    // A card read elsewhere as written; export, import into an empty list and export again
    // give the same file; importing it again adds nothing.
    void cardsRoundTrip()
    {
        ContactRecord jane{u"Jane"_qs, u"Doe, Jr."_qs, u"Chief; of ☃"_qs, {u"a@x.org"_qs, u"b@x.org (Default E-Mail)"_qs}, QString()};
        const QList<Record> contacts{{u"Jane Doe with a display name long enough to be folded at seventy-five octets ☃☃☃"_qs, jane.toTag()},
                                     {u"New Email"_qs, QString()}};
        const QString first = m_dir.filePath(u"out.vcf"_qs);
        QVERIFY(exchange::exportRecords(SectionId::Contacts, contacts, first).ok());
        const QJsonArray cards = readForeign(u"vcf"_qs, first).array();
        QCOMPARE(cards.size(), 2);
        QCOMPARE(cards[0].toObject()[u"fn"_qs].toString(), contacts[0].caption);
        QCOMPARE(cards[0].toObject()[u"version"_qs].toString(), u"4.0"_qs);
        QCOMPARE(cards[0].toObject()[u"family"_qs].toString(), u"Doe, Jr."_qs);
        QCOMPARE(cards[0].toObject()[u"title"_qs].toString(), u"Chief; of ☃"_qs);
        QCOMPARE(cards[0].toObject()[u"emails"_qs].toArray(), QJsonArray({QJsonArray{u"a@x.org"_qs, u""_qs}, QJsonArray{u"b@x.org"_qs, u"1"_qs}}));
        QVERIFY(cards[1].toObject()[u"uid"_qs].toString().startsWith(u"urn:uuid:"_qs));

        ContactModel model;
        const ImportResult imported = exchange::importFile(first);
        QCOMPARE(mergeimport::mergeInto(model, SectionId::Contacts, imported.records), (mergeimport::Counts{2, 0, 0}));
        const QString second = m_dir.filePath(u"second.vcf"_qs);
        QVERIFY(exchange::exportRecords(SectionId::Contacts, model.records(), second).ok());
        QFile a(first), b(second);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(b.readAll(), a.readAll());
        QCOMPARE(mergeimport::mergeInto(model, SectionId::Contacts, imported.records), (mergeimport::Counts{0, 0, 2}));

        // A card changed elsewhere updates its contact.
        QFile changed(second);
        QVERIFY(changed.open(QIODevice::ReadOnly));
        const QString third = writeFile(m_dir.path(), u"third.vcf"_qs, changed.readAll().replace("TITLE:", "TITLE:Ex-"));
        const ImportResult changedCards = exchange::importFile(third);
        const mergeimport::Counts counts = mergeimport::mergeInto(model, SectionId::Contacts, changedCards.records);
        QCOMPARE(exchangesummary::imported(changedCards, counts, third),
                 u"Imported 2 contacts from third.vcf (1 updated, 1 already there)"_qs);
        QCOMPARE(model.record(0).title, u"Ex-Chief; of ☃"_qs);
        QCOMPARE(model.count(), 2);
    }

    void bookmarks()
    {
        const QByteArray file = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<!-- generated -->\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                                "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n"
                                "    <DT><H3 ADD_DATE=\"1\">Toolbar</H3>\n    <DL><p>\n"
                                "        <DT><A HREF=\"https://x.org/?a=1&amp;b=2\" ADD_DATE=\"1\" ICON=\"data:image/png;base64,AA>\">Fish &amp; Chips &#8364; &#x263A;</A>\n"
                                "        <DD>Two\n        lines &lt;here&gt;\n"
                                "        <DT><A HREF=\"place:sort=8\">Recent</A>\n"
                                "        <DT><A HREF=\"JavaScript:alert(1)\">Bookmarklet</A>\n"
                                "        <DT><H3>Deeper</H3>\n        <DL><p>\n            <DT><A HREF='http://y.org'>Y</A>\n        </DL><p>\n"
                                "    </DL><p>\n    <HR>\n    <DT><A HREF=\"https://z.org\"></A>\n</DL><p>\n";
        const QString path = writeFile(m_dir.path(), u"bookmarks.html"_qs, file);
        const ImportResult result = exchange::importFile(path);
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.records, (QList<Record>{{u"Fish & Chips € ☺"_qs, u"Fish & Chips € ☺¶https://x.org/?a=1&b=2¶Two\r\n        lines <here>"_qs},
                                                {u"Y"_qs, u"Y¶http://y.org¶"_qs},
                                                {u"https://z.org"_qs, u"¶https://z.org¶"_qs}}));
        QCOMPARE(exchangesummary::imported(result, {3, 0, 0}, path),
                 u"Imported 3 websites from bookmarks.html (1 javascript: link skipped, 1 place: link skipped)"_qs);

        // Written for browsers; read back, the same websites; a website without a URL stays.
        QList<Record> websites = result.records;
        websites.append({u"New URL"_qs, QString()});
        const QString out = m_dir.filePath(u"out.html"_qs);
        const exchange::ExportResult written = exchange::exportRecords(SectionId::Websites, websites, out);
        QCOMPARE(exchangesummary::exported(written, out), u"Exported 3 websites to out.html"_qs);
        const QJsonArray links = readForeign(u"html"_qs, out).array();
        QCOMPARE(links.size(), 3);
        QCOMPARE(links[2].toObject()[u"text"_qs].toString(), QString());
        QCOMPARE(links[0].toObject()[u"href"_qs].toString(), u"https://x.org/?a=1&b=2"_qs);
        QCOMPARE(links[0].toObject()[u"text"_qs].toString(), u"Fish & Chips € ☺"_qs);
        WebsiteModel model;
        QCOMPARE(mergeimport::mergeInto(model, SectionId::Websites, exchange::importFile(out).records), (mergeimport::Counts{3, 0, 0}));
        QCOMPARE(model.records(), result.records);
        QCOMPARE(mergeimport::mergeInto(model, SectionId::Websites, result.records), (mergeimport::Counts{0, 0, 3}));
    }

    void noteCaption_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::newRow("first level-one heading") << u"intro\n## Sub\n  # Title ##\n# Later"_qs << u"Title"_qs;
        QTest::newRow("no heading: the file name") << u"#hashtag\n####### x"_qs << u"My notes.v2"_qs;
    }
    void noteCaption()
    {
        QFETCH(QString, text);
        QTEST(markdownnotes::captionOf(text, u"/a/My notes.v2.md"_qs), "caption");
    }

    void noteFileName_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("name");
        QTest::newRow("taken, case ignored") << u"Shopping"_qs << u"Shopping (3).md"_qs;
        QTest::newRow("refused characters") << u"a/b\\c:d*e?f\"g<h>i|j\tk"_qs << u"a_b_c_d_e_f_g_h_i_j k.md"_qs;
        QTest::newRow("hidden or empty") << u" ..  "_qs << u"Note.md"_qs;
        QTest::newRow("long") << QString(300, u'ü') << QString(120, u'ü') + u".md"_qs;
    }
    void noteFileName()
    {
        QFETCH(QString, caption);
        QTEST(markdownnotes::fileNameFor(caption, {u"shopping.md"_qs, u"Shopping (2).md"_qs}), "name");
    }

    void notesRoundTrip()
    {
        const QList<Record> notes{{u"Ideas"_qs, u"# Ideas\r\n\r\n- one\r\n- two ☃"_qs}, {u"Ideas"_qs, u"plain"_qs}, {u"../x"_qs, QString()}};
        const QString folder = m_dir.filePath(u"notes/"_qs);
        const exchange::ExportResult written = exchange::exportRecords(SectionId::Notes, notes, folder);
        QVERIFY2(written.ok(), qPrintable(written.error));
        QCOMPARE(exchangesummary::exported(written, folder), u"Exported 3 notes to notes/"_qs);
        QList<Record> back;
        for (const QString &file : written.files)
            back += exchange::importFile(file).records;
        QCOMPARE(back, (QList<Record>{notes[0], {u"Ideas (2)"_qs, u"plain"_qs}, {u"_x"_qs, QString()}}));
        // A second export never overwrites the first.
        QCOMPARE(QFileInfo(exchange::exportRecords(SectionId::Notes, notes, folder).files[0]).fileName(), u"Ideas (3).md"_qs);
    }

    // The command line's verbs choose the format by the name they are given.
    void formatByName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("imports"); // a SectionId, -1 for none
        QTest::addColumn<int>("exports");
        QTest::newRow("ics") << u"a/Tasks.ICS"_qs << int(SectionId::Todos) << int(SectionId::Todos);
        QTest::newRow("vcf") << u"c.vcf"_qs << int(SectionId::Contacts) << int(SectionId::Contacts);
        QTest::newRow("html") << u"b.htm"_qs << int(SectionId::Websites) << int(SectionId::Websites);
        QTest::newRow("md: one note in, a folder out") << u"n.md"_qs << int(SectionId::Notes) << -1;
        QTest::newRow("folder") << u"notes/"_qs << -1 << int(SectionId::Notes);
        QTest::newRow("other") << u"x.csv"_qs << -1 << -1;
    }
    void formatByName()
    {
        QFETCH(QString, path);
        QTEST(int(exchange::sectionForImport(path).value_or(SectionId(-1))), "imports");
        QTEST(int(exchange::sectionForExport(path).value_or(SectionId(-1))), "exports");
    }

    // Nothing imported, and a sentence that says why.
    void badInput_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QByteArray noise(4096, Qt::Uninitialized);
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        QByteArray deepTodo = "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\n";
        QByteArray deepCard = "BEGIN:VCARD\r\n";
        QByteArray deepFolders = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n";
        for (int i = 0; i < 100; ++i) {
            deepTodo += "BEGIN:VALARM\r\n";
            deepCard += "BEGIN:VCARD\r\n";
            deepFolders += "<DL><p>\n";
        }
        const char *cutShort = "it is cut short";
        const std::initializer_list<std::tuple<const char *, QByteArray, const char *>> rows = {
            {"noise.ics", noise, "it is not a text file"},
            {"noise.vcf", noise, "it is not a text file"},
            {"noise.html", noise, "it is not a text file"},
            {"text.vcf", "Dear Ann,\r\nthanks: see you.\r\n", "it is not a vCard file"},
            {"text.html", "<html><body>hello</body></html>\n", "it is not a bookmark file"},
            {"noise.md", noise, "it is not a text file"},
            {"empty.ics", QByteArray(), "it is not an iCalendar file"},
            {"card.ics", "BEGIN:VCARD\r\nEND:VCARD\r\n", "it is not an iCalendar file"},
            {"cut.ics", "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:a\r\n", cutShort},
            {"cut.vcf", "BEGIN:VCARD\r\nFN:a\r\n", cutShort},
            {"cut.html", "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n<DT><A HREF=\"http://a\">a</A>\n", cutShort},
            {"cuttag.html", "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n<DT><A HREF=\"http://a", cutShort},
            {"mismatch.ics", "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n", "line 3 ends VEVENT where VTODO is open"},
            {"garbage line.ics", "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:ok\r\n\x01\x02 noise\r\nEND:VTODO\r\nEND:VCALENDAR\r\n", "line 4 is not an iCalendar line"},
            {"deep.ics", deepTodo, "its items are nested more than 16 deep"},
            {"deep.vcf", deepCard, "its cards are nested more than 8 deep"},
            {"deep.html", deepFolders, "its folders are nested more than 64 deep"},
            {"tasks.xyz", "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n", "Quillet reads .ics, .vcf, .html, .md and .txt files"},
        };
        for (const auto &[name, bytes, error] : rows)
            QTest::newRow(name) << QString::fromLatin1(name) << bytes << QString::fromLatin1(error);
    }
    void badInput()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const ImportResult result = exchange::importFile(writeFile(m_dir.path(), name, bytes));
        QVERIFY(result.records.isEmpty());
        QVERIFY2(result.error.startsWith(u"Cannot import \"%1\": "_qs.arg(name)), qPrintable(result.error));
        QFETCH(QString, error);
        QVERIFY2(result.error.contains(error), qPrintable(result.error));
    }

    // What must never be read whole: a pipe, a file over 1 GiB, a line of 100 MB.
    void unreadable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        for (const char *extension : {"ics", "vcf", "html", "md"}) {
            QTest::addRow("fifo.%s", extension) << u"fifo."_qs + QLatin1String(extension) << u"is a named pipe (FIFO), not a file"_qs;
            QTest::addRow("huge.%s", extension) << u"huge."_qs + QLatin1String(extension) << u"is larger than 1 GiB"_qs;
            QTest::addRow("longline.%s", extension) << u"longline."_qs + QLatin1String(extension) << u"longer than 16 MiB"_qs;
        }
    }
    void unreadable()
    {
        QFETCH(QString, name);
        const QString path = m_dir.filePath(name);
        if (name.startsWith(u"fifo"_qs)) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (name.startsWith(u"huge"_qs)) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize((qint64(1) << 30) + 1)); // sparse
        } else {
            const QByteArray start = name.endsWith(u"ics"_qs) ? "BEGIN:VCALENDAR\r\nX-A:" : name.endsWith(u"vcf"_qs) ? "BEGIN:VCARD\r\nX-A:"
                : name.endsWith(u"html"_qs) ? "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL>" : "";
            writeFile(m_dir.path(), name, start + QByteArray(100 * 1000 * 1000, 'a'));
        }
        const ImportResult result = exchange::importFile(path);
        QFile::remove(path);
        QVERIFY(result.records.isEmpty());
        QFETCH(QString, error);
        QVERIFY2(result.error.contains(error), qPrintable(result.error));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestExchangeFormats)
#include "tst_exchangeformats.moc"
