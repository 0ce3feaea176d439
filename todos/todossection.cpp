#include "todos/todossection.h"

#include "app/listrecords.h"
#include "platform/clock.h"
#include "platform/messageboxes.h"
#include "store/escapes.h"
#include "todos/reminderedits.h"
#include "todos/remindertext.h"
#include "todos/reminderdialog.h"
#include "todos/reminderwatcher.h"
#include "todos/todoeditor.h"
#include "todos/todorecord.h"
#include "widgets/arbutton.h"
#include "widgets/fieldvalidation.h"

#include <QApplication>
#include <QEvent>
#include <QListWidget>
#include <QTimer>

#include <memory>

TodosSection::TodosSection(const Services &services, QWidget *parent)
    : Section(services, QStringLiteral("fraTodos"), QStringLiteral("My To-Dos"),
              QStringLiteral("lstTodo"), QStringLiteral("Todo"), parent)
{
    m_arbTodoAdd = addArButton(QStringLiteral("arbTodoAdd"), {4, 264}, QStringLiteral("arb_add"),
                               QStringLiteral("Add a new To-Do"), false);
    m_arbTodoRemove = addArButton(QStringLiteral("arbTodoRemove"), {35, 264}, QStringLiteral("arb_remove"),
                                  QStringLiteral("Remove selected To-Do"), true);
    m_arbTodoAdd->setAccessibleName(QStringLiteral("Add to-do"));
    m_arbTodoRemove->setAccessibleName(QStringLiteral("Remove to-do"));
    m_editor = new TodoEditor(services, this);

    QListWidget *lst = list();
    lst->installEventFilter(this);
    connect(m_arbTodoAdd, &ARButton::clicked, this, &TodosSection::addTodo);
    connect(m_arbTodoRemove, &ARButton::clicked, this, &TodosSection::removeTodo);
    connect(lst, &QListWidget::itemClicked, this, &TodosSection::TodoItemClick);
    // Moving through the list by key shows each to-do too, so an edit never lands in the
    // to-do before.
    connect(lst, &QListWidget::currentItemChanged, this, &TodosSection::ReadInfoFromLst_Todo);
    // A click on the empty space below the to-dos leaves none selected.
    connect(lst, &QListWidget::itemSelectionChanged, this, &TodosSection::ReadInfoFromLst_Todo);
    connect(lst->model(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
            &TodosSection::reminderRowsRemoved);
    connect(m_editor, &TodoEditor::subjectLeft, this, &TodosSection::subjectLeft);
    connect(m_editor, &TodoEditor::fieldLeft, this, &TodosSection::PutInfo2Lst_Todo);
    connect(m_editor, &TodoEditor::reminderClicked, this, &TodosSection::openReminder);

    // The main window builds its sections right before it loads, so the watcher runs from then on.
    m_watcher = new ReminderWatcher(services, lst, this, this);
    m_watcher->start();
}

void TodosSection::disableButtonsIfEmpty()
{
    if (list()->count() < 1)
        m_arbTodoRemove->setEnabled(false);
}

void TodosSection::recordLoaded()
{
    m_editor->show();
}

void TodosSection::showFirstLoaded()
{
    ReadInfoFromLst_Todo();
    QTimer::singleShot(0, this, &TodosSection::reportUnreadableReminders);
}

void TodosSection::reportUnreadableReminders()
{
    QStringList names;
    const QListWidget *lst = list();
    for (int row = 0; row < lst->count(); ++row) {
        const QListWidgetItem *item = lst->item(row);
        const QStringList fields = escapes::splitFields(listrecords::tag(item));
        if (fields.size() <= todofield::Reminder || fields[todofield::Reminder].isEmpty()
            || remindertext::readStamp(fields[todofield::Reminder]))
            continue;
        const QString subject = fields[todofield::Subject];
        names.append(QStringLiteral("\"%1\"").arg(subject.isEmpty() ? item->text() : subject));
    }
    if (names.isEmpty())
        return;
    const QString text = names.size() == 1
        ? QStringLiteral("The reminder of the to-do %1 could not be read, so it would never ring.\n\n"
                         "Open the to-do and set its reminder again.")
              .arg(names.first())
        : QStringLiteral("The reminders of these to-dos could not be read, so they would never ring:\n\n"
                         "%1\n\nOpen each to-do and set its reminder again.")
              .arg(names.join(QLatin1Char('\n')));
    m_services.messages->show(window(), text, QString(), MessageBoxes::Buttons::Ok,
                              MessageBoxes::Icon::Exclamation);
}

bool TodosSection::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list() && event->type() == QEvent::FocusIn)
        ReadInfoFromLst_Todo();
    return Section::eventFilter(watched, event);
}

void TodosSection::showEditorState(bool hasTodos)
{
    m_editor->setVisible(hasTodos);
    m_arbTodoRemove->setEnabled(hasTodos);
}

void TodosSection::ReadInfoFromLst_Todo()
{
    const QListWidgetItem *item = listrecords::selected(list());
    if (!item) {
        m_editor->showRecord(TodoRecord());
        showEditorState(false);
        return;
    }
    m_editor->showRecord(TodoRecord::fromTag(listrecords::tag(item)));
    showEditorState(true);
}

