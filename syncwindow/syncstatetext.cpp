// SPDX-License-Identifier: GPL-3.0-or-later
#include "syncwindow/syncstatetext.h"

#include "sync/syncoutcome.h"

#include <QLocale>

namespace syncstatetext {

namespace {

/// The time alone today, with the day before it otherwise; English names whatever the locale.
QString momentText(const QDateTime &when, const QDateTime &now)
{
    const QDateTime local = when.toLocalTime();
    const QString time = QLocale::c().toString(local.time(), QStringLiteral("H:mm"));
    if (local.date() == now.toLocalTime().date())
        return time;
    return QLocale::c().toString(local.date(), QStringLiteral("MMM d, ")) + time;
}

} // namespace

QString lastSynced(const QDateTime &when, const QDateTime &now)
{
    return QStringLiteral("Last synced ") + momentText(when, now);
}

QString afterSync(const SyncOutcome &outcome, const QDateTime &now)
{
    const QDateTime when = outcome.finishedAt.isValid() ? outcome.finishedAt : now;
    if (outcome.ok)
        return lastSynced(when, now);
    const QString error = outcome.error.isEmpty() ? QStringLiteral("The server did not answer as expected.")
                                                  : outcome.error;
    return QStringLiteral("Sync failed at %1: %2").arg(momentText(when, now), error);
}

QString conflicts(int count)
{
    const QString changed = count == 1
        ? QStringLiteral("A record was changed both here and on another device.")
        : QStringLiteral("%1 records were changed both here and on another device.").arg(count);
    return changed
        + QStringLiteral(" Nothing is lost: yours stays as it was, and the other device's version is "
                         "beside it, marked \"(changed on another device)\".");
}

} // namespace syncstatetext
