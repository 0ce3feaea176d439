// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/syncsession.h"

#include "core/document.h"
#include "store/recordlistmodel.h"
#include "sync/collectionsync.h"
#include "sync/davclient.h"
#include "sync/davdiscovery.h"
#include "sync/syncstate.h"
#include "sync/syncitems.h"
#include "sync/syncsummary.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QThread>
#include <QTimer>

namespace {

/// The name of the task list and address book made where the server has none.
const QString kCollectionName = QStringLiteral("Quillet");

QList<SyncSession *> &sessions()
{
    static QList<SyncSession *> all;
    return all;
}

} // namespace

/// What one sync holds while it runs.
struct SyncSession::Run
{
    std::unique_ptr<SyncState> state;
    DavClient *client = nullptr;
    DavDiscovery *discovery = nullptr;
    CollectionSync *section = nullptr;
    SectionId sectionId = SectionId::Todos;
    SyncCounts todos;
    SyncCounts contacts;
    /// Items that went with the making of their collection.
    int todosUploaded = 0;
    int contactsUploaded = 0;
    bool discoverOnly = false;
    /// A kind of collection the server would not make: that section waits, the other syncs.
    QStringList notMade;
};

SyncSession::SyncSession(Document *document, QObject *parent)
    : QObject(parent), m_document(document)
{
    sessions().append(this);
    if (m_document)
        connect(m_document, &Document::saved, this, &SyncSession::documentSaved);
}

SyncSession::~SyncSession()
{
    sessions().removeOne(this);
}

SyncSession *SyncSession::of(const Document *document)
{
    for (SyncSession *session : sessions()) {
        if (session->m_document == document)
            return session;
    }
    return nullptr;
}

void SyncSession::setAccount(const SyncAccount &account)
{
    m_account = account;
    m_account.server.setUserInfo(QString());
    m_accountSet = true;
}

SyncAccount SyncSession::account() const
{
    return m_accountSet ? m_account : storedAccount(folder());
}

void SyncSession::setPassword(const QString &password)
{
    m_password = password;
}

bool SyncSession::isRunning() const
{
    return m_run != nullptr;
}

QString SyncSession::folder() const
{
    return m_document ? QFileInfo(m_document->path()).absolutePath() : QString();
}

void SyncSession::syncNow()
{
    if (m_run) {
        m_queued = true;
        return;
    }
    m_run = std::make_unique<Run>();
    emit started();
    QTimer::singleShot(0, this, &SyncSession::begin);
}

void SyncSession::discover()
{
    if (m_run) {
        QTimer::singleShot(0, this, [this] { emit discoveryFailed(QStringLiteral("A sync is running; try again when it is done."), false); });
        return;
    }
    m_run = std::make_unique<Run>();
    m_run->discoverOnly = true;
    QTimer::singleShot(0, this, &SyncSession::begin);
}

void SyncSession::begin()
{
    if (!m_document || (!m_run->discoverOnly && !m_document->isOpen()))
        return end({false, QString(), QStringLiteral("The data is not loaded, so nothing was synced."), {}, 0, false});
    const SyncAccount account = this->account();
    if (account.isEmpty())
        return end({false, QString(), QStringLiteral("No sync server is set up."), {}, 0, false});
    m_run->state = std::make_unique<SyncState>(folder());
    if (!m_run->discoverOnly && !m_run->state->open())
        return end({false, QString(), m_run->state->error(), {}, 0, false});
    m_run->client = new DavClient(account.server, account.user, m_password, this);
    m_run->client->setTaskList(account.taskList);
    if (m_run->discoverOnly || account.taskList.isEmpty() || account.addressBook.isEmpty())
        discoverThen([this] { syncSection(SectionId::Todos); });
    else
        syncSection(SectionId::Todos);
}

