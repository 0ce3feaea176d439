// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/davserver.h"
#include "sync/syncstate.h"

#include <QHash>
#include <QObject>
#include <QSet>

#include <functional>
#include <optional>

class QUndoStack;
class RecordListModel;

/// What one sync of a section did.
struct SyncCounts
{
    /// Records added or changed here, and removed here, because of the server.
    int received = 0;
    int removedHere = 0;
    /// Items written to the server, and removed there.
    int sent = 0;
    int removedThere = 0;
    /// Items changed on both sides: the server's version was kept beside ours.
    int conflicts = 0;
};

/// One two-way sync of a section's records with a collection on a server.
///
/// Lists what changed on the server (since the sync token, or everything), fetches what it does
/// not know, then decides per UID from what both sides held at the last sync: a side that
/// changed wins; changed on both sides keeps both (the server's as a second record); changed
/// here and deleted there goes back to the server. Changes land in the model at once; writes to
/// the server are conditional (If-Match, If-None-Match: *) and a refused one is fetched and
/// compared again, never overwritten blindly. The state is written once, when all is done.
class CollectionSync : public QObject
{
    Q_OBJECT
public:
    CollectionSync(SectionId section, RecordListModel *model, DavServer *server, SyncState *state,
                   const QUrl &collection, QObject *parent = nullptr);

    /// Runs the sync; done is called once, with the first failure or none.
    void run(std::function<void(const DavFailure &)> done);
    SyncCounts counts() const { return m_counts; }
    /// Items that arrived from the server earlier in this run of the program: one missing here
    /// was removed here, by the user.
    void setArrivedEarlier(const QSet<QString> &uids) { m_arrived = uids; }
    /// The history of the user's changes: records removed on the server leave through it, so
    /// the rows its steps name stay right (and the removal can be taken back).
    void setHistory(QUndoStack *history) { m_history = history; }
    /// Those and the ones that arrived in this sync.
    QSet<QString> arrived() const { return m_arrived; }
    /// The data file was saved while this runs, holding the records with these UIDs.
    void documentSaved(const QSet<QString> &here);

    /// The model's records by UID, each given one of its own first where it has none (written
    /// into the model).
    static QHash<QString, Record> identify(SectionId section, RecordListModel *model);

private:
    /// A write to the server still to make.
    struct Write
    {
        QString uid;
        QString href;
        /// The ETag to match; empty: only where there is no item yet.
        QString ifMatch;
        /// The record to write; none: remove the item.
        std::optional<Record> record;
        /// What the server held when this was planned (contentHash), to tell a refused write's
        /// cause apart; empty when unknown.
        QByteArray serverContent;
        int attempt = 0;
        /// False for a record that came from the server and was not yet saved here.
        bool kept = true;
        /// Saves of the data file when it was sent: one more since, and the record is kept.
        int saves = 0;
        /// The item whose text on the server lends this one what Quillet has no field for
        /// (a conflict's copy borrows from the item it copies); empty: its own.
        QString textOf = {};
        /// What was sent.
        QByteArray body = {};
    };
    /// A server item as read.
    struct ServerRecord
    {
        QString href;
        QString etag;
        Record record;
        QByteArray content;
    };

    void findUnkept();
    void listed(const DavListing &listing);
    void fetched(const DavFetched &fetched);
    void readFetched(qsizetype from);
    void hashLocal(qsizetype from);
    /// contentHash of a record here, worked out ahead where it could be.
    QByteArray localContent(const QString &uid, const Record &record) const;
    void reconcile();
    void decide(const QString &uid, const Record *local, const SyncedItem *base, const ServerRecord *server, bool gone);
    void applyLocalChanges();
    void removeRows(const QList<int> &rows);
    void keepServerVersion(const QString &uid, const ServerRecord &server, const Record &applied);
    void conflict(const QString &uid, const Record &local, const ServerRecord &server, bool kept);
    void putNew(const QString &uid, const Record &record, const QString &href, bool kept);
    bool keptAfter(const Write &write) const { return write.kept || m_saves != write.saves; }
    void writeNext();
    /// The write's item text, with what other programs keep in the item on the server.
    QByteArray bodyOf(const Write &write) const;
    void written(const Write &write, const DavWritten &result);
    void refused(const Write &write);
    void recheck(const Write &write, const DavFetched &fetched);
    void fail(const DavFailure &failure);
    void finish();

    const SectionId m_section;
    RecordListModel *const m_model;
    QUndoStack *m_history = nullptr;
    DavServer *const m_server;
    SyncState *const m_state;
    const QUrl m_collection;
    std::function<void(const DavFailure &)> m_done;

    CollectionState m_base;
    CollectionState m_next;
    QString m_token;
    QHash<QString, QString> m_uidAtHref;
    /// Items that came from the server and are missing or older here before a save kept them:
    /// fetched again and compared rather than removed or overwritten there.
    QSet<QString> m_refetch;
    QSet<QString> m_arrived;
    QHash<QString, QString> m_listedEtag;
    QSet<QString> m_goneHrefs;
    QHash<QString, ServerRecord> m_serverRecords;
    /// Items' texts as fetched in this sync, by UID.
    QHash<QString, QByteArray> m_serverTexts;
    QList<DavItem> m_fetchedItems;
    QSet<QString> m_fetchedHrefs;
    QList<Record> m_unhashed;
    /// By UID: the record's localHash and contentHash when they were worked out.
    QHash<QString, QPair<QByteArray, QByteArray>> m_localContent;

    QHash<QString, Record> m_updates;
    QSet<QString> m_removals;
    QList<Record> m_additions;

    QList<Write> m_writes;
    int m_inFlight = 0;
    DavFailure m_failure;
    SyncCounts m_counts;
    int m_saves = 0;
    bool m_stopped = false;
};
