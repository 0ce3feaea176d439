// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/recordlistmodel.h"

#include <QObject>

class QAction;
class QUndoStack;
class QWidget;

/// Ctrl+Z undoes the last change to the records, Ctrl+Shift+Z and Ctrl+Y redo it. In a text box
/// the keys belong to the box and its own undo.
class UndoActions : public QObject
{
    Q_OBJECT
public:
    /// The keys work while window is the active window.
    UndoActions(QUndoStack *history, QWidget *window);

    QAction *undoAction() const { return m_undo; }
    QAction *redoAction() const { return m_redo; }

    void undo() { step(true); }
    void redo() { step(false); }

signals:
    /// A step was undone or redone in model: row (none when -1) is the record to show.
    void changeShown(RecordListModel *model, int row);

private:
    void step(bool back);
    /// The focus is in a text box: the box undoes or redoes its own typing.
    bool passToBox(bool back);

    QUndoStack *m_history;
    QAction *m_undo;
    QAction *m_redo;
};
