// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/datafile.h"
#include "store/fileformat.h"

#include <QElapsedTimer>
#include <QList>
#include <QRandomGenerator>

#include <algorithm>

/// The median of `runs` timings of f, in milliseconds.
template <typename F> double medianMs(int runs, F &&f)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

/// Four full sections of realistic records, the same every run.
inline DataFileContent benchContent(int perSection)
{
    QRandomGenerator rng(42);
    auto words = [&rng](int n) {
        static const char *pool[] = {"call", "plumber", "about", "the", "boiler", "buy", "milk",
                                     "bread", "meeting", "notes", "project", "review", "garden",
                                     "letter", "Ann", "Lee", "www", "example", "weekly", "plan"};
        QString text;
        for (int i = 0; i < n; ++i) {
            if (i)
                text += QLatin1Char(' ');
            text += QLatin1String(pool[rng.bounded(20)]);
        }
        return text;
    };
    DataFileContent content;
    const QChar f(fileformat::kFieldSeparator);
    for (int i = 0; i < perSection; ++i) {
        const QString title = words(3);
        content[SectionId::Websites].append({title, title + f + "https://www.example.org/" + words(1) + f + words(12) + "\r\n" + words(8)});
        const QString first = words(1), last = words(1);
        content[SectionId::Contacts].append({first + " " + last, first + f + last + f + words(2) + f + first + "@example.org (Default E-Mail)::" + last + "@example.com::"});
        content[SectionId::Notes].append({words(2), words(20) + "\r\n" + words(15) + "\r\n\r\n" + words(25)});
        content[SectionId::Todos].append({words(3), words(3) + f + "1" + f + "2" + f + "50%" + f + "12/24/2027 9:05:00 PM" + f + "/home/user/alarm.wav" + f + "1" + f + words(10) + f + "December 24, 2027  09:05 PM"});
    }
    return content;
}
