#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPersistentModelIndex>
#include <QString>

#include <optional>
#include <vector>

struct Services;
class QListWidget;
class QDialog;
class QListWidgetItem;
class QTimer;
class TodosSection;

/// tmrTodo: once a second, finds a to-do whose reminder has come due and raises the alarm
/// window for it.
class ReminderWatcher : public QObject
{
    Q_OBJECT
public:
    /// section may be null where only the scan is wanted (then nothing is ever shown).
    ReminderWatcher(const Services &services, QListWidget *list, TodosSection *section,
                    QObject *parent);

    void start();
    QTimer *timer() const { return m_tmrTodo; }

    /// Scans the whole list: the last to-do in list order whose reminder is at or before now
    /// (to the second) is the due one. Skips empty tags, tags of other than nine fields and
    /// reminders that are empty or do not convert. due stays invalid when nothing is due, and
    /// the other outputs then keep what they held.
    void GetDueTodo(int &priority, QString &subject, QString &description,
                    QListWidgetItem *&item, QString &sound, QDateTime &due);

    /// One tick of tmrTodo. Never re-entered: while its alarm window is open (timers go on
    /// firing inside the modal loop) further ticks return at once. At start, and after the
    /// machine slept, two or more due reminders show together in "Missed reminders".
    void tick();

    /// The due to-dos, oldest reminder first.
    QList<QListWidgetItem *> dueOldestFirst();

    /// True while a tick shows the alarm window.
    bool alarmShowing() const { return m_inTick; }

private:
    /// When a row's to-do falls due, read once from its tag and forgotten when the list says
    /// the row changed: a tick then only compares numbers.
    struct RowDue
    {
        bool known = false;
        std::optional<qint64> due; // none: the watcher skips this to-do
    };
    void forgetRows(int first, int last);
    /// The alarm's values from a due to-do's nine fields.
    static void readDueTodo(const QListWidgetItem *item, int &priority, QString &subject,
                            QString &description, QString &sound, QDateTime &due);
    /// Scans the rows, filling m_rows; the list's row count.
    int scanRows();
    /// The first to-do left from "One by one" that is still due, taken off the queue.
    QListWidgetItem *takeQueued(qint64 now);
    /// Shows "Missed reminders" when two or more are due; false when fewer are.
    bool showMissed();
    /// Shows a modal window with a desktop notification that can raise it.
    void execNoticed(QDialog &window, const QString &summary, const QString &body, int priority);
    void forgetAll() { m_rows.clear(); }

    const Services &m_services;
    QListWidget *m_list = nullptr;
    TodosSection *m_section = nullptr;
    QTimer *m_tmrTodo = nullptr;
    std::vector<RowDue> m_rows;
    bool m_inTick = false;
    /// When the last tick came; a long gap means the program just started or the machine slept.
    QDateTime m_lastTick;
    /// The alarms "One by one" asked for, oldest first.
    QList<QPersistentModelIndex> m_queue;
};

/// The rows whose due stamp is at or before now, oldest first; of two due in the same second,
/// the later row first, as the watcher would ring them.
QList<int> dueRowsOldestFirst(const QList<std::optional<qint64>> &dueStamps, qint64 now);

/// When a to-do's reminder is due, as a wall-clock stamp (see remindertext::stamp), or none when
/// the watcher skips it: an empty tag, other than nine fields, an empty reminder or one that
/// does not convert.
std::optional<qint64> todoDueStamp(const QString &tag);
