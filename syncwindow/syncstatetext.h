// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

struct SyncOutcome;

/// The words the sync shows: its state line and its one message about conflicts.
namespace syncstatetext {

/// "Last synced 10:42"; on another day "Last synced Dec 5, 10:42".
QString lastSynced(const QDateTime &when, const QDateTime &now);
/// The state line after a sync: when it went well, or what went wrong in plain words.
QString afterSync(const SyncOutcome &outcome, const QDateTime &now);
/// Told once for a sync that kept both versions of changed records.
QString conflicts(int count);

} // namespace syncstatetext
