#pragma once

#include <QDialog>
#include <QList>
#include <QPersistentModelIndex>

struct Services;
class QListWidgetItem;
class QMenu;
class QVBoxLayout;
class TodosSection;

/// "Missed reminders": the reminders that came due while the program was not running, oldest
/// first, to be answered together (snoozed, or done one at a time) or one alarm after another.
class MissedRemindersWindow : public QDialog
{
    Q_OBJECT
public:
    /// items: the due to-dos, oldest first.
    MissedRemindersWindow(const Services &services, TodosSection &section,
                          const QList<QListWidgetItem *> &items, QWidget *parent);

    /// The to-dos still listed (neither done nor snoozed), oldest first.
    QList<QListWidgetItem *> remaining() const;
    QMenu *snoozeMenu() const { return m_snoozeMenu; }

private:
    struct Entry
    {
        QPersistentModelIndex index;
        QWidget *row;
    };
    QWidget *addRow(QListWidgetItem *item);
    void markDone(QWidget *row);
    void snoozeAll(int minutes);

    const Services &m_services;
    TodosSection &m_section;
    QVBoxLayout *m_rows = nullptr;
    QMenu *m_snoozeMenu = nullptr;
    QList<Entry> m_entries;
};
