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

/// The cards (vCard 4.0, UTF-8, folded at 75 octets) handed to sink a piece at a time.
void write(const QList<Record> &contacts, const std::function<bool(QByteArrayView)> &sink);

} // namespace vcardcontacts
