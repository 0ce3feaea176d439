#include "todos/reminderwatcher.h"

#include "app/listrecords.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "platform/soundplayer.h"
#include "store/escapes.h"
#include "todos/alarmwindow.h"
#include "todos/remindertext.h"
#include "todos/todorecord.h"
#include "todos/todossection.h"

#include <QListWidget>
#include <QPointer>
#include <QScopeGuard>
#include <QTimer>

std::optional<qint64> todoDueStamp(const QString &tag)
{
    // Only the separators are looked for: a "¶" typed into a field is stored escaped. One plain
    // pass, as this runs for every to-do when the list is first scanned.
    const char16_t separator = 0x00B6;
    const char16_t *chars = reinterpret_cast<const char16_t *>(tag.constData());
    const qsizetype size = tag.size();
    qsizetype reminderStart = -1;
    qsizetype reminderEnd = -1;
    int separators = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (chars[i] != separator)
            continue;
        ++separators;
        if (separators == todofield::Reminder)
            reminderStart = i + 1;
        else if (separators == todofield::Reminder + 1)
            reminderEnd = i;
        else if (separators == todofield::Count)
            return std::nullopt; // more than nine fields
    }
    if (separators != todofield::Count - 1 || reminderEnd == reminderStart)
        return std::nullopt;
    const QStringView raw = QStringView(tag).mid(reminderStart, reminderEnd - reminderStart);
    return raw.contains(u'[') ? remindertext::readStamp(escapes::unescape(raw))
                              : remindertext::readStamp(raw);
}

ReminderWatcher::ReminderWatcher(const Services &services, QListWidget *list, TodosSection *section,
                                 QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_list(list)
    , m_section(section)
{
    setObjectName(QStringLiteral("reminderWatcher"));
    m_tmrTodo = new QTimer(this);
    m_tmrTodo->setObjectName(QStringLiteral("tmrTodo"));
    m_tmrTodo->setInterval(1000);
    connect(m_tmrTodo, &QTimer::timeout, this, &ReminderWatcher::tick);

    QAbstractItemModel *model = list->model();
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                forgetRows(topLeft.row(), bottomRight.row());
            });
    connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        if (first <= int(m_rows.size()))
            m_rows.insert(m_rows.begin() + first, size_t(last - first + 1), RowDue());
        else
            forgetAll();
    });
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex &, int first, int last) {
        if (last < int(m_rows.size()))
            m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
        else
            forgetAll();
    });
    connect(model, &QAbstractItemModel::rowsMoved, this, &ReminderWatcher::forgetAll);
    connect(model, &QAbstractItemModel::layoutChanged, this, &ReminderWatcher::forgetAll);
    connect(model, &QAbstractItemModel::modelReset, this, &ReminderWatcher::forgetAll);
}

void ReminderWatcher::start()
{
    m_tmrTodo->start();
}

void ReminderWatcher::forgetRows(int first, int last)
{
    for (int row = first; row <= last && row < int(m_rows.size()); ++row)
        m_rows[size_t(row)].known = false;
}

void ReminderWatcher::GetDueTodo(int &priority, QString &subject, QString &description,
                                 QListWidgetItem *&item, QString &sound, QDateTime &due)
{
    due = QDateTime();
    const int count = m_list->count();
    if (int(m_rows.size()) != count) {
        m_rows.clear();
        m_rows.resize(size_t(count));
    }
    const qint64 now = remindertext::stamp(m_services.clock->now());
    int dueRow = -1;
    for (int row = 0; row < count; ++row) {
        RowDue &entry = m_rows[size_t(row)];
        if (!entry.known) {
            entry.due = todoDueStamp(listrecords::tag(m_list->item(row)));
            entry.known = true;
        }
        // Every due to-do overwrites the one before: the last one in the list is reported.
        if (entry.due && *entry.due <= now)
            dueRow = row;
    }
    if (dueRow < 0)
        return;
    item = m_list->item(dueRow);
    const QStringList fields = escapes::splitFields(listrecords::tag(item));
    bool ok = false;
    const int value = fields[todofield::Priority].toInt(&ok);
    priority = ok ? value : -1;
    subject = fields[todofield::Subject];
    description = fields[todofield::Description];
    sound = fields[todofield::Sound];
    due = remindertext::read(fields[todofield::Reminder]);
}

void ReminderWatcher::tick()
{
    if (m_inTick)
        return;
    m_inTick = true;
    QPointer<ReminderWatcher> self(this);
    const auto done = qScopeGuard([self] {
        if (self)
            self->m_inTick = false;
    });

    int priority = 0;
    QString subject;
    QString description;
    QListWidgetItem *item = nullptr;
    QString sound;
    QDateTime due;
    GetDueTodo(priority, subject, description, item, sound, due);
    if (!due.isValid() || !m_section)
        return;

    // A subject half typed must not be lost when the alarm's OK or snooze reloads the editor.
    m_section->commitPendingEdit();

    AlarmWindow alarm(m_services, *m_section, m_section->window());
    alarm.setTexts(subject, description);
    alarm.showPriorityLamp(priority);
    alarm.setTodo(item, m_list->row(item) + 1);
    if (!sound.isEmpty())
        m_services.sound->play(sound);
    alarm.exec();
}
