// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/websiterecord.h"

#include "store/escapes.h"

#include <QStringList>

QString WebsiteRecord::toTag() const
{
    return escapes::joinFields({title, url, description});
}

WebsiteRecord WebsiteRecord::fromTag(const QString &tag)
{
    const QStringList parts = escapes::splitFields(tag);
    return {parts.value(0), parts.value(1), parts.value(2)};
}

namespace websiterecord {

std::optional<QString> urlToOpen(const QString &tag)
{
    const QStringList parts = escapes::splitFields(tag);
    if (parts.size() < 3)
        return std::nullopt;
    return parts[1];
}

QString captionAfterTitle(const QString &caption, const QString &title)
{
    // A title of blanks names nothing: the caption waits for a real one.
    if (!title.trimmed().isEmpty() && caption == placeholderCaption())
        return title;
    return caption;
}

} // namespace websiterecord
