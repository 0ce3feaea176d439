// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/collectionsync.h"

#include "core/removerecordcommand.h"
#include "exchange/foreignproperties.h"
#include "exchange/recorduid.h"
#include "store/recordlistmodel.h"
#include "sync/syncitems.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QUndoStack>

namespace {

/// Writes under way at once: enough to keep a server busy, few enough to stay polite.
constexpr int kWritesInFlight = 6;
/// The most one turn of the event loop spends reading or comparing items (at least one item
/// a turn): a window keeps answering.
constexpr qint64 kTurnMs = 8;
/// A write refused again and again (someone else keeps changing the item) waits for the next sync.
constexpr int kMostAttempts = 3;

} // namespace

CollectionSync::CollectionSync(SectionId section, RecordListModel *model, DavServer *server, SyncState *state,
                               const QUrl &collection, QObject *parent)
    : QObject(parent), m_section(section), m_model(model), m_server(server), m_state(state), m_collection(collection)
{
}

void CollectionSync::run(std::function<void(const DavFailure &)> done)
{
    m_done = std::move(done);
    m_base = m_state->collection(m_section);
    // Another collection's items say nothing about this one: everything is compared by UID.
    if (m_base.url != m_collection)
        m_base = CollectionState{m_collection, QString(), {}, {}};
    if (m_base.items.isEmpty())
        m_base.token.clear();
    m_next = m_base;
    for (auto it = m_base.items.cbegin(); it != m_base.items.cend(); ++it)
        m_uidAtHref.insert(it->href, it.key());
    findUnkept();
    QPointer<CollectionSync> self(this);
    m_server->listChanges(m_collection, m_base.token, [self](const DavListing &listing) {
        if (self)
            self->listed(listing);
    });
}

void CollectionSync::findUnkept()
{
    // A record that arrived from the server is in the data file only once it was saved: one
    // missing before that, or older than what arrived, was lost (a crash, a recovery copy
    // declined), not removed or changed by the user.
    QHash<QString, QByteArray> here;
    for (auto it = m_base.items.cbegin(); it != m_base.items.cend(); ++it) {
        if (it->kept || m_arrived.contains(it.key()))
            continue;
        if (here.isEmpty()) {
            for (const Record &record : m_model->records())
                here.insert(syncitems::uidOf(m_section, record), syncitems::localHash(record));
        }
        const auto local = here.constFind(it.key());
        if (local == here.constEnd() || *local != it->localHash)
            m_refetch.insert(it->href);
    }
}

void CollectionSync::listed(const DavListing &listing)
{
    if (listing.failure.failed())
        return fail(listing.failure);
    m_token = listing.token;
    QStringList wanted;
    QSet<QString> present;
    for (const DavEntry &entry : listing.present) {
        present.insert(entry.href);
        m_listedEtag.insert(entry.href, entry.etag);
        const auto known = m_uidAtHref.constFind(entry.href);
        if (known == m_uidAtHref.constEnd() || entry.etag.isEmpty() || m_base.items[*known].etag != entry.etag
            || m_refetch.contains(entry.href))
            wanted.append(entry.href);
    }
    for (const QString &href : listing.removed)
        m_goneHrefs.insert(href);
    for (auto it = m_base.items.cbegin(); it != m_base.items.cend(); ++it) {
        if (present.contains(it->href))
            continue;
        if (listing.complete)
            m_goneHrefs.insert(it->href);
        else if ((it->etag.isEmpty() || m_refetch.contains(it->href)) && !m_goneHrefs.contains(it->href))
            wanted.append(it->href); // its ETag was lost, or it is wanted again here
    }
    if (wanted.isEmpty())
        return reconcile();
    QPointer<CollectionSync> self(this);
    m_server->fetch(m_collection, wanted, [self](const DavFetched &fetched) {
        if (self)
            self->fetched(fetched);
    });
}

void CollectionSync::fetched(const DavFetched &fetched)
{
    if (fetched.failure.failed())
        return fail(fetched.failure);
    m_fetchedItems = fetched.items;
    readFetched(0);
}

