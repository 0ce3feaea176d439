// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/duetext.h"

#include "platform/clocktext.h"

namespace duetext {

QString moment(const QDateTime &due, const QDateTime &now)
{
    const QDate date = due.date();
    const QTime time = due.time();
    QString text = QStringLiteral("%1:%2 %3")
                       .arg(hour12(time))
                       .arg(time.minute(), 2, 10, QLatin1Char('0'))
                       .arg(amPm(time));
    if (date == now.date())
        return text;
    const QString year = date.year() == now.date().year() ? QString() : QStringLiteral(", %1").arg(date.year());
    return QStringLiteral("%1, %2 %3%4, %5")
        .arg(shortDayName(date), shortMonthName(date))
        .arg(date.day())
        .arg(year, text);
}

QString ago(const QDateTime &due, const QDateTime &now)
{
    const qint64 late = due.secsTo(now);
    if (late <= 60)
        return QString();
    const auto count = [](qint64 n, const char *one, const char *many) {
        return QStringLiteral("%1 %2 ago").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    if (late < 3600)
        return count(late / 60, "minute", "minutes");
    if (late < 24 * 3600)
        return count(late / 3600, "hour", "hours");
    return count(late / (24 * 3600), "day", "days");
}

QString line(const QDateTime &due, const QDateTime &now)
{
    const QString late = ago(due, now);
    return QStringLiteral("Due ") + moment(due, now)
        + (late.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(late));
}

} // namespace duetext
