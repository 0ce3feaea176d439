// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

/// A website's fields; its tag holds title, URL and description joined by "¶".
struct WebsiteRecord
{
    QString title;
    QString url;
    /// Line breaks as stored, CR LF.
    QString description;
    friend bool operator==(const WebsiteRecord &, const WebsiteRecord &) = default;

    /// The tag of these fields; a "¶" typed into a field stays inside it.
    QString toTag() const;
    /// The fields of a tag; an empty tag, or a missing field, gives empty text.
    static WebsiteRecord fromTag(const QString &tag);
};

namespace websiterecord {

/// The caption of a website that has not been named yet.
inline QString placeholderCaption() { return QStringLiteral("New URL"); }

/// The URL to hand to the desktop, exactly as typed; none unless the tag holds all three fields
/// (a record never edited has an empty tag).
std::optional<QString> urlToOpen(const QString &tag);

/// The caption after the title box was left: it takes a non-empty title only while it still
/// reads "New URL", so a name given since is never overwritten.
QString captionAfterTitle(const QString &caption, const QString &title);

} // namespace websiterecord
