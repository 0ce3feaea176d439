// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/displayname.h"
#include "core/addresslist.h"

#include <QTest>

using displayname::Box;
using Caption = std::optional<QString>;

Q_DECLARE_METATYPE(displayname::Box)
Q_DECLARE_METATYPE(Caption)

namespace {
const QString M = QStringLiteral(" (Default E-Mail)");
}

class TestAddressList : public QObject
{
    Q_OBJECT
private slots:
    // Every way the default marker moves, and where the selection lands.
    void markerMoves_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("selected");
        QTest::newRow("first add is default") << "add" << QStringList{} << 0 << QStringList{"n" + M} << -1;
        QTest::newRow("later add is plain") << "add" << QStringList{"a" + M} << 0 << QStringList{"a" + M, "n"} << -1;
        QTest::newRow("add where none is default") << "add" << QStringList{"a"} << 0 << QStringList{"a", "n" + M} << -1;
        QTest::newRow("remove default at top") << "remove" << QStringList{"a" + M, "b", "c"} << 0
                                               << QStringList{"b" + M, "c"} << 0;
        QTest::newRow("remove default lower down") << "remove" << QStringList{"a", "b", "c" + M} << 2
                                                   << QStringList{"a", "b" + M} << 1;
        QTest::newRow("remove plain entry") << "remove" << QStringList{"a", "b" + M, "c"} << 2
                                            << QStringList{"a", "b" + M} << 1;
        QTest::newRow("remove only entry") << "remove" << QStringList{"a" + M} << 0 << QStringList{} << -1;
        QTest::newRow("set default") << "default" << QStringList{"a" + M, "b"} << 1 << QStringList{"a", "b" + M} << 0;
        QTest::newRow("set default on default") << "default" << QStringList{"a" + M, "b"} << 0
                                                << QStringList{"a" + M, "b"} << 0;
        QTest::newRow("set clears first marked only") << "default" << QStringList{"a" + M, "b" + M, "c"} << 2
                                                      << QStringList{"a", "b" + M, "c" + M} << 0;
    }
    void markerMoves()
    {
        QFETCH(QString, op);
        QFETCH(QStringList, before);
        QFETCH(int, index);
        QFETCH(QStringList, after);
        if (op == "add") {
            QCOMPARE(addresslist::added(before, "n"), after);
        } else if (op == "remove") {
            const addresslist::Removal removal = addresslist::removed(before, index);
            QCOMPARE(removal.entries, after);
            QTEST(removal.selected, "selected");
        } else {
            QCOMPARE(addresslist::withDefault(before, index), after);
        }
    }

    // Colons touching the terminator and escape look-alikes read back as typed.
    void storedField_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << QStringList{"a@x.y" + M, "b@x.y"} << "a@x.y" + M + "::b@x.y::";
        QTest::newRow("colons") << QStringList{"a::b@x.y", "tail@x.y:", ":d@x.y", "::"}
                                << "a[u+003A][u+003A]b@x.y::tail@x.y[u+003A]::[u+003A]d@x.y::[u+003A][u+003A]::";
        QTest::newRow("look-alike, ¶") << QStringList{"[u+0041]@x.y", "p¶q@x.y"} << "[u+005B]u+0041]@x.y::p¶q@x.y::";
    }
    void storedField()
    {
        QFETCH(QStringList, entries);
        QTEST(addresslist::toField(entries), "field");
        QCOMPARE(addresslist::fromField(addresslist::toField(entries)), entries);
    }

    void displayNameRules_data()
    {
        QTest::addColumn<Box>("left");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("display");
        QTest::addColumn<Caption>("caption");
        QTest::addColumn<QString>("newDisplay");
        QTest::addColumn<Caption>("newCaption");
        const Caption fresh = QStringLiteral("New Email");
        const Caption named = QStringLiteral("Boss");
        QTest::newRow("last composes, names") << Box::LastName << "Ann" << "Lee" << "" << fresh << "Ann Lee"
                                              << Caption("Ann Lee");
        QTest::newRow("last only") << Box::LastName << "" << "Lee" << "" << fresh << " Lee" << Caption(" Lee");
        QTest::newRow("no names: a blank") << Box::LastName << "" << "" << "" << fresh << " " << fresh;
        QTest::newRow("display kept") << Box::LastName << "Ann" << "Lee" << " " << fresh << " " << fresh;
        QTest::newRow("placeholder display composes") << Box::LastName << "Ann" << "Lee" << "New Email" << fresh
                                                      << "Ann Lee" << Caption("Ann Lee");
        QTest::newRow("placeholder display follows first") << Box::FirstName << "A" << "" << "New Email" << fresh
                                                           << "A" << fresh;
        QTest::newRow("named keeps caption") << Box::LastName << "Ann" << "Lee" << "" << named << "Ann Lee" << named;
        QTest::newRow("nothing selected") << Box::LastName << "Ann" << "Lee" << "" << Caption() << "Ann Lee"
                                          << Caption();
        QTest::newRow("display names, untrimmed") << Box::Display << "" << "" << " Bo " << fresh << " Bo "
                                                  << Caption(" Bo ");
        QTest::newRow("blank display") << Box::Display << "" << "" << "   " << fresh << "   " << fresh;
        QTest::newRow("display on named") << Box::Display << "" << "" << "Chief" << named << "Chief" << named;
        QTest::newRow("case-sensitive placeholder") << Box::Display << "" << "" << "Chief" << Caption("new email")
                                                    << "Chief" << Caption("new email");
        QTest::newRow("one-letter first") << Box::FirstName << "A" << "" << "" << fresh << "A" << fresh;
        QTest::newRow("first follows trailing") << Box::FirstName << "Ann" << "" << "An" << fresh << "Ann" << fresh;
        QTest::newRow("empty first empties") << Box::FirstName << "" << "Lee" << "Ann Lee" << named << "" << named;
        QTest::newRow("first leaves other") << Box::FirstName << "Ann" << "" << "A" << fresh << "A" << fresh;
    }
    void displayNameRules()
    {
        QFETCH(Box, left);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, display);
        QFETCH(Caption, caption);
        QFETCH(QString, newDisplay);
        QFETCH(Caption, newCaption);
        const displayname::State after = displayname::afterLeaving(left, {first, last, display, caption});
        QCOMPARE(after, (displayname::State{first, last, newDisplay, newCaption}));
    }
};

QTEST_GUILESS_MAIN(TestAddressList)
#include "tst_addresslist.moc"
