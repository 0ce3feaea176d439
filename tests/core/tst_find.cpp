// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/contactmodel.h"
#include "core/notemodel.h"
#include "core/recordfilter.h"
#include "core/todomodel.h"
#include "core/websitemodel.h"
#include "store/textfold.h"

#include <QAbstractItemModelTester>
#include <QTest>

#include <memory>

namespace {

const QString S = QStringLiteral("¶");

std::unique_ptr<RecordListModel> model(SectionId section)
{
    switch (section) {
    case SectionId::Websites: return std::make_unique<WebsiteModel>();
    case SectionId::Contacts: return std::make_unique<ContactModel>();
    case SectionId::Notes: return std::make_unique<NoteModel>();
    case SectionId::Todos: break;
    }
    return std::make_unique<TodoModel>();
}

QString todo(const QString &subject, const QString &description)
{
    return subject + S + "0" + S + "1" + S + "0%" + S + "12/24/2027 9:05:00 PM" + S + "/home/u/alarm.wav" + S + "1" + S
           + description + S + "December 24, 2027  09:05 PM";
}

} // namespace

class TestFind : public QObject
{
    Q_OBJECT
private slots:
    // One record among others; is it listed for what the user typed?
    void search_data()
    {
        QTest::addColumn<SectionId>("section");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("found");
        const auto row = [](const char *name, SectionId id, const QString &caption, const QString &tag, const QString &typed, bool found) {
            QTest::newRow(name) << id << caption << tag << typed << found;
        };
        const QString site = "Zoo" + S + "https://www.café.example/b?q=1" + S + "Feed the ZEBRA[u+00B6]s\r\nat noon";
        row("website caption", SectionId::Websites, "My Zoo", site, "my z", true);
        row("website title, case", SectionId::Websites, "X", site, "ZOO", true);
        row("website URL, accents and separators", SectionId::Websites, "X", site, "CAFE.example/B?Q", true);
        row("website description, escaped ¶", SectionId::Websites, "X", site, "zebra¶s", true);
        row("escape as typed is not the text", SectionId::Websites, "X", site, "zebra[u+00b6]", false);
        row("description across its line break", SectionId::Websites, "X", site, "zebra¶s  at\tnoon", true);
        row("never from one field into the next", SectionId::Websites, "X", site, "zoo https", false);
        const QString contact = "Zoë" + S + "Müller" + S + "Head of Ops" + S + "zm@firm.example (Default E-Mail)::z@home.example::";
        row("contact first name", SectionId::Contacts, "X", contact, "ZOE", true);
        row("contact last name", SectionId::Contacts, "X", contact, "muller", true);
        row("contact title", SectionId::Contacts, "X", contact, "of ops", true);
        row("contact second address", SectionId::Contacts, "X", contact, "@home.example", true);
        row("the default marker is not the user's text", SectionId::Contacts, "X", contact, "default e-mail", false);
        const QString note = "Call the\r\nplumber about the ﬁlter; Crème brûlée\r\n";
        row("note text across a line break", SectionId::Notes, "N", note, "the plumber", true);
        row("note ligature and accents", SectionId::Notes, "N", note, "FILTER; CREME BRULEE", true);
        row("accents typed match plain text", SectionId::Notes, "N", "cafe", "Café", true);
        row("blanks around the typed text", SectionId::Notes, "N", note, "  plumber  ", true);
        row("note without the text", SectionId::Notes, "N", note, "electrician", false);
        row("to-do subject", SectionId::Todos, "Call", todo("Call Ann", "about boiler"), "call ann", true);
        row("to-do description", SectionId::Todos, "Call", todo("Call Ann", "about boiler"), "BOILER", true);
        row("to-do reminder text is not searched", SectionId::Todos, "Call", todo("Call Ann", "d"), "december", false);
        row("to-do sound file is not searched", SectionId::Todos, "Call", todo("Call Ann", "d"), "alarm.wav", false);
    }
    void search()
    {
        QFETCH(SectionId, section);
        QFETCH(QString, caption);
        QFETCH(QString, tag);
        QFETCH(QString, typed);
        QFETCH(bool, found);
        const std::unique_ptr<RecordListModel> records = model(section);
        records->setRecords({{"Other", "nothing here"}, {caption, tag}, {"Last", ""}});
        RecordFilter filter(records.get(), nullptr);
        QAbstractItemModelTester tester(&filter);
        filter.setNeedle(textfold::needle(typed));
        QCOMPARE(filter.rowCount(), found ? 1 : 0);
        if (found)
            QCOMPARE(filter.sourceRow(0), 1);
        filter.setNeedle(QString());
        QCOMPARE(filter.rowCount(), 3);
    }

