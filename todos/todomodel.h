#pragma once

#include "store/recordlistmodel.h"
#include "todos/todorecord.h"

#include <QDateTime>

/// The to-dos in list order. Reminder changes are made on the stored text, so every other field
/// keeps its exact text.
class TodoModel : public RecordListModel
{
    Q_OBJECT
public:
    using RecordListModel::RecordListModel;

    /// The to-do at row as the editor sees it (defaults for a never edited one).
    TodoRecord record(int row) const { return TodoRecord::fromTag(tag(row)); }
    void setRecord(int row, const TodoRecord &record) { setTag(row, record.toTag()); }

    /// Moves the reminder to now plus minutes; false when the to-do has none to move.
    bool snooze(int row, const QDateTime &now, int minutes);
    /// The to-do stays, without its reminder.
    void stopReminding(int row);
};
