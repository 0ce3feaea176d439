// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/syncsetup.h"

#include "app/syncschedule.h"
#include "core/document.h"
#include "core/verbs.h"
#include "platform/clock.h"
#include "platform/messageboxes.h"
#include "sync/syncsession.h"
#include "syncwindow/syncstatetext.h"
#include "syncwindow/syncwindow.h"

#include <QFileInfo>
#include <QTimer>

#include <memory>

namespace {

/// Another start waits this long for the answer to --sync (its socket gives up after 30 s).
constexpr int kLongestWait = 25000;

} // namespace

SyncSetup::SyncSetup(const Services &services, Document *document, QWidget *window)
    : QObject(window)
    , m_services(services)
    , m_document(document)
    , m_window(window)
    , m_session(new SyncSession(document, this))
    , m_passwords(new PasswordStore(this))
    , m_schedule(new SyncSchedule(this))
    , m_state(QStringLiteral("Not synced yet."))
{
    connect(m_schedule, &SyncSchedule::syncWanted, m_session, &SyncSession::syncNow);
    connect(m_schedule, &SyncSchedule::conflictsArrived, this, &SyncSetup::tellConflicts);
    connect(m_schedule, &SyncSchedule::passwordWanted, this, [this] {
        askForPassword(QStringLiteral("The server refused the user name or password. Type them again and "
                                      "choose Sync now."));
    });
    connect(m_session, &SyncSession::started, this, [this] { setState(QStringLiteral("Syncing…")); });
    connect(m_session, &SyncSession::finished, this, &SyncSetup::syncFinished);
    connect(m_session, &SyncSession::collectionsFound, this, [this](const QList<DavCollection> &collections) {
        m_collections = collections;
        if (m_syncWindow)
            m_syncWindow->showCollections(collections);
        setState(collections.isEmpty()
                     ? QStringLiteral("The server has no task list or address book yet: the first sync makes a "
                                      "\"Quillet\" one of each.")
                     : QStringLiteral("Choose where your to-dos and contacts go."));
    });
    connect(m_session, &SyncSession::discoveryFailed, this, [this](const QString &error, bool passwordRefused) {
        setState(passwordRefused ? QStringLiteral("The server refused the user name or password.") : error);
    });
    connect(m_passwords, &PasswordStore::found, this, &SyncSetup::passwordFound);
    connect(m_passwords, &PasswordStore::stored, this, [this](const QString &, bool inKeyring, const QString &problem) {
        if (!inKeyring && !problem.isEmpty())
            setState(problem + QStringLiteral(" Quillet keeps it until it closes."));
    });
    // A save that wrote the user's changes sends them on; the last save, as the program ends,
    // does not (the window is going).
    connect(m_document, &Document::modifiedChanged, this, [this](bool modified) {
        if (!modified && m_document->isOpen())
            m_schedule->documentSaved();
    });
    document->takeOverVerb(QStringLiteral("sync"), [this](const QString &, const auto &done) { syncForAnotherStart(done); });
}

SyncSetup::~SyncSetup()
{
    m_document->takeOverVerb(QStringLiteral("sync"), {});
}

void SyncSetup::syncForAnotherStart(const std::function<void(const verbs::Result &)> &done)
{
    // An account stored by --sync-account since this window started is the one meant.
    if (const SyncAccount stored = SyncSession::storedAccount(dataFolder()); !stored.isEmpty() && stored != m_account) {
        const bool otherUser = stored.server != m_account.server || stored.user != m_account.user;
        m_account = stored;
        m_session->setAccount(stored);
        if (otherUser) {
            m_password.clear();
            m_collections.clear();
            m_passwords->fetch(passwordKey());
            return done({1, QString(), QStringLiteral("Quillet's window takes the new account now: run --sync again in a moment.\n")});
        }
    }
    if (m_account.isEmpty())
        return done({1, QString(), QStringLiteral("No sync account is set up: use --sync-account URL first.\n")});
    if (m_password.isEmpty()) {
        askForPassword(QStringLiteral("Type your password to sync with %1.").arg(m_account.server.host()));
        return done({1, QString(), QStringLiteral("Quillet's window has no password for the server yet: type it in its Sync window.\n")});
    }
    // The answer is how this sync ends; a sync still going after a while is left to the window.
    auto *waiting = new QObject(this);
    auto answered = std::make_shared<bool>(false);
    auto begun = std::make_shared<bool>(false);
    auto answer = [waiting, answered, done](const verbs::Result &result) {
        if (std::exchange(*answered, true))
            return;
        waiting->deleteLater();
        done(result);
    };
    connect(m_session, &SyncSession::started, waiting, [begun] { *begun = true; });
    connect(m_session, &SyncSession::finished, waiting, [begun, answer](const SyncOutcome &outcome) {
        if (*begun)
            answer(outcome.ok ? verbs::Result{0, outcome.summary + QLatin1Char('\n'), QString()}
                              : verbs::Result{1, QString(), outcome.error + QLatin1Char('\n')});
    });
    QTimer::singleShot(kLongestWait, waiting, [answer] {
        answer({0, QStringLiteral("Quillet's window is still syncing; it shows how the sync ends.\n"), QString()});
    });
    m_schedule->userAsked();
}

