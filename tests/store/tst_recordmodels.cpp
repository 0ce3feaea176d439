// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/contactmodel.h"
#include "core/notemodel.h"
#include "core/todomodel.h"
#include "core/websitemodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

/// Each record as "caption|tag", "!" in front when it shows no icon.
QStringList rows(const RecordListModel &model)
{
    QStringList result;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row);
        result << (index.data(RecordListModel::HasIconRole).toBool() ? "" : "!") + index.data().toString()
                      + "|" + model.tag(row);
        if (index.data(Qt::EditRole) != index.data() || model.caption(row) != index.data().toString())
            result.last() += " (caption differs by role)";
    }
    return result;
}

/// The fields an editor shows for a tag, and the tag it writes back when it stores them unchanged.
QStringList readAndStore(const QString &model, const QString &tag, QString *written)
{
    const auto stored = [&](auto &&typed, auto record, QStringList fields) {
        typed.setRecords({{"C", tag}});
        typed.setRecord(0, typed.record(0));
        *written = typed.tag(0);
        return record == decltype(record)::fromTag(*written) ? fields : QStringList{"round trip changed a field"};
    };
    if (model == "to-do") {
        const TodoRecord r = TodoRecord::fromTag(tag);
        return stored(TodoModel(), r, {r.subject, QString::number(r.status), QString::number(r.priority), r.percent,
                                       r.reminder, r.sound, r.playFlag, r.description, r.reminderCaption});
    }
    if (model == "website") {
        const WebsiteRecord r = WebsiteRecord::fromTag(tag);
        return stored(WebsiteModel(), r, {r.title, r.url, r.description});
    }
    if (model == "contact") {
        const ContactRecord r = ContactRecord::fromTag(tag);
        return stored(ContactModel(), r, QStringList{r.firstName, r.lastName, r.title} + r.addresses);
    }
    NoteModel notes; // a note is its text, edited in a box with "\n" line breaks
    notes.setRecords({{"C", tag}});
    const QString text = notes.record(0).text;
    notes.setText(0, text);
    *written = notes.tag(0);
    return {text};
}

} // namespace

