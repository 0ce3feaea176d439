// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/fieldchange.h"

#include "store/fileformat.h"

#include <QStringList>

#include <algorithm>

namespace fieldchange {

QString carriedOver(const QString &current, const QString &from, const QString &to)
{
    if (current == from || from == to)
        return current == from ? to : current;
    // Split on the separator as stored (an escaped one never splits), so joining gives the
    // exact bytes back.
    const QChar separator(fileformat::kFieldSeparator);
    QStringList fields = current.split(separator);
    QStringList before = from.split(separator);
    QStringList after = to.split(separator);
    // A field one of them lacks counts as empty there: a repeat rule set or dropped since is
    // one more changed field, never a reason to write back the whole record.
    const qsizetype currentSize = fields.size();
    const qsizetype toSize = after.size();
    const qsizetype size = std::max({currentSize, before.size(), toSize});
    for (QStringList *list : {&fields, &before, &after}) {
        while (list->size() < size)
            list->append(QString());
    }
    for (qsizetype i = 0; i < size; ++i) {
        if (before[i] != after[i])
            fields[i] = after[i];
    }
    // Trailing fields only the padding made, or that this change took away, are not written.
    while (fields.size() > 1 && fields.last().isEmpty()) {
        const qsizetype last = fields.size() - 1;
        const bool changed = before[last] != after[last];
        if (changed ? last < toSize : last < currentSize)
            break;
        fields.removeLast();
    }
    return fields.join(separator);
}

} // namespace fieldchange
