// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

/// The date lists of the reminder dialog, relative to a date, and the caption OK builds.
namespace reminderdates {

inline const QString thisYear = QStringLiteral("This year");
inline const QString thisMonth = QStringLiteral("This month");
inline const QString today = QStringLiteral("Today");

/// "January" for 1 ... "December" for 12; "" for any other number.
QString monthName(int month);
/// 1 for "January" ... 12 for "December"; 0 for any other text.
int monthNumber(QStringView name);

/// The days of a month of a year: February has 29 in leap years. 0 for a month out of range.
int daysInMonth(int year, int month);

/// "This year", then the 20 years after the year of date.
QStringList yearEntries(const QDate &date);
/// "This month", the months after the month of date up to December, then January up to and
/// including the month of date: 13 entries.
QStringList monthEntries(const QDate &date);
/// "Today", the days from day + 1 up to days, then 1 up to day.
QStringList dayEntries(int days, int day);

struct FastOffset
{
    const char *text;
    int minutes;
};
/// The fast-select list, in its order.
extern const std::array<FastOffset, 13> fastOffsets;

/// The texts of the date and time controls, as OK reads them for the caption.
struct ChosenTexts
{
    QString year;
    QString month;
    QString day;
    QString hour;
    QString minute;
    QString amPm;
};
/// The reminder button's caption: month and day unless "Today", ", year" unless "This year",
/// then always two blanks and the time as it stands in the boxes.
QString reminderCaption(const ChosenTexts &chosen);

} // namespace reminderdates