class TestRecordModels : public QObject
{
    Q_OBJECT
private slots:
    // Steps: "+caption|tag" appends (with "!" in front: without the icon), "-row" removes,
    // "c row|caption" edits a caption in place, "t row|tag" stores a tag, "load" reloads a|x, b|y.
    void recordList_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("changes"); // rows reported changed
        const QStringList loaded{"a|x", "b|y"};
        QTest::newRow("loaded") << QStringList{} << loaded << 0;
        QTest::newRow("appended") << QStringList{"+New|"} << QStringList{"a|x", "b|y", "New|"} << 0;
        QTest::newRow("typed into an empty section: no icon") << QStringList{"-0", "-0", "+!New|t"} << QStringList{"!New|t"} << 0;
        QTest::newRow("icon flag follows its record") << QStringList{"+!n|1", "+!m|2", "-1", "-0"}
                                                      << QStringList{"!n|1", "!m|2"} << 0;
        QTest::newRow("removed record's flag goes") << QStringList{"+!n|1", "-2", "+o|3"} << QStringList{"a|x", "b|y", "o|3"} << 0;
        QTest::newRow("reloaded: every icon back") << QStringList{"+!n|1", "load"} << loaded << 0;
        QTest::newRow("rows out of range") << QStringList{"-2", "--1", "c 5|z", "t -1|z"} << loaded << 0;
        QTest::newRow("caption in place keeps the tag") << QStringList{"c 1|Renamed"} << QStringList{"a|x", "Renamed|y"} << 1;
        QTest::newRow("tag keeps the caption") << QStringList{"t 0|z"} << QStringList{"a|z", "b|y"} << 1;
        QTest::newRow("same text is no change") << QStringList{"c 0|a", "t 1|y"} << loaded << 0;
        QTest::newRow("odd text as it is") << QStringList{"+¶ [u+00B6]|\r\n\r[crlf]"}
                                           << QStringList{"a|x", "b|y", "¶ [u+00B6]|\r\n\r[crlf]"} << 0;
    }
    void recordList()
    {
        QFETCH(QStringList, steps);
        RecordListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QList<Record> loaded = {{"a", "x"}, {"b", "y"}};
        model.setRecords(loaded);
        const QList<Record> shared = model.records(); // as the store holds them while saving
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        for (const QString &step : steps) {
            const QString arg = step.mid(step.startsWith('+') || step.startsWith('-') ? 1 : 2);
            const int row = arg.section('|', 0, 0).toInt();
            if (step == "load")
                model.setRecords(loaded);
            else if (step.startsWith('+'))
                model.appendRecord(arg.section('|', 0, 0).remove('!'), arg.section('|', 1), !arg.startsWith('!'));
            else if (step.startsWith('-'))
                model.removeRecord(row);
            else if (step.startsWith('c'))
                QCOMPARE(model.setData(model.index(row), arg.section('|', 1)), row >= 0 && row < model.count());
            else
                model.setTag(row, arg.section('|', 1));
        }
        QTEST(rows(model), "rows");
        QTEST(int(changed.size()), "changes");
        QCOMPARE(shared, loaded); // a copy handed out earlier never changes under its holder
        QCOMPARE(model.flags(model.index(0)) & Qt::ItemIsEditable, model.count() ? Qt::ItemIsEditable : Qt::NoItemFlags);
        // What the file gets back, byte for byte.
        DataFileContent content;
        content[SectionId::Notes] = model.records();
        QCOMPARE(parseDataFile(serializeDataFile(content)).content, content);
    }

    void typedRoundTrip_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("fields"); // as the editor shows them
        QTest::addColumn<QString>("written"); // stored again unchanged; "=": the very bytes read
        const QString todo = QStringLiteral("S¶1¶2¶50%¶1/1/2027¶/a.wav¶1¶d\r\nd¶January 1, 2027  12:00 AM");
        const QStringList todoFields{"S", "1", "2", "50%", "1/1/2027", "/a.wav", "1", "d\r\nd", "January 1, 2027  12:00 AM"};
        const QStringList unset{"0%", "", "", "", "", "Reminder not set"};
        const QString m = QStringLiteral(" (Default E-Mail)");
        QTest::newRow("to-do, never edited") << "to-do" << "" << QStringList{"", "0", "1"} + unset << QStringLiteral("¶0¶1¶0%¶¶¶¶¶Reminder not set");
        QTest::newRow("to-do") << "to-do" << todo << todoFields << "=";
        QTest::newRow("to-do, missing fields") << "to-do" << QStringLiteral("Only¶4") << QStringList{"Only", "4", "1"} + unset << QStringLiteral("Only¶4¶1¶0%¶¶¶¶¶Reminder not set");
        QTest::newRow("to-do, indices out of range") << "to-do" << QStringLiteral("X¶7¶b¶0%¶¶¶¶¶C") << QStringList{"X", "0", "1", "0%", "", "", "", "", "C"} << QStringLiteral("X¶0¶1¶0%¶¶¶¶¶C");
        // Fields ten and eleven (repeat rule, UID) are kept; what follows them is not a to-do's.
        QTest::newRow("to-do, fields beyond the UID") << "to-do" << todo + QStringLiteral("¶FREQ=DAILY¶u1¶more") << todoFields << todo + QStringLiteral("¶FREQ=DAILY¶u1");
        QTest::newRow("to-do, ¶ in a field") << "to-do" << QStringLiteral("A[u+00B6]B¶0¶1¶0%¶¶¶¶[u+005B]u+0041]¶c") << QStringList{"A¶B", "0", "1", "0%", "", "", "", "[u+0041]", "c"} << "=";
        QTest::newRow("website, never edited") << "website" << "" << QStringList{"", "", ""} << QStringLiteral("¶¶");
        QTest::newRow("website") << "website" << QStringLiteral("T¶C:\\a.htm¶x\r\ny") << QStringList{"T", "C:\\a.htm", "x\r\ny"} << "=";
        QTest::newRow("website, missing field") << "website" << QStringLiteral("T¶u") << QStringList{"T", "u", ""} << QStringLiteral("T¶u¶");
        QTest::newRow("website, extra field") << "website" << QStringLiteral("T¶u¶d¶e") << QStringList{"T", "u", "d"} << QStringLiteral("T¶u¶d");
        QTest::newRow("website, ¶ in a field") << "website" << QStringLiteral("T [u+00B6]¶u¶[u+00B6]") << QStringList{"T ¶", "u", "¶"} << "=";
        QTest::newRow("contact, never edited") << "contact" << "" << QStringList{"", "", ""} << QStringLiteral("¶¶¶");
        QTest::newRow("contact") << "contact" << "Ann¶Lee¶Editor¶a@x.com::b@y.org" + m + "::" << QStringList{"Ann", "Lee", "Editor", "a@x.com", "b@y.org" + m} << "=";
        QTest::newRow("contact, missing fields") << "contact" << QStringLiteral("Ann¶Lee") << QStringList{"Ann", "Lee", ""} << QStringLiteral("Ann¶Lee¶¶");
        QTest::newRow("contact, unended address") << "contact" << QStringLiteral("¶¶¶a@x.y::b@x.y") << QStringList{"", "", "", "a@x.y"} << QStringLiteral("¶¶¶a@x.y::");
        QTest::newRow("contact, ¶ in fields") << "contact" << QStringLiteral("P[u+00B6]¶¶¶p[u+00B6]q@x.y::") << QStringList{"P¶", "", "", "p¶q@x.y"} << "=";
        QTest::newRow("note, never edited") << "note" << "" << QStringList{""} << "=";
        QTest::newRow("note") << "note" << "a\r\nb ¶" << QStringList{"a\nb ¶"} << "=";
        QTest::newRow("note, lone line breaks kept") << "note" << "a\nb\rc" << QStringList{"a\nb\rc"} << "=";
    }
    void typedRoundTrip()
    {
        QFETCH(QString, model);
        QFETCH(QString, tag);
        QFETCH(QString, written);
        QString stored;
        QTEST(readAndStore(model, tag, &stored), "fields");
        QCOMPARE(stored, written == "=" ? tag : written);
    }
};

QTEST_GUILESS_MAIN(TestRecordModels)
#include "tst_recordmodels.moc"
