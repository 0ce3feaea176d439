#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <optional>
#include <vector>

struct Services;
class QListWidget;
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
    /// firing inside the modal loop) further ticks return at once.
    void tick();

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
    void forgetAll() { m_rows.clear(); }

    const Services &m_services;
    QListWidget *m_list = nullptr;
    TodosSection *m_section = nullptr;
    QTimer *m_tmrTodo = nullptr;
    std::vector<RowDue> m_rows;
    bool m_inTick = false;
};

/// When a to-do's reminder is due, as a wall-clock stamp (see remindertext::stamp), or none when
/// the watcher skips it: an empty tag, other than nine fields, an empty reminder or one that
/// does not convert.
std::optional<qint64> todoDueStamp(const QString &tag);
