// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/guitest.h"
#include "widgets/savefeedback.h"

#include <QDir>

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
};

QTEST_MAIN(TestSaveFeedback)
#include "tst_savefeedback.moc"
