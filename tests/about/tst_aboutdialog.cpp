#include "about/aboutdialog.h"
#include "about/versiontext.h"
#include "app/appinfo.h"
#include "tests/support/mainwindowfixture.h"

#include <QLabel>
#include <QTest>

class TestAboutDialog : public QObject
{
    Q_OBJECT
private slots:
    void showsTheVersionAndOpensTheWebSite()
    {
        MainWindowFixture fixture;
        fixture.shell.result = Shell::Result::Failed;
        fixture.services.dataFolder = QStringLiteral("/home/ann/.local/share/Quillet");
        AboutDialog about(fixture.services, nullptr);
        QCOMPARE(about.findChild<QLabel *>("Label1")->text(), QStringLiteral("1.0.9"));
        QCOMPARE(about.findChild<QLabel *>("lblDataFolder")->toolTip(), fixture.services.dataFolder);
        QCOMPARE(versionText(2, 10, 100), QStringLiteral("2.10.100"));
        QTest::mouseClick(about.findChild<QLabel *>("Label3"), Qt::LeftButton);
        QCOMPARE(fixture.shell.opened, QStringList{appinfo::website()});
        QVERIFY(fixture.messages.shown.isEmpty()); // a failed hand-off is not reported
    }
};

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
