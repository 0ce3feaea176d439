// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "todos/repeatrule.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

/// One occurrence of a repeating reminder.
struct Occurrence
{
    /// The local wall-clock date and time the series names. The clocks may skip this time on
    /// this date; the reminder keeps it all the same, so the series keeps its time of day.
    QDate date;
    QTime time;
    /// When it rings, in local time: the first moment after a time the clocks skip, the first
    /// of the two moments that read a time the clocks go back over.
    QDateTime moment;

    /// The reminder field's text of date and time ("3/8/2026 2:30:00 AM"), even where the
    /// clocks skip it: the watcher, comparing wall-clock stamps, rings it at the first moment
    /// after.
    QString reminderText() const;
};

/// The first occurrence of a rule that rings strictly after `after`, the series starting at the
/// wall-clock date and time of seriesStart (its first occurrence when the rule's days include
/// it). Only seriesStart's date() and time() are read, to the second, so it may be a time the
/// clocks skip (which QDateTime holds as invalid). Occurrences keep seriesStart's time of day;
/// monthly on the 31st rings on the last day of shorter months, yearly on 29 February on 28
/// February in common years. Missed occurrences are passed over: called with now, it gives the
/// one to ring next. Custom rules are stepped through by libical from seriesStart, for at most
/// a bounded number of steps.
///
/// None when the rule does not repeat (Never, Invalid), when its COUNT or UNTIL has ended the
/// series, when it gives no occurrence within the bound, or when seriesStart or after is
/// invalid. gaveUp, when given, tells the bound apart: true when the series may well go on.
std::optional<Occurrence> nextOccurrence(const RepeatRule &rule, const QDateTime &seriesStart,
                                         const QDateTime &after, bool *gaveUp = nullptr);
