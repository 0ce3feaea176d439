// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/aboutdialog.h"
#include "platform/appinfo.h"
#include "platform/autostart.h"
#include "tests/support/guitest.h"

#include <QCheckBox>
#include <QDir>

class TestAboutDialog : public WindowTest
{
    Q_OBJECT
private slots:
    void opensTheSiteAndStartsAtLogin()
    {
        f->shell.result = Shell::Result::Failed;
        const QString ownFolder = std::exchange(f->services.dataFolder, "/home/ann/.local/share/Quillet");
        AboutDialog about(f->services, nullptr);
        QCOMPARE(about.findChild<QLabel *>("lblDataFolder")->toolTip(), f->services.dataFolder);
        QTest::mouseClick(about.findChild<QLabel *>("Label3"), Qt::LeftButton);
        QCOMPARE(f->shell.opened, QStringList{appinfo::website()});
        QVERIFY(f->messages.shown.isEmpty()); // a failed hand-off is not reported

        // Start at login writes and removes the entry, in the fixture's folder.
        f->services.dataFolder = ownFolder;
        const QString entry = "config/autostart/quillet.desktop";
        const auto toggle = [this](bool expected) {
            AboutDialog about(f->services, nullptr);
            auto *box = about.findChild<QCheckBox *>("chkAutostart");
            QCOMPARE(box->isChecked(), !expected);
            box->click();
            QCOMPARE(box->isChecked(), expected && f->messages.shown.isEmpty());
        };
        toggle(true);
        QCOMPARE(f->readFile(entry), autostart::entryText({QCoreApplication::applicationFilePath(), "--minimized"}));
        toggle(false);
        QVERIFY(!QFile::exists(f->folder.filePath(entry)));
        // An entry left behind by a program that is gone starts nothing: the box shows it off.
        f->writeFile(entry, autostart::entryText({f->folder.filePath("removed/quillet"), "--minimized"}));
        toggle(true);
        QCOMPARE(f->readFile(entry), autostart::entryText({QCoreApplication::applicationFilePath(), "--minimized"}));
        toggle(false);
        // A folder that cannot be made: said once, and the box stays off.
        QVERIFY(QDir().rmdir(f->folder.filePath("config/autostart")));
        f->writeFile("config/autostart", "a file in the way");
        toggle(true);
        QCOMPARE(f->messages.shown.size(), 1);
    }
};

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
