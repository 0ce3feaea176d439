// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/syncsummary.h"

#include <QStringList>

namespace {

QString counted(int n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

void describe(QStringList &parts, const SyncCounts &counts, const char *one, const char *many)
{
    const QList<QPair<int, const char *>> what{{counts.received, "received"},
                                               {counts.removedHere, "removed here"},
                                               {counts.sent, "sent"},
                                               {counts.removedThere, "removed from the server"}};
    for (const auto &[n, done] : what) {
        if (n > 0)
            parts.append(counted(n, one, many) + QLatin1Char(' ') + QLatin1String(done));
    }
}

} // namespace

QString syncSummary(const SyncCounts &todos, const SyncCounts &contacts)
{
    QStringList parts;
    describe(parts, todos, "to-do", "to-dos");
    describe(parts, contacts, "contact", "contacts");
    const int conflicts = todos.conflicts + contacts.conflicts;
    if (conflicts > 0)
        parts.append(counted(conflicts, "item", "items") + QStringLiteral(" changed on both sides (both versions kept)"));
    return parts.isEmpty() ? QStringLiteral("Nothing changed") : parts.join(QStringLiteral(", "));
}
