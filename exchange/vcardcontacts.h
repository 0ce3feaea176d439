// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/importresult.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

/// Contacts as vCards: read in versions 2.1, 3.0 and 4.0, written in 4.0.
namespace vcardcontacts {

/// Every card of a .vcf file as a contact (its UID kept in the tag). A file that is not vCard,
/// is cut short or nests cards too deeply gives an error and no records.
ImportResult read(const QString &path, const ExchangeProgress &progress = {});

/// The same from a card's text in memory (one item of a server); the error says what is wrong
/// without naming a file.
ImportResult readText(QByteArrayView text);

/// The cards of the contacts at rows (all where rows is empty; vCard 4.0, UTF-8, folded at 75
/// octets) handed to sink a piece at a time. A UID depends only on the whole list.
void write(const QList<Record> &contacts, const QList<int> &rows, const std::function<bool(QByteArrayView)> &sink);

} // namespace vcardcontacts
