// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/syncstate.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace {

const char *const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS settings (key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS collections (section INTEGER PRIMARY KEY, url TEXT NOT NULL, token TEXT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS items (section INTEGER NOT NULL, uid TEXT NOT NULL, href TEXT NOT NULL, "
    "etag TEXT NOT NULL, local TEXT NOT NULL, content TEXT NOT NULL, kept INTEGER NOT NULL DEFAULT 1, "
    "PRIMARY KEY (section, uid))",
    "CREATE TABLE IF NOT EXISTS texts (section INTEGER NOT NULL, uid TEXT NOT NULL, data BLOB NOT NULL, "
    "PRIMARY KEY (section, uid))",
};

/// SQLite keeps a null text as NULL: an empty one is stored as empty.
QString text(const QString &value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

} // namespace

SyncState::SyncState(const QString &dataFolder)
    : m_path(QDir(dataFolder).filePath(fileName()))
    , m_connection(QStringLiteral("syncstate-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

SyncState::~SyncState()
{
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

bool SyncState::fail(const QString &what)
{
    m_error = QStringLiteral("The sync state \"%1\" %2.").arg(QDir::toNativeSeparators(m_path), what);
    return false;
}

namespace {

/// The file is not a database any more (SQLite's CORRUPT or NOTADB), as opposed to one that is
/// busy or cannot be written just now.
bool isDamage(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == 11 || code == 26;
}

} // namespace

SyncState::Opened SyncState::prepare()
{
    QSqlQuery check(m_db);
    if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next())
        return isDamage(check.lastError()) ? Opened::Damaged : Opened::Failed;
    if (check.value(0).toString() != QLatin1String("ok"))
        return Opened::Damaged;
    check.finish();
    // A write-ahead log keeps each transaction whole through a crash without waiting on the
    // disk at every commit, which would hold up the window for tens of milliseconds each time;
    // a transaction lost to a power cut only makes the next sync compare a little more.
    for (const char *pragma : {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = NORMAL"}) {
        QSqlQuery query(m_db);
        query.exec(QString::fromLatin1(pragma));
    }
    for (const char *statement : kSchema) {
        QSqlQuery query(m_db);
        if (!query.exec(QString::fromLatin1(statement)))
            return isDamage(query.lastError()) ? Opened::Damaged : Opened::Failed;
    }
    return addKeptColumn() ? Opened::Ready : Opened::Failed;
}

bool SyncState::addKeptColumn()
{
    // A state written before items knew whether they were kept here: all of them count as kept,
    // as that state took them to be.
    QSqlQuery columns(m_db);
    if (!columns.exec(QStringLiteral("PRAGMA table_info(items)")))
        return false;
    while (columns.next()) {
        if (columns.value(1).toString() == QLatin1String("kept"))
            return true;
    }
    columns.finish();
    QSqlQuery add(m_db);
    return add.exec(QStringLiteral("ALTER TABLE items ADD COLUMN kept INTEGER NOT NULL DEFAULT 1"));
}

bool SyncState::open()
{
    if (m_db.isOpen())
        return true;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return fail(QStringLiteral("cannot be kept: Qt's SQLite driver is not installed"));
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(m_path);
    const Opened opened = m_db.open() ? prepare() : Opened::Failed;
    if (opened == Opened::Ready)
        return true;
    if (opened == Opened::Failed) {
        // Busy or not writable now: left as it is for the next try, never taken for damage.
        const QString why = m_db.lastError().text();
        m_db.close();
        return fail(QStringLiteral("cannot be opened just now%1").arg(why.trimmed().isEmpty() ? QString() : QStringLiteral(": ") + why));
    }
    // Damaged: kept aside for a look, and a fresh state makes the next sync compare everything.
    m_db.close();
    const QString aside = m_path + QStringLiteral(".damaged");
    QFile::remove(aside);
    if (QFile::exists(m_path) && !QFile::rename(m_path, aside))
        return fail(QStringLiteral("is damaged and cannot be moved aside"));
    if (!m_db.open() || prepare() != Opened::Ready)
        return fail(QStringLiteral("cannot be written: %1").arg(m_db.lastError().text()));
    return true;
}

QString SyncState::value(const QString &key) const
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT value FROM settings WHERE key = ?"));
    query.addBindValue(key);
    return query.exec() && query.next() ? query.value(0).toString() : QString();
}

bool SyncState::setValues(const QHash<QString, QString> &values)
{
    if (!m_db.transaction())
        return fail(QStringLiteral("cannot be written: %1").arg(m_db.lastError().text()));
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO settings (key, value) VALUES (?, ?)"));
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        query.addBindValue(it.key());
        query.addBindValue(text(it.value()));
        if (!query.exec()) {
            m_db.rollback();
            return fail(QStringLiteral("cannot be written: %1").arg(query.lastError().text()));
        }
    }
    if (!m_db.commit())
        return fail(QStringLiteral("cannot be written: %1").arg(m_db.lastError().text()));
    return true;
}

CollectionState SyncState::collection(SectionId section) const
{
    CollectionState state;
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT url, token FROM collections WHERE section = ?"));
    query.addBindValue(int(section));
    if (!query.exec() || !query.next())
        return state;
    state.url = QUrl(query.value(0).toString());
    state.token = query.value(1).toString();
    query.finish();
    query.prepare(QStringLiteral("SELECT uid, href, etag, local, content, kept FROM items WHERE section = ?"));
    query.addBindValue(int(section));
    if (!query.exec())
        return {};
    while (query.next()) {
        state.items.insert(query.value(0).toString(),
                           {query.value(1).toString(), query.value(2).toString(), query.value(3).toByteArray(),
                            query.value(4).toByteArray(), query.value(5).toBool()});
    }
    return state;
}

bool SyncState::saveCollection(SectionId section, const CollectionState &state)
{
    if (!m_db.transaction())
        return fail(QStringLiteral("cannot be written: %1").arg(m_db.lastError().text()));
    const auto failed = [this](const QSqlQuery &query) {
        m_db.rollback();
        return fail(QStringLiteral("cannot be written: %1").arg(query.lastError().text()));
    };
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("DELETE FROM items WHERE section = ?"));
    query.addBindValue(int(section));
    if (!query.exec())
        return failed(query);
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO collections (section, url, token) VALUES (?, ?, ?)"));
    query.addBindValue(int(section));
    query.addBindValue(state.url.toString());
    query.addBindValue(text(state.token));
    if (!query.exec())
        return failed(query);
    query.prepare(QStringLiteral("INSERT INTO items (section, uid, href, etag, local, content, kept) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (auto it = state.items.cbegin(); it != state.items.cend(); ++it) {
        query.addBindValue(int(section));
        query.addBindValue(it.key());
        query.addBindValue(text(it->href));
        query.addBindValue(text(it->etag));
        query.addBindValue(text(QString::fromLatin1(it->localHash)));
        query.addBindValue(text(QString::fromLatin1(it->contentHash)));
        query.addBindValue(it->kept ? 1 : 0);
        if (!query.exec())
            return failed(query);
    }
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO texts (section, uid, data) VALUES (?, ?, ?)"));
    for (auto it = state.texts.cbegin(); it != state.texts.cend(); ++it) {
        if (!state.items.contains(it.key()))
            continue;
        query.addBindValue(int(section));
        query.addBindValue(it.key());
        query.addBindValue(it.value());
        if (!query.exec())
            return failed(query);
    }
    query.prepare(QStringLiteral("DELETE FROM texts WHERE section = ? AND uid NOT IN (SELECT uid FROM items WHERE section = ?)"));
    query.addBindValue(int(section));
    query.addBindValue(int(section));
    if (!query.exec())
        return failed(query);
    if (!m_db.commit())
        return fail(QStringLiteral("cannot be written: %1").arg(m_db.lastError().text()));
    return true;
}

QByteArray SyncState::serverText(SectionId section, const QString &uid) const
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT data FROM texts WHERE section = ? AND uid = ?"));
    query.addBindValue(int(section));
    query.addBindValue(uid);
    return query.exec() && query.next() ? query.value(0).toByteArray() : QByteArray();
}

QSet<QString> SyncState::unkept(SectionId section) const
{
    QSet<QString> uids;
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT uid FROM items WHERE section = ? AND kept = 0"));
    query.addBindValue(int(section));
    if (query.exec()) {
        while (query.next())
            uids.insert(query.value(0).toString());
    }
    return uids;
}

bool SyncState::markKept(SectionId section, const QSet<QString> &uids)
{
    if (uids.isEmpty())
        return true;
    if (!m_db.transaction())
        return fail(QStringLiteral("cannot be written: %1").arg(m_db.lastError().text()));
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("UPDATE items SET kept = 1 WHERE section = ? AND uid = ?"));
    for (const QString &uid : uids) {
        query.addBindValue(int(section));
        query.addBindValue(uid);
        if (!query.exec()) {
            m_db.rollback();
            return fail(QStringLiteral("cannot be written: %1").arg(query.lastError().text()));
        }
    }
    if (!m_db.commit())
        return fail(QStringLiteral("cannot be written: %1").arg(m_db.lastError().text()));
    return true;
}
