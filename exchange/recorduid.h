// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/datafile.h"

#include <QList>
#include <QString>
#include <QStringList>

/// Which item of a standard file is which record, so that importing a file again updates what it
/// brought the first time instead of adding it twice.
///
/// A to-do or contact that came from a file keeps that item's UID in its tag (to-do field eleven,
/// contact field five). One that never did has a UID made from its caption and tag, so the same
/// unchanged record gets the same UID at every export while its data file stays as it is.
/// Bookmarks and Markdown carry no UID: a website is known by its URL, a note by its caption and
/// text.
namespace recorduid {

/// The UID kept in the record's tag; empty when it has none (websites and notes never do).
QString stored(SectionId section, const Record &record);

/// The UID an unchanged record always gets: stored() where there is one, otherwise a name-based
/// UUID of its section, caption, tag and how many identical records stand before it.
QString derived(SectionId section, const Record &record, int earlierTwins);

/// The name-based UUID alone, whether or not the record stores a UID.
QString made(SectionId section, const Record &record, int earlierTwins);

/// For each record, how many records with the same caption and tag stand before it.
QList<int> twinCounts(const QList<Record> &records);

/// The identity of every record of a list in order (the key the import merge matches on):
/// the UID of to-dos and contacts, the URL of a website, a note's derived UID.
QStringList identities(SectionId section, const QList<Record> &records);

/// rows where it is not empty (those in range), else every row of a list of count.
QList<int> rowsOrAll(const QList<int> &rows, qsizetype count);

} // namespace recorduid
