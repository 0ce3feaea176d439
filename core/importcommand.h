// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/recordcommand.h"
#include "store/datafile.h"

#include <QHash>
#include <QList>

/// An import as one step: the records it updates and the records it appends.
class ImportCommand : public RecordCommand
{
public:
    ImportCommand(RecordListModel *model, const QHash<int, Record> &updated, const QList<Record> &added);

    void redo() override;
    void undo() override;

private:
    QHash<int, Record> m_updated;
    /// What the updated rows held before.
    QHash<int, Record> m_before;
    QList<Record> m_added;
    /// Where the appended records start, as the last redo put them.
    int m_firstAdded = 0;
};
