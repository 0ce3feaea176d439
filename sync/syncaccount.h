// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

/// Where and as whom the data folder syncs. Never holds the password: that stays in the keyring.
struct SyncAccount
{
    /// The address the user typed; the user name is not kept in it.
    QUrl server;
    QString user;
    /// The task list and address book to use; empty: the first the server has, or a new
    /// "Quillet" one where it has none.
    QUrl taskList;
    QUrl addressBook;

    bool isEmpty() const { return server.isEmpty(); }
    friend bool operator==(const SyncAccount &, const SyncAccount &) = default;
};
