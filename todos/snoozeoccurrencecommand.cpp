// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/snoozeoccurrencecommand.h"

#include "todos/reminderwatcher.h"

SnoozeOccurrenceCommand::SnoozeOccurrenceCommand(ReminderWatcher *watcher, const QPersistentModelIndex &todo,
                                                 const QDateTime &until, QUndoCommand *parent)
    : QUndoCommand(QStringLiteral("Snooze"), parent)
    , m_watcher(watcher)
    , m_todo(todo)
    , m_until(until)
    , m_before(watcher->snoozedUntil(todo))
{
}

void SnoozeOccurrenceCommand::redo()
{
    if (m_watcher)
        m_watcher->snoozeOccurrence(m_todo, m_until);
}

void SnoozeOccurrenceCommand::undo()
{
    if (!m_watcher)
        return;
    if (m_before)
        m_watcher->snoozeOccurrence(m_todo, *m_before);
    else
        m_watcher->releaseSnooze(m_todo);
}
