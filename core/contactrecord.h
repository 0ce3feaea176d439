// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

/// The fields of a contact's tag: first name, last name, title and the address list. The display
/// name is the entry's caption, not a field.
struct ContactRecord
{
    QString firstName;
    QString lastName;
    QString title;
    /// The address list box's entries, default marker included.
    QStringList addresses;
    /// Field five, written only when set: the UID of the vCard it came from or went out as.
    QString uid;

    friend bool operator==(const ContactRecord &, const ContactRecord &) = default;

    /// The tag: the four fields joined by "¶", escaped only where a field needs it.
    QString toTag() const;
    /// The record of a tag; missing fields stay empty (a never edited entry has an empty tag).
    static ContactRecord fromTag(const QString &tag);
};
