// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "todos/alarmwindow.h"
#include "widgets/section.h"

#include <QPersistentModelIndex>
#include <QPointer>

class ARButton;
class ReminderDialog;
class ReminderWatcher;
class TodoEditor;
class TodoModel;

/// fraTodos: the to-do list, its editor, the reminder dialog it opens, and the alarm and
/// "Missed reminders" windows it opens when the reminder watcher reports a due to-do.
class TodosSection : public Section
{
    Q_OBJECT
public:
    TodosSection(const Services &services, TodoModel *records, QUndoStack *history, QWidget *parent);

    void disableButtonsIfEmpty() override;
    void highlightMatches(const QString &needle) override;

    TodoModel *todos() const;
    TodoEditor *editor() const { return m_editor; }
    ReminderWatcher *watcher() const { return m_watcher; }

    /// Shows the selected to-do in the editor (defaults for a never edited one; with no
    /// selection the editor is hidden and the remove button disabled).
    void showSelectedTodo();
    /// Stores the editor into the selected to-do.
    void storeEditor();
    /// Stores an edit the user is still typing, before anything else reloads the editor.
    /// A percent value the box would refuse is left out: the record keeps its last good one.
    void commitPendingEdit();

protected:
    void recordsLoaded() override;
    void refresh() override { showSelectedTodo(); }
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addTodo();
    void removeTodo();
    /// A click on a list entry: show it, and let a renamed entry follow its subject.
    void todoClicked();
    void subjectLeft();
    void openReminder();
    /// The reminder dialog closed: its result goes to the to-do it was opened for.
    void reminderClosed(const ReminderDialog &dialog);
    /// Names, once, the to-dos whose reminder text cannot be read: they would never ring.
    void reportUnreadableReminders();
    void reminderRowsRemoved(const QModelIndex &parent, int first, int last);
    /// The editor frame and the remove button follow whether the list holds to-dos.
    void showEditorState(bool hasTodos);

    /// The watcher's reports: the alarm for one to-do, or the missed ones together.
    void ringAlarm(const QPersistentModelIndex &todo);
    void showMissed(const QList<QPersistentModelIndex> &todos);
    /// Applies what the user answered in the alarm of this to-do.
    void alarmAnswered(const QPersistentModelIndex &todo, const AlarmWindow::Choice &choice);
    /// The alarm's OK or a missed reminder's Done: a repeating to-do moves on to its next
    /// occurrence after now (the series ended, it stays without a reminder); any other goes.
    void todoDone(const QPersistentModelIndex &todo);
    /// The to-do is done and goes; the editor shows what the list selects instead.
    void removeDoneTodo(const QPersistentModelIndex &todo);
    /// Moves the reminders of these to-dos to now plus minutes (a repeating one's series stays
    /// as it is, the watcher holds the snooze), and refreshes the editor.
    void snoozeTodos(const QList<QPersistentModelIndex> &todos, int minutes);

    TodoEditor *m_editor = nullptr;
    ARButton *m_addButton = nullptr;
    ARButton *m_removeButton = nullptr;
    ReminderWatcher *m_watcher = nullptr;
    /// The alarm window, made at the first alarm, and the to-do it rings for.
    QPointer<AlarmWindow> m_alarm;
    QPersistentModelIndex m_alarmFor;
    /// The open reminder dialog and the to-do it edits.
    QPointer<ReminderDialog> m_reminderDialog;
    QPersistentModelIndex m_reminderFor;
};
