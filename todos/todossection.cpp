// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/todossection.h"

#include "core/remindertext.h"
#include "core/todomodel.h"
#include "core/todorecord.h"
#include "platform/clock.h"
#include "platform/messageboxes.h"
#include "platform/soundplayer.h"
#include "todos/alarmwindow.h"
#include "todos/duetext.h"
#include "todos/missedreminderswindow.h"
#include "todos/noticedwindow.h"
#include "todos/reminderdialog.h"
#include "todos/reminderwatcher.h"
#include "todos/repeatingreminder.h"
#include "todos/repeattext.h"
#include "todos/snoozeoccurrencecommand.h"
#include "todos/todoeditor.h"
#include "widgets/arbutton.h"
#include "widgets/artwork.h"
#include "widgets/fieldvalidation.h"
#include "widgets/recordlistview.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <utility>

TodosSection::TodosSection(const Services &services, TodoModel *records, QUndoStack *history,
                           QWidget *parent)
    : Section(services, QStringLiteral("fraTodos"), QStringLiteral("My To-Dos"),
              QStringLiteral("lstTodo"), QStringLiteral("Todo"), records, history, parent)
{
    m_addButton = addArButton(QStringLiteral("arbTodoAdd"), {4, 264}, QStringLiteral("arb_add"),
                              QStringLiteral("Add a new To-Do"), false);
    m_removeButton = addArButton(QStringLiteral("arbTodoRemove"), {35, 264}, QStringLiteral("arb_remove"),
                                 QStringLiteral("Remove selected To-Do"), true);
    m_addButton->setAccessibleName(QStringLiteral("Add to-do"));
    m_removeButton->setAccessibleName(QStringLiteral("Remove to-do"));
    m_editor = new TodoEditor(services, this);
    reportTypingIn(m_editor->boxes());

    RecordListView *lst = list();
    lst->installEventFilter(this);
    // A repeating to-do wears a round arrow on its icon.
    lst->setIconOf([this, repeating = artworkIcon(QStringLiteral("icon_todo_repeat"))](const QModelIndex &index) {
        return repeatingreminder::repeats(todos()->record(index.row())) ? repeating : QIcon();
    });
    connect(m_addButton, &ARButton::clicked, this, &TodosSection::addTodo);
    connect(m_removeButton, &ARButton::clicked, this, &TodosSection::removeTodo);
    connect(lst, &RecordListView::clicked, this, &TodosSection::todoClicked);
    // Moving through the list by key shows each to-do too, so an edit never lands in the
    // to-do before; a click on the empty space below the to-dos leaves none selected.
    connect(lst, &RecordListView::selectedRowChanged, this, &TodosSection::showSelectedTodo);
    connect(todos(), &QAbstractItemModel::rowsAboutToBeRemoved, this, &TodosSection::reminderRowsRemoved);
    connect(m_editor, &TodoEditor::subjectLeft, this, &TodosSection::subjectLeft);
    connect(m_editor, &TodoEditor::fieldLeft, this, &TodosSection::storeEditor);
    connect(m_editor, &TodoEditor::reminderClicked, this, &TodosSection::openReminder);

    // The main window builds its sections right before it loads, so the watcher runs from then on.
    m_watcher = new ReminderWatcher(services, todos(), this);
    connect(m_watcher, &ReminderWatcher::reminderDue, this, &TodosSection::ringAlarm);
    connect(m_watcher, &ReminderWatcher::remindersMissed, this, &TodosSection::showMissed);
    m_watcher->start();
}

TodoModel *TodosSection::todos() const
{
    return static_cast<TodoModel *>(model());
}

void TodosSection::disableButtonsIfEmpty()
{
    if (list()->count() < 1)
        m_removeButton->setEnabled(false);
}

void TodosSection::highlightMatches(const QString &needle)
{
    m_editor->highlightMatches(needle);
}

void TodosSection::recordsLoaded()
{
    m_editor->show();
    showSelectedTodo();
    QTimer::singleShot(0, this, &TodosSection::reportUnreadableReminders);
}

