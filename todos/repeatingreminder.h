// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/todorecord.h"
#include "todos/nextoccurrence.h"

#include <QDateTime>
#include <QString>

#include <optional>

/// A to-do's reminder that comes back: what rings it again, read from the record.
namespace repeatingreminder {

/// Whether the to-do's reminder comes back after it rang: a reminder that reads, and a rule
/// Quillet can ring again (not Never, nor text that is no rule, which rings once).
bool repeats(const TodoRecord &todo);

/// The occurrence of the to-do's series that rings next after now, counted from its stored
/// reminder (missed ones are passed over); none when it does not repeat or the series has ended,
/// or when the series is too long to step through (gaveUp, when given, says so).
std::optional<Occurrence> next(const TodoRecord &todo, const QDateTime &now, bool *gaveUp = nullptr);

/// The rule of the series from next on, as its reminder moves there: a COUNT counts down by the
/// occurrences passed, so the series still ends where it did; any other rule stays as it is.
QString ruleFrom(const TodoRecord &todo, const Occurrence &next);

/// The reminder button's caption for an occurrence of the to-do's series.
QString caption(const TodoRecord &todo, const Occurrence &occurrence);

/// Whether a to-do's tenth field is text that is no rule at all: the to-do rings once.
bool isUnreadableRule(const QString &rule);

} // namespace repeatingreminder
