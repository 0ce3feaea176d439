#pragma once

#include <QString>
#include <QStringList>

/// The nine fields of a to-do's tag text, in their order.
namespace todofield {
enum : int {
    Subject = 0,
    Status,
    Priority,
    Percent,
    Reminder,
    Sound,
    PlayFlag,
    Description,
    ReminderCaption,
    Count,
    /// Written only when the to-do repeats or has a UID: an RRULE value.
    RepeatRule = Count,
    /// Written only when the to-do came from or went through a standard file (with the repeat
    /// rule field before it, empty when it does not repeat).
    Uid
};
} // namespace todofield

namespace todotext {
inline const QString newTodo = QStringLiteral("New To-Do");
inline const QString reminderNotSet = QStringLiteral("Reminder not set");
} // namespace todotext

/// "Not Started" ... "Deferred", in list order (status index 0 to 4).
const QStringList &todoStatusNames();
/// "Low", "Normal", "High" (priority index 0 to 2).
const QStringList &todoPriorityNames();

/// One to-do as the editor sees it; a default-constructed record is a new, never edited to-do.
struct TodoRecord
{
    QString subject;
    int status = 0;
    int priority = 1;
    QString percent = QStringLiteral("0%");
    QString reminder;
    QString sound;
    QString playFlag;
    QString description;
    QString reminderCaption = todotext::reminderNotSet;
    /// Fields ten and eleven; a to-do with neither is written with nine fields, as ever.
    QString repeatRule;
    QString uid;

    /// Reads a tag text. An empty tag, a missing field or an index out of range gives that
    /// field's default, so nothing of another to-do ever shows in its place.
    static TodoRecord fromTag(const QString &tag);
    /// The nine fields (and the repeat rule and UID where set) joined by "¶" (a "¶" inside a field is escaped).
    QString toTag() const;

    friend bool operator==(const TodoRecord &, const TodoRecord &) = default;
};

/// The reminder fields that the reminder dialog reads and writes (fields 4, 5, 6 and 8).
struct ReminderFields
{
    QString reminder;
    QString sound;
    QString playFlag;
    QString caption;

    friend bool operator==(const ReminderFields &, const ReminderFields &) = default;
};
