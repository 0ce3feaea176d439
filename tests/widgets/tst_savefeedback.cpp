#include "tests/support/guitest.h"
#include "widgets/savefeedback.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
const QString kText = QStringLiteral("Saved successfully.");
} // namespace

class TestSaveFeedback : public WindowTest
{
    Q_OBJECT
private slots:
    // Save types its text letter by letter, then clears it; a failed save shows the error and
    // no feedback, and the next good one types from the first letter again.
    void saveFeedbackAndFailure()
    {
        f->open();
        auto *feedback = f->window->findChild<SaveFeedback *>();
        auto *label = f->find<QLabel>("lblSaved");
        auto *write = f->find<QTimer>("tmrWrite");
        auto *saved = f->find<QTimer>("tmrSaved");
        f->clickPicture("butSave");
        QCOMPARE(f->readFile("savedfile.qlt"),
                 "Quillet 1.0 - 1.0.9\r\n" + QByteArray("<end of section>\r\n").repeated(4));
        QVERIFY(write->isActive() && saved->isActive());
        for (int tick = 1; tick <= kText.size() + 1; ++tick) { // one more stops the typing, text in full
            feedback->typeNextLetter();
            QCOMPARE(label->text(), kText.left(tick));
        }
        QVERIFY(!write->isActive() && saved->isActive());
        QVERIFY(f->messages.shown.isEmpty());

        QDir folder(f->folder.path());
        QVERIFY(folder.rename("savedfile.qlt", "moved") && folder.mkdir("savedfile.qlt"));
        f->clickPicture("butSave");
        QCOMPARE(f->messages.shown.size(), 1); // what it says is checked with the other failed saves
        QCOMPARE(label->text(), kText);
        QVERIFY(!write->isActive());
        feedback->clearText(); // the first save's clearing still comes
        QCOMPARE(label->text(), QString());
        QVERIFY(!saved->isActive());

        QVERIFY(folder.rmdir("savedfile.qlt"));
        f->clickPicture("butSave");
        feedback->typeNextLetter();
        QCOMPARE(label->text(), QStringLiteral("S"));
    }

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
        f->open(false);
        f->writeFile("savedfile.qlt", meanwhile);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(loaded, QFileDevice::FileModificationTime));
        if (meanwhile.isNull())
            file.remove();
        QVERIFY(f->window->saveData() && f->window->saveData());
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
};

QTEST_MAIN(TestSaveFeedback)
#include "tst_savefeedback.moc"
