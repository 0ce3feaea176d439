// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

/// The two-line clock of the main window: "09:05 PM", CR LF, "Sat, Dec 5, 2026".
/// Day and month names and AM/PM are English whatever the locale.
QString clockText(const QDateTime &now);

/// "hh:nn AM/PM" and friends: the hour on the 12-hour clock (12 for noon and midnight).
int hour12(const QTime &time);
/// "AM" before noon, "PM" from noon on.
QString amPm(const QTime &time);
/// "Mon" ... "Sun" and "Jan" ... "Dec" of a date, whatever the locale.
QString shortDayName(const QDate &date);
QString shortMonthName(const QDate &date);
