// Renders the splash and the main window to PNG files without a display, so anyone can look
// at them: quillet-screenshot OUTPUT_FOLDER [PROGRAM_FOLDER]
#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "platform/clock.h"
#include "platform/desktopshell.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtmessageboxes.h"
#include "platform/soundplayer.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

namespace {
class SilentSound final : public SoundPlayer
{
public:
    void play(const QString &) override {}
    void playToEnd(const QString &) override {}
    void stop() override {}
};
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: quillet-screenshot OUTPUT_FOLDER [PROGRAM_FOLDER]\n";
        return 2;
    }
    const QString out = args.at(1);
    QDir().mkpath(out);

    SystemClock clock;
    SilentSound sound;
    DesktopShell shell;
    QtMessageBoxes messages;
    QtFileDialogs files;
    const Services services{&clock, &sound, &shell, &messages, &files,
                            args.size() > 2 ? args.at(2) : QDir::tempPath() + "/quillet-shot"};
    QDir().mkpath(services.folder);

    SplashWindow splash(services);
    splash.grab().save(out + "/splash.png");

    MainWindow window(services);
    window.load();
    window.show();
    QApplication::processEvents();
    window.grab().save(out + "/main.png");
    window.hide();
    return 0;
}
