// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/reminderwatcher.h"

#include "core/remindertext.h"
#include "core/todomodel.h"
#include "core/todorecord.h"
#include "platform/clock.h"
#include "platform/services.h"

#include <QTimer>

#include <algorithm>

std::optional<qint64> todoDueStamp(const QString &tag)
{
    const std::optional<QString> reminder = TodoFields::reminderOf(tag);
    if (!reminder || reminder->isEmpty())
        return std::nullopt;
    return remindertext::readInstant(*reminder);
}

DueTodo dueTodo(const QString &tag)
{
    const TodoFields fields = TodoFields::read(tag);
    DueTodo todo;
    bool ok = false;
    const int priority = fields.text(todofield::Priority).toInt(&ok);
    todo.priority = ok ? priority : -1;
    todo.subject = fields.text(todofield::Subject);
    todo.description = fields.text(todofield::Description);
    todo.sound = fields.text(todofield::Sound);
    todo.playsSound = fields.text(todofield::PlayFlag) != QLatin1String("0");
    todo.due = remindertext::read(fields.text(todofield::Reminder));
    return todo;
}

ReminderWatcher::ReminderWatcher(const Services &services, TodoModel *todos, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_todos(todos)
{
    setObjectName(QStringLiteral("reminderWatcher"));
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("tmrTodo"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &ReminderWatcher::tick);

    connect(todos, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                forgetRows(topLeft.row(), bottomRight.row());
            });
    connect(todos, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        if (first <= int(m_rows.size()))
            m_rows.insert(m_rows.begin() + first, size_t(last - first + 1), RowDue());
        else
            forgetAll();
    });
    connect(todos, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex &, int first, int last) {
        if (last < int(m_rows.size()))
            m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
        else
            forgetAll();
    });
    connect(todos, &QAbstractItemModel::rowsMoved, this, &ReminderWatcher::forgetAll);
    connect(todos, &QAbstractItemModel::layoutChanged, this, &ReminderWatcher::forgetAll);
    connect(todos, &QAbstractItemModel::modelReset, this, &ReminderWatcher::forgetAll);
}

void ReminderWatcher::start()
{
    m_timer->start();
}

void ReminderWatcher::forgetRows(int first, int last)
{
    for (int row = first; row <= last && row < int(m_rows.size()); ++row)
        m_rows[size_t(row)].known = false;
}

int ReminderWatcher::scanRows()
{
    const int count = m_todos->count();
    if (int(m_rows.size()) != count) {
        m_rows.clear();
        m_rows.resize(size_t(count));
    }
    for (int row = 0; row < count; ++row) {
        RowDue &entry = m_rows[size_t(row)];
        if (!entry.known) {
            entry.due = todoDueStamp(m_todos->tag(row));
            entry.known = true;
        }
    }
    for (const HeldSnooze &held : std::as_const(m_snoozes)) {
        if (held.todo.isValid() && held.todo.row() < count)
            m_rows[size_t(held.todo.row())].due = held.until;
    }
    return count;
}

void ReminderWatcher::snoozeOccurrence(const QPersistentModelIndex &todo, const QDateTime &until)
{
    if (!todo.isValid())
        return;
    const std::optional<QString> reminder = TodoFields::reminderOf(m_todos->tag(todo.row()));
    if (!reminder || reminder->isEmpty())
        return;
    m_snoozes.removeIf([&todo](const HeldSnooze &held) { return held.todo == todo; });
    m_snoozes.append({todo, *reminder, remindertext::instant(until)});
}

std::optional<QDateTime> ReminderWatcher::snoozedUntil(const QPersistentModelIndex &todo) const
{
    for (const HeldSnooze &held : m_snoozes) {
        if (held.todo == todo)
            return QDateTime::fromSecsSinceEpoch(held.until);
    }
    return std::nullopt;
}

void ReminderWatcher::releaseSnooze(const QPersistentModelIndex &todo)
{
    m_snoozes.removeIf([&todo](const HeldSnooze &held) { return held.todo == todo; });
    if (todo.isValid())
        forgetRows(todo.row(), todo.row());
}

void ReminderWatcher::dropEndedSnoozes()
{
    m_snoozes.removeIf([this](const HeldSnooze &held) {
        if (!held.todo.isValid())
            return true;
        if (TodoFields::reminderOf(m_todos->tag(held.todo.row())) == held.occurrence)
            return false;
        forgetRows(held.todo.row(), held.todo.row());
        return true;
    });
}

std::optional<qint64> ReminderWatcher::dueOf(int row) const
{
    for (const HeldSnooze &held : m_snoozes) {
        if (held.todo.isValid() && held.todo.row() == row)
            return held.until;
    }
    return todoDueStamp(m_todos->tag(row));
}

int ReminderWatcher::dueRow()
{
    const int count = scanRows();
    const qint64 now = remindertext::instant(m_services.clock->now());
    int due = -1;
    for (int row = 0; row < count; ++row) {
        // Every due to-do overwrites the one before: the last one in the list is reported.
        if (m_rows[size_t(row)].due && *m_rows[size_t(row)].due <= now)
            due = row;
    }
    return due;
}

QList<int> dueRowsOldestFirst(const QList<std::optional<qint64>> &dueStamps, qint64 now)
{
    QList<int> rows;
    for (int row = 0; row < dueStamps.size(); ++row) {
        if (dueStamps[row] && *dueStamps[row] <= now)
            rows.append(row);
    }
    std::stable_sort(rows.begin(), rows.end(), [&dueStamps](int a, int b) {
        return *dueStamps[a] < *dueStamps[b] || (*dueStamps[a] == *dueStamps[b] && a > b);
    });
    return rows;
}

QList<int> ReminderWatcher::dueRowsOldestFirst()
{
    const int count = scanRows();
    QList<std::optional<qint64>> stamps;
    stamps.reserve(count);
    for (const RowDue &entry : m_rows)
        stamps.append(entry.due);
    return ::dueRowsOldestFirst(stamps, remindertext::instant(m_services.clock->now()));
}

void ReminderWatcher::ringOneByOne(const QList<QPersistentModelIndex> &todos)
{
    m_queue = todos;
}

QPersistentModelIndex ReminderWatcher::takeQueued(qint64 now)
{
    while (!m_queue.isEmpty()) {
        const QPersistentModelIndex index = m_queue.takeFirst();
        if (!index.isValid())
            continue;
        const std::optional<qint64> due = dueOf(index.row());
        if (due && *due <= now) {
            m_queue.prepend(index); // it rings until answered
            return index;
        }
    }
    return {};
}

void ReminderWatcher::tick()
{
    const QDateTime now = m_services.clock->now();
    // Ticks come every second, also while a window of ours is open; only a start or a sleeping
    // machine leaves a longer gap.
    const bool waking = !m_lastTick.isValid() || qAbs(m_lastTick.secsTo(now)) > 120;
    m_lastTick = now;
    if (m_answering)
        return;
    dropEndedSnoozes();

    if (waking) {
        const QList<int> missed = dueRowsOldestFirst();
        if (missed.size() >= 2) {
            QList<QPersistentModelIndex> todos;
            for (const int row : missed)
                todos.append(QPersistentModelIndex(m_todos->index(row)));
            m_queue.clear();
            emit remindersMissed(todos);
            return;
        }
    }
    QPersistentModelIndex todo = takeQueued(remindertext::instant(now));
    if (!todo.isValid()) {
        const int row = dueRow();
        if (row < 0)
            return;
        todo = QPersistentModelIndex(m_todos->index(row));
    }
    emit reminderDue(todo);
}
