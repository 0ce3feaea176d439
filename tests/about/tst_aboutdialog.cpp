#include "about/aboutdialog.h"
#include "about/versiontext.h"
#include "platform/appinfo.h"
#include "platform/autostart.h"
#include "tests/support/mainwindowfixture.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QTest>

class TestAboutDialog : public QObject
{
    Q_OBJECT
private slots:
    void showsTheVersionOpensTheSiteAndStartsAtLogin()
    {
        MainWindowFixture fixture;
        fixture.shell.result = Shell::Result::Failed;
        const QString ownFolder = std::exchange(fixture.services.dataFolder, "/home/ann/.local/share/Quillet");
        AboutDialog about(fixture.services, nullptr);
        QCOMPARE(about.findChild<QLabel *>("Label1")->text(), QStringLiteral("1.0.9"));
        QCOMPARE(about.findChild<QLabel *>("lblDataFolder")->toolTip(), fixture.services.dataFolder);
        QCOMPARE(versionText(2, 10, 100), QStringLiteral("2.10.100"));
        QTest::mouseClick(about.findChild<QLabel *>("Label3"), Qt::LeftButton);
        QCOMPARE(fixture.shell.opened, QStringList{appinfo::website()});
        QVERIFY(fixture.messages.shown.isEmpty()); // a failed hand-off is not reported

        // Start at login writes and removes the entry, in the fixture's folder.
        fixture.services.dataFolder = ownFolder;
        const QString entry = fixture.folder.filePath("config/autostart/quillet.desktop");
        const auto toggle = [&fixture](bool expected) {
            AboutDialog about(fixture.services, nullptr);
            auto *box = about.findChild<QCheckBox *>("chkAutostart");
            QCOMPARE(box->text(), QStringLiteral("Start Quillet when I log in"));
            QCOMPARE(box->isChecked(), !expected);
            box->click();
            QCOMPARE(box->isChecked(), expected && fixture.messages.shown.isEmpty());
        };
        toggle(true);
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), autostart::entryText({QCoreApplication::applicationFilePath(), "--minimized"}));
        toggle(false);
        QVERIFY(!QFile::exists(entry));
        // A folder that cannot be made: said once, and the box stays off.
        QVERIFY(QDir().rmdir(fixture.folder.filePath("config/autostart")));
        fixture.writeFile("config/autostart", "a file in the way");
        toggle(true);
        QCOMPARE(fixture.messages.shown.size(), 1);
    }
};

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
