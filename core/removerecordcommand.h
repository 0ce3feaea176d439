// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/recordcommand.h"
#include "store/datafile.h"

/// Remove, and a to-do done in the alarm or the missed reminders: undone, the record comes back
/// at its row with its exact caption, tag and icon.
class RemoveRecordCommand : public RecordCommand
{
public:
    RemoveRecordCommand(RecordListModel *model, int row, const QString &text, QUndoCommand *parent = nullptr);

    void redo() override;
    void undo() override;

private:
    int m_row;
    Record m_record;
    bool m_withIcon = true;
};
