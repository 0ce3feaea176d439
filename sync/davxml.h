// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

/// The WebDAV XML of CalDAV and CardDAV (RFC 4918, 4791, 6352, 6578): the bodies Quillet sends
/// and the multistatus answers it reads.
namespace davxml {

/// A property as found: its text, the hrefs inside it, the names of its child elements
/// ("{DAV:}collection") and the name attributes of its children (a calendar's "VTODO").
struct Property
{
    QString text;
    QStringList hrefs;
    QStringList children;
    QStringList names;
};

struct Response
{
    /// The path, percent-decoded.
    QString href;
    /// The response's own status (404: removed, in a sync report); 0 when it has none.
    int status = 0;
    /// Properties found (status 200), by "{namespace}name".
    QHash<QString, Property> properties;
};

struct Multistatus
{
    bool ok = false;
    QList<Response> responses;
    QString syncToken;
};

Multistatus parse(const QByteArray &xml);

/// The name key of a property: "{DAV:}getetag".
inline QString dav(const char *name)
{
    return QStringLiteral("{DAV:}") + QLatin1String(name);
}
inline QString caldav(const char *name)
{
    return QStringLiteral("{urn:ietf:params:xml:ns:caldav}") + QLatin1String(name);
}
inline QString carddav(const char *name)
{
    return QStringLiteral("{urn:ietf:params:xml:ns:carddav}") + QLatin1String(name);
}

QByteArray principalQuery();
QByteArray homeSetQuery();
QByteArray collectionQuery();
QByteArray etagQuery();
QByteArray syncCollection(const QString &token);
QByteArray multiget(bool tasks, const QStringList &hrefs);
QByteArray makeTaskList(const QString &name);
QByteArray makeAddressBook(const QString &name);

} // namespace davxml
