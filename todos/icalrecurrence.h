// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <memory>
#include <optional>
#include <utility>

struct icalrecur_iterator_impl;

/// libical's recurrence iterator over the occurrences of a rule, as wall-clock dates and times
/// without a time zone (iCalendar's floating times): the time zone is applied by the caller.
class IcalRecurrence
{
public:
    /// The occurrences of an RRULE value from a first one at date and time.
    IcalRecurrence(const QString &rule, const QDate &date, const QTime &time);
    ~IcalRecurrence();

    /// False when libical does not read the rule, or reads it but cannot step through it (such
    /// as 30 February every year).
    bool isValid() const { return m_iterator != nullptr; }
    /// True when libical reads the text as a rule. Cheap: whether the rule has any occurrence
    /// at all only stepping through it tells.
    static bool isRule(const QString &rule);

    /// Goes straight on to the occurrences from midnight of date, when date is after the first
    /// one. False where libical cannot: a rule with COUNT counts from the first occurrence.
    bool skipTo(const QDate &date);

    /// The next occurrence; none once the rule's COUNT or UNTIL has ended the series.
    std::optional<std::pair<QDate, QTime>> next();

private:
    struct Free
    {
        void operator()(icalrecur_iterator_impl *iterator) const;
    };
    std::unique_ptr<icalrecur_iterator_impl, Free> m_iterator;
    QDate m_first;
};
