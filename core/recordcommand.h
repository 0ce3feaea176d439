// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUndoCommand>

class RecordListModel;

/// One undoable change to a section's records. Rows are positions in the list: a record typed
/// into an empty section outside the history only ever sits after the rows the older steps
/// know of, so putting a record back at its row, clamped to the list, stays right.
class RecordCommand : public QUndoCommand
{
public:
    RecordListModel *model() const { return m_model; }
    /// The row to show selected after the last undo or redo; -1 when the list has none left.
    int shownRow() const { return m_shownRow; }

protected:
    RecordCommand(RecordListModel *model, const QString &text, QUndoCommand *parent = nullptr);

    void setShownRow(int row);

private:
    RecordListModel *m_model;
    int m_shownRow = -1;
};

/// The steps that may take a later one into themselves (an Add takes the naming that follows it).
enum RecordCommandId { NamingId = 1 };
