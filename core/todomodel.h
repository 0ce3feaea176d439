// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/todorecord.h"
#include "core/searchtext.h"
#include "store/typedrecordmodel.h"

#include <QDateTime>

/// The to-dos in list order. Reminder changes are made on the stored text, so every other field
/// keeps its exact text.
class TodoModel : public TypedRecordModel<TodoRecord>
{
public:
    using TypedRecordModel::TypedRecordModel;

    SearchText searchText() const override { return &searchtext::todo; }

    /// Moves the reminder to now plus minutes; false when the to-do has none to move.
    bool snooze(int row, const QDateTime &now, int minutes);
    /// The to-do stays, without its reminder; a series ends.
    void stopReminding(int row);
    /// The to-do stays, keeping its repeat rule, with no moment to ring at: its series goes on
    /// beyond what can be worked out now.
    void stopRinging(int row);
    /// A repeating to-do's reminder moves on to the next occurrence of its series (its reminder
    /// text, caption and the rule from there, worked out by the repeat rules); the to-do stays.
    void moveToNextOccurrence(int row, const QString &reminder, const QString &caption, const QString &rule);
};