void TodosSection::reportUnreadableReminders()
{
    QStringList reminders;
    QStringList rules;
    const TodoModel *model = todos();
    for (int row = 0; row < model->count(); ++row) {
        const TodoFields fields = TodoFields::read(model->tag(row));
        const QString reminder = fields.text(todofield::Reminder);
        const bool unreadableReminder = !reminder.isEmpty() && !remindertext::readStamp(reminder);
        const bool unreadableRule = repeatingreminder::isUnreadableRule(fields.text(todofield::RepeatRule));
        if (!unreadableReminder && !unreadableRule)
            continue;
        const QString subject = fields.text(todofield::Subject);
        const QString name = QStringLiteral("\"%1\"").arg(subject.isEmpty() ? model->caption(row) : subject);
        (unreadableReminder ? reminders : rules).append(name);
    }
    QStringList parts;
    if (reminders.size() == 1) {
        parts.append(QStringLiteral("The reminder of the to-do %1 could not be read, so it would never ring.\n\n"
                                    "Open the to-do and set its reminder again.")
                         .arg(reminders.first()));
    } else if (reminders.size() > 1) {
        parts.append(QStringLiteral("The reminders of these to-dos could not be read, so they would never ring:\n\n"
                                    "%1\n\nOpen each to-do and set its reminder again.")
                         .arg(reminders.join(QLatin1Char('\n'))));
    }
    if (rules.size() == 1) {
        parts.append(QStringLiteral("How the reminder of the to-do %1 repeats could not be read, so it rings only "
                                    "once.\n\nOpen the to-do and choose again how its reminder repeats.")
                         .arg(rules.first()));
    } else if (rules.size() > 1) {
        parts.append(QStringLiteral("How the reminders of these to-dos repeat could not be read, so they ring only "
                                    "once:\n\n%1\n\nOpen each to-do and choose again how its reminder repeats.")
                         .arg(rules.join(QLatin1Char('\n'))));
    }
    if (parts.isEmpty())
        return;
    m_services.messages->show(window(), parts.join(QStringLiteral("\n\n")), QString(), MessageBoxes::Buttons::Ok,
                              MessageBoxes::Icon::Exclamation);
}

bool TodosSection::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list() && event->type() == QEvent::FocusIn)
        showSelectedTodo();
    return Section::eventFilter(watched, event);
}

void TodosSection::showEditorState(bool hasTodos)
{
    m_editor->setVisible(hasTodos);
    m_removeButton->setEnabled(hasTodos);
}

void TodosSection::showSelectedTodo()
{
    const int row = list()->selectedRow();
    if (row < 0) {
        m_editor->showRecord(TodoRecord());
        showEditorState(false);
        return;
    }
    m_editor->showRecord(todos()->record(row));
    showEditorState(true);
}

void TodosSection::storeEditor()
{
    const int row = list()->selectedRow();
    if (row >= 0)
        todos()->setRecord(row, m_editor->record());
}

void TodosSection::todoClicked()
{
    showSelectedTodo();
    const int row = list()->selectedRow();
    // A caption the user typed in place is never wiped by a subject still empty.
    if (row >= 0 && todos()->caption(row) != todotext::newTodo && !m_editor->subject().isEmpty())
        todos()->setCaption(row, m_editor->subject());
}

void TodosSection::subjectLeft()
{
    const int row = list()->selectedRow();
    if (row >= 0 && !m_editor->subject().isEmpty() && todos()->caption(row) == todotext::newTodo)
        todos()->setCaption(row, m_editor->subject());
    storeEditor();
}

void TodosSection::addTodo()
{
    RecordListView *lst = list();
    // Focus first: a box still being edited is stored into the to-do it shows.
    lst->setFocus(Qt::OtherFocusReason);
    const int row = edits().add(todotext::newTodo);
    lst->selectRow(row);
    lst->editCaption(row);
    showEditorState(true);
    showSelectedTodo();
}

void TodosSection::removeTodo()
{
    if (!removeSelectedRecord(this, QStringLiteral("Do you want to remove the selected task?")))
        return;
    RecordListView *lst = list();
    lst->setFocus(Qt::OtherFocusReason);
    // The list may have had the focus already, so the focus event alone cannot be relied on.
    showSelectedTodo();
    if (lst->count() == 0)
        showEditorState(false);
}

