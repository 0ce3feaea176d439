#include "app/singleinstance.h"
#include "app/splashwindow.h"
#include "app/startoptions.h"
#include "platform/clock.h"
#include "platform/desktopshell.h"
#include "platform/instanceguard.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtmessageboxes.h"
#include "platform/qtsoundplayer.h"

#include <QApplication>
#include <version.h>

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

    // Before anything is loaded: one copy per data folder.
    InstanceGuard guard(services.dataPath(QStringLiteral("savedfile.qlt")));
    if (!singleinstance::startHere(guard, options.minimized, &messages))
        return 0;

    auto *splash = new SplashWindow(services);
    splash->show();
    return app.exec();
}
