// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

/// How one sync ended.
struct SyncOutcome
{
    bool ok = false;
    /// One line of what changed ("2 to-dos received, 1 contact sent"; "Nothing changed").
    QString summary;
    /// What went wrong, in plain words; empty when ok.
    QString error;
    QDateTime finishedAt;
    /// Items changed on both sides: the server's version was added beside ours.
    int conflicts = 0;
    /// The server refused the user name or password: asking for it again may help.
    bool passwordRefused = false;
};