void CollectionSync::readFetched(qsizetype from)
{
    // Reading many items takes a while: a slice at a time, so a window keeps answering.
    QElapsedTimer turn;
    turn.start();
    qsizetype to = from;
    for (; to < m_fetchedItems.size() && (to == from || turn.elapsed() < kTurnMs); ++to) {
        const qsizetype i = to;
        const DavItem &item = m_fetchedItems[i];
        m_fetchedHrefs.insert(item.href);
        const std::optional<Record> record = syncitems::recordOf(m_section, item.data);
        // An item Quillet cannot read (an event in a task list, a broken card) is left alone.
        if (!record)
            continue;
        const QString uid = syncitems::uidOf(m_section, *record);
        const QString before = m_uidAtHref.value(item.href);
        if (!before.isEmpty() && before != uid)
            m_goneHrefs.insert(item.href); // the item at this place is another one now
        m_serverRecords.insert(uid, {item.href, item.etag, *record, syncitems::contentHash(m_section, *record)});
        m_serverTexts.insert(uid, item.data);
    }
    if (to < m_fetchedItems.size()) {
        QTimer::singleShot(0, this, [this, to] { readFetched(to); });
        return;
    }
    m_fetchedItems.clear();
    // Listed, then removed before it could be fetched.
    for (auto it = m_listedEtag.cbegin(); it != m_listedEtag.cend(); ++it) {
        if (!m_fetchedHrefs.contains(it.key()) && m_uidAtHref.contains(it.key())
            && m_base.items[m_uidAtHref[it.key()]].etag != it.value())
            m_goneHrefs.insert(it.key());
    }
    for (const QString &href : std::as_const(m_refetch)) {
        if (!m_fetchedHrefs.contains(href))
            m_goneHrefs.insert(href);
    }
    m_unhashed = m_model->records();
    hashLocal(0);
}

void CollectionSync::hashLocal(qsizetype from)
{
    // What the records here say as items, for those the server has and the state does not
    // know (a first sync, a lost state): sliced as the reading.
    QElapsedTimer turn;
    turn.start();
    qsizetype to = from;
    for (; to < m_unhashed.size() && (to == from || turn.elapsed() < kTurnMs); ++to) {
        const qsizetype i = to;
        const QString uid = syncitems::uidOf(m_section, m_unhashed[i]);
        if (m_serverRecords.contains(uid) && !m_base.items.contains(uid))
            m_localContent.insert(uid, {syncitems::localHash(m_unhashed[i]), syncitems::contentHash(m_section, m_unhashed[i])});
    }
    if (to < m_unhashed.size()) {
        QTimer::singleShot(0, this, [this, to] { hashLocal(to); });
        return;
    }
    m_unhashed.clear();
    reconcile();
}

QByteArray CollectionSync::localContent(const QString &uid, const Record &record) const
{
    const auto known = m_localContent.constFind(uid);
    if (known != m_localContent.constEnd() && known->first == syncitems::localHash(record))
        return known->second;
    return syncitems::contentHash(m_section, record);
}

QHash<QString, Record> CollectionSync::identify(SectionId section, RecordListModel *model)
{
    // Every record needs a UID of its own before it can go to a server: one made from its
    // content (the one an export gives it) where it has none, a new one for a second record
    // holding the same UID.
    QHash<QString, Record> local;
    const QList<Record> records = model->records();
    const QList<int> twins = recorduid::twinCounts(records);
    for (int row = 0; row < records.size(); ++row) {
        QString uid = syncitems::uidOf(section, records[row]);
        if (uid.isEmpty())
            uid = recorduid::made(section, records[row], twins[row]);
        if (local.contains(uid))
            uid = syncitems::freshUid(section);
        Record record = records[row];
        if (uid != syncitems::uidOf(section, record)) {
            record = syncitems::withUid(section, record, uid);
            model->setTag(row, record.tag);
        }
        local.insert(uid, record);
    }
    return local;
}

