#include "exchange/recorduid.h"

#include "contacts/contactrecord.h"
#include "todos/todorecord.h"
#include "websites/websiterecord.h"

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
    if (!uid.isEmpty())
        return uid;
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
    QHash<QString, int> seen;
    for (const Record &record : records) {
        if (section == SectionId::Websites) {
            keys.append(WebsiteRecord::fromTag(record.tag).url.trimmed());
            continue;
        }
        int &twins = seen[record.caption + QChar(0x1F) + record.tag];
        keys.append(derived(section, record, twins));
        ++twins;
    }
    return keys;
}

} // namespace recorduid