QString SyncSetup::dataFolder() const
{
    return QFileInfo(m_document->path()).absolutePath();
}

QString SyncSetup::passwordKey() const
{
    return PasswordStore::keyFor(m_account.server, m_account.user);
}

void SyncSetup::start()
{
    m_account = SyncSession::storedAccount(dataFolder());
    if (m_account.isEmpty())
        return;
    m_session->setAccount(m_account);
    if (const QDateTime last = SyncSession::lastSynced(dataFolder()); last.isValid())
        m_state = syncstatetext::lastSynced(last, m_services.clock->now());
    m_passwords->fetch(passwordKey());
}

void SyncSetup::passwordFound(const QString &key, const QString &password, PasswordStore::Source source)
{
    if (key != passwordKey() || !m_password.isEmpty())
        return;
    if (password.isEmpty()) {
        // Asked once a run; a keyring that holds it spares even that.
        if (source == PasswordStore::Source::NoKeyring || source == PasswordStore::Source::NotStored)
            askForPassword(QStringLiteral("Type your password to sync with %1.").arg(m_account.server.host()));
        return;
    }
    m_password = password;
    m_session->setPassword(password);
    m_schedule->setReady(true);
}

SyncWindow *SyncSetup::window() const
{
    return m_syncWindow;
}

void SyncSetup::openWindow()
{
    if (!m_syncWindow) {
        m_syncWindow = new SyncWindow(m_window);
        m_syncWindow->setAttribute(Qt::WA_DeleteOnClose);
        m_syncWindow->setAccount(m_account);
        m_syncWindow->setPassword(m_password);
        m_syncWindow->showCollections(m_collections);
        m_syncWindow->showState(m_state);
        connect(m_syncWindow, &SyncWindow::syncWanted, this, [this](const SyncAccount &account, const QString &password) {
            if (takeAccount(account, password))
                m_schedule->userAsked();
        });
        connect(m_syncWindow, &SyncWindow::collectionsWanted, this,
                [this](const SyncAccount &account, const QString &password) {
                    if (takeAccount(account, password))
                        m_session->discover();
                });
        connect(m_syncWindow, &SyncWindow::collectionsChosen, this,
                [this](const SyncAccount &account) { takeAccount(account, QString()); });
    }
    m_syncWindow->show();
    m_syncWindow->raise();
    m_syncWindow->activateWindow();
}

bool SyncSetup::takeAccount(const SyncAccount &account, const QString &password)
{
    const bool otherUser = account.server != m_account.server || account.user != m_account.user;
    if (account != m_account) {
        if (account.server != m_account.server)
            m_collections.clear();
        if (!SyncSession::saveAccount(dataFolder(), account))
            setState(QStringLiteral("The sync settings could not be written beside your data file; they "
                                    "hold until Quillet closes."));
        m_account = account;
        m_session->setAccount(account);
    }
    if (otherUser && password == m_password)
        m_password.clear();
    if (!password.isEmpty() && password != m_password) {
        m_password = password;
        m_passwords->store(passwordKey(), password);
        m_session->setPassword(password);
    }
    if (m_password.isEmpty()) {
        askForPassword(QStringLiteral("Type your password."));
        return false;
    }
    return true;
}

void SyncSetup::syncFinished(const SyncOutcome &outcome)
{
    setState(syncstatetext::afterSync(outcome, m_services.clock->now()));
    m_schedule->syncFinished(outcome);
}

void SyncSetup::askForPassword(const QString &why)
{
    setState(why);
    openWindow();
    m_syncWindow->askForPassword(why);
}

void SyncSetup::setState(const QString &text)
{
    m_state = text;
    if (m_syncWindow)
        m_syncWindow->showState(text);
}

void SyncSetup::tellConflicts(int count)
{
    m_conflictsUntold += count;
    if (m_telling)
        return;
    // Told from the event loop, not from inside the session's signal; the box's own loop may
    // bring more, told together after it.
    m_telling = true;
    QTimer::singleShot(0, this, [this] {
        while (m_conflictsUntold > 0) {
            const int told = std::exchange(m_conflictsUntold, 0);
            m_services.messages->show(m_window, syncstatetext::conflicts(told), QString(), MessageBoxes::Buttons::Ok,
                                      MessageBoxes::Icon::Information);
        }
        m_telling = false;
    });
}
