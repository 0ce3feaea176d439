// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>
#include <QPersistentModelIndex>

#include "core/todorecord.h"

struct Services;
class QMenu;
class QVBoxLayout;

/// "Missed reminders": the reminders that came due while the program was not running, oldest
/// first, to be answered together (snoozed, or done one at a time) or one alarm after another.
/// It only reports the answers; the to-do section applies them.
class MissedRemindersWindow : public QDialog
{
    Q_OBJECT
public:
    struct Missed
    {
        QPersistentModelIndex todo;
        TodoRecord record;
    };
    /// todos: the due to-dos, oldest first.
    MissedRemindersWindow(const Services &services, const QList<Missed> &todos, QWidget *parent);

    /// The to-dos still listed (neither done nor snoozed), oldest first.
    QList<QPersistentModelIndex> remaining() const;
    QMenu *snoozeMenu() const { return m_snoozeMenu; }

signals:
    /// Done was pressed for this to-do.
    void done(const QPersistentModelIndex &todo);
    /// "Snooze all": these to-dos, for minutes from now.
    void snoozed(const QList<QPersistentModelIndex> &todos, int minutes);

private:
    struct Entry
    {
        QPersistentModelIndex index;
        QWidget *row;
    };
    QWidget *addRow(const TodoRecord &record);
    void markDone(QWidget *row);
    void snoozeAll(int minutes);

    const Services &m_services;
    QVBoxLayout *m_rows = nullptr;
    QMenu *m_snoozeMenu = nullptr;
    QList<Entry> m_entries;
};
