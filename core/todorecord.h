// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

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

/// A to-do's tag text split into its fields, each unescaped and exactly as stored: the one place
/// that reads a to-do's tag. A field the tag lacks reads as empty; fields past the ninth are kept,
/// so an edit writes back every field it did not change as it was.
class TodoFields
{
public:
    static TodoFields read(const QString &tag);
    /// The reminder's text of a tag of nine fields, or ten or eleven with the repeat rule and UID
    /// (only such a to-do can ring), found in one pass without splitting the others, as it runs
    /// for every to-do when a list is first watched; none for any other tag.
    static std::optional<QString> reminderOf(const QString &tag);

    /// How many fields the tag holds.
    qsizetype count() const { return m_texts.size(); }
    QString text(int field) const { return m_texts.value(field); }
    /// Sets a field, filling a shorter tag up to the nine fields (or up to this one) with empty ones
    /// first.
    void set(int field, const QString &text);
    /// Sets the repeat rule; an empty one on a to-do without a UID leaves the nine fields alone.
    void setRepeatRule(const QString &rule);
    QString toTag() const;

private:
    QStringList m_texts;
};

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

/// The reminder fields that the reminder dialog reads and writes (fields 4, 5, 6, 8 and 10).
struct ReminderFields
{
    QString reminder;
    QString sound;
    QString playFlag;
    QString caption;
    QString repeatRule;

    friend bool operator==(const ReminderFields &, const ReminderFields &) = default;
};
