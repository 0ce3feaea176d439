#include "app/sessionend.h"
#include "app/splashwindow.h"
#include "app/startoptions.h"
#include "platform/blockedclose.h"
#include "platform/clock.h"
#include "platform/desktopshell.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtmessageboxes.h"
#include "platform/qtsoundplayer.h"
#include "platform/unixsignals.h"

#include <QApplication>
#include <QSessionManager>
#include <version.h>

#include <csignal>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setDesktopFileName(QStringLiteral("quillet"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(QUILLET_VERSION_MAJOR)
                                            .arg(QUILLET_VERSION_MINOR)
                                            .arg(QUILLET_VERSION_PATCH));
    const StartOptions options = parseStartOptions(QApplication::arguments());

    SystemClock clock;
    QtSoundPlayer sound;
    DesktopShell shell;
    QtMessageBoxes messages;
    QtFileDialogs files;
    const Services services{&clock, &sound, &shell, &messages, &files,
                            QCoreApplication::applicationDirPath(), options.dataDir};

    // Logging out, shutting down, a kill or Ctrl+C end the program as its close button does.
    SessionEnd sessionEnd;
    UnixSignals unixSignals({SIGTERM, SIGHUP, SIGINT});
    QObject::connect(&unixSignals, &UnixSignals::received, &sessionEnd, &SessionEnd::endNow);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &sessionEnd,
                     [&sessionEnd](QSessionManager &) { sessionEnd.endNow(); });
    BlockedClose blockedClose;
    QObject::connect(&blockedClose, &BlockedClose::closeRequested, &sessionEnd, &SessionEnd::endNow);

    auto *splash = new SplashWindow(services);
    splash->show();
    return app.exec();
}
