// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

/// A contact's addresses as the address list box shows them: one entry per address, the default
/// one followed by the default marker. These functions hold every rule about that list.
namespace addresslist {

/// Follows the default address, in the list box and in the stored field alike.
QString defaultMarker();

/// The "*@*.*" check: an "@" followed, somewhere after it, by a ".". Nothing else is tested.
bool isValidAddress(const QString &text);

bool hasMarker(const QString &entry);
/// The entry with every occurrence of the marker removed.
QString withoutMarker(const QString &entry);

/// The stored address list: every entry followed by "::". A ":" that would form or touch the
/// terminator is escaped, so any address reads back; other entries are written as they are.
QString toField(const QStringList &entries);
/// The entries of a stored field: every piece before a "::" (text after the last one is dropped).
QStringList fromField(const QString &field);
/// The default address of a stored field without its marker; the last marked entry wins.
QString defaultAddress(const QString &field);

/// The entries after adding text: the first address of a list without a default becomes it.
QStringList added(QStringList entries, const QString &text);

struct Removal
{
    QStringList entries;
    /// The entry selected afterwards (the one above, or the new top), -1 when none is left.
    int selected = -1;
};
/// Removes entry index; when it was the default, the newly selected entry takes the marker.
Removal removed(QStringList entries, int index);

/// Makes entry index the default; the first marked entry loses its marker.
QStringList withDefault(QStringList entries, int index);

/// The entry written back by the rename dialog.
QString renamed(const QString &text, bool wasDefault);

} // namespace addresslist
