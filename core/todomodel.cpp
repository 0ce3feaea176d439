// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/todomodel.h"

#include "core/reminderedits.h"

bool TodoModel::snooze(int row, const QDateTime &now, int minutes)
{
    const std::optional<QString> snoozed = reminderedits::snoozed(tag(row), now, minutes);
    if (snoozed)
        setTag(row, *snoozed);
    return snoozed.has_value();
}

void TodoModel::stopReminding(int row)
{
    setTag(row, reminderedits::withoutReminder(tag(row)));
}

void TodoModel::stopRinging(int row)
{
    setTag(row, reminderedits::withoutMoment(tag(row)));
}

void TodoModel::moveToNextOccurrence(int row, const QString &reminder, const QString &caption, const QString &rule)
{
    setTag(row, reminderedits::movedTo(tag(row), reminder, caption, rule));
}
