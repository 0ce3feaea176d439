// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfilter.h"

#include "store/recordlistmodel.h"

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

namespace {

/// Fewer texts than this are looked through on one thread: starting a second costs more.
constexpr size_t kSharedFrom = 8192;

} // namespace

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
    connect(records, &QAbstractItemModel::modelReset, this, [this] {
        m_kept.clear();
        forgetMatches();
    });
    connect(records, &QAbstractItemModel::rowsMoved, this, [this] { forgetMatches(); });
    // Which rows matched follows the rows; a changed or new one is looked at again.
    connect(records, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        if (!m_matches.isEmpty()) {
            m_matches.insert(first, last - first + 1, Match::Unknown);
            m_firstAt.insert(first, last - first + 1, 0);
        }
    });
    connect(records, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex &, int first, int last) {
        if (!m_matches.isEmpty()) {
            m_matches.remove(first, last - first + 1);
            m_firstAt.remove(first, last - first + 1);
        }
    });
    connect(records, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
        for (int row = topLeft.row(); row <= bottomRight.row() && row < m_matches.size(); ++row)
            m_matches[row] = Match::Unknown;
    });
}

void RecordFilter::setNeedle(const QString &folded)
{
    if (folded == m_needle)
        return;
    // A needle that holds the last one can only match where that one did: typing a word on
    // looks at fewer records with every letter.
    const bool narrowing = !m_needle.isEmpty() && folded.contains(m_needle) && m_matches.size() == m_records->count();
    const QByteArray bytes = folded.toUtf8();
    // The new needle's first match holds the old one's, so it starts no earlier than the old
    // match less where the old needle stands in the new: a word typed on is looked for right
    // where it was found.
    const qsizetype shift = narrowing ? bytes.indexOf(m_needleBytes) : 0;
    m_needle = folded;
    m_needleBytes = bytes;
    m_kept.clear();
    if (!narrowing) {
        m_matches.fill(Match::Unknown, m_needle.isEmpty() ? 0 : m_records->count());
        m_firstAt.fill(0, m_matches.size());
    }
    // The texts to look through are gathered here, folding any not folded yet. The looking waits
    // on memory for every text, so a long list shares it with a second thread.
    std::vector<int> rows;
    std::vector<const QByteArray *> texts;
    for (qsizetype row = 0; row < m_matches.size(); ++row) {
        if (m_matches[row] != Match::No) {
            rows.push_back(int(row));
            texts.push_back(&m_records->foldedText(int(row)));
        }
    }
    Match *const matches = m_matches.data();
    int *const firstAt = m_firstAt.data();
    const auto look = [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            const int row = rows[i];
            const qsizetype from = matches[row] == Match::Yes ? std::max<qsizetype>(0, firstAt[row] - shift) : 0;
            const qsizetype at = firstMatch(*texts[i], from);
            matches[row] = at >= 0 ? Match::Yes : Match::No;
            firstAt[row] = int(std::max<qsizetype>(at, 0));
        }
    };
    if (rows.size() >= kSharedFrom) {
        std::thread other(look, rows.size() / 2, rows.size());
        look(0, rows.size() / 2);
        other.join();
    } else {
        look(0, rows.size());
    }
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

void RecordFilter::forgetMatches()
{
    m_matches.clear();
    m_firstAt.clear();
}

RecordFilter::Match RecordFilter::markOf(int sourceRow) const
{
    // Every row is looked at again when the marks are gone (rows moved) or do not line up with
    // the rows yet.
    return m_matches.size() == m_records->count() ? m_matches[sourceRow] : Match::Unknown;
}

int RecordFilter::matchCount() const
{
    if (!isFiltering())
        return 0;
    // A row that held the needle when it was set is listed still; the rest are looked at again.
    int count = 0;
    for (int row = 0; row < m_records->count(); ++row) {
        const Match match = markOf(row);
        if (match == Match::Yes || (match == Match::Unknown && listedRow(row) >= 0 && holds(m_records->foldedText(row))))
            ++count;
    }
    return count;
}

bool RecordFilter::isMatch(int sourceRow) const
{
    if (!isFiltering() || sourceRow < 0 || sourceRow >= m_records->count())
        return false;
    const Match match = markOf(sourceRow);
    return match == Match::Yes || (match == Match::Unknown && holds(m_records->foldedText(sourceRow)));
}

bool RecordFilter::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (m_needle.isEmpty() || (sourceRow >= m_insertingFirst && sourceRow <= m_insertingLast))
        return true;
    for (const QPersistentModelIndex &kept : m_kept) {
        if (kept.row() == sourceRow)
            return true;
    }
    return isMatch(sourceRow);
}

bool RecordFilter::holds(const QByteArray &text) const
{
    return firstMatch(text, 0) >= 0;
}

qsizetype RecordFilter::firstMatch(const QByteArray &text, qsizetype from) const
{
    // memchr runs through many bytes at a time to each place where the needle's first byte
    // stands; in text that is seldom far apart, so this beats any skipping search here.
    const qsizetype length = m_needleBytes.size();
    const char *const begin = text.constData();
    const char *at = begin + from;
    const char *const last = begin + text.size() - length; // the last place a match can start
    while (at <= last) {
        at = static_cast<const char *>(std::memchr(at, m_needleBytes[0], size_t(last - at + 1)));
        if (!at)
            return -1;
        if (std::memcmp(at + 1, m_needleBytes.constData() + 1, size_t(length - 1)) == 0)
            return at - begin;
        ++at;
    }
    return -1;
}
