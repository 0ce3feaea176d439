#include "platform/clocktext.h"
#include "tests/support/guitest.h"

class TestClockText : public WindowTest
{
    Q_OBJECT


private slots:
    // Day and month names must not follow the user's language.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void text_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("expected");
        auto at = [](int y, int mo, int d, int h, int mi) { return QDateTime(QDate(y, mo, d), QTime(h, mi)); };
        QTest::newRow("noon") << at(2026, 6, 14, 12, 0) << "12:00 PM\r\nSun, Jun 14, 2026";
        QTest::newRow("midnight") << at(2026, 3, 2, 0, 0) << "12:00 AM\r\nMon, Mar 2, 2026";
        QTest::newRow("13:07") << at(2026, 5, 12, 13, 7) << "01:07 PM\r\nTue, May 12, 2026";
        QTest::newRow("first of month") << at(2026, 10, 1, 11, 59) << "11:59 AM\r\nThu, Oct 1, 2026";
    }
    void text()
    {
        QFETCH(QDateTime, now);
        QTEST(clockText(now), "expected");
    }

    void labelFromTheFirstMomentAndEveryTick()
    {
        f->clock.set(QDateTime(QDate(2026, 12, 1), QTime(23, 59, 59)));
        f->open(false);
        auto *label = f->find<QLabel>("lblTime");
        QCOMPARE(label->text(), QStringLiteral("11:59 PM\r\nTue, Dec 1, 2026"));
        f->clock.advanceSecs(1);
        f->window->updateClock();
        QCOMPARE(label->text(), QStringLiteral("12:00 AM\r\nWed, Dec 2, 2026"));
    }
};

QTEST_MAIN(TestClockText)
#include "tst_clocktext.moc"