void CollectionSync::reconcile()
{
    const QHash<QString, Record> local = identify(m_section, m_model);
    QSet<QString> gone;
    for (const QString &href : std::as_const(m_goneHrefs)) {
        const QString uid = m_uidAtHref.value(href);
        const auto moved = m_serverRecords.constFind(uid);
        if (!uid.isEmpty() && (moved == m_serverRecords.constEnd() || moved->href == href))
            gone.insert(uid);
    }
    QSet<QString> uids;
    for (auto it = local.cbegin(); it != local.cend(); ++it)
        uids.insert(it.key());
    for (auto it = m_base.items.cbegin(); it != m_base.items.cend(); ++it)
        uids.insert(it.key());
    for (auto it = m_serverRecords.cbegin(); it != m_serverRecords.cend(); ++it)
        uids.insert(it.key());
    for (const QString &uid : std::as_const(uids)) {
        const auto l = local.constFind(uid);
        const auto b = m_base.items.constFind(uid);
        const auto s = m_serverRecords.constFind(uid);
        decide(uid, l == local.constEnd() ? nullptr : &*l, b == m_base.items.constEnd() ? nullptr : &*b,
               s == m_serverRecords.constEnd() ? nullptr : &*s, gone.contains(uid) && s == m_serverRecords.constEnd());
    }
    applyLocalChanges();
    writeNext();
}

void CollectionSync::decide(const QString &uid, const Record *local, const SyncedItem *base, const ServerRecord *server,
                            bool gone)
{
    if (!base) {
        // Never synced, or the state was lost: the same UID on both sides is one item.
        if (local && server) {
            if (localContent(uid, *local) == server->content)
                m_next.items.insert(uid, {server->href, server->etag, syncitems::localHash(*local), server->content, true});
            else
                conflict(uid, *local, *server, true);
        } else if (local) {
            putNew(uid, *local, syncitems::hrefFor(m_collection, m_section, uid), true);
        } else if (server) {
            m_additions.append(server->record);
            keepServerVersion(uid, *server, server->record);
        }
        return;
    }
    if (!local && m_refetch.contains(base->href) && !gone) {
        // Lost here before a save kept it: it comes again. One the server holds but Quillet
        // could not read waits, its state as it was.
        if (server) {
            m_additions.append(server->record);
            keepServerVersion(uid, *server, server->record);
        }
        return;
    }
    if (local && server && m_refetch.contains(base->href) && !gone) {
        // Here the version from before it arrived, or one typed since: compared as on a first
        // sync, and kept both where they differ.
        if (localContent(uid, *local) == server->content)
            m_next.items.insert(uid, {server->href, server->etag, syncitems::localHash(*local), server->content, true});
        else
            conflict(uid, *local, *server, true);
        return;
    }
    const bool changedHere = local && syncitems::localHash(*local) != base->localHash;
    if (gone) {
        m_next.items.remove(uid);
        if (changedHere) {
            putNew(uid, *local, base->href, base->kept); // changed here: it goes back
        } else if (local) {
            m_removals.insert(uid);
        }
        return;
    }
    if (server && server->content != base->contentHash) {
        if (!local) {
            m_additions.append(server->record); // removed here, changed there: nothing is lost
            keepServerVersion(uid, *server, server->record);
        } else if (!changedHere) {
            m_updates.insert(uid, server->record);
            keepServerVersion(uid, *server, server->record);
        } else if (localContent(uid, *local) == server->content) {
            m_next.items.insert(uid, {server->href, server->etag, syncitems::localHash(*local), server->content, base->kept});
        } else {
            conflict(uid, *local, *server, base->kept);
        }
        return;
    }
    // The server still holds what was synced, perhaps under a new ETag.
    const QString etag = server ? server->etag : base->etag;
    if (server)
        m_next.items[uid].etag = etag;
    if (!local)
        m_writes.append({uid, base->href, etag, std::nullopt, base->contentHash, 0, base->kept, 0});
    else if (changedHere)
        m_writes.append({uid, base->href, etag, *local, base->contentHash, 0, base->kept, 0});
}

void CollectionSync::keepServerVersion(const QString &uid, const ServerRecord &server, const Record &applied)
{
    ++m_counts.received;
    m_arrived.insert(uid);
    m_next.items.insert(uid, {server.href, server.etag, syncitems::localHash(applied), server.content, false});
}