void TodosSection::ringAlarm(const QPersistentModelIndex &todo)
{
    const DueTodo due = dueTodo(todos()->tag(todo.row()));
    // A subject half typed must not be lost when the alarm's answer reloads the editor.
    commitPendingEdit();

    if (!m_alarm) {
        // One window rings every alarm: a window made anew each time would leave a little of
        // itself behind in the style's caches, alarm after alarm.
        m_alarm = new AlarmWindow(m_services, window());
        connect(m_alarm, &QDialog::finished, this, [this] {
            m_watcher->setAnswering(false);
            alarmAnswered(std::exchange(m_alarmFor, QPersistentModelIndex()), m_alarm->choice());
        });
    }
    m_alarmFor = todo;
    m_alarm->setTexts(due.subject, due.description);
    m_alarm->setDue(due.due);
    const TodoRecord record = todos()->record(todo.row());
    const QDateTime now = m_services.clock->now();
    m_alarm->setNext(repeatingreminder::repeats(record)
                         ? repeattext::next(repeatingreminder::next(record, now), now)
                         : QString());
    m_alarm->showPriorityLamp(due.priority);
    if (!due.sound.isEmpty() && due.playsSound)
        m_services.sound->play(due.sound);
    m_watcher->setAnswering(true);
    showWithNotice(m_alarm, m_services.notifier, due.subject, duetext::line(due.due, m_services.clock->now()),
                   due.priority);
}

void TodosSection::alarmAnswered(const QPersistentModelIndex &todo, const AlarmWindow::Choice &choice)
{
    if (!todo.isValid())
        return;
    const int row = todo.row();
    switch (choice.kind) {
    case AlarmWindow::Choice::Done:
        todoDone(todo);
        break;
    case AlarmWindow::Choice::Snooze:
        // A to-do never edited has nothing to snooze: the editor is only brought up to date.
        if (repeatingreminder::repeats(todos()->record(row))) {
            const QDateTime until = m_services.clock->now().addSecs(qint64(choice.minutes) * 60);
            edits().step([&](QUndoCommand *group) { return new SnoozeOccurrenceCommand(m_watcher, todo, until, group); });
            list()->selectRow(row);
        } else if (!todos()->tag(row).isEmpty()) {
            const QDateTime now = m_services.clock->now();
            if (!edits().change(row, QStringLiteral("Snooze"),
                                [&] { return todos()->snooze(row, now, choice.minutes); }))
                return;
            list()->selectRow(row);
        }
        showSelectedTodo();
        break;
    case AlarmWindow::Choice::StopReminding:
        edits().change(row, QStringLiteral("Stop reminding"), [&] {
            todos()->stopReminding(row);
            return true;
        });
        list()->selectRow(row);
        showSelectedTodo();
        break;
    case AlarmWindow::Choice::Closed:
        break;
    }
}

void TodosSection::showMissed(const QList<QPersistentModelIndex> &due)
{
    commitPendingEdit();
    QList<MissedRemindersWindow::Missed> missed;
    QStringList subjects;
    for (const QPersistentModelIndex &todo : due) {
        const TodoRecord record = todos()->record(todo.row());
        missed.append({todo, record});
        subjects.append(record.subject);
    }
    auto *missedWindow = new MissedRemindersWindow(m_services, missed, window());
    connect(missedWindow, &MissedRemindersWindow::done, this, &TodosSection::todoDone);
    connect(missedWindow, &MissedRemindersWindow::snoozed, this, &TodosSection::snoozeTodos);
    m_watcher->setAnswering(true);
    connect(missedWindow, &QDialog::finished, this, [this, missedWindow] {
        missedWindow->deleteLater();
        m_watcher->setAnswering(false);
        // Closed by "One by one" or its close box: the alarms follow, oldest first.
        m_watcher->ringOneByOne(missedWindow->remaining());
    });
    showWithNotice(missedWindow, m_services.notifier, missedWindow->windowTitle(),
                   subjects.join(QLatin1Char('\n')), 1);
}

