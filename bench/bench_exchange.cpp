// SPDX-License-Identifier: GPL-3.0-or-later
// Times importing 10,000 to-dos from one .ics file beside python3-icalendar's parse of the same
// file, and exporting a full list of 32,767 to-dos.
#include "bench/benchdata.h"
#include "core/remindertext.h"
#include "core/todomodel.h"
#include "exchange/exchangefile.h"
#include "exchange/mergeimport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>

namespace {

/// Processor time of the whole process: on a busy machine it says more than the clock.
double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

/// The benchmark's to-dos, each with its reminder at another minute of the coming year.
QList<Record> todos(int count)
{
    QList<Record> records = benchContent(count)[SectionId::Todos];
    QRandomGenerator rng(7);
    const QDateTime start(QDate(2027, 1, 1), QTime(0, 0));
    for (Record &record : records) {
        TodoRecord todo = TodoRecord::fromTag(record.tag);
        todo.reminder = remindertext::write(start.addSecs(qint64(rng.bounded(365 * 24 * 60)) * 60));
        record.tag = todo.toTag();
    }
    return records;
}

/// python3-icalendar's parse of the file, without the interpreter's start, median of three.
double pythonParseMs(const QString &path)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import icalendar, statistics, sys, time\n"
                                 "data = open(sys.argv[1], 'rb').read()\n"
                                 "times = []\n"
                                 "for _ in range(3):\n"
                                 "    start = time.perf_counter()\n"
                                 "    cal = icalendar.Calendar.from_ical(data)\n"
                                 "    assert len(cal.walk('VTODO')) > 0\n"
                                 "    times.append((time.perf_counter() - start) * 1000)\n"
                                 "print(statistics.median(times))\n"),
                  path});
    if (!python.waitForFinished(600000) || python.exitCode() != 0)
        return -1;
    return python.readAllStandardOutput().trimmed().toDouble();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QDateTime now = QDateTime::currentDateTimeUtc();

    const QString file = dir.filePath(QStringLiteral("todos.ics"));
    if (!exchange::exportRecords(SectionId::Todos, todos(10000), file, now).ok())
        return 1;
    out << "10,000 to-dos, " << QFileInfo(file).size() / 1024 << " KiB of iCalendar\n";
    ImportResult imported;
    const double readMs = medianMs(3, [&] { imported = exchange::importFile(file); });
    const double mergeMs = medianMs(3, [&] {
        TodoModel model;
        mergeimport::mergeInto(model, SectionId::Todos, imported.records);
    });
    out << "  Quillet import (libical): " << readMs << " ms read (" << imported.records.size() << " to-dos), + " << mergeMs
        << " ms merged into an empty list (median of 3)\n";
    out.flush();
    const double pythonMs = pythonParseMs(file);
    out << "  python3-icalendar parse:  " << pythonMs << " ms (median of 3)\n";
    if (pythonMs > 0)
        out << "  Quillet's read and merge take " << (readMs + mergeMs) / pythonMs * 100 << " % of python's parse\n";

    const QList<Record> largest = todos(32767);
    const QString big = dir.filePath(QStringLiteral("largest.ics"));
    const double cpuBefore = cpuMs();
    const double exportMs = medianMs(3, [&] { exchange::exportRecords(SectionId::Todos, largest, big, now); });
    out << "32,767 to-dos exported: " << exportMs << " ms (median of 3; " << (cpuMs() - cpuBefore) / 3
        << " ms of processor time each, all threads), " << QFileInfo(big).size() / 1024 << " KiB\n";
    return 0;
}
