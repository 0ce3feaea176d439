// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/repeatingreminder.h"

#include "core/remindertext.h"
#include "todos/icalrecurrence.h"
#include "todos/repeatrule.h"
#include "todos/repeattext.h"

#include <QRegularExpression>

namespace repeatingreminder {

bool repeats(const TodoRecord &todo)
{
    return !todo.repeatRule.isEmpty() && remindertext::readStamp(todo.reminder)
        && RepeatRule::fromText(todo.repeatRule).repeats();
}

std::optional<Occurrence> next(const TodoRecord &todo, const QDateTime &now, bool *gaveUp)
{
    if (gaveUp)
        *gaveUp = false;
    if (todo.repeatRule.isEmpty())
        return std::nullopt;
    // Read as named: a time the clocks skip keeps its date and time, and the series its time.
    return nextOccurrence(RepeatRule::fromText(todo.repeatRule), remindertext::read(todo.reminder), now, gaveUp);
}

QString ruleFrom(const TodoRecord &todo, const Occurrence &next)
{
    static const QRegularExpression countPart(QStringLiteral("(?:^|;)COUNT=(\\d{1,9})(?=;|$)"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch count = countPart.match(todo.repeatRule);
    if (!count.hasMatch())
        return todo.repeatRule;
    const QDateTime start = remindertext::read(todo.reminder);
    const QTime time(start.time().hour(), start.time().minute(), start.time().second());
    IcalRecurrence occurrences(todo.repeatRule, start.date(), time);
    // A COUNT ends the series after its last occurrence, so this loop ends too.
    int passed = 0;
    for (auto occurrence = occurrences.next();
         occurrence && std::make_pair(occurrence->first, occurrence->second) < std::make_pair(next.date, next.time);
         occurrence = occurrences.next())
        ++passed;
    QString rule = todo.repeatRule;
    rule.replace(count.capturedStart(1), count.capturedLength(1), QString::number(qMax(1, count.captured(1).toInt() - passed)));
    return rule;
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