    // Where the matches lie in the text as shown, for marking them.
    void matches_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("startsAndLengths");
        QTest::newRow("twice, case") << "Cafe and CAFE" << "cafe" << QList<int>{0, 4, 9, 4};
        QTest::newRow("precomposed accent") << "un café." << "cafe" << QList<int>{3, 4};
        QTest::newRow("combining accent stays in the match") << "cafe\u0301!" << "cafe" << QList<int>{0, 5};
        QTest::newRow("ligature") << "a ﬁle" << "file" << QList<int>{2, 3};
        QTest::newRow("blanks and a line break") << "call  the\nplumber" << "the plumber" << QList<int>{6, 11};
    }
    void matches()
    {
        QFETCH(QString, text);
        QFETCH(QString, typed);
        QList<int> found;
        for (const textfold::Range &range : textfold::matches(text, textfold::needle(typed)))
            found << int(range.start) << int(range.length);
        QTEST(found, "startsAndLengths");
    }

    // Typing on looks only where the shorter text was found, from where it was found.
    void typingOnNarrows()
    {
        NoteModel notes;
        notes.setRecords({{"a", "lumber, then plumber"}, {"b", "xplumber"}, {"c", "slumber"}, {"d", "plum"}});
        RecordFilter filter(&notes, nullptr);
        const QList<std::pair<QString, int>> typed{{"lumber", 3}, {"plumber", 2}, {"plumbers", 0}, {"plum", 3}, {"plu", 3}};
        for (const auto &[needle, listed] : typed) {
            filter.setNeedle(needle);
            QCOMPARE(filter.rowCount(), listed);
        }
    }

    // What the user works on stays listed until the search changes; a changed record is looked
    // at afresh then.
    void changesUnderASearch()
    {
        NoteModel notes;
        notes.setRecords({{"a", "plumber"}, {"b", "boiler"}, {"c", "plumber too"}});
        RecordFilter filter(&notes, nullptr);
        QAbstractItemModelTester tester(&filter);
        filter.setNeedle("plumber");
        QCOMPARE(filter.rowCount(), 2);
        notes.setText(0, "electrician"); // no longer matches, still listed
        const int added = notes.appendRecord("New Note");
        QCOMPARE(filter.rowCount(), 3);
        QCOMPARE(filter.listedRow(added), 2);
        notes.removeRecord(2);
        QCOMPARE(filter.rowCount(), 2);
        QCOMPARE(filter.listedRow(1), -1);
        filter.setNeedle("electrician");
        QCOMPARE(filter.rowCount(), 1);
        QCOMPARE(filter.sourceRow(0), 0);
        notes.setText(1, "an electrician's bill"); // rows edited since are folded afresh
        filter.setNeedle("electric");
        QCOMPARE(filter.rowCount(), 2);
    }

    // Texts folded on a worker thread are the ones folded on demand; a result that comes back
    // after the records changed is dropped, never applied to other rows.
    void foldedInTheBackground()
    {
        NoteModel notes;
        notes.setRecords({{"a", "Café"}, {"b", "ZEBRA"}});
        notes.foldInBackground();
        notes.setText(0, "plumber");
        QTRY_VERIFY(!notes.isFolding());
        RecordFilter filter(&notes, nullptr);
        filter.setNeedle("plumber");
        QCOMPARE(filter.rowCount(), 1);
        notes.foldInBackground();
        QTRY_VERIFY(!notes.isFolding());
        filter.setNeedle("cafe");
        QCOMPARE(filter.rowCount(), 0);
        filter.setNeedle("zebra");
        QCOMPARE(filter.sourceRow(0), 1);
    }
};

QTEST_MAIN(TestFind)
#include "tst_find.moc"
