// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the splash and the main window, once per section, to PNG files without a display, so
// anyone can look at them: quillet-screenshot [--scale 2] OUTPUT_FOLDER
// --scale 2 pictures a high-density screen: every file then has twice the pixels.
#include "about/aboutdialog.h"
#include "syncwindow/syncwindow.h"
#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "core/document.h"
#include "core/remindertext.h"
#include "core/todomodel.h"
#include "platform/clock.h"
#include "platform/desktopshell.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtmessageboxes.h"
#include "platform/soundplayer.h"
#include "platform/textfile.h"
#include "quotes/quotebox.h"
#include "store/datafile.h"
#include "store/fileformat.h"
#include "todos/alarmwindow.h"
#include "todos/missedreminderswindow.h"
#include "todos/reminderdialog.h"
#include "todos/todossection.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

class SilentSound final : public SoundPlayer
{
public:
    void play(const QString &) override {}
    void playToEnd(const QString &) override {}
    void stop() override {}
};

DataFileContent sampleContent()
{
    const QChar f(fileformat::kFieldSeparator);
    DataFileContent content;
    content[SectionId::Websites] = {
        {"Debian", "Debian" + QString(f) + "https://www.debian.org" + f + "The universal operating system.\r\nRelease notes and news."},
        {"Weather", "Weather" + QString(f) + "https://weather.example.org" + f + "Forecast for the week"},
        {"Growing tomatoes on a small balcony, a complete guide", "Growing tomatoes on a small balcony, a complete guide" + QString(f) + "https://garden.example.org/balcony/tomatoes" + f + ""}};
    content[SectionId::Contacts] = {
        {"Ann Lee", "Ann" + QString(f) + "Lee" + f + "Editor" + f + "ann.lee@example.com::ann.lee.editorial-office@publishing-house.example.org (Default E-Mail)::"},
        {"Bob Stone", "Bob" + QString(f) + "Stone" + f + "" + f + "bob@example.net (Default E-Mail)::"}};
    content[SectionId::Notes] = {
        {"Shopping", "Milk\r\nBread\r\nEggs\r\nCoffee beans"},
        {"Ideas", "Paint the fence blue.\r\nTry the new bakery on Main Street."}};
    content[SectionId::Todos] = {
        {"Call plumber", "Call plumber" + QString(f) + "1" + f + "1" + f + "50%" + f + "" + f + "" + f + "" + f + "Ask about the boiler" + f + "Reminder not set"},
        {"Renew passport", "Renew passport" + QString(f) + "0" + f + "1" + f + "0%" + f + "" + f + "" + f + "" + f + "Photos first" + f + "Reminder not set"},
        {"Water the plants", "Water the plants" + QString(f) + "0" + f + "0" + f + "0%" + f + "12/8/2027 9:00:00 AM" + f + "" + f + "1" + f + "The ferns twice" + f + "Every week, Tue 09:00 AM" + f + "FREQ=WEEKLY;BYDAY=TU"}};
    return content;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The scale must be known before the application starts.
    const bool scaled = argc == 4 && qstrcmp(argv[1], "--scale") == 0;
    if (scaled)
        qputenv("QT_SCALE_FACTOR", argv[2]);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != (scaled ? 4 : 2) || (scaled && args.at(2).toDouble() <= 0)) {
        QTextStream(stderr) << "usage: quillet-screenshot [--scale FACTOR] OUTPUT_FOLDER\n";
        return 2;
    }
    const QString out = args.last();
    QDir().mkpath(out);

    QTemporaryDir folder;
    writeFileAtomically(folder.filePath("savedfile.qlt"), serializeDataFile(sampleContent()));
    QFile::copy(QCoreApplication::applicationDirPath() + "/../../quillet/quotes.txt",
                folder.filePath("quotes.txt"));

    SystemClock clock;
    SilentSound sound;
    DesktopShell shell;
    QtMessageBoxes messages;
    QtFileDialogs files;
    const Services services{&clock, &sound, &shell, &messages, &files, folder.path(), {}};

    // The splash would open a main window of its own at its first tick: picture it and go.
    Document document(services);
    auto *splash = new SplashWindow(services, &document);
    splash->grab().save(out + "/splash.png");
    delete splash;

    MainWindow window(services, &document);
    window.load();
    window.show();
    // Run the first quote's fade to its end.
    for (int tick = 0; tick < 12; ++tick)
        window.quoteBox()->fadeOutTick();
    for (int tick = 0; tick < 12; ++tick)
        window.quoteBox()->fadeInTick();
    QApplication::processEvents();
    window.grab().save(out + "/main.png");

    const char *sections[][3] = {{"fraWebsite", "butWeb_c", "websites"},
                                 {"fraEmails", "butEmail_c", "contacts"},
                                 {"fraNotes", "butNotes_c", "notes"},
                                 {"fraTodos", "butTodo_c", "todos"}};
    for (const auto &section : sections) {
        window.releaseSectionButtons();
        window.hideSections();
        window.findChild<QWidget *>(section[0])->show();
        window.findChild<QWidget *>(section[1])->show();
        QApplication::processEvents();
        window.grab().save(out + "/main-" + section[2] + ".png");
    }
    AboutDialog about(services, &window);
    about.grab().save(out + "/about.png");
    SyncWindow sync(&window);
    sync.setAccount({QUrl(QStringLiteral("https://dav.example.org/")), QStringLiteral("alice"), {}, {}});
    sync.setPassword(QStringLiteral("password"));
    sync.showState(QStringLiteral("Last synced 10:42"));
    sync.adjustSize();
    sync.grab().save(out + "/sync.png");
    ReminderDialog reminder(services, ReminderFields{}, &window);
    reminder.grab().save(out + "/reminder.png");
    ReminderDialog repeating(services, {"12/8/2027 9:00:00 AM", "", "1", "Every week, Tue 09:00 AM", "FREQ=WEEKLY;BYDAY=TU"},
                             &window);
    repeating.grab().save(out + "/reminder-repeating.png");
    AlarmWindow alarm(services, &window);
    alarm.setTexts(QStringLiteral("Call the plumber about the boiler in the cellar before the winter comes"),
                   QStringLiteral("Ask about the boiler: it clicks three times before it starts, the pressure "
                                  "drops overnight, the radiator in the back room stays cold, and the "
                                  "warranty ends in January. Have the invoice from last year ready, and the "
                                  "model number from the plate on its side. Ask for a quote in writing, and "
                                  "whether the old tank can stay where it is."));
    alarm.showPriorityLamp(2);
    alarm.setDue(clock.now().addSecs(-2 * 3600 - 300));
    alarm.grab().save(out + "/alarm.png");
    alarm.setNext(QStringLiteral("Next: Tue, Dec 8, 9:00 AM"));
    alarm.grab().save(out + "/alarm-repeating.png");

    // Both to-dos came due while the program was closed.
    auto *todos = static_cast<TodosSection *>(window.section(SectionId::Todos));
    QList<MissedRemindersWindow::Missed> missed;
    const QString reminders[] = {remindertext::write(clock.now().addDays(-1)),
                                 remindertext::write(clock.now().addSecs(-40 * 60))};
    for (int row = 0; row < 2; ++row) {
        TodoRecord record = todos->todos()->record(row);
        record.reminder = reminders[row];
        todos->todos()->setRecord(row, record);
        missed.append({QPersistentModelIndex(todos->todos()->index(row)), record});
    }
    MissedRemindersWindow missedWindow(services, missed, &window);
    missedWindow.adjustSize();
    missedWindow.grab().save(out + "/missed.png");
    window.hide();
    return 0;
}
