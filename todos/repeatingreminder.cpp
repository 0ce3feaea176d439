// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/repeatingreminder.h"

#include "core/remindertext.h"
#include "todos/repeatrule.h"
#include "todos/repeattext.h"

namespace repeatingreminder {

bool repeats(const TodoRecord &todo)
{
    return !todo.repeatRule.isEmpty() && remindertext::readStamp(todo.reminder)
        && RepeatRule::fromText(todo.repeatRule).repeats();
}

std::optional<Occurrence> next(const TodoRecord &todo, const QDateTime &now)
{
    if (todo.repeatRule.isEmpty())
        return std::nullopt;
    // Read as named: a time the clocks skip keeps its date and time, and the series its time.
    return nextOccurrence(RepeatRule::fromText(todo.repeatRule), remindertext::read(todo.reminder), now);
}

QString caption(const TodoRecord &todo, const Occurrence &occurrence)
{
    return repeattext::caption(RepeatRule::fromText(todo.repeatRule),
                               QDateTime(occurrence.date, occurrence.time, Qt::UTC));
}

bool isUnreadableRule(const QString &rule)
{
    return !rule.isEmpty() && RepeatRule::fromText(rule).kind() == RepeatRule::Kind::Invalid;
}

} // namespace repeatingreminder
