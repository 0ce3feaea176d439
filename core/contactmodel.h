// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/contactrecord.h"
#include "core/searchtext.h"
#include "store/typedrecordmodel.h"

/// The e-mail contacts in list order; a contact's caption is its display name.
class ContactModel : public TypedRecordModel<ContactRecord>
{
public:
    using TypedRecordModel::TypedRecordModel;

    QString searchableText(int row) const override { return searchtext::contact(caption(row), tag(row)); }

    /// The contact's default address without its marker; empty when it has none.
    QString defaultAddress(int row) const;
};
