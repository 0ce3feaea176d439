// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/searchtext.h"

#include "core/addresslist.h"
#include "core/contactrecord.h"
#include "core/noterecord.h"
#include "core/todorecord.h"
#include "core/websiterecord.h"
#include "store/textfold.h"

#include <QStringList>

namespace {

QString lines(const QStringList &fields)
{
    return fields.join(textfold::kFieldBreak);
}

} // namespace

namespace searchtext {

QString website(const QString &caption, const QString &tag)
{
    const WebsiteRecord record = WebsiteRecord::fromTag(tag);
    return lines({caption, record.title, record.url, record.description});
}

QString contact(const QString &caption, const QString &tag)
{
    const ContactRecord record = ContactRecord::fromTag(tag);
    QStringList fields{caption, record.firstName, record.lastName, record.title};
    for (const QString &address : record.addresses)
        fields.append(addresslist::withoutMarker(address));
    return lines(fields);
}

QString note(const QString &caption, const QString &tag)
{
    return lines({caption, NoteRecord::fromTag(tag).text});
}

QString todo(const QString &caption, const QString &tag)
{
    const TodoFields fields = TodoFields::read(tag);
    return lines({caption, fields.text(todofield::Subject), fields.text(todofield::Description)});
}

} // namespace searchtext
