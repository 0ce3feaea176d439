// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/datafile.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <QUrl>

/// A record as it was when last synced: which server item it is, and what both sides said then.
struct SyncedItem
{
    QString href;
    /// Empty when the server gave none: the item is then fetched and compared.
    QString etag;
    /// syncitems::localHash of the record here, and contentHash of what the server holds.
    QByteArray localHash;
    QByteArray contentHash;
    /// False while the record came from the server and the data file here does not hold it yet:
    /// until then its absence here is no deletion made here.
    bool kept = true;
};

/// What one collection held at the last sync, its items by UID.
struct CollectionState
{
    QUrl url;
    QString token;
    QHash<QString, SyncedItem> items;
    /// Items' texts as the server holds them now, where this sync learnt them: what other
    /// programs wrote into an item goes back with Quillet's next change of it. Read one at a
    /// time with SyncState::serverText().
    QHash<QString, QByteArray> texts;
};

/// The sync state of a data folder, in an SQLite file beside the data file: the account (never
/// its password), and per section its collection, sync token and items. Every write is one
/// transaction, so a crash leaves the state as it was before or after, never half of it. A file
/// that cannot be read is moved aside: the next sync then compares everything by UID.
class SyncState
{
public:
    explicit SyncState(const QString &dataFolder);
    ~SyncState();
    SyncState(const SyncState &) = delete;
    SyncState &operator=(const SyncState &) = delete;

    static QString fileName() { return QStringLiteral("syncstate.sqlite"); }

    /// False, with error(), when no state can be kept in the folder.
    bool open();
    QString error() const { return m_error; }

    QString value(const QString &key) const;
    bool setValues(const QHash<QString, QString> &values);

    CollectionState collection(SectionId section) const;
    bool saveCollection(SectionId section, const CollectionState &state);
    /// The item's text as the server last held it; empty when unknown.
    QByteArray serverText(SectionId section, const QString &uid) const;
    /// The UIDs of a section's items not yet kept here.
    QSet<QString> unkept(SectionId section) const;
    /// These items are in the data file now.
    bool markKept(SectionId section, const QSet<QString> &uids);

private:
    enum class Opened { Ready, Damaged, Failed };
    Opened prepare();
    bool addKeptColumn();
    bool fail(const QString &what);

    QString m_path;
    QString m_connection;
    QSqlDatabase m_db;
    QString m_error;
};
