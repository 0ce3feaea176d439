// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <memory>

class QUndoCommand;
class QUndoStack;
class RecordListModel;

/// The changes a user makes to one section's records as steps that can be undone: each goes
/// through the document's history. Typing in the editors goes to the model directly (a box
/// keeps its own undo).
class RecordEdits
{
public:
    RecordEdits(RecordListModel *model, QUndoStack *history);

    /// Appends a record holding only its caption; its row. The caption the user gives it next
    /// is part of the step, until endNaming().
    int add(const QString &caption);
    /// The caption editor that followed add() has closed, named or not: a rename from now on
    /// is a step of its own.
    void endNaming();
    /// Removes the record at row; text names the step ("Remove", "Done").
    void remove(int row, const QString &text);
    /// Runs change, one of the model's own operations on the record at row, and keeps what it
    /// changed as a step named text. change returns false when it changed nothing.
    bool change(int row, const QString &text, const std::function<bool()> &change);
    /// Keeps a step of another kind (made with the group it joins, if any) and does it.
    void step(const std::function<QUndoCommand *(QUndoCommand *group)> &make);
    /// Runs steps (changes of this object's), kept as one step named text: a snooze of several
    /// to-dos at once is taken back at once.
    void together(const QString &text, const std::function<void()> &steps);

private:
    RecordListModel *m_model;
    QUndoStack *m_history;
    /// The step that changes join while together() runs.
    QUndoCommand *m_group = nullptr;
    /// Whether the last Add still waits for its naming; shared with that step.
    std::shared_ptr<bool> m_naming;
};
