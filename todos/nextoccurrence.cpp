// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/nextoccurrence.h"

#include "core/remindertext.h"
#include "todos/icalrecurrence.h"

#include <algorithm>

namespace {

/// Steps libical may take to pass the missed occurrences of a custom rule; beyond them the next
/// occurrence is not known rather than holding the program up.
constexpr int kMaxCustomSteps = 20000;
constexpr qint64 kDaySecs = 24 * 3600;

/// Seconds since the epoch of a wall-clock time read as if it were UTC.
qint64 wallSecs(const QDate &date, const QTime &time)
{
    return (date.toJulianDay() - QDate(1970, 1, 1).toJulianDay()) * kDaySecs + time.msecsSinceStartOfDay() / 1000;
}

/// The day of a month, or its last day when the month is shorter.
QDate clampedDate(int year, int month, int day)
{
    const QDate first(year, month, 1);
    return first.isValid() ? first.addDays(std::min(day, first.daysInMonth()) - 1) : QDate();
}

/// The first date from `from` on with an occurrence of one of the dialog's kinds.
QDate firstDateFrom(const RepeatRule &rule, const QDate &from)
{
    switch (rule.kind()) {
    case RepeatRule::Kind::Daily:
        return from;
    case RepeatRule::Kind::Weekdays:
        // Saturday and Sunday go on to Monday.
        return from.dayOfWeek() > 5 ? from.addDays(8 - from.dayOfWeek()) : from;
    case RepeatRule::Kind::Weekly:
        return from.addDays((rule.weekday() - from.dayOfWeek() + 7) % 7);
    case RepeatRule::Kind::Monthly: {
        const QDate inMonth = clampedDate(from.year(), from.month(), rule.monthDay());
        if (inMonth >= from)
            return inMonth;
        const QDate nextMonth = QDate(from.year(), from.month(), 1).addMonths(1);
        return clampedDate(nextMonth.year(), nextMonth.month(), rule.monthDay());
    }
    case RepeatRule::Kind::Yearly: {
        const QDate inYear = clampedDate(from.year(), rule.month(), rule.monthDay());
        return inYear >= from ? inYear : clampedDate(from.year() + 1, rule.month(), rule.monthDay());
    }
    case RepeatRule::Kind::Never:
    case RepeatRule::Kind::Custom:
    case RepeatRule::Kind::Invalid:
        break;
    }
    return {};
}

std::optional<Occurrence> occurrenceAfter(const QDate &date, const QTime &time, const QDateTime &after)
{
    const QDateTime moment = remindertext::wallClock(date, time);
    if (moment.isValid() && moment > after)
        return Occurrence{date, time, moment};
    return std::nullopt;
}

std::optional<Occurrence> nextOfKind(const RepeatRule &rule, const QDate &startDate, const QTime &time,
                                     const QDateTime &after)
{
    // A wall-clock occurrence rings on its own date, at most a few hours after its time, so the
    // day before after's date is early enough to start looking.
    QDate from = std::max(startDate, after.toLocalTime().date().addDays(-1));
    // From there the third occurrence at the latest rings after `after`.
    for (int i = 0; i < 4 && from.isValid(); ++i) {
        const QDate date = firstDateFrom(rule, from);
        if (!date.isValid())
            break;
        if (const auto found = occurrenceAfter(date, time, after))
            return found;
        from = date.addDays(1);
    }
    return std::nullopt;
}

std::optional<Occurrence> nextOfCustom(const RepeatRule &rule, const QDate &startDate, const QTime &time,
                                       const QDateTime &after, bool *gaveUp)
{
    const QDateTime localAfter = after.toLocalTime();
    IcalRecurrence occurrences(rule.text(), startDate, time);
    occurrences.skipTo(localAfter.date().addDays(-1));
    // A wall-clock time a day before after's rings before it: passed over without the time
    // zone's work, so a rule with COUNT gets through its missed occurrences quickly.
    const qint64 early = wallSecs(localAfter.date(), localAfter.time()) - kDaySecs;
    for (int i = 0; i < kMaxCustomSteps; ++i) {
        const auto next = occurrences.next();
        if (!next)
            return std::nullopt;
        if (wallSecs(next->first, next->second) < early)
            continue;
        if (const auto found = occurrenceAfter(next->first, next->second, after))
            return found;
    }
    if (gaveUp)
        *gaveUp = true;
    return std::nullopt;
}

} // namespace

QString Occurrence::reminderText() const
{
    // Every wall-clock time exists in UTC, so date and time come back as given.
    return remindertext::write(QDateTime(date, time, Qt::UTC));
}

std::optional<Occurrence> nextOccurrence(const RepeatRule &rule, const QDateTime &seriesStart,
                                         const QDateTime &after, bool *gaveUp)
{
    if (gaveUp)
        *gaveUp = false;
    const QDate startDate = seriesStart.date();
    const QTime startTime = seriesStart.time();
    if (!rule.repeats() || !startDate.isValid() || !startTime.isValid() || !after.isValid())
        return std::nullopt;
    const QTime time(startTime.hour(), startTime.minute(), startTime.second());
    if (rule.kind() == RepeatRule::Kind::Custom)
        return nextOfCustom(rule, startDate, time, after, gaveUp);
    return nextOfKind(rule, startDate, time, after);
}
