// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/syncverbs.h"

#include "core/document.h"
#include "sync/passwordstore.h"
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

using PasswordFound = std::function<void(const std::optional<QString> &password, bool typed)>;

/// The password for a start without a window: the environment's, the keyring's, else asked on
/// the terminal (typed: then it is not kept anywhere yet).
void findPassword(QObject *context, const SyncAccount &account, const PasswordFound &then)
{
    auto *store = new PasswordStore(context);
    QObject::connect(store, &PasswordStore::found, store, [store, account, then](const QString &, const QString &known, PasswordStore::Source) {
        store->deleteLater();
        if (!known.isEmpty())
            return then(known, false);
        then(askPasswordOnTerminal(QStringLiteral("Password for %1 at %2:").arg(account.user, account.server.host())), true);
    });
    store->fetch(PasswordStore::keyFor(account.server, account.user));
}

/// Keeps a typed password in the keyring, then finishes with line and where it went.
void keepPassword(QObject *context, const SyncAccount &account, const QString &password, const QString &line,
                  const std::function<void(const verbs::Result &)> &finish)
{
    auto *store = new PasswordStore(context);
    QObject::connect(store, &PasswordStore::stored, store, [store, line, finish](const QString &, bool inKeyring, const QString &) {
        store->deleteLater();
        finish(done(line + (inKeyring ? QStringLiteral("; the password is kept in the keyring.")
                                      : QStringLiteral("; there is no keyring, so the password is asked for at each sync."))));
    });
    store->store(PasswordStore::keyFor(account.server, account.user), password);
}

const QString kNoPassword = QStringLiteral(
    "No password: set QUILLET_SYNC_PASSWORD, or run this on a terminal to be asked for it.");

void checkAndStore(Document &document, SyncAccount account, const QString &secret, bool typed,
                   const std::function<void(const verbs::Result &)> &finish);
void syncWith(Document &document, const QString &secret, const std::function<void(const verbs::Result &)> &finish);

void storeAccount(Document &document, const QString &address, const std::function<void(const verbs::Result &)> &finish)
{
    const AccountAddress read = readAddress(address);
    if (!read.problem.isEmpty())
        return finish(refused(read.problem));
    const SyncAccount account{read.server, read.user, {}, {}};
    findPassword(&document, account, [&document, account, finish](const std::optional<QString> &secret, bool typed) {
        if (!secret)
            return finish(refused(kNoPassword));
        checkAndStore(document, account, *secret, typed, finish);
    });
}

void checkAndStore(Document &document, SyncAccount account, const QString &secret, bool typed,
                   const std::function<void(const verbs::Result &)> &finish)
{
    // The account is kept only once the server has accepted it and shown what it holds.
    auto *session = new SyncSession(&document, &document);
    session->setAccount(account);
    session->setPassword(secret);
    QObject::connect(session, &SyncSession::collectionsFound, session, [session, &document, account, secret, typed, finish](const QList<DavCollection> &found) mutable {
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
        const QString line = QStringLiteral("Sync account stored: %1 at %2%3")
                                 .arg(account.user, account.server.toString(),
                                      names.isEmpty() ? QStringLiteral(" (a \"Quillet\" task list and address book are made at the first sync)")
                                                      : QStringLiteral(" (%1)").arg(names.join(QStringLiteral(", "))));
        if (typed)
            return keepPassword(&document, account, secret, line, finish);
        finish(done(line));
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
    findPassword(&document, account, [&document, finish](const std::optional<QString> &secret, bool) {
        if (!secret)
            return finish(refused(kNoPassword));
        syncWith(document, *secret, finish);
    });
}

void syncWith(Document &document, const QString &secret, const std::function<void(const verbs::Result &)> &finish)
{
    document.load();
    if (!document.loadProblem().isEmpty()) {
        return finish(refused(QStringLiteral("Your saved data could not be read completely (%1), so nothing was synced.")
                                  .arg(document.loadProblem())));
    }
    auto *session = new SyncSession(&document, &document);
    session->setPassword(secret);
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
        session->setPassword(PasswordStore::fromEnvironment());
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
