// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clocktext.h"

#include <array>

namespace {
constexpr std::array<const char *, 7> kDays = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
constexpr std::array<const char *, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
} // namespace

int hour12(const QTime &time)
{
    const int h = time.hour() % 12;
    return h == 0 ? 12 : h;
}

QString amPm(const QTime &time)
{
    return time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
}

QString shortDayName(const QDate &date)
{
    return QLatin1String(kDays[size_t(date.dayOfWeek() - 1)]);
}

QString shortMonthName(const QDate &date)
{
    return QLatin1String(kMonths[size_t(date.month() - 1)]);
}

QString clockText(const QDateTime &now)
{
    const QDate date = now.date();
    const QTime time = now.time();
    return QStringLiteral("%1:%2 %3\r\n%4, %5 %6, %7")
        .arg(hour12(time), 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(amPm(time), shortDayName(date), shortMonthName(date))
        .arg(date.day())
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}
