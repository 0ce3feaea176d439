// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfilter.h"

#include "store/recordlistmodel.h"

RecordFilter::RecordFilter(RecordListModel *records, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_records(records)
{
    // An edit re-filters nothing: the record being typed into stays where it is.
    setDynamicSortFilter(false);
    setSourceModel(records);
    connect(records, &QAbstractItemModel::rowsAboutToBeInserted, this, [this](const QModelIndex &, int first, int last) {
        m_insertingFirst = first;
        m_insertingLast = last;
    });
    // Connected after the proxy's own handling, which has listed the new rows by now.
    connect(records, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        m_insertingFirst = m_insertingLast = -1;
        if (!isFiltering())
            return;
        for (int row = first; row <= last; ++row)
            m_kept.append(QPersistentModelIndex(m_records->index(row)));
    });
    connect(records, &QAbstractItemModel::modelReset, this, [this] { m_kept.clear(); });
}

void RecordFilter::setNeedle(const QString &folded)
{
    if (folded == m_needle)
        return;
    m_needle = folded;
    m_kept.clear();
    // One layout change rather than a removal per scattered row: the view lays out once.
    invalidate();
}

int RecordFilter::sourceRow(int row) const
{
    return mapToSource(index(row, 0)).row();
}

int RecordFilter::listedRow(int sourceRow) const
{
    return mapFromSource(m_records->index(sourceRow)).row();
}

bool RecordFilter::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (m_needle.isEmpty() || (sourceRow >= m_insertingFirst && sourceRow <= m_insertingLast))
        return true;
    for (const QPersistentModelIndex &kept : m_kept) {
        if (kept.row() == sourceRow)
            return true;
    }
    return m_records->foldedText(sourceRow).contains(m_needle);
}
