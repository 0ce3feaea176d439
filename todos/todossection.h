#pragma once

#include "app/section.h"

#include <QPersistentModelIndex>
#include <QPointer>

class ARButton;
class QListWidgetItem;
class ReminderDialog;
class ReminderWatcher;
class TodoEditor;

/// fraTodos: the to-do list, its editor, the reminder dialog it opens and the reminder watcher.
class TodosSection : public Section
{
    Q_OBJECT
public:
    TodosSection(const Services &services, QWidget *parent);

    void disableButtonsIfEmpty() override;

    /// Shows the selected to-do in the editor (defaults for an empty tag; with no selection the
    /// editor is hidden and the remove button disabled).
    void ReadInfoFromLst_Todo();
    /// Stores the editor into the selected to-do's tag.
    void PutInfo2Lst_Todo();
    /// A click on a list entry: show it, and let a renamed entry follow its subject.
    void TodoItemClick();

    /// The alarm's OK: deletes the to-do and shows what the list selects instead.
    void removeAlarmedTodo(QListWidgetItem *item);
    /// "Stop reminding": the to-do stays, without its reminder, and the editor shows it.
    void stopReminding(QListWidgetItem *item);
    /// Moves the reminders of these to-dos to now plus minutes, and refreshes the editor.
    void snoozeTodos(const QList<QListWidgetItem *> &items, int minutes);
    /// Stores an edit the user is still typing, before anything else reloads the editor.
    /// A percent value the box would refuse is left out: the record keeps its last good one.
    void commitPendingEdit();

    TodoEditor *editor() const { return m_editor; }
    ReminderWatcher *watcher() const { return m_watcher; }

protected:
    void recordLoaded() override;
    void showFirstLoaded() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addTodo();
    void removeTodo();
    void subjectLeft();
    void openReminder();
    /// Names, once, the to-dos whose reminder text cannot be read: they would never ring.
    void reportUnreadableReminders();
    void reminderRowsRemoved(const QModelIndex &parent, int first, int last);
    /// The editor frame and the remove button follow whether the list holds to-dos.
    void showEditorState(bool hasTodos);

    TodoEditor *m_editor = nullptr;
    ARButton *m_arbTodoAdd = nullptr;
    ARButton *m_arbTodoRemove = nullptr;
    ReminderWatcher *m_watcher = nullptr;
    /// The open reminder dialog and the to-do it edits.
    QPointer<ReminderDialog> m_reminderDialog;
    QPersistentModelIndex m_reminderFor;
};
