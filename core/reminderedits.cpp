#include "core/reminderedits.h"

#include "core/remindertext.h"
#include "core/todorecord.h"
#include "store/escapes.h"

namespace reminderedits {

std::optional<QString> snoozed(const QString &tag, const QDateTime &now, int minutes)
{
    const QDateTime moment = now.addSecs(qint64(minutes) * 60);
    if (tag.isEmpty())
        return std::nullopt;
    QStringList fields = escapes::splitFields(tag);
    if (fields.size() <= todofield::Reminder || fields[todofield::Reminder].isEmpty())
        return std::nullopt;
    while (fields.size() < todofield::Count)
        fields.append(QString());
    fields[todofield::Reminder] = remindertext::write(moment);
    fields[todofield::ReminderCaption] = remindertext::snoozeCaption(moment);
    return escapes::joinFields(fields);
}

QString withoutReminder(const QString &tag)
{
    if (tag.isEmpty())
        return tag; // all defaults already
    QStringList fields = escapes::splitFields(tag);
    while (fields.size() < todofield::Count)
        fields.append(QString());
    fields[todofield::Reminder].clear();
    fields[todofield::Sound].clear();
    fields[todofield::PlayFlag].clear();
    fields[todofield::ReminderCaption] = todotext::reminderNotSet;
    return escapes::joinFields(fields);
}

} // namespace reminderedits
