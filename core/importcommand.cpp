// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/importcommand.h"

#include "store/recordlistmodel.h"

#include <algorithm>

namespace {

void put(RecordListModel *model, int row, const Record &record)
{
    model->setCaption(row, record.caption);
    model->setTag(row, record.tag);
}

} // namespace

ImportCommand::ImportCommand(RecordListModel *model, const QHash<int, Record> &updated,
                             const QList<Record> &added)
    : RecordCommand(model, QStringLiteral("Import"))
    , m_updated(updated)
    , m_added(added)
{
}

void ImportCommand::redo()
{
    m_before.clear();
    int first = -1;
    for (auto it = m_updated.cbegin(); it != m_updated.cend(); ++it) {
        if (it.key() >= model()->count())
            continue;
        m_before.insert(it.key(), model()->record(it.key()));
        put(model(), it.key(), it.value());
        first = first < 0 ? it.key() : std::min(first, it.key());
    }
    m_firstAdded = model()->count();
    model()->appendRecords(m_added);
    setShownRow(m_added.isEmpty() ? first : m_firstAdded);
}

void ImportCommand::undo()
{
    model()->removeRecords(m_firstAdded, int(m_added.size()));
    int first = -1;
    for (auto it = m_before.cbegin(); it != m_before.cend(); ++it) {
        put(model(), it.key(), it.value());
        first = first < 0 ? it.key() : std::min(first, it.key());
    }
    setShownRow(first < 0 ? m_firstAdded : first);
}
