// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/recordcommand.h"
#include "store/datafile.h"

#include <memory>

/// Add: a new record at row. Undone, the record goes with whatever was typed into it meanwhile,
/// and a redo brings that back too.
class AddRecordCommand : public RecordCommand
{
public:
    /// naming stays true while the caption editor the Add opened may still name the record.
    AddRecordCommand(RecordListModel *model, int row, const Record &record, std::shared_ptr<bool> naming);

    void redo() override;
    void undo() override;
    int id() const override { return *m_naming ? NamingId : -1; }
    /// The caption typed right after the Add is part of it: one undo takes the new record away.
    /// Only that first naming: a later rename is a step of its own.
    bool mergeWith(const QUndoCommand *other) override;

private:
    int m_row;
    Record m_record;
    bool m_withIcon = true;
    std::shared_ptr<bool> m_naming;
};
