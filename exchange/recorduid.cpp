// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/recorduid.h"

#include "core/contactrecord.h"
#include "core/todorecord.h"
#include "core/websiterecord.h"

#include <QHash>
#include <QUuid>

namespace recorduid {
namespace {

/// Fixed, so a record's UID is the same on every machine and in every version.
const QUuid kNamespace(QStringLiteral("{6f0e3f52-3d1c-4b8e-9a57-0c5a3e2b9d41}"));

QString sectionName(SectionId section)
{
    switch (section) {
    case SectionId::Websites: return QStringLiteral("website");
    case SectionId::Contacts: return QStringLiteral("contact");
    case SectionId::Notes: return QStringLiteral("note");
    case SectionId::Todos: return QStringLiteral("todo");
    }
    return QString();
}

} // namespace

QString stored(SectionId section, const Record &record)
{
    switch (section) {
    case SectionId::Todos: return TodoRecord::fromTag(record.tag).uid;
    case SectionId::Contacts: return ContactRecord::fromTag(record.tag).uid;
    default: return QString();
    }
}

QString derived(SectionId section, const Record &record, int earlierTwins)
{
    const QString uid = stored(section, record);
    return uid.isEmpty() ? made(section, record, earlierTwins) : uid;
}

QList<int> twinCounts(const QList<Record> &records)
{
    QList<int> counts;
    counts.reserve(records.size());
    QHash<QString, int> seen;
    seen.reserve(records.size());
    for (const Record &record : records)
        counts.append(seen[record.caption + QChar(0x1F) + record.tag]++);
    return counts;
}

QString made(SectionId section, const Record &record, int earlierTwins)
{
    const QString name = sectionName(section) + QChar(0x1F) + record.caption + QChar(0x1F) + record.tag
        + QChar(0x1F) + QString::number(earlierTwins);
    const QString uuid = QUuid::createUuidV5(kNamespace, name).toString(QUuid::WithoutBraces);
    // vCard 4.0 wants a URI.
    return section == SectionId::Contacts ? QStringLiteral("urn:uuid:") + uuid : uuid;
}

QStringList identities(SectionId section, const QList<Record> &records)
{
    QStringList keys;
    keys.reserve(records.size());
    if (section == SectionId::Websites) {
        for (const Record &record : records)
            keys.append(WebsiteRecord::fromTag(record.tag).url.trimmed());
        return keys;
    }
    const QList<int> twins = twinCounts(records);
    for (qsizetype i = 0; i < records.size(); ++i)
        keys.append(derived(section, records[i], twins[i]));
    return keys;
}

QList<int> rowsOrAll(const QList<int> &rows, qsizetype count)
{
    QList<int> chosen;
    if (rows.isEmpty()) {
        for (int row = 0; row < count; ++row)
            chosen.append(row);
    }
    for (const int row : rows) {
        if (row >= 0 && row < count)
            chosen.append(row);
    }
    return chosen;
}

} // namespace recorduid
