// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/reminderedits.h"

#include "core/remindertext.h"
#include "core/todorecord.h"

namespace reminderedits {

std::optional<QString> snoozed(const QString &tag, const QDateTime &now, int minutes)
{
    TodoFields fields = TodoFields::read(tag);
    if (fields.text(todofield::Reminder).isEmpty())
        return std::nullopt;
    const QDateTime moment = now.addSecs(qint64(minutes) * 60);
    fields.set(todofield::Reminder, remindertext::write(moment));
    fields.set(todofield::ReminderCaption, remindertext::snoozeCaption(moment));
    return fields.toTag();
}

QString withoutReminder(const QString &tag)
{
    if (tag.isEmpty())
        return tag; // all defaults already
    TodoFields fields = TodoFields::read(tag);
    fields.set(todofield::Reminder, QString());
    fields.set(todofield::Sound, QString());
    fields.set(todofield::PlayFlag, QString());
    fields.set(todofield::ReminderCaption, todotext::reminderNotSet);
    fields.setRepeatRule(QString());
    return fields.toTag();
}

QString withoutMoment(const QString &tag)
{
    if (tag.isEmpty())
        return tag;
    TodoFields fields = TodoFields::read(tag);
    fields.set(todofield::Reminder, QString());
    fields.set(todofield::ReminderCaption, todotext::reminderNotSet);
    return fields.toTag();
}

QString movedTo(const QString &tag, const QString &reminder, const QString &caption, const QString &rule)
{
    TodoFields fields = TodoFields::read(tag);
    fields.set(todofield::Reminder, reminder);
    fields.set(todofield::ReminderCaption, caption);
    fields.setRepeatRule(rule);
    return fields.toTag();
}

} // namespace reminderedits
