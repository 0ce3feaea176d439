// SPDX-License-Identifier: GPL-3.0-or-later
// How long one tick of the reminder watcher takes over a full to-do list (32,767 to-dos, all
// with reminders in the future, so every one is looked at and none fires), once with one-time
// reminders and once with repeating ones (a repeat rule in every tag, of every kind). Prints the
// first tick (every tag read for the first time, as after loading) and the median, fastest and
// slowest of the ticks after it; for the repeating list also the start's one look at every rule.
#include "core/remindertext.h"
#include "core/todomodel.h"
#include "core/todorecord.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "todos/reminderwatcher.h"
#include "todos/repeatingreminder.h"

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

/// Times the ticks over a full list; repeating: every to-do has a repeat rule.
void measure(const Services &services, bool repeating, QTextStream &out)
{
    const int todos = 32767;
    const int ticks = 50;
    static const char *const kRules[] = {"FREQ=DAILY", "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR", "FREQ=WEEKLY;BYDAY=TU",
                                         "FREQ=MONTHLY;BYMONTHDAY=31", "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29",
                                         "FREQ=HOURLY;INTERVAL=5"};

    TodoModel list;
    const QDateTime now = services.clock->now();
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
        if (repeating)
            record.repeatRule = QLatin1String(kRules[i % 6]);
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

    out << "reminder watcher, " << todos << (repeating ? " repeating" : "") << " to-dos with future reminders\n";
    out << "first tick (all tags new): " << first << " ms\n";
    out << "median of " << ticks << " ticks:      " << times[times.size() / 2] << " ms\n";
    out << "fastest / slowest:         " << times.front() << " / " << times.back() << " ms\n";
    if (repeating) {
        // What the start reads of every rule, to name the ones that are no rule.
        timer.restart();
        int unreadable = 0;
        for (int row = 0; row < list.count(); ++row)
            unreadable += repeatingreminder::isUnreadableRule(list.record(row).repeatRule) ? 1 : 0;
        out << "start's look at every rule: " << milliseconds(timer) << " ms (" << unreadable << " unreadable)\n";
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    FixedClock clock;
    Services services;
    services.clock = &clock;
    services.folder = QStringLiteral("/tmp");

    QTextStream out(stdout);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(3);
    measure(services, false, out);
    measure(services, true, out);
    return 0;
}
