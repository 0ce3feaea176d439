// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/davxml.h"

#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace davxml {

namespace {

const QString kDav = QStringLiteral("DAV:");
const QString kCalDav = QStringLiteral("urn:ietf:params:xml:ns:caldav");
const QString kCardDav = QStringLiteral("urn:ietf:params:xml:ns:carddav");

QString keyOf(const QXmlStreamReader &xml)
{
    return QLatin1Char('{') + xml.namespaceUri().toString() + QLatin1Char('}') + xml.name().toString();
}

/// "HTTP/1.1 404 Not Found" as 404.
int statusOf(const QString &line)
{
    return line.section(QLatin1Char(' '), 1, 1).toInt();
}

QString decodedPath(const QString &href)
{
    return QUrl(href.trimmed()).path();
}

Property readProperty(QXmlStreamReader &xml)
{
    Property property;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (depth == 1) {
                property.children.append(keyOf(xml));
                const QString name = xml.attributes().value(QStringLiteral("name")).toString();
                if (!name.isEmpty())
                    property.names.append(name);
            }
            if (xml.name() == QLatin1String("href") && xml.namespaceUri() == kDav) {
                property.hrefs.append(decodedPath(xml.readElementText()));
                break;
            }
            ++depth;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::EntityReference:
            if (depth == 1)
                property.text += xml.text();
            break;
        default:
            break;
        }
    }
    return property;
}

void readPropstat(QXmlStreamReader &xml, Response &response)
{
    QHash<QString, Property> found;
    int status = 200;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("prop")) {
            while (xml.readNextStartElement()) {
                const QString key = keyOf(xml);
                found.insert(key, readProperty(xml));
            }
        } else if (xml.name() == QLatin1String("status")) {
            status = statusOf(xml.readElementText());
        } else {
            xml.skipCurrentElement();
        }
    }
    if (status >= 200 && status < 300)
        response.properties.insert(found);
}

Response readResponse(QXmlStreamReader &xml)
{
    Response response;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("href"))
            response.href = decodedPath(xml.readElementText());
        else if (xml.name() == QLatin1String("status"))
            response.status = statusOf(xml.readElementText());
        else if (xml.name() == QLatin1String("propstat"))
            readPropstat(xml, response);
        else
            xml.skipCurrentElement();
    }
    return response;
}

/// A request body: the root element with the three namespaces, filled by body.
QByteArray document(const QString &ns, const QString &root, const std::function<void(QXmlStreamWriter &)> &body)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument();
    xml.writeNamespace(kDav, QStringLiteral("d"));
    xml.writeNamespace(kCalDav, QStringLiteral("c"));
    xml.writeNamespace(kCardDav, QStringLiteral("a"));
    xml.writeStartElement(ns, root);
    body(xml);
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

std::function<void(QXmlStreamWriter &)> properties(const QList<QPair<QString, QString>> &names)
{
    return [names](QXmlStreamWriter &xml) {
        xml.writeStartElement(kDav, QStringLiteral("prop"));
        for (const auto &[ns, name] : names)
            xml.writeEmptyElement(ns, name);
        xml.writeEndElement();
    };
}

} // namespace

Multistatus parse(const QByteArray &bytes)
{
    Multistatus result;
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("multistatus"))
        return result;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("response"))
            result.responses.append(readResponse(xml));
        else if (xml.name() == QLatin1String("sync-token"))
            result.syncToken = xml.readElementText().trimmed();
        else
            xml.skipCurrentElement();
    }
    result.ok = !xml.hasError();
    return result;
}

QByteArray principalQuery()
{
    return document(kDav, QStringLiteral("propfind"), properties({{kDav, QStringLiteral("current-user-principal")}}));
}

QByteArray homeSetQuery()
{
    return document(kDav, QStringLiteral("propfind"), properties({{kCalDav, QStringLiteral("calendar-home-set")},
                                                                  {kCardDav, QStringLiteral("addressbook-home-set")}}));
}

QByteArray collectionQuery()
{
    return document(kDav, QStringLiteral("propfind"),
                    properties({{kDav, QStringLiteral("resourcetype")}, {kDav, QStringLiteral("displayname")},
                                {kCalDav, QStringLiteral("supported-calendar-component-set")}}));
}

QByteArray etagQuery()
{
    return document(kDav, QStringLiteral("propfind"), properties({{kDav, QStringLiteral("getetag")}}));
}

QByteArray syncCollection(const QString &token)
{
    return document(kDav, QStringLiteral("sync-collection"), [&token](QXmlStreamWriter &xml) {
        xml.writeTextElement(kDav, QStringLiteral("sync-token"), token);
        xml.writeTextElement(kDav, QStringLiteral("sync-level"), QStringLiteral("1"));
        properties({{kDav, QStringLiteral("getetag")}})(xml);
    });
}

QByteArray multiget(bool tasks, const QStringList &hrefs)
{
    const QString ns = tasks ? kCalDav : kCardDav;
    return document(ns, tasks ? QStringLiteral("calendar-multiget") : QStringLiteral("addressbook-multiget"),
                    [&](QXmlStreamWriter &xml) {
                        properties({{kDav, QStringLiteral("getetag")},
                                    {ns, tasks ? QStringLiteral("calendar-data") : QStringLiteral("address-data")}})(xml);
                        for (const QString &href : hrefs)
                            xml.writeTextElement(kDav, QStringLiteral("href"),
                                                 QString::fromLatin1(QUrl::toPercentEncoding(href, "/@:")));
                    });
}

QByteArray makeTaskList(const QString &name)
{
    return document(kCalDav, QStringLiteral("mkcalendar"), [&name](QXmlStreamWriter &xml) {
        xml.writeStartElement(kDav, QStringLiteral("set"));
        xml.writeStartElement(kDav, QStringLiteral("prop"));
        xml.writeTextElement(kDav, QStringLiteral("displayname"), name);
        xml.writeStartElement(kCalDav, QStringLiteral("supported-calendar-component-set"));
        xml.writeEmptyElement(kCalDav, QStringLiteral("comp"));
        xml.writeAttribute(QStringLiteral("name"), QStringLiteral("VTODO"));
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

QByteArray makeAddressBook(const QString &name)
{
    return document(kDav, QStringLiteral("mkcol"), [&name](QXmlStreamWriter &xml) {
        xml.writeStartElement(kDav, QStringLiteral("set"));
        xml.writeStartElement(kDav, QStringLiteral("prop"));
        xml.writeStartElement(kDav, QStringLiteral("resourcetype"));
        xml.writeEmptyElement(kDav, QStringLiteral("collection"));
        xml.writeEmptyElement(kCardDav, QStringLiteral("addressbook"));
        xml.writeEndElement();
        xml.writeTextElement(kDav, QStringLiteral("displayname"), name);
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

} // namespace davxml
