// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/reminderdates.h"

namespace reminderdates {
namespace {

const std::array<const char *, 12> kMonthNames = {"January", "February", "March",     "April",
                                                  "May",     "June",     "July",      "August",
                                                  "September", "October", "November", "December"};

} // namespace

const std::array<FastOffset, 13> fastOffsets = {{
    {"1 Minute Later", 1},
    {"2 Minutes Later", 2},
    {"3 Minutes Later", 3},
    {"5 Minutes Later", 5},
    {"10 Minutes Later", 10},
    {"15 Minutes Later", 15},
    {"20 Minutes Later", 20},
    {"30 Minutes Later", 30},
    {"45 Minutes Later", 45},
    {"1 Hour Later", 60},
    {"2 Hours Later", 2 * 60},
    {"5 Hours Later", 5 * 60},
    {"10 Hours Later", 10 * 60},
}};

QString monthName(int month)
{
    if (month < 1 || month > 12)
        return QString();
    return QLatin1String(kMonthNames[size_t(month - 1)]);
}

int monthNumber(QStringView name)
{
    for (size_t i = 0; i < kMonthNames.size(); ++i) {
        if (name == QLatin1String(kMonthNames[i]))
            return int(i) + 1;
    }
    return 0;
}

int daysInMonth(int year, int month)
{
    return month >= 1 && month <= 12 ? QDate(year, month, 1).daysInMonth() : 0;
}

QStringList yearEntries(const QDate &date)
{
    QStringList entries{thisYear};
    for (int i = 1; i <= 20; ++i)
        entries.append(QStringLiteral("%1").arg(date.year() + i, 4, 10, QLatin1Char('0')));
    return entries;
}

QStringList monthEntries(const QDate &date)
{
    QStringList entries{thisMonth};
    for (int month = date.month() + 1; month <= 12; ++month)
        entries.append(monthName(month));
    for (int month = 1; month <= date.month(); ++month)
        entries.append(monthName(month));
    return entries;
}

QStringList dayEntries(int days, int day)
{
    QStringList entries{today};
    for (int d = day + 1; d <= days; ++d)
        entries.append(QString::number(d));
    for (int d = 1; d <= day; ++d)
        entries.append(QString::number(d));
    return entries;
}

QString reminderCaption(const ChosenTexts &chosen)
{
    QString caption;
    if (chosen.day != today)
        caption = chosen.month + QLatin1Char(' ') + chosen.day;
    if (chosen.year != thisYear)
        caption += QStringLiteral(", ") + chosen.year;
    return caption + QStringLiteral("  ") + chosen.hour + QLatin1Char(':') + chosen.minute
        + QLatin1Char(' ') + chosen.amPm;
}

} // namespace reminderdates
