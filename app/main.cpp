#include "app/splashwindow.h"
#include "platform/clock.h"
#include "platform/desktopshell.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtmessageboxes.h"
#include "platform/qtsoundplayer.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setDesktopFileName(QStringLiteral("quillet"));

    SystemClock clock;
    QtSoundPlayer sound;
    DesktopShell shell;
    QtMessageBoxes messages;
    QtFileDialogs files;
    const Services services{&clock, &sound, &shell, &messages, &files,
                            QCoreApplication::applicationDirPath()};

    auto *splash = new SplashWindow(services);
    splash->show();
    return app.exec();
}
