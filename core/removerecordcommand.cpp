// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/removerecordcommand.h"

#include "store/recordlistmodel.h"

#include <algorithm>

RemoveRecordCommand::RemoveRecordCommand(RecordListModel *model, int row, const QString &text,
                                         QUndoCommand *parent)
    : RecordCommand(model, text, parent)
    , m_row(row)
{
}

void RemoveRecordCommand::redo()
{
    if (m_row >= model()->count())
        return;
    // Taken anew each time: what was typed into it after an undo comes back after the next one.
    m_record = model()->record(m_row);
    m_withIcon = model()->hasIcon(m_row);
    model()->removeRecord(m_row);
    setShownRow(m_row);
}

void RemoveRecordCommand::undo()
{
    m_row = std::min(m_row, model()->count());
    model()->insertRecord(m_row, m_record, m_withIcon);
    setShownRow(m_row);
}
