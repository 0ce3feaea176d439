// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/datafile.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QList>

/// A section's records in list order, as the data file holds them: each record keeps its tag in
/// the file's text form, so a record nobody edits is written back exactly as it was read, and
/// loading costs one string per caption and tag. The section's typed model (notes, websites,
/// contacts, to-dos) reads and writes the fields of a tag.
class RecordListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role {
        /// Whether the view draws the section's icon beside the caption.
        HasIconRole = Qt::UserRole,
        /// What a search looks through: every stored field of the record, folded (textfold).
        SearchTextRole,
    };

    explicit RecordListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    /// The caption, edited in place.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    /// The records as they stand; sharing them costs nothing until one side changes.
    const QList<Record> &records() const { return m_records; }
    /// Replaces every record (the loader's fill); all of them show the icon.
    void setRecords(QList<Record> records);

    int count() const { return int(m_records.size()); }
    /// Appends a record and returns its row. withIcon false: a record made by typing into an
    /// empty section, which shows no icon until the next start.
    int appendRecord(const QString &caption, const QString &tag = QString(), bool withIcon = true);
    /// Appends records at once, each with the icon: one insertion for the views to follow.
    void appendRecords(const QList<Record> &records) { insertRecords(count(), records); }
    /// Puts records back at row (at the end when row is past it), each with the icon.
    void insertRecords(int row, const QList<Record> &records);
    /// Puts one record back at row (at the end when row is past it), with or without the icon.
    void insertRecord(int row, const Record &record, bool withIcon);
    void removeRecord(int row) { removeRecords(row, 1); }
    /// Removes count records from row on, in one removal for the views to follow.
    void removeRecords(int row, int count);

    Record record(int row) const { return validRow(row) ? m_records[row] : Record(); }

    QString caption(int row) const;
    void setCaption(int row, const QString &caption);
    QString tag(int row) const;
    void setTag(int row, const QString &tag);
    bool hasIcon(int row) const;

    /// The record's fields a search looks through, as the user reads them, joined by
    /// textfold::kFieldBreak.
    virtual QString searchableText(int row) const { return caption(row); }
    /// searchableText folded, in UTF-8 (half the memory of a QString, and searched byte by
    /// byte), made once per record and again only when the record changes, so a keystroke in
    /// the search field folds nothing.
    const QByteArray &foldedText(int row) const;

signals:
    /// The user typed a new caption in place (setData); before is the caption it replaced.
    void captionEdited(int row, const QString &before);

private:
    bool validRow(int row) const { return row >= 0 && row < m_records.size(); }

    QList<Record> m_records;
    /// Rows shown without the icon; rare, so kept apart from the records the store shares.
    QList<int> m_withoutIcon;
    /// foldedText per row, null where not made yet; empty until the first search.
    mutable QList<QByteArray> m_folded;
};
