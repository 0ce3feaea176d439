// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/headlessstart.h"
#include "app/mainwindow.h"
#include "app/sessionend.h"
#include "app/singleinstance.h"
#include "app/splashwindow.h"
#include "app/startoptions.h"
#include "core/document.h"
#include "exchange/exchangeverbs.h"
#include "platform/blockedclose.h"
#include "platform/clock.h"
#include "platform/datafolder.h"
#include "platform/dbusnotifier.h"
#include "platform/desktopshell.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtmessageboxes.h"
#include "platform/qtsoundplayer.h"
#include "platform/unixsignals.h"
#include "store/datastore.h"
#include "sync/syncverbs.h"

#include <QApplication>
#include <QSessionManager>
#include <QStandardPaths>
#include <QTextStream>
#include <version.h>

#include <csignal>

namespace {
void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quillet"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(QUILLET_VERSION_MAJOR)
                                                .arg(QUILLET_VERSION_MINOR)
                                                .arg(QUILLET_VERSION_PATCH));
}
} // namespace

int main(int argc, char *argv[])
{
    exchangeverbs::add();
    syncverbs::add();
    {
        // Help, version, mistakes and work without a window need no display.
        QCoreApplication probe(argc, argv);
        nameApplication();
        answerBeforeWindows(QCoreApplication::arguments());
        if (asksForHeadlessWork(QCoreApplication::arguments()))
            return runHeadless(parseStartOptions(QCoreApplication::arguments()));
    }
    QApplication app(argc, argv);
    nameApplication();
    QApplication::setDesktopFileName(QStringLiteral("quillet"));
    const StartOptions options = parseStartOptions(QApplication::arguments());

    SystemClock clock;
    QtSoundPlayer sound;
    DesktopShell shell;
    QtMessageBoxes messages;
    QtFileDialogs files;
    DBusNotifier notifier(&QDBusConnection::sessionBus);
    const QString programFolder = QCoreApplication::applicationDirPath();
    const datafolder::Choice data = datafolder::locate(
        programFolder, options.dataDir,
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (data.folder.isEmpty()) {
        // Better not to start than to take typing that could never be saved.
        QTextStream(stderr) << data.problem << Qt::endl;
        messages.show(nullptr, data.problem, QString(), MessageBoxes::Buttons::Ok,
                      MessageBoxes::Icon::Exclamation);
        return 1;
    }
    Services services{&clock, &sound, &shell, &messages, &files, programFolder, data.folder};
    services.notifier = &notifier;

    // Before anything is loaded: one copy per data folder.
    Document document(services);
    if (!singleinstance::startHere(document, options.minimized, &messages))
        return 0;

    // Logging out, shutting down, a kill or Ctrl+C end the program as its close button does.
    SessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &SessionEnd::finished, &app, &QCoreApplication::quit);
    UnixSignals unixSignals({SIGTERM, SIGHUP, SIGINT});
    QObject::connect(&unixSignals, &UnixSignals::received, &sessionEnd, &SessionEnd::endNow);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &sessionEnd,
                     [&sessionEnd](QSessionManager &) { sessionEnd.endNow(); });
    BlockedClose blockedClose;
    QObject::connect(&blockedClose, &BlockedClose::closeRequested, &sessionEnd, &SessionEnd::endNow);

    // The data file is read while the splash shows.
    DataStore::preload(data.folder);
    auto *splash = new SplashWindow(services, &document);
    splash->setStartMinimized(options.minimized);
    // Started minimised at login: no splash either.
    if (!options.minimized)
        splash->show();
    const int status = app.exec();
    // The window goes before the document it shows.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<MainWindow *>(window))
            delete window;
    }

    return status;
}