void CollectionSync::conflict(const QString &uid, const Record &local, const ServerRecord &server, bool kept)
{
    ++m_counts.conflicts;
    const Record copy = syncitems::conflictCopy(m_section, server.record);
    m_additions.append(copy);
    ++m_counts.received;
    const QString copyUid = syncitems::uidOf(m_section, copy);
    m_arrived.insert(copyUid);
    putNew(copyUid, copy, syncitems::hrefFor(m_collection, m_section, copyUid), false);
    m_writes.last().textOf = uid;
    // Until ours is written, the state says the server holds its own version.
    m_next.items.insert(uid, {server.href, server.etag, QByteArray(), server.content, kept});
    m_writes.append({uid, server.href, server.etag, local, server.content, 0, kept, 0});
}

void CollectionSync::putNew(const QString &uid, const Record &record, const QString &href, bool kept)
{
    m_writes.append({uid, href, QString(), record, QByteArray(), 0, kept, 0});
}

void CollectionSync::documentSaved(const QSet<QString> &here)
{
    ++m_saves;
    for (auto it = m_next.items.begin(); it != m_next.items.end(); ++it) {
        if (here.contains(it.key()) || m_arrived.contains(it.key()))
            it->kept = true;
    }
    for (Write &write : m_writes)
        write.kept = true;
}

void CollectionSync::applyLocalChanges()
{
    if (!m_updates.isEmpty() || !m_removals.isEmpty()) {
        QList<int> removedRows;
        const QList<Record> records = m_model->records();
        for (int row = 0; row < records.size(); ++row) {
            const QString uid = syncitems::uidOf(m_section, records[row]);
            if (m_removals.contains(uid)) {
                removedRows.prepend(row);
            } else if (const auto update = m_updates.constFind(uid); update != m_updates.constEnd()) {
                if (records[row].caption != update->caption)
                    m_model->setCaption(row, update->caption);
                if (records[row].tag != update->tag)
                    m_model->setTag(row, update->tag);
            }
        }
        removeRows(removedRows);
        m_counts.removedHere += int(removedRows.size());
    }
    if (!m_additions.isEmpty())
        m_model->appendRecords(m_additions);
}

void CollectionSync::removeRows(const QList<int> &rows)
{
    if (rows.isEmpty())
        return;
    if (!m_history) {
        for (const int row : rows)
            m_model->removeRecord(row);
        return;
    }
    // One step for all of them, rows from the bottom up so each still names its record.
    auto *step = new QUndoCommand(tr("Removed on another device"));
    for (const int row : rows)
        new RemoveRecordCommand(m_model, row, step->text(), step);
    m_history->push(step);
}

void CollectionSync::writeNext()
{
    if (m_stopped)
        return;
    while (m_inFlight < kWritesInFlight && !m_writes.isEmpty()) {
        Write write = m_writes.takeFirst();
        write.saves = m_saves;
        if (write.record)
            write.body = bodyOf(write);
        ++m_inFlight;
        QPointer<CollectionSync> self(this);
        const auto done = [self, write](const DavWritten &result) {
            if (self)
                self->written(write, result);
        };
        if (write.record)
            m_server->put(write.href, write.body, write.ifMatch, done);
        else
            m_server->remove(write.href, write.ifMatch, done);
    }
    if (m_inFlight == 0 && m_writes.isEmpty())
        finish();
}

QByteArray CollectionSync::bodyOf(const Write &write) const
{
    const QByteArray ours = syncitems::itemText(m_section, *write.record, QDateTime::currentDateTimeUtc());
    const QString uid = write.textOf.isEmpty() ? write.uid : write.textOf;
    const auto fetched = m_serverTexts.constFind(uid);
    const QByteArray theirs = fetched != m_serverTexts.constEnd() ? *fetched : m_state->serverText(m_section, uid);
    return foreignproperties::carried(m_section, ours, theirs);
}

void CollectionSync::written(const Write &write, const DavWritten &result)
{
    --m_inFlight;
    if (result.ok()) {
        if (write.record) {
            ++m_counts.sent;
            m_next.items.insert(write.uid, {write.href, result.etag, syncitems::localHash(*write.record),
                                            syncitems::contentHash(m_section, *write.record), keptAfter(write)});
            m_next.texts.insert(write.uid, write.body);
        } else {
            ++m_counts.removedThere;
            m_next.items.remove(write.uid);
        }
    } else if (result.status == 404 && !write.record) {
        m_next.items.remove(write.uid); // already gone
    } else if (result.status == 404 && !write.ifMatch.isEmpty()) {
        Write again = write;
        again.kept = keptAfter(write);
        again.ifMatch.clear(); // removed there meanwhile: ours goes back
        m_writes.append(again);
    } else if (result.status == 412) {
        refused(write);
        return;
    } else if (!m_failure.failed()) {
        // The state keeps what it had for this item: the next sync tries it again.
        m_failure = result.failure.failed() ? result.failure : DavFailure{QStringLiteral("The server refused a change."), false};
    }
    writeNext();
}