void TodosSection::todoDone(const QPersistentModelIndex &todo)
{
    if (!todo.isValid())
        return;
    const int row = todo.row();
    const TodoRecord record = todos()->record(row);
    if (!repeatingreminder::repeats(record)) {
        removeDoneTodo(todo);
        return;
    }
    edits().change(row, QStringLiteral("Done"), [&] {
        bool gaveUp = false;
        if (const auto next = repeatingreminder::next(record, m_services.clock->now(), &gaveUp))
            todos()->moveToNextOccurrence(row, next->reminderText(), repeatingreminder::caption(record, *next),
                                          repeatingreminder::ruleFrom(record, *next));
        else if (gaveUp)
            todos()->stopRinging(row); // too long a series to step through: its rule stays as it is
        else
            todos()->stopReminding(row); // the series has ended; the to-do was meant to stay
        return true;
    });
    list()->selectRow(row);
    showSelectedTodo();
}

void TodosSection::removeDoneTodo(const QPersistentModelIndex &todo)
{
    if (!todo.isValid())
        return;
    RecordListView *lst = list();
    edits().remove(todo.row(), QStringLiteral("Done"));
    if (lst->count() == 0) {
        m_editor->showRecord(TodoRecord());
        showEditorState(false);
        return;
    }
    lst->selectRow(lst->currentRow());
    showSelectedTodo();
}

void TodosSection::snoozeTodos(const QList<QPersistentModelIndex> &snoozed, int minutes)
{
    const QDateTime now = m_services.clock->now();
    // A repeating to-do's snooze is held by the watcher, not written; both are taken back at once.
    edits().together(QStringLiteral("Snooze"), [&] {
        for (const QPersistentModelIndex &todo : snoozed) {
            if (!todo.isValid())
                continue;
            if (repeatingreminder::repeats(todos()->record(todo.row())))
                edits().step([&](QUndoCommand *group) {
                    return new SnoozeOccurrenceCommand(m_watcher, todo, now.addSecs(qint64(minutes) * 60), group);
                });
            else
                edits().change(todo.row(), QStringLiteral("Snooze"),
                               [&] { return todos()->snooze(todo.row(), now, minutes); });
        }
    });
    showSelectedTodo();
}

void TodosSection::commitPendingEdit()
{
    QWidget *focused = QApplication::focusWidget();
    if (!focused || !m_editor->isAncestorOf(focused))
        return;
    if (focused->objectName() == QLatin1String("txtComplete") && !m_editor->percentAcceptable())
        return;
    FieldValidation::instance().commitFocused();
}

void TodosSection::openReminder()
{
    const int row = list()->selectedRow();
    if (row < 0 || m_reminderDialog)
        return;
    auto *dialog = new ReminderDialog(m_services, m_editor->reminderFields(), window());
    m_reminderDialog = dialog;
    m_reminderFor = QPersistentModelIndex(todos()->index(row));
    connect(dialog, &QDialog::finished, this, [this, dialog] {
        dialog->deleteLater();
        reminderClosed(*dialog);
    });
    dialog->open();
}

void TodosSection::reminderClosed(const ReminderDialog &dialog)
{
    m_reminderDialog = nullptr;
    const QPersistentModelIndex editedIndex = m_reminderFor;
    m_reminderFor = QPersistentModelIndex();

    // An alarm may have come up meanwhile: its OK may have deleted this to-do (the dialog was
    // closed then and its result has nowhere to go), or its snooze may have selected another.
    if (!editedIndex.isValid())
        return;
    const int edited = editedIndex.row();
    if (edited == list()->selectedRow()) {
        if (dialog.written())
            m_editor->setReminderFields(dialog.result());
        storeEditor();
    } else if (dialog.written()) {
        TodoRecord record = todos()->record(edited);
        const ReminderFields chosen = dialog.result();
        record.reminder = chosen.reminder;
        record.sound = chosen.sound;
        record.playFlag = chosen.playFlag;
        record.reminderCaption = chosen.caption;
        record.repeatRule = chosen.repeatRule;
        todos()->setRecord(edited, record);
    }
}

void TodosSection::reminderRowsRemoved(const QModelIndex &, int first, int last)
{
    if (m_reminderDialog && m_reminderFor.isValid() && m_reminderFor.row() >= first
        && m_reminderFor.row() <= last)
        m_reminderDialog->reject();
}
