#include "store/savefeedback.h"
#include "tests/support/mainwindowfixture.h"

#include <QDir>
#include <QFile>
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

Feedback feedbackOf(const MainWindowFixture &f)
{
    return {f.window->findChild<SaveFeedback *>(), f.find<QLabel>("lblSaved"),
            f.find<QTimer>("tmrWrite"), f.find<QTimer>("tmrSaved")};
}

void pressSave(MainWindowFixture &f)
{
    QTest::mouseMove(f.find<QWidget>("butSave"), QPoint(10, 10));
    QTest::mouseClick(f.find<QWidget>("butSave_h"), Qt::LeftButton, {}, QPoint(10, 10));
}

const QByteArray kEmptyFile = "Quillet 1.0 - 1.0.9\r\n" + QByteArray("<end of section>\r\n").repeated(4);

} // namespace

class TestSaveFeedback : public QObject
{
    Q_OBJECT
private slots:
    void saveTypesTheTextThenClearsIt()
    {
        MainWindowFixture f;
        f.open();
        const Feedback fb = feedbackOf(f);
        QVERIFY(!fb.write->isActive());
        pressSave(f);
        // All lists empty: the five-line file.
        QCOMPARE(f.readFile("savedfile.qlt"), kEmptyFile);
        QVERIFY(fb.write->isActive());
        QVERIFY(fb.saved->isActive());
        QCOMPARE(fb.label->text(), QString());

        const QString text = QStringLiteral("Saved successfully.");
        for (int tick = 1; tick <= text.size(); ++tick) {
            fb.feedback->writeTick();
            QCOMPARE(fb.label->text(), text.left(tick));
            QVERIFY(fb.write->isActive());
        }
        fb.feedback->writeTick(); // the 20th tick stops the typing, text in full
        QCOMPARE(fb.label->text(), text);
        QVERIFY(!fb.write->isActive());
        QVERIFY(fb.saved->isActive());

        fb.feedback->savedTick();
        QCOMPARE(fb.label->text(), QString());
        QVERIFY(!fb.saved->isActive());
        QVERIFY(f.messages.shown.isEmpty());

        // The next save types from the first letter again.
        pressSave(f);
        fb.feedback->writeTick();
        QCOMPARE(fb.label->text(), QStringLiteral("S"));
    }

    void failedSaveShowsTheErrorAndNoFeedback()
    {
        MainWindowFixture f;
        f.open();
        const Feedback fb = feedbackOf(f);
        QDir(f.folder.path()).mkdir("savedfile.qlt"); // a folder where the file should be
        pressSave(f);
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].title, QStringLiteral("Error"));
        QCOMPARE(f.messages.shown[0].icon, MessageBoxes::Icon::Critical);
        QVERIFY(!fb.write->isActive());
        QVERIFY(!fb.saved->isActive());
        QCOMPARE(fb.label->text(), QString());
    }

    void failedSaveLeavesTheLabelAsItWas()
    {
        MainWindowFixture f;
        f.open();
        const Feedback fb = feedbackOf(f);
        pressSave(f);
        for (int tick = 0; tick < 20; ++tick)
            fb.feedback->writeTick();
        QDir(f.folder.path()).rename("savedfile.qlt", "moved");
        QDir(f.folder.path()).mkdir("savedfile.qlt");
        pressSave(f);
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(fb.label->text(), QStringLiteral("Saved successfully."));
        QVERIFY(!fb.write->isActive());
        fb.feedback->savedTick(); // the first save's clearing still comes
        QCOMPARE(fb.label->text(), QString());
    }

    void closingSavesWithoutFeedback()
    {
        MainWindowFixture f;
        f.open();
        const Feedback fb = feedbackOf(f);
        f.window->close();
        QCOMPARE(f.readFile("savedfile.qlt"), kEmptyFile);
        QVERIFY(!fb.write->isActive());
        QVERIFY(!fb.saved->isActive());
        QCOMPARE(fb.label->text(), QString());
    }
};

QTEST_MAIN(TestSaveFeedback)
#include "tst_savefeedback.moc"
