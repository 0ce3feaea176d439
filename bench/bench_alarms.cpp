// SPDX-License-Identifier: GPL-3.0-or-later
// Rings many alarms in the to-do section, each answered by OK, and prints the memory the
// process holds: the heap in use (mallinfo2) and the anonymous memory (RssAnon), after a few
// alarms and after all of them. An answered alarm should leave nothing behind. Runs offscreen
// unless QT_QPA_PLATFORM says otherwise (xcb under xvfb-run pictures a desktop).
#include "bench/silentservices.h"
#include "core/remindertext.h"
#include "core/todomodel.h"
#include "core/todorecord.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "todos/alarmwindow.h"
#include "todos/reminderwatcher.h"
#include "todos/todossection.h"


#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>
#include <QUndoStack>

#include <malloc.h>

namespace {

class StillClock final : public Clock
{
public:
    QDateTime now() const override { return {QDate(2026, 12, 5), QTime(21, 5, 0)}; }
};

qint64 anonymousKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("RssAnon:"))
            return line.mid(8).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

qint64 heapInUseKiB()
{
    return qint64(mallinfo2().uordblks) / 1024;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int warmUp = 20;
    const int alarms = argc > 1 ? QByteArray(argv[1]).toInt() : 400;

    StillClock clock;
    SilentServices silent;
    Services services{&clock, &silent, &silent, &silent, &silent, QStringLiteral("/tmp"), QStringLiteral("/tmp")};
    QWidget window;
    window.resize(600, 400);
    TodoModel todos;
    QUndoStack history;
    TodosSection section(services, &todos, &history, &window);
    section.watcher()->timer()->stop();
    window.show();

    TodoRecord record;
    record.subject = QStringLiteral("Call the plumber");
    record.description = QStringLiteral("About the boiler in the cellar");
    record.reminder = remindertext::write(clock.now().addSecs(-60));
    QTextStream out(stdout);
    qint64 heapBefore = 0;
    qint64 anonymousBefore = 0;
    for (int n = 1; n <= warmUp + alarms; ++n) {
        section.todos()->appendRecord(record.subject, record.toTag());
        section.watcher()->tick();
        QCoreApplication::processEvents();
        AlarmWindow *alarm = window.findChild<AlarmWindow *>();
        if (!alarm || !alarm->isVisible()) {
            out << "no alarm came up at " << n << Qt::endl;
            return 1;
        }
        alarm->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        if (n == warmUp) {
            heapBefore = heapInUseKiB();
            anonymousBefore = anonymousKiB();
        }
    }
    const qint64 heapAfter = heapInUseKiB();
    const qint64 anonymousAfter = anonymousKiB();
    out << "alarms answered after the first " << warmUp << ": " << alarms << " (" << qgetenv("QT_QPA_PLATFORM") << ")\n";
    out << "heap in use:      " << heapBefore << " KiB -> " << heapAfter << " KiB, "
        << double(heapAfter - heapBefore) / alarms << " KiB an alarm\n";
    out << "anonymous memory: " << anonymousBefore << " KiB -> " << anonymousAfter << " KiB, "
        << double(anonymousAfter - anonymousBefore) / alarms << " KiB an alarm\n";
    return 0;
}
