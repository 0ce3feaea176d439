// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/syncaccount.h"

#include <QString>

/// The account the Sync window's boxes describe, or what is wrong with them in plain words.
struct AccountInput
{
    SyncAccount account;
    QString problem;
    /// The box to go back to when there is a problem: "server" or "user".
    QString problemBox;

    bool isValid() const { return problem.isEmpty(); }

    /// Reads the typed address and user name. An address without a scheme is taken as https;
    /// a user name in the address ("https://alice@dav.example.org/") fills an empty user box,
    /// and the address is kept without it (and without any password typed into it).
    static AccountInput read(const QString &serverText, const QString &userText);
};
