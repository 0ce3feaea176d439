#include "store/datastore.h"

#include "platform/contentdigest.h"
#include "store/datafilereader.h"

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

bool DataStore::save(const DataFileContent &content, FileError *error)
{
    if (!m_onDisk.keepOtherVersion(m_path, &m_conflictCopy, error))
        return false;
    if (m_backupPending) {
        // The damaged file is copied a piece at a time, and the copy replaces the previous one only
        // once complete. Without that copy the file is not replaced: it may hold what we could not read.
        FileError why;
        if (!copyFileAtomically(m_path, backupPath(), &why) && why.number != ENOENT) {
            if (error) {
                error->number = why.number;
                error->description = QStringLiteral("%1. It could not be copied to \"%2\" first, "
                                                    "so it was not replaced")
                                         .arg(why.description, QFileInfo(backupPath()).fileName());
            }
            return false;
        }
        m_backupPending = false;
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
