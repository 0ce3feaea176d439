#include "store/savefeedback.h"
#include "tests/support/mainwindowfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

struct Feedback
{
    SaveFeedback *feedback;
    QLabel *label;
    QTimer *write;
    QTimer *saved;
};

Feedback openWindow(MainWindowFixture &f)
{
    f.open();
    return {f.window->findChild<SaveFeedback *>(), f.find<QLabel>("lblSaved"), f.find<QTimer>("tmrWrite"),
            f.find<QTimer>("tmrSaved")};
}

const QString kText = QStringLiteral("Saved successfully.");

} // namespace

class TestSaveFeedback : public QObject
{
    Q_OBJECT
private slots:
    void saveTypesTheTextThenClearsIt()
    {
        MainWindowFixture f;
        const Feedback fb = openWindow(f);
        f.clickPicture("butSave");
        // All lists empty: the five-line file.
        QCOMPARE(f.readFile("savedfile.qlt"),
                 "Quillet 1.0 - 1.0.9\r\n" + QByteArray("<end of section>\r\n").repeated(4));
        QVERIFY(fb.write->isActive() && fb.saved->isActive());
        QCOMPARE(fb.label->text(), QString());
        for (int tick = 1; tick <= kText.size(); ++tick) {
            fb.feedback->writeTick();
            QCOMPARE(fb.label->text(), kText.left(tick));
            QVERIFY(fb.write->isActive());
        }
        fb.feedback->writeTick(); // the 20th tick stops the typing, text in full
        QCOMPARE(fb.label->text(), kText);
        QVERIFY(!fb.write->isActive() && fb.saved->isActive());
        fb.feedback->savedTick();
        QCOMPARE(fb.label->text(), QString());
        QVERIFY(!fb.saved->isActive());
        QVERIFY(f.messages.shown.isEmpty());
    }

    void failedSaveShowsTheErrorAndNoFeedback()
    {
        MainWindowFixture f;
        const Feedback fb = openWindow(f);
        f.clickPicture("butSave");
        for (int tick = 0; tick < 20; ++tick)
            fb.feedback->writeTick();
        QDir folder(f.folder.path());
        QVERIFY(folder.rename("savedfile.qlt", "moved") && folder.mkdir("savedfile.qlt"));
        f.clickPicture("butSave");
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].title, QStringLiteral("Error"));
        QCOMPARE(f.messages.shown[0].icon, MessageBoxes::Icon::Critical);
        QCOMPARE(fb.label->text(), kText);
        QVERIFY(!fb.write->isActive());
        fb.feedback->savedTick(); // the first save's clearing still comes
        QCOMPARE(fb.label->text(), QString());

        // The next good save types from the first letter again.
        QVERIFY(folder.rmdir("savedfile.qlt"));
        f.clickPicture("butSave");
        fb.feedback->writeTick();
        QCOMPARE(fb.label->text(), QStringLiteral("S"));
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
        MainWindowFixture f;
        QFile file(f.dataFilePath());
        f.writeFile("savedfile.qlt", atLoad);
        const QDateTime loaded = QFileInfo(file).lastModified();
        if (atLoad.isNull())
            file.remove();
        f.open(false);
        f.writeFile("savedfile.qlt", meanwhile);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(loaded, QFileDevice::FileModificationTime));
        if (meanwhile.isNull())
            file.remove();
        QVERIFY(f.window->SaveInFile() && f.window->SaveInFile());
        const QStringList copies = QDir(f.folder.path()).entryList({"savedfile.qlt.conflict-*"});
        QCOMPARE(copies.size(), keptAside ? 1 : 0);
        QCOMPARE(f.messages.shown.size(), keptAside ? 1 : 0); // told once, at the first save
        if (keptAside) {
            QVERIFY(QRegularExpression("^savedfile\\.qlt\\.conflict-\\d{4}-\\d\\d-\\d\\d \\d{6}$").match(copies[0]).hasMatch());
            QCOMPARE(f.readFile(copies[0]), meanwhile);
            QVERIFY(f.messages.shown[0].text.contains(copies[0]));
        }
        QCOMPARE(f.readFile("savedfile.qlt"), serializeDataFile(parseDataFile(atLoad).content));
    }
};

QTEST_MAIN(TestSaveFeedback)
#include "tst_savefeedback.moc"
