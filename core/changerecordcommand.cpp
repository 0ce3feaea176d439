// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/changerecordcommand.h"

#include "core/fieldchange.h"
#include "store/recordlistmodel.h"

ChangeRecordCommand::ChangeRecordCommand(RecordListModel *model, int row, const Record &before,
                                         const Record &after, const QString &text, QUndoCommand *parent)
    : RecordCommand(model, text, parent)
    , m_row(row)
    , m_before(before)
    , m_after(after)
{
    setShownRow(row);
}

void ChangeRecordCommand::redo()
{
    // The change was made before it was kept: the push finds it done.
    if (m_done) {
        m_done = false;
        return;
    }
    carry(m_before, m_after);
}

void ChangeRecordCommand::undo()
{
    carry(m_after, m_before);
}

void ChangeRecordCommand::carry(const Record &from, const Record &to)
{
    if (m_row >= model()->count())
        return;
    const Record current = model()->record(m_row);
    if (from.caption != to.caption)
        model()->setCaption(m_row, to.caption);
    model()->setTag(m_row, fieldchange::carriedOver(current.tag, from.tag, to.tag));
    setShownRow(m_row);
}
