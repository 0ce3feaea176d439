// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/datafile.h"
#include "sync/davcollection.h"
#include "sync/syncaccount.h"
#include "sync/syncoutcome.h"

#include <QList>
#include <QObject>
#include <QSet>

#include <functional>
#include <map>
#include <memory>

class Document;

/// Syncs a document's to-dos and contacts with a CalDAV/CardDAV server, in the background: the
/// network is asynchronous and nothing here waits for it. Changes from the server land in the
/// document's models, so a window shows them and its next save writes them.
class SyncSession : public QObject
{
    Q_OBJECT
public:
    explicit SyncSession(Document *document, QObject *parent = nullptr);
    ~SyncSession() override;

    /// The account as stored for the document's folder is used until this is called.
    void setAccount(const SyncAccount &account);
    SyncAccount account() const;
    void setPassword(const QString &password);

    /// Starts a sync; while one runs, one more is queued (however often this is called).
    /// finished() tells how each ended.
    void syncNow();
    /// Asks the server for its task lists and address books: collectionsFound() or
    /// discoveryFailed().
    void discover();
    bool isRunning() const;

    /// The account stored in the sync state beside the data file in dataFolder; empty when none.
    static SyncAccount storedAccount(const QString &dataFolder);
    /// Stores it there (never the password); false when the state could not be written.
    static bool saveAccount(const QString &dataFolder, const SyncAccount &account);
    /// When the folder last synced well; invalid when never.
    static QDateTime lastSynced(const QString &dataFolder);
    /// The session made for this document, if any (the first, when there are several).
    static SyncSession *of(const Document *document);

signals:
    void started();
    void finished(const SyncOutcome &outcome);
    void collectionsFound(const QList<DavCollection> &collections);
    void discoveryFailed(const QString &error, bool passwordRefused);

private:
    struct Run;
    void begin();
    void discoverThen(std::function<void()> next);
    /// The section's records as one collection's text, made on a worker; then gets it (empty
    /// for fewer than two records) and how many records it holds.
    void wholeCollection(SectionId section, std::function<void(const QByteArray &, int)> then);
    void chooseCollections(const QList<DavCollection> &found);
    void syncSection(SectionId section);
    /// Ends a sync that went well, saying what changed and what could not be synced.
    void endWell();
    void end(SyncOutcome outcome);
    /// The data file now holds what the models hold: the items that came from the server and
    /// are in it, or came in this run (a missing one was removed by the user), are kept here.
    void documentSaved();
    QString folder() const;

    Document *m_document;
    SyncAccount m_account;
    bool m_accountSet = false;
    QString m_password;
    bool m_queued = false;
    std::unique_ptr<Run> m_run;
    /// By section, the UIDs of the items that came from the server while the program runs.
    std::map<SectionId, QSet<QString>> m_arrived;
};
