#include "todos/todorecord.h"

#include "store/escapes.h"

namespace {

/// The field as an index from 0 to count - 1, or fallback.
int indexField(const QStringList &fields, int field, int count, int fallback)
{
    if (field >= fields.size())
        return fallback;
    bool ok = false;
    const int value = fields[field].toInt(&ok);
    return ok && value >= 0 && value < count ? value : fallback;
}

} // namespace

const QStringList &todoStatusNames()
{
    static const QStringList names = {
        QStringLiteral("Not Started"), QStringLiteral("In Progress"), QStringLiteral("Completed"),
        QStringLiteral("Waiting on someone else"), QStringLiteral("Deferred")};
    return names;
}

const QStringList &todoPriorityNames()
{
    static const QStringList names = {QStringLiteral("Low"), QStringLiteral("Normal"),
                                      QStringLiteral("High")};
    return names;
}

TodoRecord TodoRecord::fromTag(const QString &tag)
{
    TodoRecord record;
    const QStringList fields = escapes::splitFields(tag);
    const auto text = [&fields](int field, const QString &fallback) {
        return field < fields.size() ? fields[field] : fallback;
    };
    record.subject = text(todofield::Subject, record.subject);
    record.status = indexField(fields, todofield::Status, int(todoStatusNames().size()), record.status);
    record.priority = indexField(fields, todofield::Priority, int(todoPriorityNames().size()),
                                 record.priority);
    record.percent = text(todofield::Percent, record.percent);
    record.reminder = text(todofield::Reminder, record.reminder);
    record.sound = text(todofield::Sound, record.sound);
    record.playFlag = text(todofield::PlayFlag, record.playFlag);
    record.description = text(todofield::Description, record.description);
    record.reminderCaption = text(todofield::ReminderCaption, record.reminderCaption);
    record.repeatRule = fields.value(todofield::RepeatRule);
    record.uid = fields.value(todofield::Uid);
    return record;
}

QString TodoRecord::toTag() const
{
    QStringList fields{subject, QString::number(status), QString::number(priority), percent,
                       reminder, sound, playFlag, description, reminderCaption};
    if (!repeatRule.isEmpty() || !uid.isEmpty())
        fields.append(repeatRule);
    if (!uid.isEmpty())
        fields.append(uid);
    return escapes::joinFields(fields);
}
