#include "core/contactrecord.h"

#include "core/addresslist.h"
#include "store/escapes.h"

QString ContactRecord::toTag() const
{
    return escapes::joinFields({firstName, lastName, title, addresslist::toField(addresses)});
}

ContactRecord ContactRecord::fromTag(const QString &tag)
{
    const QStringList fields = escapes::splitFields(tag);
    ContactRecord record;
    record.firstName = fields.value(0);
    record.lastName = fields.value(1);
    record.title = fields.value(2);
    record.addresses = addresslist::fromField(fields.value(3));
    return record;
}
