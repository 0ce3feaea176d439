// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/todorecord.h"

#include "store/escapes.h"
#include "store/fileformat.h"

namespace {

/// The field as an index from 0 to count - 1, or fallback.
int indexField(const TodoFields &fields, int field, int count, int fallback)
{
    bool ok = false;
    const int value = fields.text(field).toInt(&ok);
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

TodoFields TodoFields::read(const QString &tag)
{
    TodoFields fields;
    fields.m_texts = escapes::splitFields(tag);
    return fields;
}

std::optional<QString> TodoFields::reminderOf(const QString &tag)
{
    // Only the separators are looked for: a separator typed into a field is stored escaped.
    const char16_t *chars = reinterpret_cast<const char16_t *>(tag.constData());
    const qsizetype size = tag.size();
    qsizetype reminderStart = -1;
    qsizetype reminderEnd = -1;
    int separators = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (chars[i] != fileformat::kFieldSeparator)
            continue;
        ++separators;
        if (separators == todofield::Reminder)
            reminderStart = i + 1;
        else if (separators == todofield::Reminder + 1)
            reminderEnd = i;
        else if (separators > todofield::Uid)
            return std::nullopt; // more fields than a to-do has
    }
    if (separators < todofield::Count - 1)
        return std::nullopt;
    const QStringView raw = QStringView(tag).mid(reminderStart, reminderEnd - reminderStart);
    return raw.contains(u'[') ? escapes::unescape(raw) : raw.toString();
}

void TodoFields::set(int field, const QString &text)
{
    while (m_texts.size() < todofield::Count || m_texts.size() <= field)
        m_texts.append(QString());
    m_texts[field] = text;
}

void TodoFields::setRepeatRule(const QString &rule)
{
    if (rule.isEmpty() && m_texts.size() == todofield::RepeatRule + 1)
        m_texts.removeLast();
    else if (!rule.isEmpty() || m_texts.size() > todofield::RepeatRule)
        set(todofield::RepeatRule, rule);
}

QString TodoFields::toTag() const
{
    return escapes::joinFields(m_texts);
}

TodoRecord TodoRecord::fromTag(const QString &tag)
{
    TodoRecord record;
    const TodoFields fields = TodoFields::read(tag);
    const auto text = [&fields](int field, const QString &fallback) {
        return field < fields.count() ? fields.text(field) : fallback;
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
    record.repeatRule = fields.text(todofield::RepeatRule);
    record.uid = fields.text(todofield::Uid);
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
