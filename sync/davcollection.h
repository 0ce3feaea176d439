// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

/// A task list or address book on the server.
struct DavCollection
{
    QUrl url;
    QString displayName;
    /// A calendar that holds to-dos; false: an address book.
    bool tasks = false;

    friend bool operator==(const DavCollection &, const DavCollection &) = default;
};
