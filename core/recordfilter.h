// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPersistentModelIndex>
#include <QSortFilterProxyModel>

class RecordListModel;

/// A section's records that hold the searched text, in list order. A record added while the
/// search is on, and a record edited so that it no longer matches, stays listed until the search
/// changes: what the user works on never vanishes under the caret.
class RecordFilter : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    RecordFilter(RecordListModel *records, QObject *parent);

    RecordListModel *records() const { return m_records; }
    /// The folded text looked for; empty shows every record.
    const QString &needle() const { return m_needle; }
    void setNeedle(const QString &folded);

    bool isFiltering() const { return !m_needle.isEmpty(); }
    /// The source row of a listed row, -1 for none.
    int sourceRow(int row) const;
    /// The listed row of a source row, -1 when it is not listed.
    int listedRow(int sourceRow) const;
    /// The listed records that hold the needle now: not those listed only because they were
    /// added, or edited away from it, during the search.
    int matchCount() const;
    /// Whether the record at sourceRow holds the needle now.
    bool isMatch(int sourceRow) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    /// Whether a record's folded text holds the needle.
    bool holds(const QByteArray &text) const;
    /// Where the needle first stands in text at or after from (bytes); -1 when nowhere.
    qsizetype firstMatch(const QByteArray &text, qsizetype from) const;
    enum class Match : char { No, Yes, Unknown };
    /// The row's mark from the last needle; Unknown where there is none.
    Match markOf(int sourceRow) const;
    void forgetMatches();

    RecordListModel *m_records;
    QString m_needle;
    QByteArray m_needleBytes;
    /// Rows being inserted while filtering, accepted as they come.
    int m_insertingFirst = -1;
    int m_insertingLast = -1;
    QList<QPersistentModelIndex> m_kept;
    /// Per row, whether it held the needle when it was set; Unknown for rows changed since.
    QList<Match> m_matches;
    /// Per row that matched, the byte where its first match starts.
    QList<int> m_firstAt;
};
