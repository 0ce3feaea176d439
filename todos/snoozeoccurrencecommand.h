// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QUndoCommand>

#include <optional>

class ReminderWatcher;

/// A repeating to-do's snooze as a step that can be taken back. The watcher holds it (the
/// to-do's stored reminder stays the occurrence that rang); taken back, that occurrence is due
/// again and rings.
class SnoozeOccurrenceCommand : public QUndoCommand
{
public:
    SnoozeOccurrenceCommand(ReminderWatcher *watcher, const QPersistentModelIndex &todo, const QDateTime &until,
                            QUndoCommand *parent = nullptr);

    void redo() override;
    void undo() override;

private:
    QPointer<ReminderWatcher> m_watcher;
    QPersistentModelIndex m_todo;
    QDateTime m_until;
    /// The snooze held before this one, if any.
    std::optional<QDateTime> m_before;
};
