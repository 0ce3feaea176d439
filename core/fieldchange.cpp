// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/fieldchange.h"

#include "store/fileformat.h"

#include <QStringList>

namespace fieldchange {

QString carriedOver(const QString &current, const QString &from, const QString &to)
{
    if (current == from || from == to)
        return current == from ? to : current;
    // Split on the separator as stored (an escaped one never splits), so joining gives the
    // exact bytes back.
    const QChar separator(fileformat::kFieldSeparator);
    QStringList fields = current.split(separator);
    const QStringList before = from.split(separator);
    const QStringList after = to.split(separator);
    if (fields.size() != before.size() || before.size() != after.size())
        return to;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (before[i] != after[i])
            fields[i] = after[i];
    }
    return fields.join(separator);
}

} // namespace fieldchange
