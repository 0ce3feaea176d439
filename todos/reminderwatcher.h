// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPersistentModelIndex>
#include <QString>

#include <optional>
#include <vector>

struct Services;
class QTimer;
class TodoModel;

/// What the alarm shows of a due to-do, read from its nine fields.
struct DueTodo
{
    /// 0 low, 1 normal, 2 high; -1 when the field is not a number (no lamp lights).
    int priority = -1;
    QString subject;
    QString description;
    QString sound;
    /// Whether the sound plays: the reminder dialog's check box, ticked unless the flag is "0".
    bool playsSound = true;
    QDateTime due;
};

/// The alarm's texts of a to-do the watcher found due (nine fields, a readable reminder).
DueTodo dueTodo(const QString &tag);

/// tmrTodo: once a second, looks for to-dos whose reminder has come due and reports them. It shows
/// nothing itself: the to-do section opens the windows and applies what the user chose.
class ReminderWatcher : public QObject
{
    Q_OBJECT
public:
    ReminderWatcher(const Services &services, TodoModel *todos, QObject *parent);

    void start();
    QTimer *timer() const { return m_timer; }

    /// One tick of tmrTodo; it always returns at once. While a report is being answered it
    /// reports nothing more. At start, and after the machine slept, two or more due reminders
    /// are reported together.
    void tick();

    /// The row of the due to-do to ring now, or -1: the last in list order whose reminder is at
    /// or before now (to the second). Skips empty tags, tags of other than nine fields and
    /// reminders that are empty or do not convert.
    int dueRow();
    /// The due to-dos' rows, oldest reminder first.
    QList<int> dueRowsOldestFirst();

    /// Rings these to-dos one after another, oldest first, while they stay due.
    void ringOneByOne(const QList<QPersistentModelIndex> &todos);

    /// Holds a repeating to-do snoozed until a moment. Its stored reminder stays the occurrence
    /// that rang, so the series keeps its day and time of day; the snooze lasts while that
    /// reminder stands and the program runs (after a restart the occurrence rings again).
    void snoozeOccurrence(const QPersistentModelIndex &todo, const QDateTime &until);
    /// When the snooze held for the to-do ends; none when none is held.
    std::optional<QDateTime> snoozedUntil(const QPersistentModelIndex &todo) const;
    /// Lets go of the to-do's held snooze: the occurrence it held back is due again.
    void releaseSnooze(const QPersistentModelIndex &todo);

    /// Whether a report is being answered (its window is open): one window at a time.
    void setAnswering(bool answering) { m_answering = answering; }
    bool answering() const { return m_answering; }

signals:
    /// A to-do has come due: the alarm rings for it.
    void reminderDue(const QPersistentModelIndex &todo);
    /// Two or more came due while the program was not running or the machine slept, oldest
    /// first.
    void remindersMissed(const QList<QPersistentModelIndex> &todos);

private:
    /// When a row's to-do falls due, read once from its tag and forgotten when the model says
    /// the row changed: a tick then only compares numbers.
    struct RowDue
    {
        bool known = false;
        std::optional<qint64> due; // none: the watcher skips this to-do
    };
    void forgetRows(int first, int last);
    void forgetAll() { m_rows.clear(); }
    /// Reads what is not known yet; the model's row count.
    int scanRows();
    /// The first to-do left from "One by one" that is still due, taken off the queue.
    QPersistentModelIndex takeQueued(qint64 now);
    /// When a row's to-do is due: a held snooze, or its reminder.
    std::optional<qint64> dueOf(int row) const;
    /// Lets go of the snoozes whose to-do has gone or whose reminder has changed.
    void dropEndedSnoozes();

    const Services &m_services;
    TodoModel *m_todos = nullptr;
    QTimer *m_timer = nullptr;
    std::vector<RowDue> m_rows;
    bool m_answering = false;
    /// When the last tick came; a long gap means the program just started or the machine slept.
    QDateTime m_lastTick;
    /// The alarms "One by one" asked for, oldest first.
    QList<QPersistentModelIndex> m_queue;
    struct HeldSnooze
    {
        QPersistentModelIndex todo;
        QString occurrence; // the reminder text it holds back
        qint64 until = 0;
    };
    QList<HeldSnooze> m_snoozes;
};

/// The rows whose due stamp is at or before now, oldest first; of two due in the same second,
/// the later row first, as the watcher would ring them.
QList<int> dueRowsOldestFirst(const QList<std::optional<qint64>> &dueStamps, qint64 now);

/// When a to-do's reminder is due, as an instant (see remindertext::instant), or none when
/// the watcher skips it: an empty tag, other than nine fields, an empty reminder or one that
/// does not convert.
std::optional<qint64> todoDueStamp(const QString &tag);
