#include "contacts/addresslist.h"
#include "contacts/contactrecord.h"
#include "contacts/displayname.h"
#include "contacts/mailto.h"

#include <QTest>

using displayname::Box;

namespace {
const QString M = QStringLiteral(" (Default E-Mail)");
}

Q_DECLARE_METATYPE(displayname::Box)
Q_DECLARE_METATYPE(std::optional<QString>)

class TestAddressList : public QObject
{
    Q_OBJECT
private slots:
    void addressCheck_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("ordinary") << "ann@example.com" << true;
        QTest::newRow("only @ then .") << "@." << true;
        QTest::newRow("dot far after") << "a@b@c.d" << true;
        QTest::newRow("no dot after @") << "ann.lee@example" << false;
        QTest::newRow("no @") << "ann.example.com" << false;
        QTest::newRow("dot before @ only") << "a.b@" << false;
        QTest::newRow("empty") << "" << false;
    }
    void addressCheck()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(addresslist::isValidAddress(text), valid);
    }

    // Every way the default marker moves, and where the selection lands.
    void markerMoves_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("selected");
        QTest::newRow("first add becomes default") << "add" << QStringList{} << 0 << QStringList{"a@x.y" + M} << -1;
        QTest::newRow("second add stays plain") << "add" << QStringList{"b@x.y" + M} << 0
                                                << QStringList{"b@x.y" + M, "a@x.y"} << -1;
        QTest::newRow("add to a list without default") << "add" << QStringList{"b@x.y"} << 0
                                                       << QStringList{"b@x.y", "a@x.y" + M} << -1;
        QTest::newRow("remove default at the top") << "remove" << QStringList{"a" + M, "b", "c"} << 0
                                                   << QStringList{"b" + M, "c"} << 0;
        QTest::newRow("remove default lower down") << "remove" << QStringList{"a", "b", "c" + M} << 2
                                                   << QStringList{"a", "b" + M} << 1;
        QTest::newRow("remove plain entry") << "remove" << QStringList{"a", "b" + M, "c"} << 2
                                            << QStringList{"a", "b" + M} << 1;
        QTest::newRow("remove plain top") << "remove" << QStringList{"a", "b" + M} << 0
                                          << QStringList{"b" + M} << 0;
        QTest::newRow("remove the only entry") << "remove" << QStringList{"a" + M} << 0 << QStringList{} << -1;
        QTest::newRow("set default moves marker") << "default" << QStringList{"a" + M, "b"} << 1
                                                  << QStringList{"a", "b" + M} << 1;
        QTest::newRow("set default on default") << "default" << QStringList{"a" + M, "b"} << 0
                                                << QStringList{"a" + M, "b"} << 0;
        QTest::newRow("set default without one") << "default" << QStringList{"a", "b"} << 0
                                                 << QStringList{"a" + M, "b"} << 0;
        QTest::newRow("set default clears only the first marked")
            << "default" << QStringList{"a" + M, "b" + M, "c"} << 2 << QStringList{"a", "b" + M, "c" + M} << 2;
    }
    void markerMoves()
    {
        QFETCH(QString, op);
        QFETCH(QStringList, before);
        QFETCH(int, index);
        QFETCH(QStringList, after);
        QFETCH(int, selected);
        if (op == "add") {
            QCOMPARE(addresslist::added(before, "a@x.y"), after);
        } else if (op == "remove") {
            const addresslist::Removal removal = addresslist::removed(before, index);
            QCOMPARE(removal.entries, after);
            QCOMPARE(removal.selected, selected);
        } else {
            QCOMPARE(addresslist::withDefault(before, index), after);
        }
    }

    void renameKeepsMarkerOnItsEntry()
    {
        QCOMPARE(addresslist::renamed("new@x.y", true), "new@x.y" + M);
        QCOMPARE(addresslist::renamed("new@x.y", false), QStringLiteral("new@x.y"));
        QCOMPARE(addresslist::renamed("", true), M);
    }

    void fieldRoundTrip_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("field");
        QTest::newRow("none") << QStringList{} << "";
        QTest::newRow("two, second default") << QStringList{"a@x.com", "b@y.org" + M}
                                             << "a@x.com::b@y.org" + M + "::";
        QTest::newRow("single colon stays") << QStringList{"a:b@x.y"} << "a:b@x.y::";
        QTest::newRow("terminator inside") << QStringList{"a::b@x.y", "c"} << "a[u+003A][u+003A]b@x.y::c::";
        QTest::newRow("colon at the end") << QStringList{"a:", "b"} << "a[u+003A]::b::";
        QTest::newRow("colon at the start") << QStringList{"a", ":b"} << "a::[u+003A]b::";
        QTest::newRow("escape look-alike") << QStringList{"[u+0041]@x.y"} << "[u+005B]u+0041]@x.y::";
        QTest::newRow("empty entries") << QStringList{"", M} << "::" + M + "::";
    }
    void fieldRoundTrip()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, field);
        QCOMPARE(addresslist::toField(entries), field);
        QCOMPARE(addresslist::fromField(field), entries);
    }

    void fieldReading()
    {
        // An address not followed by "::" is not read.
        QCOMPARE(addresslist::fromField("a@x.y::b@x.y"), QStringList{"a@x.y"});
        QCOMPARE(addresslist::defaultAddress("a" + M + "::b::c" + M + "::"), QStringLiteral("c"));
        QCOMPARE(addresslist::defaultAddress("a::b::"), QString());
        QCOMPARE(addresslist::defaultAddress("a (default e-mail)::"), QString());
        QCOMPARE(addresslist::defaultAddress("b@y" + M + M + "::"), QStringLiteral("b@y"));
    }

    void contactTags_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<ContactRecord>("record");
        QTest::newRow("no addresses") << QStringLiteral("Ann¶Lee¶Editor¶") << ContactRecord{"Ann", "Lee", "Editor", {}};
        QTest::newRow("all empty") << QStringLiteral("¶¶¶") << ContactRecord{};
        QTest::newRow("two addresses") << QStringLiteral("Bo¶Ek¶¶a@x.com::b@y.org (Default E-Mail)::")
                                       << ContactRecord{"Bo", "Ek", "", {"a@x.com", "b@y.org" + M}};
        QTest::newRow("pilcrows in names and address")
            << QStringLiteral("A[u+00B6]n¶L¶T[u+00B6]¶x[u+00B6]y@z.w::")
            << ContactRecord{QStringLiteral("A¶n"), "L", QStringLiteral("T¶"), {QStringLiteral("x¶y@z.w")}};
        QTest::newRow("terminator in address")
            << QStringLiteral("¶¶¶a[u+005B]u+003A][u+005B]u+003A]b@x.y (Default E-Mail)::")
            << ContactRecord{"", "", "", {"a::b@x.y" + M}};
    }
    void contactTags()
    {
        QFETCH(QString, tag);
        QFETCH(ContactRecord, record);
        QCOMPARE(record.toTag(), tag);
        QCOMPARE(ContactRecord::fromTag(tag), record);
    }

    void shortTagsGiveEmptyFields()
    {
        QCOMPARE(ContactRecord::fromTag(""), ContactRecord{});
        QCOMPARE(ContactRecord::fromTag("Ann"), (ContactRecord{"Ann", "", "", {}}));
        QCOMPARE(ContactRecord::fromTag(QStringLiteral("Ann¶Lee")), (ContactRecord{"Ann", "Lee", "", {}}));
    }

    void displayNameRules_data()
    {
        QTest::addColumn<Box>("left");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("display");
        QTest::addColumn<std::optional<QString>>("caption");
        QTest::addColumn<QString>("expectedDisplay");
        QTest::addColumn<std::optional<QString>>("expectedCaption");
        const std::optional<QString> fresh = QStringLiteral("New Email");
        const std::optional<QString> named = QStringLiteral("Boss");
        const std::optional<QString> none;
        QTest::newRow("last composes and names") << Box::LastName << "Ann" << "Lee" << "" << fresh << "Ann Lee"
                                                 << std::optional<QString>("Ann Lee");
        QTest::newRow("last only") << Box::LastName << "" << "Lee" << "" << fresh << " Lee"
                                   << std::optional<QString>(" Lee");
        QTest::newRow("no names gives a blank") << Box::LastName << "" << "" << "" << fresh << " " << fresh;
        QTest::newRow("display box already filled") << Box::LastName << "Ann" << "Lee" << " " << fresh << " " << fresh;
        QTest::newRow("named contact keeps caption") << Box::LastName << "Ann" << "Lee" << "" << named << "Ann Lee"
                                                     << named;
        QTest::newRow("last without selection") << Box::LastName << "Ann" << "Lee" << "" << none << "Ann Lee" << none;
        QTest::newRow("display names new contact") << Box::Display << "" << "" << " Bo " << fresh << " Bo "
                                                   << std::optional<QString>(" Bo ");
        QTest::newRow("blank display") << Box::Display << "" << "" << "   " << fresh << "   " << fresh;
        QTest::newRow("tab is not a blank") << Box::Display << "" << "" << "\t" << fresh << "\t"
                                            << std::optional<QString>("\t");
        QTest::newRow("display on named contact") << Box::Display << "" << "" << "Chief" << named << "Chief" << named;
        QTest::newRow("case matters") << Box::Display << "" << "" << "Chief" << std::optional<QString>("new email")
                                      << "Chief" << std::optional<QString>("new email");
        QTest::newRow("one-letter first") << Box::FirstName << "A" << "" << "" << fresh << "A" << fresh;
        QTest::newRow("first follows trailing display") << Box::FirstName << "Ann" << "" << "An" << fresh << "Ann"
                                                        << fresh;
        QTest::newRow("empty first empties display") << Box::FirstName << "" << "Lee" << "Ann Lee" << named << ""
                                                     << named;
        QTest::newRow("first leaves other display") << Box::FirstName << "Ann" << "Lee" << "Ann Lee" << fresh
                                                    << "Ann Lee" << fresh;
        QTest::newRow("first with display of two back") << Box::FirstName << "Ann" << "" << "A" << fresh << "A"
                                                        << fresh;
    }
    void displayNameRules()
    {
        QFETCH(Box, left);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, display);
        QFETCH(std::optional<QString>, caption);
        QFETCH(QString, expectedDisplay);
        QFETCH(std::optional<QString>, expectedCaption);
        const displayname::State after = displayname::afterLeaving(left, {first, last, display, caption});
        QCOMPARE(after.display, expectedDisplay);
        QCOMPARE(after.caption, expectedCaption);
        QCOMPARE(after.firstName, first);
        QCOMPARE(after.lastName, last);
    }

    void mailtoText_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "ann.lee+news@example.co.uk" << "mailto:ann.lee+news@example.co.uk";
        QTest::newRow("blanks") << "ann lee@x.y" << "mailto:ann%20lee@x.y";
        QTest::newRow("query characters") << "a?subject=x&body=y@x.y" << "mailto:a%3Fsubject%3Dx%26body%3Dy@x.y";
        QTest::newRow("percent and hash") << "a%20#b@x.y" << "mailto:a%2520%23b@x.y";
        QTest::newRow("comma would part it") << "a,b@x.y" << "mailto:a%2Cb@x.y";
        QTest::newRow("quotes and shell text") << "\"a\";$(rm)`@x.y" << "mailto:%22a%22;$(rm)%60@x.y";
        QTest::newRow("non-ASCII") << QStringLiteral("jörg@x.y") << "mailto:j%C3%B6rg@x.y";
    }
    void mailtoText()
    {
        QFETCH(QString, address);
        QFETCH(QString, text);
        QCOMPARE(::mailtoText(address), text);
    }
};

Q_DECLARE_METATYPE(ContactRecord)

QTEST_GUILESS_MAIN(TestAddressList)
#include "tst_addresslist.moc"
