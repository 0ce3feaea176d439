// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

/// How a to-do's reminder repeats: an iCalendar recurrence rule value (RRULE, RFC 5545), kept as
/// the very text it was read from so that it is written back unchanged.
class RepeatRule
{
public:
    /// The reminder dialog's choices, then the two kinds it can only keep: any other rule
    /// (Custom) and text that is no rule at all (Invalid, which rings once).
    enum class Kind { Never, Daily, Weekdays, Weekly, Monthly, Yearly, Custom, Invalid };

    /// Never: the empty rule.
    RepeatRule() = default;

    /// The rule of a stored text. "" is Never; the exact texts forKind() writes are their kinds;
    /// any other rule libical reads is Custom (even one that never comes, such as 30 February
    /// every year: only stepping through it tells, which is too slow for a whole file); anything
    /// else is Invalid.
    static RepeatRule fromText(const QString &text);

    /// The rule the dialog writes for a choice, with the day taken from the reminder's moment:
    /// "FREQ=DAILY", "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR", "FREQ=WEEKLY;BYDAY=TU",
    /// "FREQ=MONTHLY;BYMONTHDAY=31", "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29". The rule names its
    /// day, so it stays the same when the reminder moves on to a shorter month. Never for Never,
    /// Custom and Invalid, and for an invalid moment.
    static RepeatRule forKind(Kind kind, const QDateTime &start);

    Kind kind() const { return m_kind; }
    /// The text as read, byte for byte.
    const QString &text() const { return m_text; }
    /// True for the kinds that ring again: every one but Never and Invalid.
    bool repeats() const { return m_kind != Kind::Never && m_kind != Kind::Invalid; }

    /// Weekly: 1 (Monday) to 7 (Sunday). 0 for the other kinds.
    int weekday() const { return m_weekday; }
    /// Yearly: 1 to 12. 0 for the other kinds.
    int month() const { return m_month; }
    /// Monthly and Yearly: the day of the month the rule names, 1 to 31. 0 for the other kinds.
    int monthDay() const { return m_monthDay; }

    bool operator==(const RepeatRule &other) const { return m_text == other.m_text; }

private:
    QString m_text;
    Kind m_kind = Kind::Never;
    int m_weekday = 0;
    int m_month = 0;
    int m_monthDay = 0;
};
