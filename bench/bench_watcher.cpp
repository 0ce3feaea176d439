// SPDX-License-Identifier: GPL-3.0-or-later
// How long one tick of the reminder watcher takes over a full to-do list (32,767 to-dos, all
// with reminders in the future, so every one is looked at and none fires). Prints the first
// tick (every tag read for the first time, as after loading) and the median, fastest and
// slowest of the ticks after it.
#include "core/remindertext.h"
#include "core/todomodel.h"
#include "core/todorecord.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "todos/reminderwatcher.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

class FixedClock final : public Clock
{
public:
    QDateTime now() const override { return {QDate(2026, 12, 5), QTime(21, 5, 0)}; }
};

double milliseconds(QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int todos = 32767;
    const int ticks = 50;

    FixedClock clock;
    Services services;
    services.clock = &clock;
    services.folder = QStringLiteral("/tmp");

    TodoModel list;
    const QDateTime now = clock.now();
    for (int i = 0; i < todos; ++i) {
        TodoRecord record;
        record.subject = QStringLiteral("To-do number %1").arg(i);
        record.status = i % 5;
        record.priority = i % 3;
        record.percent = QStringLiteral("25%");
        // Spread over the next year, to the second.
        const QDateTime due = now.addSecs(1 + qint64(i) * 937);
        record.reminder = remindertext::write(due);
        record.sound = QStringLiteral("/home/user/sounds/alarm.wav");
        record.playFlag = QStringLiteral("1");
        record.description = QStringLiteral("Something to remember about to-do %1").arg(i);
        record.reminderCaption = remindertext::snoozeCaption(due);
        list.appendRecord(record.subject, record.toTag());
    }

    ReminderWatcher watcher(services, &list, nullptr);
    QElapsedTimer timer;
    timer.start();
    watcher.tick();
    const double first = milliseconds(timer);

    std::vector<double> times;
    for (int i = 0; i < ticks; ++i) {
        timer.restart();
        watcher.tick();
        times.push_back(milliseconds(timer));
    }
    std::sort(times.begin(), times.end());

    QTextStream out(stdout);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(3);
    out << "reminder watcher, " << todos << " to-dos with future reminders\n";
    out << "first tick (all tags new): " << first << " ms\n";
    out << "median of " << ticks << " ticks:      " << times[times.size() / 2] << " ms\n";
    out << "fastest / slowest:         " << times.front() << " / " << times.back() << " ms\n";
    return 0;
}
