// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/syncverbs.h"

#include "core/document.h"
#include "sync/syncsession.h"
#include "sync/terminalpassword.h"

#include <QFileInfo>

namespace syncverbs {

namespace {

verbs::Result refused(const QString &why)
{
    return {1, QString(), why + QLatin1Char('\n')};
}

verbs::Result done(const QString &line)
{
    return {0, line + QLatin1Char('\n'), QString()};
}

QString folderOf(const Document &document)
{
    return QFileInfo(document.path()).absolutePath();
}

/// The password for a start without a window: the environment's, else asked on the terminal.
std::optional<QString> password(const SyncAccount &account)
{
    const QByteArray given = qgetenv("QUILLET_SYNC_PASSWORD");
    if (!given.isEmpty())
        return QString::fromUtf8(given);
    return askPasswordOnTerminal(QStringLiteral("Password for %1 at %2:").arg(account.user, account.server.host()));
}

const QString kNoPassword = QStringLiteral(
    "No password: set QUILLET_SYNC_PASSWORD, or run this on a terminal to be asked for it.");

void storeAccount(Document &document, const QString &address, const std::function<void(const verbs::Result &)> &finish)
{
    const AccountAddress read = readAddress(address);
    if (!read.problem.isEmpty())
        return finish(refused(read.problem));
    SyncAccount account{read.server, read.user, {}, {}};
    const std::optional<QString> secret = password(account);
    if (!secret)
        return finish(refused(kNoPassword));
    // The account is kept only once the server has accepted it and shown what it holds.
    auto *session = new SyncSession(&document, &document);
    session->setAccount(account);
    session->setPassword(*secret);
    QObject::connect(session, &SyncSession::collectionsFound, session, [session, &document, account, finish](const QList<DavCollection> &found) mutable {
        QStringList names;
        for (const bool tasks : {true, false}) {
            for (const DavCollection &collection : found) {
                if (collection.tasks == tasks) {
                    (tasks ? account.taskList : account.addressBook) = collection.url;
                    names.append(collection.displayName.isEmpty() ? collection.url.path() : collection.displayName);
                    break;
                }
            }
        }
        session->deleteLater();
        if (!SyncSession::saveAccount(folderOf(document), account))
            return finish(refused(QStringLiteral("The sync account could not be stored beside the data.")));
        finish(done(QStringLiteral("Sync account stored: %1 at %2%3")
                        .arg(account.user, account.server.toString(),
                             names.isEmpty() ? QStringLiteral(" (a \"Quillet\" task list and address book are made at the first sync)")
                                             : QStringLiteral(" (%1)").arg(names.join(QStringLiteral(", "))))));
    });
    QObject::connect(session, &SyncSession::discoveryFailed, session, [session, finish](const QString &error) {
        session->deleteLater();
        finish(refused(QStringLiteral("The sync account was not stored: %1").arg(error)));
    });
    session->discover();
}

void syncHere(Document &document, const std::function<void(const verbs::Result &)> &finish)
{
    const SyncAccount account = SyncSession::storedAccount(folderOf(document));
    if (account.isEmpty())
        return finish(refused(QStringLiteral("No sync account is set up: use --sync-account URL first.")));
    const std::optional<QString> secret = password(account);
    if (!secret)
        return finish(refused(kNoPassword));
    document.load();
    if (!document.loadProblem().isEmpty()) {
        return finish(refused(QStringLiteral("Your saved data could not be read completely (%1), so nothing was synced.")
                                  .arg(document.loadProblem())));
    }
    auto *session = new SyncSession(&document, &document);
    session->setPassword(*secret);
    QObject::connect(session, &SyncSession::finished, session, [session, &document, finish](const SyncOutcome &outcome) {
        session->deleteLater();
        // What arrived is saved even when a later step failed: the state already counts it as here.
        if (document.isModified() && !document.save())
            return finish(refused(QStringLiteral("The synced data could not be saved.")));
        if (!outcome.ok)
            return finish(refused(outcome.summary == QLatin1String("Nothing changed") || outcome.summary.isEmpty()
                                      ? outcome.error
                                      : QStringLiteral("%1 (%2)").arg(outcome.error, outcome.summary)));
        finish(done(outcome.summary));
    });
    session->syncNow();
}

/// A start handed --sync to this running copy: its window's session syncs, in the background.
verbs::Result syncInWindow(Document &document)
{
    SyncSession *session = SyncSession::of(&document);
    if (!session) {
        session = new SyncSession(&document, &document);
        session->setPassword(QString::fromUtf8(qgetenv("QUILLET_SYNC_PASSWORD")));
    }
    if (session->account().isEmpty())
        return refused(QStringLiteral("No sync account is set up: use --sync-account URL first."));
    session->syncNow();
    return done(QStringLiteral("Quillet is running with this data: its window syncs now and shows the outcome."));
}

} // namespace

AccountAddress readAddress(const QString &text)
{
    AccountAddress read;
    const QUrl url = QUrl::fromUserInput(text.trimmed());
    if (!url.isValid() || url.host().isEmpty() || (url.scheme() != QLatin1String("https") && url.scheme() != QLatin1String("http"))) {
        read.problem = QStringLiteral("\"%1\" is not a server address: write it as https://user@dav.example.org/").arg(text);
        return read;
    }
    read.user = url.userName();
    if (read.user.isEmpty()) {
        read.problem = QStringLiteral("Put the user name in the address, as in https://alice@%1/").arg(url.host());
        return read;
    }
    if (!url.password().isEmpty()) {
        read.problem = QStringLiteral("Leave the password out of the address: it would be kept in the shell's history.");
        return read;
    }
    read.server = url.adjusted(QUrl::RemoveUserInfo);
    return read;
}

void add()
{
    verbs::Verb account{QStringLiteral("sync-account"), QStringLiteral("url"),
                        QStringLiteral("Sync the to-dos and contacts with the CalDAV/CardDAV server at <url> "
                                       "(https://user@server/; the password from QUILLET_SYNC_PASSWORD or asked), and end."),
                        false, [](Document &, const QString &) { return refused(QStringLiteral("Not here.")); }, false};
    account.runHere = [](Document &document, const QString &value, std::function<void(const verbs::Result &)> finish) {
        storeAccount(document, value, finish);
    };
    verbs::add(account);
    verbs::Verb sync{QStringLiteral("sync"), QString(),
                     QStringLiteral("Sync the to-dos and contacts with the server once, print what changed, and end."),
                     true, [](Document &document, const QString &) { return syncInWindow(document); }, false};
    sync.runHere = [](Document &document, const QString &, std::function<void(const verbs::Result &)> finish) {
        syncHere(document, finish);
    };
    verbs::add(sync);
}

} // namespace syncverbs
