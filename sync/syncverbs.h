// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/verbs.h"

#include <QUrl>

/// The command line's --sync-account URL and --sync.
namespace syncverbs {

/// Adds them to the verbs' table; once, before the command line is read.
void add();

/// The account a --sync-account address names: the user from it, the address without it; an
/// empty one with why in *problem when the address cannot be used.
struct AccountAddress
{
    QUrl server;
    QString user;
    QString problem;
};
AccountAddress readAddress(const QString &text);

} // namespace syncverbs
