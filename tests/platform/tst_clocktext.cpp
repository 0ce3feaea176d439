// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/guitest.h"

class TestClockText : public WindowTest
{
    Q_OBJECT
private slots:
    // Day and month names must not follow the user's language.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // The window shows the clock from its first moment (each tick: tst_saytime).
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
        f->clock.set(now);
        f->open(false);
        QTEST(f->find<QLabel>("lblTime")->text(), "expected");
    }
};

QTEST_MAIN(TestClockText)
#include "tst_clocktext.moc"