void SyncSession::discoverThen(std::function<void()> next)
{
    m_run->discovery = new DavDiscovery(m_run->client, this);
    m_run->discovery->run([this, next = std::move(next)](const DavDiscovery::Found &found) {
        if (found.failure.failed())
            return end({false, QString(), found.failure.error, {}, 0, found.failure.passwordRefused});
        if (m_run->discoverOnly) {
            emit collectionsFound(found.collections);
            return end({true, QString(), QString(), {}, 0, false});
        }
        chooseCollections(found.collections);
        // Made where missing, one after the other; then stored, so the next sync skips all this.
        const auto stored = [this, next] {
            if (m_run->state->open() && !saveAccount(folder(), m_account))
                return end({false, QString(), m_run->state->error(), {}, 0, false});
            m_run->client->setTaskList(m_account.taskList);
            next();
        };
        const auto makeAddressBook = [this, found, stored] {
            if (!m_account.addressBook.isEmpty())
                return stored();
            wholeCollection(SectionId::Contacts, [this, found, stored](const QByteArray &whole, int count) {
                m_run->discovery->create(false, found.addressHome, kCollectionName, whole, [this, stored, count](const QUrl &url, const DavFailure &failure, bool filled) {
                    if (filled)
                        m_run->contactsUploaded = count;
                    if (failure.failed() && (failure.passwordRefused || m_account.taskList.isEmpty()))
                        return end({false, QString(), failure.error, {}, 0, failure.passwordRefused});
                    if (failure.failed())
                        m_run->notMade.append(QStringLiteral("the server keeps no address book for you, so contacts are not synced"));
                    else
                        m_account.addressBook = url;
                    stored();
                });
            });
        };
        if (!m_account.taskList.isEmpty())
            return makeAddressBook();
        wholeCollection(SectionId::Todos, [this, found, makeAddressBook](const QByteArray &whole, int count) {
            m_run->discovery->create(true, found.taskHome, kCollectionName, whole, [this, makeAddressBook, count](const QUrl &url, const DavFailure &failure, bool filled) {
                if (filled)
                    m_run->todosUploaded = count;
                if (failure.failed() && failure.passwordRefused)
                    return end({false, QString(), failure.error, {}, 0, true});
                if (failure.failed())
                    m_run->notMade.append(QStringLiteral("the server keeps no task list for you, so to-dos are not synced"));
                else
                    m_account.taskList = url;
                makeAddressBook();
            });
        });
    });
}

void SyncSession::wholeCollection(SectionId section, std::function<void(const QByteArray &, int)> then)
{
    // A new collection starts with what is here; the sync after compares it by UID. The text of
    // a long list takes a while: a worker makes it while the window goes on.
    const QHash<QString, Record> identified = CollectionSync::identify(section, m_document->model(section));
    if (identified.size() < 2)
        return then(QByteArray(), 0);
    const QList<Record> records = m_document->model(section)->records();
    auto text = std::make_shared<QByteArray>();
    QThread *worker = QThread::create([text, records, section] {
        *text = syncitems::collectionText(section, records, kCollectionName, QDateTime::currentDateTimeUtc());
    });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &QThread::finished, this, [text, then = std::move(then), count = int(records.size())] { then(*text, count); });
    worker->start();
}

void SyncSession::chooseCollections(const QList<DavCollection> &found)
{
    m_account = account();
    m_accountSet = true;
    for (const DavCollection &collection : found) {
        QUrl &chosen = collection.tasks ? m_account.taskList : m_account.addressBook;
        if (chosen.isEmpty())
            chosen = collection.url;
    }
}

void SyncSession::syncSection(SectionId section)
{
    const SyncAccount account = this->account();
    const QUrl url = section == SectionId::Todos ? account.taskList : account.addressBook;
    if (url.isEmpty())
        return section == SectionId::Todos ? syncSection(SectionId::Contacts) : endWell();
    m_run->section = new CollectionSync(section, m_document->model(section), m_run->client, m_run->state.get(), url, this);
    m_run->sectionId = section;
    m_run->section->setArrivedEarlier(m_arrived[section]);
    m_run->section->setHistory(m_document->undoStack());
    m_run->section->run([this, section](const DavFailure &failure) {
        SyncCounts &counts = section == SectionId::Todos ? m_run->todos : m_run->contacts;
        counts = m_run->section->counts();
        m_arrived[section] = m_run->section->arrived();
        counts.sent += section == SectionId::Todos ? m_run->todosUploaded : m_run->contactsUploaded;
        m_run->section->deleteLater();
        m_run->section = nullptr;
        if (failure.failed())
            return end({false, syncSummary(m_run->todos, m_run->contacts), failure.error, {}, 0, failure.passwordRefused});
        if (section == SectionId::Todos)
            return syncSection(SectionId::Contacts);
        endWell();
    });
}

