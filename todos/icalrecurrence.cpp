// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/icalrecurrence.h"

#include "exchange/floatingicaltime.h"

#include <libical/ical.h>

void IcalRecurrence::Free::operator()(icalrecur_iterator_impl *iterator) const
{
    icalrecur_iterator_free(iterator);
}

IcalRecurrence::IcalRecurrence(const QString &rule, const QDate &date, const QTime &time)
    : m_first(date)
{
    // libical's years run from 1 to 9999.
    if (!date.isValid() || !time.isValid() || date.year() < 1 || date.year() > 9999)
        return;
    const QByteArray text = rule.toUtf8();
    const icalrecurrencetype parsed = icalrecurrencetype_from_string(text.constData());
    if (parsed.freq == ICAL_NO_RECURRENCE)
        return;
    m_iterator.reset(icalrecur_iterator_new(parsed, floatingIcalTime(date, time)));
}

IcalRecurrence::~IcalRecurrence() = default;

bool IcalRecurrence::isRule(const QString &rule)
{
    return icalrecurrencetype_from_string(rule.toUtf8().constData()).freq != ICAL_NO_RECURRENCE;
}

bool IcalRecurrence::skipTo(const QDate &date)
{
    if (!m_iterator || date <= m_first)
        return false;
    return icalrecur_iterator_set_start(m_iterator.get(), floatingIcalTime(date, QTime(0, 0))) != 0;
}

std::optional<std::pair<QDate, QTime>> IcalRecurrence::next()
{
    if (!m_iterator)
        return std::nullopt;
    const icaltimetype t = icalrecur_iterator_next(m_iterator.get());
    if (icaltime_is_null_time(t))
        return std::nullopt;
    const QDate date(t.year, t.month, t.day);
    const QTime time(t.hour, t.minute, t.second);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return std::pair{date, time};
}