void TodosSection::PutInfo2Lst_Todo()
{
    if (QListWidgetItem *item = listrecords::selected(list()))
        listrecords::setTag(item, m_editor->record().toTag());
}

void TodosSection::TodoItemClick()
{
    ReadInfoFromLst_Todo();
    QListWidgetItem *item = listrecords::selected(list());
    // A caption the user typed in place is never wiped by a subject still empty.
    if (item && item->text() != todotext::newTodo && !m_editor->subject().isEmpty())
        item->setText(m_editor->subject());
}

void TodosSection::subjectLeft()
{
    QListWidgetItem *item = listrecords::selected(list());
    if (item && !m_editor->subject().isEmpty() && item->text() == todotext::newTodo)
        item->setText(m_editor->subject());
    PutInfo2Lst_Todo();
}

void TodosSection::addTodo()
{
    QListWidget *lst = list();
    // Focus first: a box still being edited is stored into the to-do it shows.
    lst->setFocus(Qt::OtherFocusReason);
    QListWidgetItem *item = listrecords::append(lst, todotext::newTodo, iconKey());
    lst->setCurrentItem(item);
    item->setSelected(true);
    lst->editItem(item);
    showEditorState(true);
    ReadInfoFromLst_Todo();
}

void TodosSection::removeTodo()
{
    QListWidget *lst = list();
    QListWidgetItem *item = listrecords::selected(lst);
    if (!item)
        return;
    // The question is about this to-do: if an alarm deletes it while the question is open, a
    // Yes must not take the next one with it.
    const QPersistentModelIndex asked = item ? QPersistentModelIndex(lst->model()->index(lst->row(item), 0))
                                             : QPersistentModelIndex();
    const auto answer = m_services.messages->show(
        this, QStringLiteral("Do you want to remove the selected task?"), QStringLiteral("Confirm"),
        MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Question);
    if (answer == MessageBoxes::Answer::Yes && asked.isValid()) {
        std::unique_ptr<QListWidgetItem> removed(lst->takeItem(asked.row()));
        if (QListWidgetItem *now = lst->currentItem())
            now->setSelected(true);
    }
    lst->setFocus(Qt::OtherFocusReason);
    // The list may have had the focus already, so the focus event alone cannot be relied on.
    ReadInfoFromLst_Todo();
    if (lst->count() == 0)
        showEditorState(false);
}

void TodosSection::removeAlarmedTodo(QListWidgetItem *item)
{
    QListWidget *lst = list();
    const int row = lst->row(item);
    if (row < 0)
        return;
    std::unique_ptr<QListWidgetItem> removed(lst->takeItem(row));
    if (lst->count() == 0) {
        m_editor->showRecord(TodoRecord());
        showEditorState(false);
        return;
    }
    if (QListWidgetItem *now = lst->currentItem())
        now->setSelected(true);
    ReadInfoFromLst_Todo();
}

void TodosSection::stopReminding(QListWidgetItem *item)
{
    QListWidget *lst = list();
    if (lst->row(item) < 0)
        return;
    listrecords::setTag(item, reminderedits::withoutReminder(listrecords::tag(item)));
    lst->setCurrentItem(item);
    item->setSelected(true);
    ReadInfoFromLst_Todo();
}

void TodosSection::snoozeTodos(const QList<QListWidgetItem *> &items, int minutes)
{
    const QDateTime moment = m_services.clock->now().addSecs(qint64(minutes) * 60);
    for (QListWidgetItem *item : items) {
        if (list()->row(item) < 0)
            continue;
        if (const std::optional<QString> snoozed = reminderedits::snoozed(listrecords::tag(item), moment))
            listrecords::setTag(item, *snoozed);
    }
    ReadInfoFromLst_Todo();
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
    QListWidget *lst = list();
    QListWidgetItem *item = listrecords::selected(lst);
    if (!item)
        return;
    ReminderDialog dialog(m_services, m_editor->reminderFields(), window());
    m_reminderDialog = &dialog;
    m_reminderFor = QPersistentModelIndex(lst->model()->index(lst->row(item), 0));
    dialog.exec();
    m_reminderDialog = nullptr;
    const QPersistentModelIndex editedIndex = m_reminderFor;
    m_reminderFor = QPersistentModelIndex();

    // An alarm may have come up meanwhile: its OK may have deleted this to-do (the dialog was
    // closed then and its result has nowhere to go), or its snooze may have selected another.
    if (!editedIndex.isValid())
        return;
    QListWidgetItem *edited = lst->item(editedIndex.row());
    if (edited == listrecords::selected(lst)) {
        if (dialog.written())
            m_editor->setReminderFields(dialog.result());
        PutInfo2Lst_Todo();
    } else if (dialog.written()) {
        TodoRecord record = TodoRecord::fromTag(listrecords::tag(edited));
        const ReminderFields chosen = dialog.result();
        record.reminder = chosen.reminder;
        record.sound = chosen.sound;
        record.playFlag = chosen.playFlag;
        record.reminderCaption = chosen.caption;
        listrecords::setTag(edited, record.toTag());
    }
}

void TodosSection::reminderRowsRemoved(const QModelIndex &, int first, int last)
{
    if (m_reminderDialog && m_reminderFor.isValid() && m_reminderFor.row() >= first
        && m_reminderFor.row() <= last)
        m_reminderDialog->reject();
}
