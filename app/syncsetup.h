// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"
#include "sync/davcollection.h"
#include "sync/passwordstore.h"
#include "sync/syncaccount.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace verbs {
struct Result;
}

class Document;
class SyncSchedule;
class SyncSession;
class SyncWindow;
class QWidget;
struct SyncOutcome;

/// The sync of the window's document: the session that talks to the server, the password, the
/// schedule, and the Sync window when it is open. Nothing runs while no account is stored.
class SyncSetup : public QObject
{
    Q_OBJECT
public:
    /// window: the main window, parent of the Sync window and of the messages.
    SyncSetup(const Services &services, Document *document, QWidget *window);
    ~SyncSetup() override;

    /// After the document loaded: the stored account's password is looked up, and the first
    /// sync runs once it is there.
    void start();
    /// Shows the Sync window (one at a time).
    void openWindow();
    SyncWindow *window() const;
    /// What the state line says now.
    QString state() const { return m_state; }

    SyncSession *session() const { return m_session; }
    SyncSchedule *schedule() const { return m_schedule; }
    PasswordStore *passwords() const { return m_passwords; }

private:
    QString dataFolder() const;
    QString passwordKey() const;
    void setState(const QString &text);
    /// Takes what the window says: the account (stored when it changed) and a retyped password.
    /// False when there is still no password to sync with.
    bool takeAccount(const SyncAccount &account, const QString &password);
    void passwordFound(const QString &key, const QString &password, PasswordStore::Source source);
    void syncFinished(const SyncOutcome &outcome);
    void askForPassword(const QString &why);
    void tellConflicts(int count);
    /// --sync from another start: answered with how the sync ended.
    void syncForAnotherStart(const std::function<void(const verbs::Result &)> &done);

    const Services &m_services;
    Document *m_document;
    QWidget *m_window;
    SyncSession *m_session;
    PasswordStore *m_passwords;
    SyncSchedule *m_schedule;
    QPointer<SyncWindow> m_syncWindow;
    SyncAccount m_account;
    /// What the server offered when last asked, for a Sync window opened again.
    QList<DavCollection> m_collections;
    QString m_password;
    QString m_state;
    /// Conflicts that arrived while the user was being told of earlier ones.
    int m_conflictsUntold = 0;
    bool m_telling = false;
};
