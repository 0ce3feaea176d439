#include "store/datastore.h"

#include "platform/contentdigest.h"
#include "store/datafilereader.h"

#include <QFileInfo>

#include <cerrno>

DataStore::DataStore(const QString &folder)
    : m_path(folder + QStringLiteral("/savedfile.qlt"))
{
}

DataStore::LoadResult DataStore::load()
{
    removeLeftoverTemporaries(m_path);
    LoadResult result;
    if (!QFileInfo::exists(m_path) && !QFileInfo(m_path).isSymLink()) {
        m_onDisk.rememberMissing();
        return result;
    }

    // Read in pieces, each made into records at once: the file's bytes are never held whole.
    DataFileReader reader;
    ContentDigest digest;
    FileError error;
    const bool read = readFileInPieces(m_path, [&](QByteArrayView piece) {
        digest.add(piece);
        reader.add(piece);
        return true;
    }, &error);
    if (!read) {
        result.problem = error.description;
        result.unreadable = true;
        m_backupPending = true;
        return result;
    }
    m_onDisk.rememberDigest(digest.result());
    ParsedDataFile parsed = reader.finish();
    result.content = std::move(parsed.content);
    if (!parsed.problems.isEmpty()) {
        result.problem = parsed.problems.join(QLatin1Char(' '));
        m_backupPending = true;
    }
    return result;
}

bool DataStore::save(const DataFileContent &content, FileError *error)
{
    if (!m_onDisk.keepOtherVersion(m_path, &m_conflictCopy, error))
        return false;
    if (m_backupPending) {
        // The damaged file is copied whole, and the copy replaces the previous one only once
        // complete. Without that copy the file is not replaced: it may hold what we could not read.
        QByteArray original;
        FileError why;
        const bool gone = !readWholeFile(m_path, &original, &why) && why.number == ENOENT;
        if (!gone && (why.number != 0 || !writeFileAtomically(backupPath(), original, &why))) {
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
