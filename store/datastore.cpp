// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/datastore.h"

#include "platform/contentdigest.h"
#include "store/datafilereader.h"

#include <QDateTime>
#include <QFileInfo>

#include <cerrno>
#include <future>
#include <mutex>
#include <optional>
#include <system_error>

DataStore::DataStore(const QString &folder)
    : m_path(folder + QStringLiteral("/savedfile.qlt"))
{
}

namespace {

/// What reading the file found, before the store takes it in.
struct FileRead
{
    bool missing = false;
    bool read = false;
    QByteArray digest;
    DataStore::LoadResult result;
};

FileRead readDataFile(const QString &path)
{
    removeLeftoverTemporaries(path);
    FileRead found;
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        found.missing = true;
        return found;
    }
    // Read in pieces, each made into records at once: the file's bytes are never held whole.
    DataFileReader reader;
    ContentDigest digest;
    FileError error;
    found.read = readFileInPieces(path, [&](QByteArrayView piece) {
        digest.add(piece);
        reader.add(piece);
        return true;
    }, &error);
    if (!found.read) {
        found.result.problem = error.description;
        found.result.unreadable = true;
        return found;
    }
    found.digest = digest.result();
    ParsedDataFile parsed = reader.finish();
    found.result.content = std::move(parsed.content);
    found.result.problem = parsed.problems.join(QLatin1Char(' '));
    return found;
}

/// The one read started ahead of time, for the store that loads that path first.
struct Preloaded
{
    std::mutex mutex;
    QString path;
    std::future<FileRead> read;
};

Preloaded &preloaded()
{
    static Preloaded instance;
    return instance;
}

} // namespace

void DataStore::preload(const QString &folder)
{
    Preloaded &ahead = preloaded();
    const std::lock_guard lock(ahead.mutex);
    ahead.path = folder + QStringLiteral("/savedfile.qlt");
    try {
        ahead.read = std::async(std::launch::async, readDataFile, ahead.path);
    } catch (const std::system_error &) {
        // No thread to be had: the window's load reads the file itself.
    }
}

DataStore::LoadResult DataStore::load()
{
    std::optional<FileRead> found;
    {
        Preloaded &ahead = preloaded();
        const std::lock_guard lock(ahead.mutex);
        if (ahead.read.valid() && ahead.path == m_path)
            found = ahead.read.get(); // taken once: a later load reads the file again
    }
    if (!found)
        found = readDataFile(m_path);
    if (found->missing)
        m_onDisk.rememberMissing();
    else if (found->read)
        m_onDisk.rememberDigest(found->digest);
    // A file that cannot be read or used is copied aside before the first save replaces it.
    if (!found->result.problem.isEmpty())
        m_backupPending = true;
    return std::move(found->result);
}

bool DataStore::copyBeforeReplacing(const QString &copyPath, FileError *error)
{
    // Copied a piece at a time, and the copy replaces an older one only once complete. Without
    // it the file is not replaced: it may hold what the user still needs.
    FileError why;
    if (copyFileAtomically(m_path, copyPath, &why) || why.number == ENOENT)
        return true;
    if (error) {
        error->number = why.number;
        error->description = QStringLiteral("%1. It could not be copied to \"%2\" first, "
                                            "so it was not replaced")
                                 .arg(why.description, QFileInfo(copyPath).fileName());
    }
    return false;
}

bool DataStore::save(const DataFileContent &content, FileError *error)
{
    m_keptAside.clear();
    if (!m_onDisk.keepOtherVersion(m_path, &m_conflictCopy, error))
        return false;
    if (m_backupPending) {
        if (!copyBeforeReplacing(backupPath(), error))
            return false;
        m_backupPending = false;
    }
    if (m_keepAsidePending) {
        const QString aside = freeDatedPath(m_path, QStringLiteral("replaced"), QDateTime::currentDateTime());
        if (!copyBeforeReplacing(aside, error))
            return false;
        if (QFileInfo::exists(aside))
            m_keptAside = aside;
        m_keepAsidePending = false;
    }
    // Written as it is made, through a small buffer; what was written is remembered by its digest.
    ContentDigest digest;
    const bool written = writeFileAtomically(m_path, [&](const ByteSink &sink) {
        writeDataFile(content, [&](QByteArrayView piece) {
            digest.add(piece);
            return sink(piece);
        });
    }, error);
    if (written)
        m_onDisk.rememberDigest(digest.result());
    return written;
}
