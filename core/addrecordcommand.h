// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/recordcommand.h"
#include "store/datafile.h"

/// Add: a new record at row. Undone, the record goes with whatever was typed into it meanwhile,
/// and a redo brings that back too.
class AddRecordCommand : public RecordCommand
{
public:
    AddRecordCommand(RecordListModel *model, int row, const Record &record);

    void redo() override;
    void undo() override;
    int id() const override { return NamingId; }
    /// The caption typed right after the Add is part of it: one undo takes the new record away.
    bool mergeWith(const QUndoCommand *other) override;

private:
    int m_row;
    Record m_record;
    bool m_withIcon = true;
};
