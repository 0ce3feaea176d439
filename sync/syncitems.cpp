// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/syncitems.h"

#include "core/todorecord.h"
#include "exchange/icalendartodos.h"
#include "exchange/recorduid.h"
#include "exchange/vcardcontacts.h"
#include "store/escapes.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QTimeZone>
#include <QUuid>

namespace syncitems {

namespace {

constexpr int kContactUidField = 4;

} // namespace

QString uidOf(SectionId section, const Record &record)
{
    return recorduid::stored(section, record);
}

Record withUid(SectionId section, const Record &record, const QString &uid)
{
    Record changed = record;
    if (section == SectionId::Todos) {
        TodoFields fields = TodoFields::read(record.tag);
        fields.set(todofield::Uid, uid);
        changed.tag = fields.toTag();
    } else {
        QStringList fields = escapes::splitFields(record.tag);
        while (fields.size() <= kContactUidField)
            fields.append(QString());
        fields[kContactUidField] = uid;
        changed.tag = escapes::joinFields(fields);
    }
    return changed;
}

QString freshUid(SectionId section)
{
    const QString uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    return section == SectionId::Contacts ? QStringLiteral("urn:uuid:") + uuid : uuid;
}

QByteArray itemText(SectionId section, const Record &record, const QDateTime &now)
{
    QByteArray text;
    const auto sink = [&text](QByteArrayView piece) {
        text += piece;
        return true;
    };
    if (section == SectionId::Todos)
        icalendartodos::write({record}, {}, now, sink);
    else
        vcardcontacts::write({record}, {}, sink);
    return text;
}

QByteArray collectionText(SectionId section, const QList<Record> &records, const QString &name, const QDateTime &now)
{
    QByteArray text;
    const auto sink = [&text](QByteArrayView piece) {
        text += piece;
        return true;
    };
    if (section == SectionId::Contacts) {
        vcardcontacts::write(records, {}, sink);
        return text;
    }
    icalendartodos::write(records, {}, now, sink);
    // The calendar's name goes right after its header lines.
    const qsizetype headerEnd = text.indexOf("PRODID:");
    const qsizetype lineEnd = headerEnd < 0 ? -1 : text.indexOf("\r\n", headerEnd);
    if (lineEnd >= 0)
        text.insert(lineEnd + 2, "X-WR-CALNAME:" + name.toUtf8() + "\r\n");
    return text;
}

std::optional<Record> recordOf(SectionId section, QByteArrayView text)
{
    const ImportResult read = section == SectionId::Todos ? icalendartodos::readText(text) : vcardcontacts::readText(text);
    if (!read.ok() || read.records.isEmpty())
        return std::nullopt;
    return read.records.first();
}

QByteArray localHash(const Record &record)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(record.caption.toUtf8());
    hash.addData(QByteArrayView("\x1f"));
    hash.addData(record.tag.toUtf8());
    return hash.result().toHex();
}

QByteArray contentHash(SectionId section, const Record &record)
{
    // A fixed stamp: only what the record says counts.
    static const QDateTime epoch = QDateTime::fromSecsSinceEpoch(0, QTimeZone::utc());
    const std::optional<Record> readBack = recordOf(section, itemText(section, record, epoch));
    return localHash(readBack.value_or(record));
}

Record conflictCopy(SectionId section, const Record &server)
{
    Record copy = withUid(section, server, freshUid(section));
    copy.caption = server.caption + QLatin1Char(' ') + conflictMark;
    return copy;
}

QString hrefFor(const QUrl &collection, SectionId section, const QString &uid)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9._@-]{1,100}$"));
    QString name = uid;
    if (name.startsWith(QLatin1String("urn:uuid:")))
        name = name.mid(9);
    if (!plain.match(name).hasMatch())
        name = QString::fromLatin1(QCryptographicHash::hash(uid.toUtf8(), QCryptographicHash::Sha1).toHex());
    QString path = collection.path();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path + name + (section == SectionId::Todos ? QLatin1String(".ics") : QLatin1String(".vcf"));
}

} // namespace syncitems
