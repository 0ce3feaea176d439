// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/datafile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QUrl>

#include <optional>

/// A to-do or contact as a server's item: its UID, its iCalendar or vCard text (the mapping of
/// the .ics and .vcf files), and the fingerprints that tell whether it changed.
namespace syncitems {

/// The UID kept in the record's tag; empty when it has none yet.
QString uidOf(SectionId section, const Record &record);
/// The record with uid kept in its tag, every other field as it was.
Record withUid(SectionId section, const Record &record, const QString &uid);
/// A new random UID.
QString freshUid(SectionId section);

/// The item's text: one VTODO in a calendar, or one vCard. now is its DTSTAMP.
QByteArray itemText(SectionId section, const Record &record, const QDateTime &now);
/// All the records as one calendar (named name) or one file of cards: a whole collection.
QByteArray collectionText(SectionId section, const QList<Record> &records, const QString &name, const QDateTime &now);
/// The record an item's text holds; none when it cannot be read or holds no to-do or card.
std::optional<Record> recordOf(SectionId section, QByteArrayView text);

/// Tells whether the record changed here since: its caption and tag exactly.
QByteArray localHash(const Record &record);
/// Tells whether two versions say the same on a server: the record as its item reads back.
QByteArray contentHash(SectionId section, const Record &record);

/// The server's version of a record changed on both sides, kept beside ours as its own record.
Record conflictCopy(SectionId section, const Record &server);
inline const QString conflictMark = QStringLiteral("(changed on another device)");

/// Where a new item with this UID goes in the collection.
QString hrefFor(const QUrl &collection, SectionId section, const QString &uid);

} // namespace syncitems
