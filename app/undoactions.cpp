// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/undoactions.h"

#include "core/recordcommand.h"
#include "widgets/fieldvalidation.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QUndoStack>
#include <QWidget>

namespace {

/// The step that names the record to show: the step itself, or the first of a group's.
const RecordCommand *recordStep(const QUndoCommand *command)
{
    if (command && command->childCount() > 0)
        command = command->child(0);
    return dynamic_cast<const RecordCommand *>(command);
}

} // namespace

UndoActions::UndoActions(QUndoStack *history, QWidget *window)
    : QObject(window)
    , m_history(history)
    , m_undo(new QAction(QStringLiteral("Undo"), window))
    , m_redo(new QAction(QStringLiteral("Redo"), window))
{
    m_undo->setObjectName(QStringLiteral("actUndo"));
    m_redo->setObjectName(QStringLiteral("actRedo"));
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // Of the window only: a box that takes the keys for its own undo goes first, and an open
    // dialog (an alarm, a question) never reaches the records behind it.
    m_undo->setShortcutContext(Qt::WindowShortcut);
    m_redo->setShortcutContext(Qt::WindowShortcut);
    window->addAction(m_undo);
    window->addAction(m_redo);
    connect(m_undo, &QAction::triggered, this, &UndoActions::undo);
    connect(m_redo, &QAction::triggered, this, &UndoActions::redo);
}

void UndoActions::step(bool back)
{
    if (passToBox(back))
        return;
    if (back ? !m_history->canUndo() : !m_history->canRedo())
        return;
    // A choice made in a box not yet left goes to its record before the history moves on.
    if (!FieldValidation::instance().commitFocused())
        return;
    if (back) {
        m_history->undo();
        if (const RecordCommand *undone = recordStep(m_history->command(m_history->index())))
            emit changeShown(undone->model(), undone->shownRow());
    } else {
        m_history->redo();
        if (const RecordCommand *redone = recordStep(m_history->command(m_history->index() - 1)))
            emit changeShown(redone->model(), redone->shownRow());
    }
}

bool UndoActions::passToBox(bool back)
{
    // A box takes Ctrl+Z for itself; a key it does not count as its own (Ctrl+Y on some
    // desktops) still means the box's redo while the box has the focus.
    QWidget *focus = QApplication::focusWidget();
    if (auto *line = qobject_cast<QLineEdit *>(focus)) {
        back ? line->undo() : line->redo();
        return true;
    }
    if (auto *text = qobject_cast<QPlainTextEdit *>(focus)) {
        back ? text->undo() : text->redo();
        return true;
    }
    if (auto *text = qobject_cast<QTextEdit *>(focus)) {
        back ? text->undo() : text->redo();
        return true;
    }
    return false;
}
