#include "websites/websiterecord.h"

#include "store/escapes.h"

#include <QStringList>

namespace websiterecord {

QString toTag(const Fields &fields)
{
    return escapes::joinFields({fields.title, fields.url, fields.description});
}

Fields fromTag(const QString &tag)
{
    const QStringList parts = escapes::splitFields(tag);
    const auto part = [&parts](qsizetype i) { return i < parts.size() ? parts[i] : QString(); };
    return {part(0), part(1), part(2)};
}

std::optional<QString> urlToOpen(const QString &tag)
{
    const QStringList parts = escapes::splitFields(tag);
    if (parts.size() < 3)
        return std::nullopt;
    return parts[1];
}

QString captionAfterTitle(const QString &caption, const QString &title)
{
    if (!title.isEmpty() && caption == placeholderCaption())
        return title;
    return caption;
}

} // namespace websiterecord
