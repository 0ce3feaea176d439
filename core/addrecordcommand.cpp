// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/addrecordcommand.h"

#include "core/changerecordcommand.h"
#include "store/recordlistmodel.h"

#include <algorithm>

AddRecordCommand::AddRecordCommand(RecordListModel *model, int row, const Record &record,
                                   std::shared_ptr<bool> naming)
    : RecordCommand(model, QStringLiteral("Add"))
    , m_row(row)
    , m_record(record)
    , m_naming(std::move(naming))
{
}

void AddRecordCommand::redo()
{
    m_row = std::min(m_row, model()->count());
    model()->insertRecord(m_row, m_record, m_withIcon);
    setShownRow(m_row);
}

void AddRecordCommand::undo()
{
    if (m_row >= model()->count())
        return;
    m_record = model()->record(m_row);
    m_withIcon = model()->hasIcon(m_row);
    model()->removeRecord(m_row);
    setShownRow(m_row);
}

bool AddRecordCommand::mergeWith(const QUndoCommand *other)
{
    const auto *naming = dynamic_cast<const ChangeRecordCommand *>(other);
    if (!*m_naming || !naming || naming->model() != model() || naming->row() != m_row)
        return false;
    *m_naming = false;
    return true;
}