void CollectionSync::refused(const Write &write)
{
    ++m_inFlight;
    QPointer<CollectionSync> self(this);
    m_server->fetch(m_collection, {write.href}, [self, write](const DavFetched &fetched) {
        if (self)
            self->recheck(write, fetched);
    });
}

void CollectionSync::recheck(const Write &write, const DavFetched &fetched)
{
    --m_inFlight;
    if (fetched.failure.failed()) {
        if (!m_failure.failed())
            m_failure = fetched.failure;
        return writeNext();
    }
    if (write.attempt + 1 >= kMostAttempts) {
        if (!m_failure.failed())
            m_failure = {QStringLiteral("An item kept changing on the server during the sync; the next sync tries again."), false};
        return writeNext();
    }
    Write again = write;
    again.kept = keptAfter(write);
    ++again.attempt;
    std::optional<Record> there;
    QString etag;
    if (!fetched.items.isEmpty()) {
        there = syncitems::recordOf(m_section, fetched.items.first().data);
        etag = fetched.items.first().etag;
        m_serverTexts.insert(write.uid, fetched.items.first().data);
    }
    if (fetched.items.isEmpty()) {
        // Gone: a removal is done, a change goes back as a new item.
        if (!write.record) {
            m_next.items.remove(write.uid);
            return writeNext();
        }
        again.ifMatch.clear();
        m_writes.append(again);
        return writeNext();
    }
    if (!there) {
        if (!m_failure.failed())
            m_failure = {QStringLiteral("The server holds an item Quillet cannot read where it meant to write."), false};
        return writeNext();
    }
    const QByteArray content = syncitems::contentHash(m_section, *there);
    const ServerRecord server{write.href, etag, *there, content};
    if (!write.record) {
        if (content == write.serverContent) {
            again.ifMatch = etag;
            m_writes.append(again);
        } else {
            // Changed there after it was removed here: it comes back.
            m_model->appendRecords({*there});
            keepServerVersion(write.uid, server, *there);
        }
        return writeNext();
    }
    if (content == syncitems::contentHash(m_section, *write.record)) {
        m_next.items.insert(write.uid, {write.href, etag, syncitems::localHash(*write.record), content, keptAfter(write)});
    } else if (!write.serverContent.isEmpty() && content == write.serverContent) {
        again.ifMatch = etag; // only its ETag changed
        m_writes.append(again);
    } else {
        ++m_counts.conflicts;
        const Record copy = syncitems::conflictCopy(m_section, *there);
        m_model->appendRecords({copy});
        ++m_counts.received;
        const QString copyUid = syncitems::uidOf(m_section, copy);
        m_arrived.insert(copyUid);
        putNew(copyUid, copy, syncitems::hrefFor(m_collection, m_section, copyUid), false);
        m_writes.last().textOf = write.uid;
        m_next.items.insert(write.uid, {write.href, etag, QByteArray(), content, keptAfter(write)});
        again.ifMatch = etag;
        again.serverContent = content;
        m_writes.append(again);
    }
    writeNext();
}

void CollectionSync::fail(const DavFailure &failure)
{
    m_failure = failure;
    m_stopped = true;
    m_done(m_failure);
}

void CollectionSync::finish()
{
    if (m_stopped)
        return;
    m_stopped = true;
    m_next.url = m_collection;
    m_next.token = m_token;
    // What was fetched, where nothing was written over it since.
    for (auto it = m_serverTexts.cbegin(); it != m_serverTexts.cend(); ++it) {
        if (!m_next.texts.contains(it.key()))
            m_next.texts.insert(it.key(), it.value());
    }
    if (!m_state->saveCollection(m_section, m_next) && !m_failure.failed())
        m_failure = {m_state->error(), false};
    m_done(m_failure);
}
