// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/recordcommand.h"
#include "store/datafile.h"

/// A record changed in place (a rename, a snooze, "Stop reminding"), made before the step is
/// kept. Undo and redo carry only what the change touched, so what was typed into the record
/// since stays.
class ChangeRecordCommand : public RecordCommand
{
public:
    ChangeRecordCommand(RecordListModel *model, int row, const Record &before, const Record &after,
                        const QString &text, QUndoCommand *parent = nullptr);

    int row() const { return m_row; }
    void redo() override;
    void undo() override;
    /// A rename may join the Add just before it.
    int id() const override { return m_before.tag == m_after.tag ? NamingId : -1; }

private:
    void carry(const Record &from, const Record &to);

    int m_row;
    Record m_before;
    Record m_after;
    bool m_done = true;
};
