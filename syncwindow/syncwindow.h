// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/davcollection.h"
#include "sync/syncaccount.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

/// frmSync: where the user names the server, their user name and password, picks the task list
/// and address book, syncs at once, and reads how the last sync went. It only shows and asks:
/// whoever opens it does the syncing, told through its signals.
class SyncWindow : public QDialog
{
    Q_OBJECT
public:
    explicit SyncWindow(QWidget *parent);

    /// Fills the boxes; the lists offer the account's task list and address book until the
    /// server's are found.
    void setAccount(const SyncAccount &account);
    void setPassword(const QString &password);
    /// The account the boxes describe, with the chosen lists; empty when the boxes are not
    /// filled in well.
    SyncAccount account() const;
    QString password() const;

    /// Shows why the password is wanted and puts the cursor in its box.
    void askForPassword(const QString &why);
    /// The state line: how the last sync went, or what is happening.
    void showState(const QString &text);
    QString state() const;
    /// The server's task lists and address books, for the user to choose from.
    void showCollections(const QList<DavCollection> &collections);

    /// "Sync now": the boxes are read first, and a mistake in them is said in the state line.
    void syncNow();
    /// "Find lists": asks the server for its task lists and address books.
    void findCollections();

signals:
    /// The user wants a sync now, with this account and password (the password may be empty
    /// when it was not retyped).
    void syncWanted(const SyncAccount &account, const QString &password);
    void collectionsWanted(const SyncAccount &account, const QString &password);
    /// Another task list or address book was chosen.
    void collectionsChosen(const SyncAccount &account);

private:
    /// The typed account, or none after the mistake was shown.
    bool readBoxes(SyncAccount *account);
    void fillChoice(QComboBox *box, const QList<DavCollection> &collections, const QUrl &current);
    void choiceChanged();

    QLineEdit *m_serverEdit = nullptr;
    QLineEdit *m_userEdit = nullptr;
    QLineEdit *m_passwordEdit = nullptr;
    QComboBox *m_taskListBox = nullptr;
    QComboBox *m_addressBookBox = nullptr;
    QPushButton *m_findButton = nullptr;
    QPushButton *m_syncButton = nullptr;
    QLabel *m_stateLabel = nullptr;
    SyncAccount m_shown;
    bool m_filling = false;
};
