// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/importresult.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

/// To-dos as iCalendar (RFC 5545) VTODO items, each with its reminder as a VALARM, read and
/// written through libical.
namespace icalendartodos {

/// Every VTODO of an .ics file as to-do records (their UID kept in the tag); events, journal
/// entries and other items are skipped and counted. A file that is not iCalendar, is cut short or
/// nests too deeply gives an error and no records.
ImportResult read(const QString &path, const ExchangeProgress &progress = {});

/// The same from a calendar's text in memory (one item of a server); the error says what is
/// wrong without naming a file.
ImportResult readText(QByteArrayView text);

/// The .ics text of the to-dos at rows (all where rows is empty), handed to sink a piece at a
/// time. now is the DTSTAMP of every item (and the COMPLETED time of a completed one); a UID
/// depends only on the whole list, so a to-do exported alone has the UID it has among the rest.
void write(const QList<Record> &todos, const QList<int> &rows, const QDateTime &now,
           const std::function<bool(QByteArrayView)> &sink);

} // namespace icalendartodos
