// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/repeattext.h"

#include "core/remindertext.h"
#include "platform/clocktext.h"
#include "todos/duetext.h"

namespace repeattext {
namespace {

/// "09:00 AM", as the reminder dialog's hour, minute and AM/PM boxes show a time.
QString boxesTime(const QTime &time)
{
    return QStringLiteral("%1:%2 %3")
        .arg(hour12(time), 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(amPm(time));
}

/// "1st", "2nd", "3rd", "4th" ... "11th", "12th", "13th" ... "21st" ... "31st".
QString ordinal(int day)
{
    const char *suffix = "th";
    if (day / 10 % 10 != 1) {
        switch (day % 10) {
        case 1: suffix = "st"; break;
        case 2: suffix = "nd"; break;
        case 3: suffix = "rd"; break;
        default: break;
        }
    }
    return QString::number(day) + QLatin1String(suffix);
}

} // namespace

QString choice(RepeatRule::Kind kind)
{
    switch (kind) {
    case RepeatRule::Kind::Never: return QStringLiteral("Never");
    case RepeatRule::Kind::Daily: return QStringLiteral("Every day");
    case RepeatRule::Kind::Weekdays: return QStringLiteral("Every weekday");
    case RepeatRule::Kind::Weekly: return QStringLiteral("Every week");
    case RepeatRule::Kind::Monthly: return QStringLiteral("Every month");
    case RepeatRule::Kind::Yearly: return QStringLiteral("Every year");
    case RepeatRule::Kind::Custom: return QStringLiteral("Custom");
    case RepeatRule::Kind::Invalid: break;
    }
    return QString();
}

QString caption(const RepeatRule &rule, const QDateTime &reminder)
{
    const QDate date = reminder.date();
    const QTime time = reminder.time();
    if (!rule.repeats() || !date.isValid() || !time.isValid())
        return QString();
    QString when;
    switch (rule.kind()) {
    case RepeatRule::Kind::Weekly:
        // 2024-01-01 is a Monday.
        when = shortDayName(QDate(2024, 1, rule.weekday())) + QLatin1Char(' ');
        break;
    case RepeatRule::Kind::Monthly:
        when = ordinal(rule.monthDay()) + QLatin1Char(' ');
        break;
    case RepeatRule::Kind::Yearly:
        when = QStringLiteral("%1 %2 ").arg(shortMonthName(QDate(2000, rule.month(), 1))).arg(rule.monthDay());
        break;
    case RepeatRule::Kind::Custom:
        when = QStringLiteral("%1 %2, %3 ").arg(shortMonthName(date)).arg(date.day()).arg(date.year());
        break;
    default:
        break;
    }
    return choice(rule.kind()) + QStringLiteral(", ") + when + boxesTime(time);
}

QString caption(const QString &rule, const QString &reminder)
{
    // Read as named: only the wall-clock date and time count.
    const QDateTime at = remindertext::read(reminder);
    return caption(RepeatRule::fromText(rule), QDateTime(at.date(), at.time(), Qt::UTC));
}

QString next(const std::optional<Occurrence> &occurrence, const QDateTime &now)
{
    if (!occurrence)
        return QString();
    return QStringLiteral("Next: ") + duetext::moment(occurrence->moment, now);
}

} // namespace repeattext
