// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/aboutdialog.h"
#include "app/splashwindow.h"
#include "tests/support/guitest.h"

#include <QPointer>

// Runs as on a high-density screen, at a device pixel ratio of 2.
class TestSplash : public WindowTest
{
    Q_OBJECT
private slots:
    void firstTickOpensTheMainWindowAndClosesTheSplash()
    {
        Document document(f->services);
        QPointer<SplashWindow> splash = new SplashWindow(f->services, &document);
        splash->show();
        splash->openMainWindow();
        QPointer<MainWindow> main = splash->mainWindow();
        QVERIFY(main && main->isVisible());
        QTRY_VERIFY(!splash); // closed and gone
        main->close();
        QTRY_VERIFY(!main);
    }

    void windowsShowTheDoublePicturesPixelForPixel_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QRect>("area"); // in the window, where the picture's top left is at offset
        QTest::addColumn<QPoint>("offset");
        QTest::newRow("main background") << "frmMain" << "main_background" << QRect(0, 0, 320, 40) << QPoint();
        QTest::newRow("section button") << "frmMain" << "web" << QRect(14, 52, 140, 26) << QPoint(10, 6);
        QTest::newRow("splash") << "frmSplash" << "splash" << QRect(0, 0, 450, 170) << QPoint();
        QTest::newRow("about") << "frmAbout" << "about_background" << QRect(0, 0, 450, 100) << QPoint();
    }
    void windowsShowTheDoublePicturesPixelForPixel()
    {
        QFETCH(QString, window);
        QFETCH(QString, picture);
        QFETCH(QRect, area);
        QFETCH(QPoint, offset);
        std::unique_ptr<QWidget> other; // grabbed at once: the splash never ticks
        if (window == "frmSplash")
            other = std::make_unique<SplashWindow>(f->services, nullptr);
        if (window == "frmAbout")
            other = std::make_unique<AboutDialog>(f->services, nullptr);
        QWidget *shown = other ? other.get() : f->open();
        const QImage drawn = shown->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage expected = QImage(":/images/" + picture + "@2x.png").copy(QRect(offset * 2, area.size() * 2));
        QCOMPARE(drawn, expected.convertToFormat(QImage::Format_RGB32));
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestSplash test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_splash.moc"