void SyncSession::endWell()
{
    QString summary = syncSummary(m_run->todos, m_run->contacts);
    if (!m_run->notMade.isEmpty())
        summary += QStringLiteral("; ") + m_run->notMade.join(QStringLiteral("; "));
    end({true, summary, QString(), {}, 0, false});
}

void SyncSession::end(SyncOutcome outcome)
{
    std::unique_ptr<Run> run = std::move(m_run);
    outcome.finishedAt = QDateTime::currentDateTimeUtc();
    outcome.conflicts = run->todos.conflicts + run->contacts.conflicts;
    const bool discoverOnly = run->discoverOnly;
    if (outcome.ok && !discoverOnly && run->state)
        run->state->setValues({{QStringLiteral("lastSynced"), outcome.finishedAt.toString(Qt::ISODate)}});
    if (run->client)
        run->client->deleteLater();
    if (run->discovery)
        run->discovery->deleteLater();
    run.reset();
    if (!discoverOnly)
        emit finished(outcome);
    else if (!outcome.ok)
        emit discoveryFailed(outcome.error, outcome.passwordRefused);
    if (std::exchange(m_queued, false))
        syncNow();
}

void SyncSession::documentSaved()
{
    if (!m_document || !QFileInfo::exists(QDir(folder()).filePath(SyncState::fileName())))
        return;
    std::unique_ptr<SyncState> own;
    SyncState *state = m_run ? m_run->state.get() : nullptr;
    if (!state) {
        own = std::make_unique<SyncState>(folder());
        state = own.get();
    }
    if (!state->open())
        return; // the next save tries again; until then nothing is removed on the server for it
    for (const SectionId section : {SectionId::Todos, SectionId::Contacts}) {
        const bool running = m_run && m_run->section && m_run->sectionId == section;
        const QSet<QString> unkept = state->unkept(section);
        if (unkept.isEmpty() && !running)
            continue;
        QSet<QString> here;
        for (const Record &record : m_document->model(section)->records())
            here.insert(syncitems::uidOf(section, record));
        if (running)
            m_run->section->documentSaved(here);
        const QSet<QString> &arrived = m_arrived[section];
        QSet<QString> kept;
        for (const QString &uid : unkept) {
            if (here.contains(uid) || arrived.contains(uid))
                kept.insert(uid);
        }
        state->markKept(section, kept);
    }
}

SyncAccount SyncSession::storedAccount(const QString &dataFolder)
{
    if (!QFileInfo::exists(QDir(dataFolder).filePath(SyncState::fileName())))
        return {};
    SyncState state(dataFolder);
    if (!state.open())
        return {};
    return {QUrl(state.value(QStringLiteral("server"))), state.value(QStringLiteral("user")),
            QUrl(state.value(QStringLiteral("taskList"))), QUrl(state.value(QStringLiteral("addressBook")))};
}

bool SyncSession::saveAccount(const QString &dataFolder, const SyncAccount &account)
{
    SyncState state(dataFolder);
    QUrl server = account.server;
    server.setUserInfo(QString());
    return state.open()
        && state.setValues({{QStringLiteral("server"), server.toString()},
                            {QStringLiteral("user"), account.user},
                            {QStringLiteral("taskList"), account.taskList.toString()},
                            {QStringLiteral("addressBook"), account.addressBook.toString()}});
}

QDateTime SyncSession::lastSynced(const QString &dataFolder)
{
    if (!QFileInfo::exists(QDir(dataFolder).filePath(SyncState::fileName())))
        return {};
    SyncState state(dataFolder);
    return state.open() ? QDateTime::fromString(state.value(QStringLiteral("lastSynced")), Qt::ISODate) : QDateTime();
}
