// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/recordlistmodel.h"

#include "store/textfold.h"

#include <algorithm>

RecordListModel::RecordListModel(QObject *parent)
    : QAbstractListModel(parent)
{
    // The folded texts follow the model's own signals, so every way of changing the records
    // keeps them right.
    connect(this, &QAbstractItemModel::modelReset, this, [this] { m_folded.clear(); });
    connect(this, &QAbstractItemModel::rowsMoved, this, [this] { m_folded.clear(); });
    connect(this, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        if (!m_folded.isEmpty())
            m_folded.insert(first, last - first + 1, QByteArray());
    });
    connect(this, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex &, int first, int last) {
        if (!m_folded.isEmpty())
            m_folded.remove(first, last - first + 1);
    });
    connect(this, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
        for (int row = topLeft.row(); row <= bottomRight.row() && row < m_folded.size(); ++row)
            m_folded[row] = QByteArray();
    });
}

int RecordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

QVariant RecordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !validRow(index.row()))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_records[index.row()].caption;
    case HasIconRole:
        return hasIcon(index.row());
    case SearchTextRole:
        return QString::fromUtf8(foldedText(index.row()));
    default:
        return {};
    }
}

bool RecordListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !validRow(index.row()))
        return false;
    const QString before = caption(index.row());
    setCaption(index.row(), value.toString());
    if (caption(index.row()) != before)
        emit captionEdited(index.row(), before);
    return true;
}

Qt::ItemFlags RecordListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

void RecordListModel::setRecords(QList<Record> records)
{
    beginResetModel();
    m_records = std::move(records);
    m_withoutIcon.clear();
    endResetModel();
}

int RecordListModel::appendRecord(const QString &caption, const QString &tag, bool withIcon)
{
    const int row = count();
    insertRecord(row, {caption, tag}, withIcon);
    return row;
}

void RecordListModel::insertRecords(int row, const QList<Record> &records)
{
    if (records.isEmpty())
        return;
    row = std::clamp(row, 0, count());
    const int added = int(records.size());
    beginInsertRows(QModelIndex(), row, row + added - 1);
    m_records.insert(row, added, Record());
    std::copy(records.cbegin(), records.cend(), m_records.begin() + row);
    for (int &later : m_withoutIcon) {
        if (later >= row)
            later += added;
    }
    endInsertRows();
}

void RecordListModel::insertRecord(int row, const Record &record, bool withIcon)
{
    row = std::clamp(row, 0, count());
    beginInsertRows(QModelIndex(), row, row);
    m_records.insert(row, record);
    for (int &later : m_withoutIcon) {
        if (later >= row)
            ++later;
    }
    if (!withIcon)
        m_withoutIcon.append(row);
    endInsertRows();
}

void RecordListModel::removeRecords(int row, int count)
{
    count = std::min(count, int(m_records.size()) - row);
    if (row < 0 || count <= 0)
        return;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_records.remove(row, count);
    m_withoutIcon.removeIf([row, count](int withoutIcon) { return withoutIcon >= row && withoutIcon < row + count; });
    for (int &later : m_withoutIcon) {
        if (later >= row + count)
            later -= count;
    }
    endRemoveRows();
}

QString RecordListModel::caption(int row) const
{
    return validRow(row) ? m_records[row].caption : QString();
}

void RecordListModel::setCaption(int row, const QString &caption)
{
    if (!validRow(row) || m_records[row].caption == caption)
        return;
    m_records[row].caption = caption;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
}

QString RecordListModel::tag(int row) const
{
    return validRow(row) ? m_records[row].tag : QString();
}

void RecordListModel::setTag(int row, const QString &tag)
{
    if (!validRow(row) || m_records[row].tag == tag)
        return;
    m_records[row].tag = tag;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, {});
}

bool RecordListModel::hasIcon(int row) const
{
    return validRow(row) && !m_withoutIcon.contains(row);
}

const QByteArray &RecordListModel::foldedText(int row) const
{
    static const QByteArray none;
    if (!validRow(row))
        return none;
    if (m_folded.size() != m_records.size())
        m_folded.resize(m_records.size());
    QByteArray &folded = m_folded[row];
    // A leading field break keeps an empty record's text from reading as not made yet.
    if (folded.isNull())
        folded = (textfold::kFieldBreak + textfold::folded(searchableText(row))).toUtf8();
    return folded;
}
