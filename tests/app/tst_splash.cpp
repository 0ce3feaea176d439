#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "tests/support/mainwindowfixture.h"

#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

class TestSplash : public QObject
{
    Q_OBJECT
private slots:
    void firstTickOpensTheMainWindowAndClosesTheSplash()
    {
        MainWindowFixture f; // its fakes and folder only: the splash makes the window itself
        QPointer<SplashWindow> splash = new SplashWindow(f.services);
        splash->show();
        QCOMPARE(splash->size(), QSize(450, 217));
        const QString info = splash->findChild<QLabel *>("lblInfo")->text();
        QVERIFY(info.startsWith("Version 1.0\n"));
        auto *timer = splash->findChild<QTimer *>("Timer1");
        QCOMPARE(timer->interval(), 100);
        QVERIFY(timer->isActive());

        splash->timerTick();
        QPointer<MainWindow> main = splash->mainWindow();
        QVERIFY(main);
        QVERIFY(main->isVisible());
        // The clock is right before the first tick of its timer.
        QCOMPARE(main->findChild<QLabel *>("lblTime")->text(), QStringLiteral("09:05 PM\r\nSat, Dec 5, 2026"));
        QTRY_VERIFY(!splash); // closed and gone
        main->close();
        QTRY_VERIFY(!main);
        QVERIFY(QFile::exists(f.dataFilePath()));
    }
};

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
