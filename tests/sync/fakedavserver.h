// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/davserver.h"

#include <QMap>
#include <QTimer>

#include <functional>

/// A CalDAV/CardDAV collection in memory, answering from the event loop as a network would.
/// Its token is the number of changes made so far.
class FakeDavServer : public DavServer
{
public:
    struct Item
    {
        QString etag;
        QByteArray data;
    };
    QMap<QString, Item> items;
    /// false: writes answer without an ETag.
    bool givesEtags = true;
    /// false: no sync tokens, every listing is complete.
    bool keepsTokens = true;
    int requests = 0;
    /// Called before a write is judged: another device's change arriving at that moment.
    std::function<void(const QString &href)> beforeWrite;

    void store(const QString &href, const QByteArray &data)
    {
        items[href] = {QStringLiteral("\"e%1\"").arg(++m_etags), data};
        m_changes.append(href);
    }
    void erase(const QString &href)
    {
        items.remove(href);
        m_changes.append(href);
    }

    void listChanges(const QUrl &, const QString &token, std::function<void(const DavListing &)> done) override
    {
        ++requests;
        DavListing listing;
        bool known = false;
        const qsizetype since = token.toLongLong(&known);
        listing.complete = !(keepsTokens && known && since <= m_changes.size());
        if (listing.complete) {
            for (auto it = items.cbegin(); it != items.cend(); ++it)
                listing.present.append({it.key(), it->etag});
        } else {
            QStringList seen;
            for (qsizetype i = since; i < m_changes.size(); ++i) {
                if (!seen.contains(m_changes[i]))
                    seen.append(m_changes[i]);
            }
            for (const QString &href : seen) {
                if (items.contains(href))
                    listing.present.append({href, items[href].etag});
                else
                    listing.removed.append(href);
            }
        }
        listing.token = keepsTokens ? QString::number(m_changes.size()) : QString();
        later([done, listing] { done(listing); });
    }
    void fetch(const QUrl &, const QStringList &hrefs, std::function<void(const DavFetched &)> done) override
    {
        ++requests;
        DavFetched fetched;
        for (const QString &href : hrefs) {
            if (items.contains(href))
                fetched.items.append({href, items[href].etag, items[href].data});
        }
        later([done, fetched] { done(fetched); });
    }
    void put(const QString &href, const QByteArray &data, const QString &ifMatch,
             std::function<void(const DavWritten &)> done) override
    {
        DavWritten written = judge(href, ifMatch);
        if (written.ok()) {
            store(href, data);
            written.etag = givesEtags ? items[href].etag : QString();
        }
        later([done, written] { done(written); });
    }
    void remove(const QString &href, const QString &ifMatch, std::function<void(const DavWritten &)> done) override
    {
        DavWritten written = judge(href, ifMatch);
        if (written.status == 412 && ifMatch.isEmpty())
            written.status = 204;
        if (written.ok())
            erase(href);
        later([done, written] { done(written); });
    }

private:
    DavWritten judge(const QString &href, const QString &ifMatch)
    {
        ++requests;
        if (beforeWrite)
            beforeWrite(href);
        DavWritten written;
        const bool exists = items.contains(href);
        written.status = ifMatch.isEmpty() ? (exists ? 412 : 201) : (exists && items[href].etag == ifMatch ? 204 : 412);
        return written;
    }
    static void later(std::function<void()> answer) { QTimer::singleShot(0, std::move(answer)); }

    QStringList m_changes;
    int m_etags = 0;
};
