#pragma once

#include "contacts/contactrecord.h"
#include "store/recordlistmodel.h"

/// The e-mail contacts in list order; a contact's caption is its display name.
class ContactModel : public RecordListModel
{
    Q_OBJECT
public:
    using RecordListModel::RecordListModel;

    ContactRecord record(int row) const { return ContactRecord::fromTag(tag(row)); }
    void setRecord(int row, const ContactRecord &record) { setTag(row, record.toTag()); }
    /// The contact's default address without its marker; empty when it has none.
    QString defaultAddress(int row) const;
};
